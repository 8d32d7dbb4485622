// The in-memory records of the dataset's two index files and the judgement record a definition's judging
// step fills. Judge libraries receive the judgement record's address, so its layout is checked on both builds.
#pragma once
#include "definition_format.h"
#include <cstddef>
#include <cstdint>

const int KEY_EXTENSION_SIZE = KEY_FILE_EXTENSION_SIZE + 1;  // 5 characters + NUL
const int KEY_COMMENT_SIZE = KEY_FILE_COMMENT_SIZE + 1;      // 93 characters + NUL

#pragma pack(push, 1)
struct dataset_record {
    uint16_t definition_id;
    uint32_t expect_a;
    uint32_t expect_b;
    uint16_t key_id;
};
#pragma pack(pop)
static_assert(sizeof(dataset_record) == DATASET_FILE_RECORD_SIZE, "dataset_record is one run-list record");

struct key_record {
    uint16_t key_id;
    char extension[KEY_EXTENSION_SIZE];
    char comment[KEY_COMMENT_SIZE];
};
static_assert(sizeof(key_record) == 102, "key_record holds 2 + 6 + 94 bytes");

// Filled by a definition's judging step; judge libraries receive its address.
struct judgement_record {
    uint16_t definition_id;
    uint16_t zero;
    uint32_t result_a;
    uint32_t result_b;
    uint32_t reserved;
};
static_assert(sizeof(judgement_record) == 16, "judgement_record is 16 bytes");
static_assert(offsetof(judgement_record, result_a) == 4, "result_a at 4");
static_assert(offsetof(judgement_record, result_b) == 8, "result_b at 8");
