// Shared by the stand-in archiver libraries of the tests: every call is appended as one line to the log
// named by QUODRA_STANDIN_LOG, and a marker file shows in which folder the "extraction" went.
#pragma once
#include <windows.h>

// The file name this library was loaded under (unzip32.dll, Unrar.dll, ...).
const char *standin_library_name();
// Appends "<library>|<entry>|<details>" and a line end to the log.
void standin_log(const char *entry, const char *details);
// Creates <folder>standin-<library>.txt holding the archive path (a backslash is added when missing).
void standin_mark(const char *folder, const char *archive);
// The integer in the environment variable name, or fallback when it is not set.
int standin_setting(const char *name, int fallback);
// "null" for a null text, else the text itself.
const char *standin_text(const char *text);
