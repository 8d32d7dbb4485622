// Sample definitions and record comparisons shared by the definition-file tests.
#include "defs_fixtures.h"
#include <cstdio>
#include <cstring>

float bits_to_float(uint32_t bits)
{
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint32_t float_to_bits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

static void fill_text(char *dst, size_t size, const char *prefix, int number)
{
    std::snprintf(dst, size, "%s%d", prefix, number);
}

// Thirty characters with no terminator room to spare: the field's full width.
static void fill_full_text(char *dst, size_t size, char first)
{
    std::memset(dst, 0, size);
    for (size_t i = 0; i + 1 < size; ++i) dst[i] = static_cast<char>(first + i % 26);
}

static void fill_sample_table(pattern_table *table, int entries, uint16_t seed)
{
    table->count = static_cast<uint8_t>(entries);
    for (int i = 0; i < entries && i < PATTERN_ENTRY_MAX; ++i) {
        table->key_id[i] = static_cast<uint16_t>(seed * 10 + i);
        table->base_score[i] = static_cast<uint8_t>(i == 0 ? 255 : 40 + i);
        table->probe[i] = static_cast<uint8_t>(i % 2);
        std::snprintf(table->signature[i], sizeof table->signature[i], "%c%c%02d", 'P', 'K', i % 100);
        table->origin[i] = static_cast<uint8_t>(i % 3);
        table->offset[i] = (i % 2 ? -1 : 1) * (1000 + i * 7);
        table->found_score[i] = static_cast<uint8_t>(i == 1 ? 125 : 200 - i);
    }
}

static void fill_sample_settings(score_settings *s)
{
    s->enabled = 1;
    s->ext_check = 1;
    s->ext_score = 200;
    s->text_check = 2;
    s->text_score = 125;
    s->size_check = 1;
    s->size_reference = -123456;
    s->size_step = 4096;
    s->size_base_score = 77;
    s->size_step_penalty = 0.25f;
    s->pattern_check = 1;
}

plugin_definition sample_plugin(uint16_t definition_id, int entries, int with_options)
{
    plugin_definition d;
    clear_plugin_definition(&d);
    fill_text(d.header.name, sizeof d.header.name, "plug-in ", definition_id);
    d.header.definition_id = definition_id;
    fill_full_text(d.header.extra_text, sizeof d.header.extra_text, 'A');
    d.header.param_a = 0x11223344u;
    d.header.param_b = 0xFFEEDDCCu;
    d.header.param_c = 0x5A;
    d.header.flags = 6;
    d.header.judge_library_id = 40001;
    d.header.option_mode = 3;
    d.header.option_source = 2;
    d.with_options = with_options;
    option_record &o = d.options;
    o.seek_origin = 2;
    o.seek_offset = -512;
    o.start_column = -3;
    o.start_line = 12;
    o.end_column = 300;
    o.end_line = -1;
    for (int i = 0; i < DEFINITION_TERM_COUNT; ++i) fill_text(o.terms[i], sizeof o.terms[i], "term-", i);
    fill_full_text(o.terms[11], sizeof o.terms[11], 'k');
    for (int i = 0; i < DEFINITION_PARAM_COUNT; ++i) o.params[i] = (i - 2) * 100000;
    for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i) fill_text(o.notes[i], sizeof o.notes[i], "note ", i);
    fill_full_text(o.notes[4], sizeof o.notes[4], 'a');
    fill_sample_settings(&d.settings);
    fill_sample_table(&d.patterns, entries, definition_id);
    return d;
}

option_plugin_definition sample_option_plugin(uint16_t definition_id, int entries)
{
    option_plugin_definition d;
    clear_option_plugin_definition(&d);
    option_record &o = d.options;
    fill_full_text(o.name, sizeof o.name, 'N');
    o.definition_id = definition_id;
    std::snprintf(o.extra_text, sizeof o.extra_text, "option plug-in %u", definition_id);
    o.param_a = float_to_bits(1.5f);
    o.param_b = float_to_bits(-2.25f);
    o.option_mode = 3;
    o.option_source = 12;
    o.seek_origin = 2;
    o.seek_offset = -123456789;
    o.start_column = -12;
    o.start_line = 345;
    o.end_column = 999;
    o.end_line = -99;
    std::snprintf(o.terms[0], sizeof o.terms[0], "a*b+c");
    fill_full_text(o.terms[1], sizeof o.terms[1], 'q');
    for (int i = 2; i < DEFINITION_TERM_COUNT; ++i) std::snprintf(o.terms[i], sizeof o.terms[i], "T%d", i);
    for (int i = 0; i < DEFINITION_PARAM_COUNT; ++i) o.params[i] = (i - 2) * 123456789;
    for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i) std::snprintf(o.notes[i], sizeof o.notes[i], "note-%d", i);
    fill_full_text(o.notes[2], sizeof o.notes[2], 'n');
    d.with_score_settings = 1;
    fill_sample_settings(&d.settings);
    d.settings.text_check = 1;
    d.settings.size_reference = -123456789;
    d.settings.size_step = 2147483647;
    d.settings.size_step_penalty = -0.125f;
    d.with_pattern_table = 1;
    fill_sample_table(&d.patterns, entries, definition_id);
    return d;
}

