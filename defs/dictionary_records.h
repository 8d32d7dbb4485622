// The in-memory record a dictionary file's 150-byte header is loaded into. Only record_count is used by
// the rest of the program; the other fields are carried. Plain C++, shared by the loader and the writer.
#pragma once
#include <cstdint>

const int DICTIONARY_CODE_SIZE = 5;   // 4 characters + NUL
const int DICTIONARY_WORD_COUNT = 5;

struct dictionary_info {
    char dictionary_name[31];       // 30 characters + NUL
    uint8_t carried_byte;
    uint8_t record_count;           // (file size - 150) / 3000, kept in 8 bits
    char carried_text[31];
    uint32_t carried_value_a;
    char carried_code[DICTIONARY_CODE_SIZE];
    uint32_t carried_value_b;
    uint16_t carried_words[DICTIONARY_WORD_COUNT];
    uint32_t carried_value_c;
    uint32_t carried_value_d;
};
