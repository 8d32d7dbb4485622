// Shift-JIS aware path splitting and the counted folder listings that the whole program uses.
// Paths are code page 932 text in 260-byte buffers.
#pragma once
#include <windows.h>
#include <cstddef>

// One Shift-JIS scanner: feed it every byte of a text in order. It answers 1 when the byte stands for
// itself (and may be a separator, dot, quote or blank), 0 when it is the second half of a double-byte
// character and must not be taken for any of those.
struct sjis_scanner {
    int in_double_byte;
};
void sjis_reset(sjis_scanner *scanner);
int sjis_byte_stands_alone(sjis_scanner *scanner, unsigned char byte);
// Offset of the last byte of text that stands alone and is one of the bytes in set, or -1.
int sjis_find_last_of(const char *text, const char *set);
// 1 when the text's last character is a single-byte character in set (a trail byte 0x5C does not count).
int sjis_ends_with_one_of(const char *text, const char *set);

int folder_of(HWND owner, const char *path, char *out, size_t out_size);
int file_name_of(HWND owner, const char *path, char *out, size_t out_size);
// case_mode: 1 upper case, 2 lower case, anything else unchanged.
int extension_of(HWND owner, const char *path, char *out, size_t out_size, int case_mode);
// tail_mode: 0 keeps only the file-name part, 1 appends a backslash in place of the extension.
int strip_extension(HWND owner, const char *path, char *out, size_t out_size, int tail_mode);

// Entry types of the folder listing.
const int LIST_FILES_AND_FOLDERS = 0;
const int LIST_FILES = 1;
const int LIST_FOLDERS = 2;
const int LIST_MATCHES_THEN_FOLDERS = 3;

// Error codes returned in place of a count.
const int LIST_NO_FIND_HANDLE = 999999;
const int LIST_TEXT_TOO_SMALL = 999998;
const int LIST_PATH_TOO_LONG = 999997;

int count_folder_entries(HWND owner, const char *folder, const char *pattern, int type);
int list_folder_entries(HWND owner, const char *folder, char *out, size_t out_size, const char *pattern, int type);
int list_folder_paths(HWND owner, const char *folder, char *slots, int slot_count, int slot_size,
                      const char *pattern, int type, int names_only);
