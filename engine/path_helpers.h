// The counted folder listings that the whole program uses, over the path splitters of the base.
// Paths are code page 932 text in 260-byte buffers; a name from the system reaches them only by the rule
// of system_names.h, never by a lossy conversion.
#pragma once
#include "path_split.h"
#include "sjis_text.h"
#include <windows.h>
#include <cstddef>

// Entry types of the folder listing.
const int LIST_FILES_AND_FOLDERS = 0;
const int LIST_FILES = 1;
const int LIST_FOLDERS = 2;
const int LIST_MATCHES_THEN_FOLDERS = 3;

// Error codes returned in place of a count.
const int LIST_NO_FIND_HANDLE = 999999;
const int LIST_TEXT_TOO_SMALL = 999998;
const int LIST_PATH_TOO_LONG = 999997;

// The name a listing gives an entry: its own name when it converts exactly to the ANSI code page, else its
// short form; 0 (name empty) when it has neither, and the listings leave such an entry out.
int listed_name_of(const WIN32_FIND_DATAW *entry, char *name, size_t name_size);

// The listings search with the wide API and give every name by listed_name_of.
int count_folder_entries(HWND owner, const char *folder, const char *pattern, int type);
int list_folder_entries(HWND owner, const char *folder, char *out, size_t out_size, const char *pattern, int type);
int list_folder_paths(HWND owner, const char *folder, char *slots, int slot_count, int slot_size,
                      const char *pattern, int type, int names_only);
