// The identification run: the active dataset's run list against one file, the candidates ranked into the
// caller's result record. Status texts go to the report sink.
#pragma once
#include "engine_records.h"

// quiet: 0 reports status texts; any other value reports nothing. The target's path is copied into result
// (cut at a first "-o"). Returns 0 for a path of 260 bytes or more (nothing changed), otherwise 1,
// candidates or not.
int identify_target(const char *path, int quiet, identification_result *result);
// 1 when the first candidate is a real extension ("???" and "---" are not) that differs from the target's own,
// upper-cased extension: what makes a rename possible.
int first_candidate_differs(const char *target, const char *first_extension);
