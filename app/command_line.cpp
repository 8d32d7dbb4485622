// Splitting the command line into file arguments.
#include "command_line.h"
#include "bounded_text.h"
#include "engine_records.h"
#include "path_helpers.h"

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
