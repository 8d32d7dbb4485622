// The identification engine's shared records: the dataset index records, the judgement record and the
// result of the last identification. Sizes and offsets are checked on both builds.
#pragma once
#include <cstddef>
#include <cstdint>

const int PATH_SIZE = 260;              // every path buffer; a path of 260 bytes or more is refused
const int KEY_EXTENSION_SIZE = 6;       // 5 characters + NUL
const int KEY_COMMENT_SIZE = 94;        // 93 characters + NUL
const int DATASET_RECORD_BYTES = 12;    // record size in the .dat file
const int KEY_RECORD_BYTES = 100;       // record size in the .key file

#pragma pack(push, 1)
struct dataset_record {
    uint16_t definition_id;
    uint32_t expect_a;
    uint32_t expect_b;
    uint16_t key_id;
};
#pragma pack(pop)
static_assert(sizeof(dataset_record) == 12, "dataset_record is 12 bytes");

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

const int RESULT_EXTENSION_SIZE = 10;
const int RESULT_THIRD_EXTENSION_SIZE = 11;
const int RESULT_COMMENT_SIZE = 152;    // up to 151 characters + NUL

struct identification_result {
    char target[PATH_SIZE];
    char first_extension[RESULT_EXTENSION_SIZE];
    char second_extension[RESULT_EXTENSION_SIZE];
    char third_extension[RESULT_THIRD_EXTENSION_SIZE];
    float first_score;
    float second_score;
    float third_score;
    char first_comment[RESULT_COMMENT_SIZE];
};

// The outcome of the last identification, read by the windows, the dialog and the rename.
extern identification_result g_identification_result;
// 1 after an identification whose first candidate is a real extension different from the file's own.
extern int32_t g_rename_possible;
