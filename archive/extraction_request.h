// The request text the command-line run hands to extract_archive, built from the ARCHIVE settings.
#pragma once
#include <cstddef>

// The settings are read into buffers of this size, so a longer extdirpath is cut to 99 bytes.
const size_t ARCHIVE_SETTING_SIZE = 100;

// long_path, then " -o" (opendir 1), " -c" (createdir 1), then " -d" (extdir 1), " -a" (extdir 2) or a blank
// and extdirpath in double quotes. Returns 1 when the whole request fits out; otherwise out is left empty
// and 0 returned, so that no cut request (naming another file or folder) is ever offered.
int build_extraction_request(const char *long_path, char *out, size_t out_size);
