// Loaders for the binary plug-in record (.plg, or record n of a .dic): header, score settings, pattern
// table and the option block. Each opens the file for one read and closes it; results are 1/0.
#pragma once
#include <windows.h>
#include "definition_records.h"

// File offset of plug-in record n: 0 for mode 0 (a .plg; n ignored), n * 3000 - 2850 for mode 1 (a .dic,
// n from 1). Any mode other than 1 is a .plg. Returns -1 for a dictionary record number below 1 or one
// whose offset does not fit a signed 32-bit file offset.
long record_offset(int n, int mode);

// Zeroes header, checks "KRVPLG" at the record start and reads the header fields. A box shows only with a
// window, when the file cannot be opened.
int read_plugin_header(HWND window, const char *path, plugin_header *header, int n, int mode);
// Zeroes settings, checks the magic and reads the 20 bytes at record offset 2110; pattern_score is 0.0
// when pattern_check is 1, otherwise 50.0.
int read_score_settings(HWND window, const char *path, score_settings *settings, int n, int mode);
// Zeroes table, checks the magic and reads entries from record offset 2220 until "END", 50 entries or the
// end of the file.
int read_pattern_table(HWND window, const char *path, pattern_table *table, int n, int mode);
// Zeroes both records; reads the header (fails when it fails), then the option block at record offset 108
// (fails silently when it does not begin with "KRVOPG"), and copies the header's identity fields into
// options.
int read_plugin_options(HWND window, const char *path, plugin_header *header, option_record *options, int n,
                        int mode);
