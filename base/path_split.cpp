// Folder, file name and extension of a path, scanning it as Shift-JIS text.
#include "path_split.h"
#include "bounded_text.h"
#include "sjis_text.h"
#include <cstring>

namespace {

int is_separator(char c) { return c == '\\' || c == '/'; }

char convert_case(char c, int case_mode)
{
    if (case_mode == 1) return convert_letter(c, LETTER_CASE_UPPER);
    if (case_mode == 2) return convert_letter(c, LETTER_CASE_LOWER);
    return c;
}

}  // namespace

int folder_of(HWND, const char *path, char *out, size_t out_size)
{
    int separator = sjis_find_last_of(path, "\\/");
    if (separator <= 0) {
        if (out_size > 0) out[0] = '\0';
        return 0;
    }
    if (out_size < static_cast<size_t>(separator) + 2) return 0;
    std::memcpy(out, path, static_cast<size_t>(separator) + 1);
    out[separator + 1] = '\0';
    return 1;
}

int file_name_of(HWND, const char *path, char *out, size_t out_size)
{
    if (path[0] == '\0') return 0;
    int separator = sjis_find_last_of(path, "\\/");
    const char *name = separator <= 0 ? path : path + separator + 1;
    if (std::strlen(name) + 1 > out_size) return 0;
    copy_text(out, out_size, name);
    return 1;
}

int extension_of(HWND, const char *path, char *out, size_t out_size, int case_mode)
{
    int dot = sjis_find_last_of(path, ".");
    const char *extension = dot < 0 ? "" : path + dot + 1;
    if (std::strlen(extension) + 1 > out_size) return 0;
    // Only single-byte letters change case; the second half of a double-byte character stays as it is.
    sjis_scanner scanner;
    sjis_reset(&scanner);
    size_t i = 0;
    for (; extension[i] != '\0'; i++) {
        unsigned char byte = static_cast<unsigned char>(extension[i]);
        out[i] = sjis_byte_stands_alone(&scanner, byte) ? convert_case(extension[i], case_mode) : extension[i];
    }
    out[i] = '\0';
    return 1;
}

int strip_extension(HWND, const char *path, char *out, size_t out_size, int tail_mode)
{
    if (path[0] == '\0') return 0;
    int dot = sjis_find_last_of(path, ".");
    size_t kept = dot < 0 ? std::strlen(path) : static_cast<size_t>(dot);
    size_t start = 0;
    if (tail_mode == 0) {
        // Only the file-name part of what is left.
        sjis_scanner scanner;
        sjis_reset(&scanner);
        for (size_t i = 0; i < kept; i++) {
            if (sjis_byte_stands_alone(&scanner, static_cast<unsigned char>(path[i])) && is_separator(path[i]))
                start = i + 1;
        }
    }
    size_t length = kept - start;
    size_t needed = length + 1 + (tail_mode == 1 ? 1 : 0);
    if (needed > out_size) return 0;
    std::memcpy(out, path + start, length);
    if (tail_mode == 1) out[length++] = '\\';
    out[length] = '\0';
    return 1;
}
