// Finding, checking, calling and releasing the judge extension library that serves a definition.
#pragma once
#include "definition_records.h"
#include "engine_records.h"
#include "bounded_text.h"
#include <cstdint>
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

// One library of a judge folder: its identity once asked, and the module kept loaded from then on.
struct judge_library_slot {
    char path[PATH_SIZE];
    int probed;            // the identity was asked
    int answered;          // the library loaded and its identity call returned non-zero
    uint16_t library_id;
    HMODULE module;        // loaded by the probe, freed with the set
};

// The judge libraries of one folder, listed once: a run of many identifications asks each library its
// identity once and keeps it loaded, instead of loading every library for every judgement. The set
// stands for the folder as it was listed; its owner drops it when the folder changes.
struct judge_library_set {
    char folder[PATH_SIZE];
    int listed;            // the folder was listed into the set
    int outcome;           // 0 when libraries were listed, else the binding's result for every call
    int rule_broken;       // a name breaks the length rule: every call warns and is not made
    int count;
    judge_library_slot *slots;
};

// call_judge_library through a set kept by the caller (zeroed before its first use).
int call_judge_library_in(judge_library_set *set, HWND owner, const char *judge_folder,
                          const char *definition_path, plugin_header header, const char *target_path,
                          judgement_record *judgement, int entry_number, int dictionary_flag);
// Frees the libraries the set loaded and its listing; the set is empty again.
void release_judge_library_set(judge_library_set *set);
// The name the library's length rule applies to: the judge folder relative to the program folder, without
// its first character, followed by the file name. 0 when it cannot be formed.
int judge_rule_name(const char *program_folder_path, const char *judge_folder, const char *file_name, char *out,
                    size_t out_size);
