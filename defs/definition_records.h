// The in-memory records that definition files are loaded into: plug-in header, score settings,
// pattern table and option record. The plug-in header crosses into judge libraries, so its layout is fixed
// and checked on both builds.
#pragma once
#include <cstddef>
#include <cstdint>

const int DEFINITION_NAME_SIZE = 31;   // 30 characters + NUL
const int DEFINITION_TERM_SIZE = 21;   // 20 characters + NUL
const int DEFINITION_TERM_COUNT = 12;
const int DEFINITION_PARAM_COUNT = 5;
const int DEFINITION_NOTE_COUNT = 5;
const int PATTERN_ENTRY_MAX = 50;

// Flag values of plugin_header.flags
const uint8_t DEFINITION_FLAG_JUDGE_LIBRARY = 1;
const uint8_t DEFINITION_FLAG_SIGNATURE = 2;
const uint8_t DEFINITION_FLAG_JUDGE_ALLOWED = 4;

struct plugin_header {
    char name[DEFINITION_NAME_SIZE];
    uint16_t definition_id;
    char extra_text[DEFINITION_NAME_SIZE];
    uint32_t param_a;
    uint32_t param_b;
    uint8_t param_c;
    uint8_t flags;
    uint16_t judge_library_id;
    uint8_t option_mode;
    uint8_t option_source;
    uint8_t reserved[6];  // pads the record to the 88 bytes judge libraries receive
};
static_assert(sizeof(plugin_header) == 88, "plugin_header is 88 bytes");
static_assert(offsetof(plugin_header, definition_id) == 32, "definition_id at 32");
static_assert(offsetof(plugin_header, extra_text) == 34, "extra_text at 34");
static_assert(offsetof(plugin_header, param_a) == 68, "param_a at 68");
static_assert(offsetof(plugin_header, param_c) == 76, "param_c at 76");
static_assert(offsetof(plugin_header, flags) == 77, "flags at 77");
static_assert(offsetof(plugin_header, judge_library_id) == 78, "judge_library_id at 78");
static_assert(offsetof(plugin_header, option_mode) == 80, "option_mode at 80");
static_assert(offsetof(plugin_header, option_source) == 81, "option_source at 81");

struct score_settings {
    uint8_t enabled;
    uint8_t ext_check;
    uint8_t ext_score;
    uint8_t text_check;
    uint8_t text_score;
    uint8_t size_check;
    int32_t size_reference;
    int32_t size_step;
    uint8_t size_base_score;
    float size_step_penalty;
    uint8_t pattern_check;
    float pattern_score;
};
static_assert(sizeof(score_settings) == 32, "score_settings is 32 bytes");
static_assert(offsetof(score_settings, size_reference) == 8, "size_reference at 8");
static_assert(offsetof(score_settings, size_step_penalty) == 20, "size_step_penalty at 20");
static_assert(offsetof(score_settings, pattern_score) == 28, "pattern_score at 28");

struct pattern_table {
    uint8_t count;
    uint16_t key_id[PATTERN_ENTRY_MAX];
    uint8_t base_score[PATTERN_ENTRY_MAX];
    uint8_t probe[PATTERN_ENTRY_MAX];
    char signature[PATTERN_ENTRY_MAX][5];
    uint8_t origin[PATTERN_ENTRY_MAX];
    int32_t offset[PATTERN_ENTRY_MAX];
    uint8_t found_score[PATTERN_ENTRY_MAX];
};

struct option_record {
    char name[DEFINITION_NAME_SIZE];
    uint16_t definition_id;
    char extra_text[DEFINITION_NAME_SIZE];
    uint32_t param_a;  // binary form: the header's bits; text form: a single float's bits
    uint32_t param_b;
    uint8_t option_mode;
    uint8_t option_source;
    uint8_t seek_origin;
    int32_t seek_offset;
    int16_t start_column;
    int16_t start_line;
    int16_t end_column;
    int16_t end_line;
    char terms[DEFINITION_TERM_COUNT][DEFINITION_TERM_SIZE];
    int32_t params[DEFINITION_PARAM_COUNT];
    char notes[DEFINITION_NOTE_COUNT][DEFINITION_NAME_SIZE];
};
static_assert(sizeof(option_record) == 520, "option_record is 520 bytes");
static_assert(offsetof(option_record, definition_id) == 32, "option definition_id at 32");
static_assert(offsetof(option_record, seek_offset) == 80, "seek_offset at 80");
static_assert(offsetof(option_record, terms) == 92, "terms at 92");
static_assert(offsetof(option_record, params) == 344, "params at 344");
static_assert(offsetof(option_record, notes) == 364, "notes at 364");
