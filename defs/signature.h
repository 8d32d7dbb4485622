// The 8-byte signature (result_a, result_b) that a definition's option record reduces a target file to:
// a region of lines, a run of bytes, a term expression or a constant.
#pragma once
#include "definition_records.h"
#include "dataset_records.h"
#include <windows.h>
#include <cstdint>

// option_mode / option_source pairs.
const uint8_t SIGNATURE_MODE_REGION = 0;      // source 0 text lines, 1 binary lines, 2 run of bytes
const uint8_t SIGNATURE_MODE_TERMS = 1;       // source 0
const uint8_t SIGNATURE_MODE_CONSTANT = 99;   // the letter c; source 0
const uint8_t SIGNATURE_SOURCE_TEXT_LINES = 0;
const uint8_t SIGNATURE_SOURCE_BINARY_LINES = 1;
const uint8_t SIGNATURE_SOURCE_BYTES = 2;

// A term buffer larger than this is memory the program does not obtain: the computation fails.
const int32_t SIGNATURE_TERM_BUFFER_LIMIT = 64 * 1024 * 1024;

// Clears result, computes the signature of target_path and, on success, stores the definition's id; 1 or 0.
// options is a private copy. With options_given 0 the option record is first read from definition_path
// (a text option plug-in).
int compute_signature(HWND window, const char *target_path, const char *definition_path, option_record options,
                      judgement_record *result, int options_given);

// 1 when the byte c (with w = previous byte * 256 + c, or c alone at the start of a line or block) belongs to
// character class 0..9 of the option record.
int byte_in_class(int character_class, unsigned char c, unsigned w);
