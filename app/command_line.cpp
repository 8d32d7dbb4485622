// Splitting the command line into file arguments.
#include "command_line.h"
#include "bounded_text.h"
#include "engine_records.h"
#include "path_helpers.h"
#include <cstring>

int count_argument_separators(const char *command_line)
{
    // Only the quote switch is kept here: a blank or quote can never be the second half of a
    // double-byte character, so this count agrees with the cutting below.
    int inside_quotes = 0;
    int separators = 0;
    for (const char *c = command_line; *c != '\0'; c++) {
        if (*c == '"') inside_quotes = !inside_quotes;
        else if (*c == ' ' && !inside_quotes) separators++;
    }
    return separators;
}

int cut_argument(const char *command_line, int k, char *out, size_t out_size)
{
    if (out == nullptr || out_size == 0) return 0;
    out[0] = '\0';
    // The argument is gathered with room for its two quotes, which are removed afterwards.
    char gathered[PATH_SIZE + 2];
    const size_t room = (out_size < static_cast<size_t>(PATH_SIZE) ? out_size : PATH_SIZE) + 2;
    size_t length = 0;
    int too_long = 0;
    int number = 0;
    int inside_quotes = 0;
    sjis_scanner scanner;
    sjis_reset(&scanner);
    for (const char *c = command_line; *c != '\0'; c++) {
        int stands_alone = sjis_byte_stands_alone(&scanner, static_cast<unsigned char>(*c));
        if (stands_alone && *c == '"') {
            inside_quotes = !inside_quotes;  // and the quote is kept like any other byte
        } else if (stands_alone && *c == ' ' && !inside_quotes) {
            number++;
            continue;
        }
        if (number != k) continue;
        if (length + 1 < room) gathered[length++] = *c;
        else too_long = 1;
    }
    gathered[length] = '\0';
    if (too_long) return 0;
    char *start = gathered;
    if (gathered[0] == '"') {
        // The opening quote goes, and the last byte with it, whatever that byte is.
        start = gathered + 1;
        size_t rest = length - 1;
        if (rest > 0) start[rest - 1] = '\0';
    }
    if (!copy_text(out, out_size, start)) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

int count_wide_argument_separators(const wchar_t *command_line)
{
    int inside_quotes = 0;
    int separators = 0;
    for (const wchar_t *c = command_line; *c != L'\0'; c++) {
        if (*c == L'"') inside_quotes = !inside_quotes;
        else if (*c == L' ' && !inside_quotes) separators++;
    }
    return separators;
}

int cut_wide_argument(const wchar_t *command_line, int k, wchar_t *out, size_t out_count)
{
    if (out == nullptr || out_count == 0) return 0;
    out[0] = L'\0';
    // Gathered with room for the two quotes, which are removed afterwards.
    wchar_t gathered[PATH_SIZE + 2];
    const size_t room = (out_count < static_cast<size_t>(PATH_SIZE) ? out_count : PATH_SIZE) + 2;
    size_t length = 0;
    int too_long = 0;
    int number = 0;
    int inside_quotes = 0;
    for (const wchar_t *c = command_line; *c != L'\0'; c++) {
        if (*c == L'"') {
            inside_quotes = !inside_quotes;  // and the quote is kept like any other character
        } else if (*c == L' ' && !inside_quotes) {
            number++;
            continue;
        }
        if (number != k) continue;
        if (length + 1 < room) gathered[length++] = *c;
        else too_long = 1;
    }
    gathered[length] = L'\0';
    if (too_long) return 0;
    wchar_t *start = gathered;
    if (gathered[0] == L'"') {
        // The opening quote goes, and the last character with it, whatever it is.
        start = gathered + 1;
        size_t rest = length - 1;
        if (rest > 0) start[rest - 1] = L'\0';
    }
    if (std::wcslen(start) + 1 > out_count) return 0;
    std::wcscpy(out, start);
    return 1;
}

const wchar_t *arguments_of_command_line(const wchar_t *whole_command_line)
{
    const wchar_t *c = whole_command_line;
    if (c == nullptr) return L"";
    // The program's name: quoted up to its closing quote, else up to the first blank or control character,
    // as the start-up code cuts it for the ANSI command line.
    if (*c == L'"') {
        c++;
        while (*c != L'\0' && *c != L'"') c++;
        if (*c == L'"') c++;
    } else {
        while (*c > L' ') c++;
    }
    while (*c != L'\0' && *c <= L' ') c++;
    return c;
}
