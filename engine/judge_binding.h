// Finding, checking, calling and releasing the judge extension library that serves a definition.
#pragma once
#include "definition_records.h"
#include "engine_records.h"
#include <windows.h>

// Results of call_judge_library.
const int JUDGE_NOT_CALLED = 0;        // flag value 4 missing, no folder, out of memory, or a name too long
const int JUDGE_JUDGED = 1;            // a matching library judged the file
const int JUDGE_DECLINED = 2;          // the matching library returned 0
const int JUDGE_NO_LIBRARY = 3;        // no library in the folder, or none with the wanted identity
const int JUDGE_LIBRARY_FAILED = 4;    // the match failed to load again, or lacks the judgement entry

// The longest loader name a library may have, with its terminator.
const int JUDGE_NAME_SLOT_SIZE = 51;

int call_judge_library(HWND owner, const char *judge_folder, const char *definition_path, plugin_header header,
                       const char *target_path, judgement_record *judgement, int entry_number,
                       int dictionary_flag);
// The name the library's length rule applies to: the judge folder relative to the program folder, without
// its first character, followed by the file name. 0 when it cannot be formed.
int judge_rule_name(const char *program_folder_path, const char *judge_folder, const char *file_name, char *out,
                    size_t out_size);
