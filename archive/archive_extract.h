// Extraction of archives dropped on the program: the kind is decided from the file's bytes, the archiver
// library of that kind is loaded by name for one call, and the archive is extracted into the chosen folder.
#pragma once
#include <windows.h>

// Archive kind codes, one bit per kind (0 = not an archive of a known kind).
const int ARCHIVE_NONE = 0;
const int ARCHIVE_CHROMAKEY = 1;
const int ARCHIVE_LHA = 2;
const int ARCHIVE_ZIP = 4;
const int ARCHIVE_CAB = 8;
const int ARCHIVE_GCA = 16;
const int ARCHIVE_ISH = 32;
const int ARCHIVE_RAR = 64;
const int ARCHIVE_ACE = 128;
const int ARCHIVE_YZ1 = 256;
const int ARCHIVE_GZIP = 512;

// Option bits set by the pairs of the request text.
const int EXTRACT_MAKE_SUBFOLDER = 1;  // -c
const int EXTRACT_TO_DESKTOP = 2;      // -d
const int EXTRACT_BESIDE_ARCHIVE = 4;  // -a
const int EXTRACT_OPEN_FOLDER = 8;     // -o

// The longest request text taken: it must fit a 260-byte buffer with its terminator.
const int REQUEST_TEXT_MAX = 259;

// Request text: the archive path, any of the pairs -o -c -d -a, and at most one folder in double quotes.
// Returns 1 when the file was an archive handed to its library, 0 when it goes on to identification.
int extract_archive(HWND owner, const char *request);
// The kind code of the file at archive_path from its bytes, or 0. Says "対象のファイルが開けません" with
// an owner when the file cannot be opened.
int detect_archive_kind(HWND owner, const char *archive_path);
// Loads and releases the library of that kind: the kind's bit when it loaded, else 0 (with its message).
int check_archiver_library(HWND owner, int kind);
