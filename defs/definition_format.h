// Byte layout of the definition files: plug-in records (.plg, and the records of a .dic), the dictionary
// header, and the text option plug-in (.opg) line table. Shared by the loaders and the writers; plain C++.
#pragma once
#include <cstdint>

// Magics, six letters each, compared exactly.
const int DEFINITION_MAGIC_SIZE = 6;
const char PLUGIN_MAGIC[] = "KRVPLG";
const char OPTION_MAGIC[] = "KRVOPG";
const char DICTIONARY_MAGIC[] = "KRVDIC";

// Plug-in record: 3000 bytes; alone at offset 0 of a .plg, or record n of a .dic at n * 3000 - 2850.
const int PLUGIN_RECORD_SIZE = 3000;
const int PLUGIN_NAME_OFFSET = 6;            // 30 bytes
const int PLUGIN_ID_OFFSET = 36;             // 2
const int PLUGIN_EXTRA_TEXT_OFFSET = 38;     // 30
const int PLUGIN_PARAM_A_OFFSET = 68;        // 4
const int PLUGIN_PARAM_B_OFFSET = 72;        // 4
const int PLUGIN_PARAM_C_OFFSET = 76;        // 1
const int PLUGIN_FLAGS_OFFSET = 77;          // 1
const int PLUGIN_JUDGE_ID_OFFSET = 78;       // 2
const int PLUGIN_OPTION_MODE_OFFSET = 80;    // 1
const int PLUGIN_OPTION_SOURCE_OFFSET = 81;  // 1
const int PLUGIN_HEADER_END = 82;
const int PLUGIN_TEXT_FIELD_SIZE = 30;

// Option block inside a plug-in record.
const int OPTION_BLOCK_OFFSET = 108;         // magic "KRVOPG"
const int OPTION_SEEK_ORIGIN_OFFSET = 114;   // 1
const int OPTION_SEEK_OFFSET_OFFSET = 115;   // 4
const int OPTION_REGION_OFFSET = 119;        // start_column, start_line, end_column, end_line: 2 each
const int OPTION_TERMS_OFFSET = 127;         // 12 x 20
const int OPTION_TERM_FIELD_SIZE = 20;
const int OPTION_PARAMS_OFFSET = 367;        // 5 x 4
const int OPTION_NOTES_OFFSET = 387;         // 5 x 30
const int OPTION_NOTE_FIELD_SIZE = 30;
const int OPTION_BLOCK_END = 537;

// Score settings: 20 bytes at 2110, in field order (bytes, then two 32-bit sizes, a byte, a float, a byte).
const int SCORE_SETTINGS_OFFSET = 2110;
const int SCORE_SETTINGS_FILE_SIZE = 20;

// Pattern table: up to 50 entries of 14 bytes at 2220, ended by "END" in place of an entry.
const int PATTERN_TABLE_OFFSET = 2220;
const int PATTERN_ENTRY_FILE_SIZE = 14;
const char PATTERN_END_MARK[] = "END";
const int PATTERN_SIGNATURE_SIZE = 4;

// Dictionary file: 150-byte header, then plug-in records numbered from 1.
const int DICTIONARY_HEADER_SIZE = 150;
const int DICTIONARY_NAME_OFFSET = 6;        // 30
const int DICTIONARY_BYTE_OFFSET = 36;       // 1
const int DICTIONARY_TEXT_OFFSET = 37;       // 30
const int DICTIONARY_VALUE_A_OFFSET = 67;    // 4
const int DICTIONARY_CODE_OFFSET = 71;       // 4
const int DICTIONARY_VALUE_B_OFFSET = 75;    // 4
const int DICTIONARY_WORDS_OFFSET = 79;      // 5 x 2
const int DICTIONARY_VALUE_C_OFFSET = 89;    // 4
const int DICTIONARY_VALUE_D_OFFSET = 93;    // 4
const int DICTIONARY_HEADER_END = 97;

// Dataset index files: the run list (.dat, 12-byte records) and the candidate table (.key, 100-byte records).
// A key record: key_id (2 bytes), the extension (5 bytes) and the comment (93 bytes), unterminated.
const int DATASET_FILE_RECORD_SIZE = 12;
const int KEY_FILE_RECORD_SIZE = 100;
const int KEY_FILE_EXTENSION_SIZE = 5;
const int KEY_FILE_COMMENT_SIZE = 93;
static_assert(2 + KEY_FILE_EXTENSION_SIZE + KEY_FILE_COMMENT_SIZE == KEY_FILE_RECORD_SIZE, "key record fields");