option_record expected_block_options(const plugin_definition &definition)
{
    option_record o = definition.options;
    std::memcpy(o.name, definition.header.name, sizeof o.name);
    o.name[DEFINITION_NAME_SIZE - 1] = '\0';
    o.definition_id = definition.header.definition_id;
    std::memcpy(o.extra_text, definition.header.extra_text, sizeof o.extra_text);
    o.extra_text[DEFINITION_NAME_SIZE - 1] = '\0';
    o.param_a = definition.header.param_a;
    o.param_b = definition.header.param_b;
    o.option_mode = definition.header.option_mode;
    o.option_source = definition.header.option_source;
    return o;
}

score_settings expected_settings(const score_settings &written)
{
    score_settings s = written;
    s.pattern_score = written.pattern_check == 1 ? 0.0f : 50.0f;
    return s;
}

pattern_table expected_table(const pattern_table &written)
{
    pattern_table t = written;
    if (t.count > PATTERN_ENTRY_MAX) t.count = PATTERN_ENTRY_MAX;
    return t;
}

void expect_same_header(const plugin_header &e, const plugin_header &a)
{
    EXPECT_STREQ(e.name, a.name);
    EXPECT_EQ(e.definition_id, a.definition_id);
    EXPECT_STREQ(e.extra_text, a.extra_text);
    EXPECT_EQ(e.param_a, a.param_a);
    EXPECT_EQ(e.param_b, a.param_b);
    EXPECT_EQ(e.param_c, a.param_c);
    EXPECT_EQ(e.flags, a.flags);
    EXPECT_EQ(e.judge_library_id, a.judge_library_id);
    EXPECT_EQ(e.option_mode, a.option_mode);
    EXPECT_EQ(e.option_source, a.option_source);
}

void expect_same_settings(const score_settings &e, const score_settings &a)
{
    EXPECT_EQ(e.enabled, a.enabled);
    EXPECT_EQ(e.ext_check, a.ext_check);
    EXPECT_EQ(e.ext_score, a.ext_score);
    EXPECT_EQ(e.text_check, a.text_check);
    EXPECT_EQ(e.text_score, a.text_score);
    EXPECT_EQ(e.size_check, a.size_check);
    EXPECT_EQ(e.size_reference, a.size_reference);
    EXPECT_EQ(e.size_step, a.size_step);
    EXPECT_EQ(e.size_base_score, a.size_base_score);
    EXPECT_EQ(float_to_bits(e.size_step_penalty), float_to_bits(a.size_step_penalty));
    EXPECT_EQ(e.pattern_check, a.pattern_check);
    EXPECT_EQ(e.pattern_score, a.pattern_score);
}

void expect_same_table(const pattern_table &e, const pattern_table &a)
{
    ASSERT_EQ(e.count, a.count);
    for (int i = 0; i < e.count; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(e.key_id[i], a.key_id[i]);
        EXPECT_EQ(e.base_score[i], a.base_score[i]);
        EXPECT_EQ(e.probe[i], a.probe[i]);
        EXPECT_STREQ(e.signature[i], a.signature[i]);
        EXPECT_EQ(e.origin[i], a.origin[i]);
        EXPECT_EQ(e.offset[i], a.offset[i]);
        EXPECT_EQ(e.found_score[i], a.found_score[i]);
    }
    for (int i = e.count; i < PATTERN_ENTRY_MAX; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(0, a.key_id[i] | a.base_score[i] | a.probe[i] | a.signature[i][0] | a.origin[i] |
                         a.offset[i] | a.found_score[i]);
    }
}

void expect_same_options(const option_record &e, const option_record &a)
{
    EXPECT_STREQ(e.name, a.name);
    EXPECT_EQ(e.definition_id, a.definition_id);
    EXPECT_STREQ(e.extra_text, a.extra_text);
    EXPECT_EQ(e.param_a, a.param_a);
    EXPECT_EQ(e.param_b, a.param_b);
    EXPECT_EQ(e.option_mode, a.option_mode);
    EXPECT_EQ(e.option_source, a.option_source);
    EXPECT_EQ(e.seek_origin, a.seek_origin);
    EXPECT_EQ(e.seek_offset, a.seek_offset);
    EXPECT_EQ(e.start_column, a.start_column);
    EXPECT_EQ(e.start_line, a.start_line);
    EXPECT_EQ(e.end_column, a.end_column);
    EXPECT_EQ(e.end_line, a.end_line);
    for (int i = 0; i < DEFINITION_TERM_COUNT; ++i) EXPECT_STREQ(e.terms[i], a.terms[i]) << "term " << i;
    for (int i = 0; i < DEFINITION_PARAM_COUNT; ++i) EXPECT_EQ(e.params[i], a.params[i]) << "param " << i;
    for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i) EXPECT_STREQ(e.notes[i], a.notes[i]) << "note " << i;
}
