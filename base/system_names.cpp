// The one rule for names from the system.
#include "system_names.h"
#include <cstring>
#include <cwchar>

namespace {

const size_t WIDE_PATH_COUNT = 32768;  // the longest path the wide API knows

int is_separator(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

}  // namespace

int exact_system_text(const wchar_t *text, char *out, size_t out_size)
{
    if (out == nullptr || out_size == 0) return 0;
    out[0] = '\0';
    if (text == nullptr) return 0;
    if (text[0] == L'\0') return 1;
    // Plain ASCII, most names, is the same in the ANSI code page: no conversion needed.
    size_t ascii = 0;
    while (text[ascii] != L'\0' && text[ascii] < 0x80 && ascii + 1 < out_size) {
        out[ascii] = static_cast<char>(text[ascii]);
        ascii++;
    }
    if (text[ascii] == L'\0') {
        out[ascii] = '\0';
        return 1;
    }
    BOOL used_default = FALSE;
    int written = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, out, static_cast<int>(out_size), nullptr,
                                      &used_default);
    if (written <= 0 || used_default) {
        out[0] = '\0';
        return 0;
    }
    // And back again to the same characters: nothing was mapped to a look-alike.
    size_t length = std::wcslen(text);
    wchar_t stack_back[MAX_PATH + 1];
    wchar_t *back = length < MAX_PATH ? stack_back : new wchar_t[length + 1];
    int back_count = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, out, -1, back, static_cast<int>(length + 1));
    int same = back_count == static_cast<int>(length + 1) && std::wcscmp(back, text) == 0;
    if (back != stack_back) delete[] back;
    if (!same) out[0] = '\0';
    return same;
}

int system_name_from_wide(const wchar_t *name, const wchar_t *short_name, char *out, size_t out_size)
{
    if (exact_system_text(name, out, out_size)) return 1;
    if (short_name == nullptr || short_name[0] == L'\0') return 0;
    return exact_system_text(short_name, out, out_size);
}

int system_path_from_wide(const wchar_t *path, char *out, size_t out_size)
{
    if (out == nullptr || out_size == 0) return 0;
    out[0] = '\0';
    if (path == nullptr) return 0;
    if (exact_system_text(path, out, out_size)) return 1;
    size_t length = std::wcslen(path);
    if (length >= WIDE_PATH_COUNT) return 0;
    // The path up to the component being looked at, for the listing that finds its short form.
    wchar_t *prefix = new wchar_t[length + 1];
    char *piece = new char[out_size];
    size_t used = 0;
    int refused = 0;
    size_t start = 0;
    while (start <= length && !refused) {
        size_t end = start;
        while (end < length && !is_separator(path[end])) end++;
        // The component with the separator after it, if any.
        size_t stop = end < length ? end + 1 : end;
        std::wmemcpy(prefix, path, end);
        prefix[end] = L'\0';
        wchar_t component[MAX_PATH + 1];
        size_t component_length = end - start;
        if (component_length > MAX_PATH) {
            refused = 1;
            break;
        }
        std::wmemcpy(component, path + start, component_length);
        component[component_length] = L'\0';
        if (!exact_system_text(component, piece, out_size)) {
            // A name with wildcards would list other files; anything else is asked of the folder listing.
            WIN32_FIND_DATAW found;
            HANDLE find = std::wcspbrk(component, L"*?") != nullptr
                              ? INVALID_HANDLE_VALUE
                              : FindFirstFileW(prefix, &found);
            if (find == INVALID_HANDLE_VALUE) {
                refused = 1;
                break;
            }
            FindClose(find);
            if (!system_name_from_wide(nullptr, found.cAlternateFileName, piece, out_size)) {
                refused = 1;
                break;
            }
        }
        size_t piece_length = std::strlen(piece);
        size_t tail = stop - end;
        if (used + piece_length + tail + 1 > out_size) {
            refused = 1;
            break;
        }
        std::memcpy(out + used, piece, piece_length);
        used += piece_length;
        if (tail) out[used++] = static_cast<char>(path[end]);
        out[used] = '\0';
        if (end >= length) break;
        start = end + 1;
    }
    delete[] prefix;
    delete[] piece;
    if (refused) out[0] = '\0';
    return !refused;
}

int wide_from_system_text(const char *text, wchar_t *out, size_t out_count)
{
    if (out == nullptr || out_count == 0) return 0;
    out[0] = L'\0';
    if (text == nullptr) return 0;
    if (text[0] == '\0') return 1;
    int written = MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, text, -1, out, static_cast<int>(out_count));
    if (written <= 0) {
        out[0] = L'\0';
        return 0;
    }
    return 1;
}
