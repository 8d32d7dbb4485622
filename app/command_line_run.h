// Command-line mode: every argument is a file dropped on the program or sent to it from the shell.
#pragma once
#include "engine_records.h"
#include <cstddef>

// The long form of the argument being handled. Later steps reuse it for a setting's text, so the file's
// path must not be read from it after the identification.
extern char g_long_path[PATH_SIZE];

// Handles arguments 0 to the number of separators in order; returns the exit code 0.
int run_command_line(const char *command_line);
// The same over the wide command line (the arguments after the program's name), which the program uses: each
// argument becomes a path by the rule of system_names.h, and one without such a path is identified as a
// target that cannot be read, never as another file.
int run_wide_command_line(const wchar_t *command_line);
// The same over the wide command line (the arguments after the program's name), which the program uses: each
// argument becomes a path by the rule of system_names.h, and one without such a path is identified as a
// target that cannot be read, never as another file.
int run_wide_command_line(const wchar_t *command_line);
// Zeroes out and fills it with the long form of path; out stays empty when the path does not exist or its
// long form would not fit. Returns 1 when converted.
int convert_to_long_path(const char *path, char *out, size_t out_size);
// The same for a wide argument: its long form made a path by the rule. out stays empty when the path does not
// exist, or its long form is refused by the rule or does not fit. Returns 1 when converted.
int convert_wide_to_long_path(const wchar_t *path, char *out, size_t out_size);
// The same for a wide argument: its long form made a path by the rule; out stays empty when the path does not
// exist, its long form is refused by the rule or does not fit. Returns 1 when converted.
int convert_wide_to_long_path(const wchar_t *path, char *out, size_t out_size);
