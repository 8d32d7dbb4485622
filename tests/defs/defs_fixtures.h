// Sample definitions for the definition-file tests, and field-by-field comparisons of loaded records.
#pragma once
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "definition_writer.h"

// A plug-in whose every field holds a distinct value (texts of full length, negative numbers, entries
// of the pattern table up to entries), with the option block when with_options.
plugin_definition sample_plugin(uint16_t definition_id, int entries, int with_options);
// A text option plug-in with every section and distinct values that fit their columns.
option_plugin_definition sample_option_plugin(uint16_t definition_id, int entries);

// The option record read_plugin_options should produce for a plug-in definition.
option_record expected_block_options(const plugin_definition &definition);
// score_settings as the loaders leave it: pattern_score from pattern_check.
score_settings expected_settings(const score_settings &written);
// The table as written: at most 50 entries.
pattern_table expected_table(const pattern_table &written);

void expect_same_header(const plugin_header &expected, const plugin_header &actual);
void expect_same_settings(const score_settings &expected, const score_settings &actual);
void expect_same_table(const pattern_table &expected, const pattern_table &actual);
void expect_same_options(const option_record &expected, const option_record &actual);

// 1 when every byte of the record is zero.
template <typename T> int all_zero(const T &record)
{
    const unsigned char *bytes = reinterpret_cast<const unsigned char *>(&record);
    for (size_t i = 0; i < sizeof record; ++i)
        if (bytes[i] != 0) return 0;
    return 1;
}

// Float from its bits and back.
float bits_to_float(uint32_t bits);
uint32_t float_to_bits(float value);
