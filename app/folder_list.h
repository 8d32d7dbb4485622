// The main window's browsing controls, rebuilt whole from quodra.ini: the folder list (subfolders or the
// drives), the file list (names, sizes, extensions), the file list's colours and the dataset selector.
#pragma once
#include <cstddef>

const char FOLDER_UP_ROW[] = "<..>";
const char NO_FOLDERS_ROW[] = "(この階層にフォルダはありません)";
const char SEARCH_ERROR_ROW[] = "サーチエラー";
const int FOLDER_ROW_SIZE = 101;   // a folder name of at most 100 bytes
const int FILE_ROW_SIZE = 261;
const int DATASET_SLOT_COUNT = 5;  // rows 0-4 stand for datasets 1-5, row 5 for no dataset

// PATH/targetdir into out (260 bytes or more). 0 when the stored text does not fit a path: out is then
// empty and the value is not to be used as a folder.
int read_current_folder(char *out, size_t size);
// Writes PATH/<key>; a null value deletes the key.
void write_path_setting(const char *key, const char *value);

void refresh_folder_list();
void fill_drive_list();
void refresh_file_list();
void add_file_list_columns();
void apply_list_colours();
void fill_dataset_combo();

// The list-view text of one file's size: "%8d byte" of the size's low 32 bits, read as a signed number.
void format_file_size(unsigned long long size, char *out, size_t out_size);
// The extension column of a name: after its last single-byte dot, lower case when viewext is exactly "0",
// upper case otherwise; an extension too long for the column is cut at a whole character.
void format_list_extension(const char *name, const char *viewext, char *out, size_t out_size);
