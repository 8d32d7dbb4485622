// The program's identification: the result of the last identification, which the main window, the result
// dialog and the renames read, and the rename flag.
#pragma once
#include "engine_records.h"
#include "identification_run.h"
#include "owner_message.h"
#include <windows.h>
#include <cstdint>

// The outcome of the last identification, read by the windows, the dialog and the rename.
extern identification_result g_identification_result;
// 1 after an identification whose first candidate is a real extension different from the file's own.
extern int32_t g_rename_possible;

// Identifies path into g_identification_result. quiet: 0 shows status texts and repaints window at the
// end; any other value shows nothing. Sets g_rename_possible when the first candidate differs from the
// file's own extension (it never clears it). Returns 0 for a path of 260 bytes or more (nothing changed),
// otherwise 1, candidates or not.
int identify_file(HWND window, const char *path, int quiet);
