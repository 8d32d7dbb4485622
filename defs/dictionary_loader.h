// Loader for a dictionary file's header (.dic, magic "KRVDIC"): how many plug-in records it holds.
#pragma once
#include <windows.h>
#include "dictionary_records.h"

// Zeroes info; fails on an empty path, an unopenable file (box only with a window) or a wrong magic.
// record_count is (file size - 150) / 3000 kept in 8 bits, 0 for a file shorter than 150 bytes.
int read_dictionary_info(HWND window, const char *path, dictionary_info *info);
