// The result of one identification: the target, the three best candidates with their scores in lpts and
// the first candidate's comment, with the marks "None", "???", "---" and "read error".
#pragma once
#include "bounded_text.h"
#include "dataset_records.h"
#include <cstdint>

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
    // Whether the run got the target open: 1 it read it, 0 no open succeeded, -1 no reader needed its bytes.
    int target_opened;
};
