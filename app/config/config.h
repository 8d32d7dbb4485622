// quodra.ini at start-up: where it is, the first-run values, the start-up folder rule, and the dataset paths.
#pragma once
#include "app_config.h"
#include <cstddef>

// Runs once before the entry looks at its command line, in both modes.
void load_config();
// The same for a settings file in folder (which ends in a backslash); load_config passes program_folder().
void load_config_in(app_config *config, const char *folder);
// A shell special folder (CSIDL_...) with a backslash appended; 0 (out empty) when the shell has none or it
// does not fit.
int shell_folder_with_backslash(int csidl, char *out, size_t out_size);
