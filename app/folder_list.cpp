// The folder list, the file list and the dataset selector of the main window. Each fill starts from what
// quodra.ini holds at that moment and shows no message: a folder that cannot be searched shows
// "サーチエラー" above "<..>".
#include "folder_list.h"
#include "app_config.h"
#include "bounded_text.h"
#include "main_window_state.h"
#include "path_helpers.h"
#include "settings_store.h"
#include "text_cut.h"
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int EXTENSION_COLUMN_SIZE = 20;
const int LISTING_ERROR_ABOVE = 990000;  // results above this are error codes, not counts

int is_listing_error(int result)
{
    return result > LISTING_ERROR_ABOVE;
}

// 1 when folder names a folder that exists (a file or a vanished folder cannot be searched).
int folder_is_searchable(const char *folder)
{
    DWORD attributes = GetFileAttributesA(folder);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void add_folder_row(const char *text)
{
    SendMessageA(g_folder_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void insert_folder_row_at_top(const char *text)
{
    SendMessageA(g_folder_list, LB_INSERTSTRING, 0, reinterpret_cast<LPARAM>(text));
}

void fill_subfolder_rows(const char *folder)
{
    int count = count_folder_entries(nullptr, folder, "*.*", LIST_FOLDERS);
    insert_folder_row_at_top(FOLDER_UP_ROW);
    // The listing counts a folder it cannot open as empty; such a folder is a search error, not an
    // empty level.
    if (count == 0 && !folder_is_searchable(folder)) count = LIST_NO_FIND_HANDLE;
    if (count == 0) {
        add_folder_row(NO_FOLDERS_ROW);
        return;
    }
    if (is_listing_error(count)) {
        insert_folder_row_at_top(SEARCH_ERROR_ROW);
        return;
    }
    char *rows = static_cast<char *>(std::calloc(static_cast<size_t>(count), FOLDER_ROW_SIZE));
    if (rows == nullptr) {
        insert_folder_row_at_top(SEARCH_ERROR_ROW);
        return;
    }
    int listed = list_folder_paths(nullptr, folder, rows, count, FOLDER_ROW_SIZE, "*.*", LIST_FOLDERS, 1);
    if (is_listing_error(listed) || listed > count) {
        insert_folder_row_at_top(SEARCH_ERROR_ROW);
    } else {
        for (int i = 0; i < listed; i++) add_folder_row(rows + static_cast<size_t>(i) * FOLDER_ROW_SIZE);
    }
    std::free(rows);
}

void set_file_column(int row, int column, const char *text)
{
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char *>(text);
    SendMessageA(g_file_list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

// One file row; 0 when the file's entry cannot be had (it went away since the listing).
int add_file_row(int row, const char *folder, const char *name)
{
    char path[PATH_SIZE];
    if (!copy_text(path, sizeof path, folder) || !append_text(path, sizeof path, name)) return 0;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA(path, &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    FindClose(find);

    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = entry.cFileName;
    int inserted = static_cast<int>(SendMessageA(g_file_list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    if (inserted < 0) return 0;

    char size_text[32];
    unsigned long long size = (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
    format_file_size(size, size_text, sizeof size_text);
    set_file_column(inserted, 1, size_text);

    char viewext[20] = "";
    read_setting_text("OPTION", "viewext", viewext, sizeof viewext);
    char extension[EXTENSION_COLUMN_SIZE];
    format_list_extension(entry.cFileName, viewext, extension, sizeof extension);
    set_file_column(inserted, 2, extension);
    return 1;
}

void fill_file_rows(const char *folder)
{
    int count = count_folder_entries(nullptr, folder, "*", LIST_FILES);
    if (count == 0 || is_listing_error(count)) return;
    char *rows = static_cast<char *>(std::calloc(static_cast<size_t>(count), FILE_ROW_SIZE));
    if (rows == nullptr) return;
    int listed = list_folder_paths(nullptr, folder, rows, count, FILE_ROW_SIZE, "*", LIST_FILES, 1);
    if (!is_listing_error(listed) && listed <= count) {
        int row = 0;
        for (int i = 0; i < listed; i++) row += add_file_row(row, folder, rows + static_cast<size_t>(i) * FILE_ROW_SIZE);
    }
    std::free(rows);
}

int colour_part(const char *key)
{
    // Each part is taken as its low 8 bits: 300 is 44, -1 is 255.
    UINT value = GetPrivateProfileIntA("OPTION", key, 0, g_app_config.ini_path);
    return static_cast<int>(value & 0xFF);
}

}  // namespace

int read_current_folder(char *out, size_t size)
{
    char stored[PATH_SIZE + 2] = "";
    int length = read_setting_text("PATH", "targetdir", stored, sizeof stored);
    if (size > 0) out[0] = '\0';
    if (length >= PATH_SIZE) return 0;
    return copy_text(out, size, stored);
}

void write_path_setting(const char *key, const char *value)
{
    WritePrivateProfileStringA("PATH", key, value, g_app_config.ini_path);
}

void refresh_folder_list()
{
    if (g_folder_list == nullptr) return;
    SendMessageA(g_folder_list, LB_RESETCONTENT, 0, 0);
    char folder[PATH_SIZE];
    if (!read_current_folder(folder, sizeof folder)) {
        add_folder_row(FOLDER_UP_ROW);
        insert_folder_row_at_top(SEARCH_ERROR_ROW);
        return;
    }
    if (folder[0] != '\0') {
        fill_subfolder_rows(folder);
    } else {
        fill_drive_list();
    }
}

void fill_drive_list()
{
    if (g_folder_list == nullptr) return;
    SendMessageA(g_folder_list, LB_RESETCONTENT, 0, 0);
    DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; letter++) {
        if ((drives & (1u << letter)) == 0) continue;
        char row[4] = {static_cast<char>('A' + letter), ':', '\\', '\0'};
        add_folder_row(row);
    }
}

void refresh_file_list()
{
    if (g_file_list == nullptr) return;
    // A large folder fills without a repaint per row.
    SendMessageA(g_file_list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(g_file_list, LVM_DELETEALLITEMS, 0, 0);
    char folder[PATH_SIZE];
    if (read_current_folder(folder, sizeof folder) && folder[0] != '\0') fill_file_rows(folder);
    SendMessageA(g_file_list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(g_file_list, nullptr, TRUE);
}

void add_file_list_columns()
{
    struct column { const char *header; int width; };
    const column COLUMNS[] = {{"ファイル名", 140}, {"サイズ", 80}, {"拡張子", 50}};
    for (int i = 0; i < 3; i++) {
        LVCOLUMNA column_info = {};
        column_info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column_info.fmt = LVCFMT_LEFT;
        column_info.cx = COLUMNS[i].width;
        column_info.pszText = const_cast<char *>(COLUMNS[i].header);
        column_info.iSubItem = i;
        SendMessageA(g_file_list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column_info));
    }
}

void apply_list_colours()
{
    if (g_file_list == nullptr) return;
    COLORREF colour = RGB(colour_part("viewbkcolor_r"), colour_part("viewbkcolor_g"), colour_part("viewbkcolor_b"));
    SendMessageA(g_file_list, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour));
    SendMessageA(g_file_list, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour));
    if (g_main_window != nullptr) InvalidateRect(g_main_window, nullptr, FALSE);
    InvalidateRect(g_file_list, nullptr, FALSE);
}

void fill_dataset_combo()
{
    if (g_dataset_combo == nullptr) return;
    SendMessageA(g_dataset_combo, CB_RESETCONTENT, 0, 0);
    for (int slot = 1; slot <= DATASET_SLOT_COUNT; slot++) {
        char key[20];
        std::snprintf(key, sizeof key, "datasetname%d", slot);
        char name[PATH_SIZE] = "";
        read_setting_text("DATASET", key, name, sizeof name);
        char row[PATH_SIZE + 40];
        if (name[0] != '\0') {
            std::snprintf(row, sizeof row, "データセット%d [%s]", slot, name);
        } else {
            std::snprintf(row, sizeof row, "データセット%d (データセット未設定)", slot);
        }
        SendMessageA(g_dataset_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row));
    }
    SendMessageA(g_dataset_combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("データセットを使わない (パス固定)"));
    int dataset = static_cast<int>(GetPrivateProfileIntA("DATASET", "usedataset", 0, g_app_config.ini_path));
    // 0 is the last row; 1-6 the rows before it (6 lands on the last row too); anything else, no selection.
    int row = dataset == 0 ? DATASET_SLOT_COUNT : dataset - 1;
    if (row < 0 || row > DATASET_SLOT_COUNT) row = -1;
    SendMessageA(g_dataset_combo, CB_SETCURSEL, static_cast<WPARAM>(row), 0);
    PostMessageA(g_dataset_combo, WM_KEYDOWN, VK_RIGHT, 0);
}

void format_file_size(unsigned long long size, char *out, size_t out_size)
{
    int32_t low = static_cast<int32_t>(static_cast<uint32_t>(size & 0xFFFFFFFFull));
    std::snprintf(out, out_size, "%8d byte", static_cast<int>(low));
}

void format_list_extension(const char *name, const char *viewext, char *out, size_t out_size)
{
    if (out_size == 0) return;
    out[0] = '\0';
    int case_mode = std::strcmp(viewext, "0") == 0 ? 2 : 1;
    char extension[FILE_ROW_SIZE] = "";
    if (!extension_of(nullptr, name, extension, sizeof extension, case_mode)) return;
    size_t limit = out_size < static_cast<size_t>(EXTENSION_COLUMN_SIZE) ? out_size : EXTENSION_COLUMN_SIZE;
    sjis_cut(extension, limit - 1, out, out_size);
}
