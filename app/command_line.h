// Splitting the command line into file arguments: blanks outside double quotes separate them, and a
// quoted argument loses its quotes.
#pragma once
#include <cstddef>
#include <cwchar>

// Number of blanks outside double quotes; the arguments are numbered 0 to this count.
int count_argument_separators(const char *command_line);
// Cuts out argument number k (quotes removed) into out. Returns 1 when it fits, 0 when it is longer than
// out can hold: such an argument is refused (out is left empty), never cut to another file's name.
int cut_argument(const char *command_line, int k, char *out, size_t out_size);

// The same cutting over the program's wide command line, so that a dropped file's name arrives whole and not
// through a lossy conversion. A wide text has no double-byte halves to skip.
int count_wide_argument_separators(const wchar_t *command_line);
// Argument number k (quotes removed) into out (out_count characters). 0 when it does not fit (out empty).
int cut_wide_argument(const wchar_t *command_line, int k, wchar_t *out, size_t out_count);
// What follows the program's own name, and the blanks after it, in the whole command line.
const wchar_t *arguments_of_command_line(const wchar_t *whole_command_line);
