// Reading quodra.ini at the moment of use: settings are never cached, every reader asks the file.
#pragma once
#include <cstddef>

// The stored text of section/key (empty default), cut to size - 1 bytes. Returns the length read.
int read_setting_text(const char *section, const char *key, char *out, size_t size);
// A flag counts as set only when its text converts to 1.
int read_setting_flag(const char *section, const char *key);
