// Loaders for the text option plug-in (.opg): the option section, the score settings section ("/bhals/")
// and the pattern table section ("/ulky/"). They never show a message; results are 1/0.
#pragma once
#include <windows.h>
#include "definition_records.h"

// Zeroes options; fails on an empty path, an unopenable file, a first line other than "KRVOPG", or a
// definition_id above 4095.
int read_text_options(HWND window, const char *path, option_record *options);
// Zeroes settings; fails unless "/bhals/" is one of the first 70 words after the magic.
int read_text_score_settings(HWND window, const char *path, score_settings *settings);
// Zeroes table; fails (table left zeroed) unless "/ulky/" is one of the first 100 words after the magic.
int read_text_pattern_table(HWND window, const char *path, pattern_table *table);
