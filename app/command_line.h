// Splitting the command line into file arguments: blanks outside double quotes separate them, and a
// quoted argument loses its quotes.
#pragma once
#include <cstddef>

// Number of blanks outside double quotes; the arguments are numbered 0 to this count.
int count_argument_separators(const char *command_line);
// Cuts out argument number k (quotes removed) into out. Returns 1 when it fits, 0 when it is longer than
// out can hold: such an argument is refused (out is left empty), never cut to another file's name.
int cut_argument(const char *command_line, int k, char *out, size_t out_size);
