// The shell every judge library of ours shares: the identity record, and the two exports that check a
// header is meant for this library, open the target and hand it to the library's own judgement.
#pragma once
#include "judge_interface.h"
#include <windows.h>
#include <cstdint>

struct judge_identity {
    uint16_t library_id;
    const char *description;   // up to 30 characters
    const char *maker;         // up to 32 characters
    float version;
    const char *release_text;  // up to 4 characters
    uint8_t release_byte;
    // A header meant for another library: 1 shows "予期せぬエラーです" to the owner, 0 declines silently.
    int warn_on_foreign_header;
    // Opening flags for the target besides shared read of an existing file.
    DWORD open_flags;
    // 1: a call for the same path moments after the last, the file's size and times unchanged, gets the last
    // answer without opening the file (a dataset may ask one library twice in one identification).
    int repeat_last_answer;
};

// Defined by each library: who it is, and the result_b code of an opened target (result_a is 0).
extern const judge_identity JUDGE_IDENTITY;
uint32_t judge_opened_target(HANDLE file);