// Score bytes of the definitions: 255 makes a score 100 at once, 125 makes it 0; every other byte is a
// score on the lpts scale.
const uint8_t SCORE_CERTAIN = 255;
const uint8_t SCORE_EXCLUDED = 125;

// Text option plug-in (.opg).
const char OPTION_SCORE_MARKER[] = "/bhals/";
const char OPTION_PATTERN_MARKER[] = "/ulky/";
const char OPTION_PATTERN_END_LINE[] = ":---end----:";
const int OPTION_SCORE_MARKER_WORDS = 70;    // the marker must be one of the first 70 words after the magic
const int OPTION_PATTERN_MARKER_WORDS = 100;
const int OPTION_WORD_SIZE = 100;            // label words of up to 99 characters
const int OPTION_TEXT_ID_MAX = 4095;

// A fixed line: `width` characters, the value in columns first..last (0-based).
struct fixed_line_layout {
    int width;
    int first;
    int last;
};

// A variable line: `prefix` label characters, up to `length` value characters, two closing characters,
// the line end. It is read as at most prefix + length + 3 characters.
struct variable_line_layout {
    int prefix;
    int length;
};

// Option section, in file order after the magic line.
const variable_line_layout OPG_NAME = {6, 30};
const fixed_line_layout OPG_DEFINITION_ID = {12, 7, 10};
const variable_line_layout OPG_EXTRA_TEXT = {8, 30};
const fixed_line_layout OPG_PARAM_A = {10, 4, 8};           // decimal fraction
const fixed_line_layout OPG_PARAM_B = {15, 9, 13};          // decimal fraction
const fixed_line_layout OPG_OPTION_MODE = {10, 4, 5};       // same line as option_source
const fixed_line_layout OPG_OPTION_SOURCE = {10, 7, 8};
const int OPG_WORDS_BEFORE_SEEK = 5;
const fixed_line_layout OPG_SEEK_ORIGIN = {9, 7, 7};
const fixed_line_layout OPG_SEEK_OFFSET = {17, 5, 16};
const int OPG_WORDS_BEFORE_START = 3;
const fixed_line_layout OPG_START_COLUMN = {7, 3, 5};
const fixed_line_layout OPG_START_LINE = {7, 3, 5};
const int OPG_WORDS_BEFORE_END = 1;
const fixed_line_layout OPG_END_COLUMN = {7, 3, 5};
const fixed_line_layout OPG_END_LINE = {7, 3, 5};
const int OPG_WORDS_BEFORE_EXPRESSION = 1;
const variable_line_layout OPG_TERM = {3, 20};              // terms[0], terms[1]; then terms[2..11]
const int OPG_WORDS_BEFORE_NAMED_TERMS = 1;
const int OPG_WORDS_BEFORE_PARAMS = 6;
const fixed_line_layout OPG_PARAM = {17, 5, 15};            // params[0..4]
const int OPG_WORDS_BEFORE_NOTES = 1;
const variable_line_layout OPG_NOTE = {7, 30};              // notes[0..4]

// Score settings section, after the line that holds "/bhals/".
const fixed_line_layout OPG_ENABLED = {9, 7, 7};
const int OPG_WORDS_AFTER_ENABLED = 4;
const fixed_line_layout OPG_EXT_CHECK = {7, 5, 5};
const fixed_line_layout OPG_EXT_SCORE = {10, 6, 8};
const fixed_line_layout OPG_TEXT_CHECK = {7, 5, 5};
const fixed_line_layout OPG_TEXT_SCORE = {10, 6, 8};
const fixed_line_layout OPG_SIZE_CHECK = {7, 5, 5};
const fixed_line_layout OPG_SIZE_REFERENCE = {17, 6, 15};
const fixed_line_layout OPG_SIZE_STEP = {18, 6, 16};
const fixed_line_layout OPG_SIZE_BASE_SCORE = {10, 6, 8};
const fixed_line_layout OPG_SIZE_STEP_PENALTY = {14, 6, 12};  // decimal fraction
const fixed_line_layout OPG_PATTERN_CHECK = {9, 7, 7};

// Pattern table section, after the line that holds "/ulky/": groups of seven lines per entry.
const fixed_line_layout OPG_KEY_ID = {12, 6, 10};
const fixed_line_layout OPG_BASE_SCORE = {12, 8, 10};
const fixed_line_layout OPG_PROBE = {9, 7, 7};
const variable_line_layout OPG_SIGNATURE = {7, 4};
const fixed_line_layout OPG_ORIGIN = {9, 7, 7};
const fixed_line_layout OPG_OFFSET = {19, 7, 17};
const fixed_line_layout OPG_FOUND_SCORE = {12, 8, 10};
