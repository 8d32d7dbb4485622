// The dataset compiler's model of the readable sources: readers (the definitions, in run order) and types
// (one key record each, with the reader values that make them candidates and how each is scored).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Where a source statement came from, for messages in the form file:line.
struct source_place {
    std::string file;
    int line;
};

const int READER_BYTES = 0;     // run of bytes folded into the 8-byte value
const int READER_TERMS = 1;     // term expression over the first bytes
const int READER_JUDGE = 2;     // a judge extension library
const int READER_CONSTANT = 3;  // every file gets the same value

struct reader_source {
    source_place place;
    std::string name;
    int definition_id;
    int kind;
    int origin;                 // 0 from the start, 2 from the end
    int offset;                 // seek_offset
    int count;                  // bytes: bytes folded; terms: bytes read
    int case_retry;             // terms: 1 = retry with letter case swapped
    std::string expression;     // terms
    std::string terms[10];      // terms a..j, as bytes
    int library_id;             // judge
    int judge_mode;             // judge: the library's switch (option_mode)
    int text_check;             // 1: text_score applies when the first 50 bytes read as text
    int text_score;
};

// How one match is scored: the final lpts with the probe found and missing (the two are equal without a
// probe); certain means found (or no probe) ends the run at 100.
struct match_score {
    int certain;
    double found;               // final lpts wanted when the probe is found (or always, without a probe)
    double missing;             // final lpts wanted when the probe is missing
    int has_probe;
    std::string probe;          // 1 to 4 bytes, none of them zero
    int probe_origin;           // 0 start, 2 end
    int probe_offset;
    int base_byte;              // resolved: the pattern entry's base_score
    int found_byte;             // resolved: its found_score
};

struct match_source {
    source_place place;
    std::string reader;
    std::string value_text;     // as written, for messages
    std::vector<unsigned char> value;  // bytes readers
    uint32_t expect_a;
    uint32_t expect_b;
    match_score score;
    int reader_index;           // resolved
};

struct type_source {
    source_place place;
    int key_id;
    std::string extension;      // upper case, at most 5 bytes
    std::string comment;        // UTF-8 as written
    std::string comment_cp932;  // converted
    std::vector<match_source> matches;
    std::vector<std::string> within;  // extensions of the generic types this one is a special case of
    int common;                 // 1: a frequent candidate, its key record goes to the front of the key file
};

struct dataset_source {
    std::string name;
    source_place name_place;
    std::vector<reader_source> readers;  // in declaration order = run order
    std::vector<type_source> types;      // in source order (files by name, lines in order)
};

// One problem found, already formatted as "file:line: text".
struct source_errors {
    std::vector<std::string> messages;
};

void add_error(source_errors *errors, const source_place &place, const std::string &text);
