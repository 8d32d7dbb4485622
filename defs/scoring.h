// How well a target file fits a candidate, in lpts (100 certain, 0 excluded, 50 no evidence): the pattern
// probes of a definition and the attribute score from extension, text-ness and size.
#pragma once
#include "definition_format.h"
#include "definition_records.h"
#include <windows.h>
#include <cstdint>

// Bytes of the target that a probe and the text test look at.
const int PROBE_WINDOW_BYTES = 50;

// Plug-in record (a *.plg, or record n of a *.dic with mode 1): loads the score settings and, when the
// definition checks patterns, evaluates its table into settings->pattern_score. 0 when a loader failed.
int evaluate_plugin(HWND window, const char *definition_path, const char *target_path, uint16_t key,
                    score_settings *settings, int n, int mode);
// The same for a text option plug-in (*.opg).
int evaluate_option_plugin(HWND window, const char *definition_path, const char *target_path, uint16_t key,
                           score_settings *settings);
// Pattern score of the first table entry for key; always 1.
int evaluate_patterns(HWND window, const char *target_path, uint16_t key, const pattern_table *table,
                      float *score_out);
// Final lpts of a candidate; 0 when the target cannot be opened for a check or its path is too long.
int score_attributes(HWND window, const char *target_path, const char *candidate_ext, float *score_out,
                     score_settings settings);

// Number of the count bytes that read as Shift-JIS text, walked in aligned pairs.
int count_text_bytes(const unsigned char *bytes, int count);
// 1 when every one of the count bytes reads as text (an empty sample does).
int looks_like_text(const unsigned char *bytes, int count);
