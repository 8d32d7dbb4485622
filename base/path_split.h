// Shift-JIS aware splitting of a path into folder, file name and extension. Paths are code page 932 text
// in 260-byte buffers; a byte after a lead byte is never taken for a separator or a dot.
#pragma once
#include <windows.h>
#include <cstddef>

int folder_of(HWND owner, const char *path, char *out, size_t out_size);
int file_name_of(HWND owner, const char *path, char *out, size_t out_size);
// case_mode: 1 upper case, 2 lower case, anything else unchanged.
int extension_of(HWND owner, const char *path, char *out, size_t out_size, int case_mode);
// tail_mode: 0 keeps only the file-name part, 1 appends a backslash in place of the extension.
int strip_extension(HWND owner, const char *path, char *out, size_t out_size, int tail_mode);
