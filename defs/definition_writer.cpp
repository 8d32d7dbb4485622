// Writers of the definition files (plug-in records, dictionaries, text option plug-ins) and the dataset
// index files, byte for byte in the layouts the loaders read. Plain standard C++.
#include "definition_writer.h"
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include "byte_order.h"
#include "definition_format.h"

void clear_plugin_definition(plugin_definition *definition)
{
    std::memset(definition, 0, sizeof *definition);
    definition->end_mark = 1;
}

void clear_option_plugin_definition(option_plugin_definition *definition)
{
    std::memset(definition, 0, sizeof *definition);
    definition->end_line = 1;
}

static void put_u8(std::vector<unsigned char> &bytes, size_t at, uint32_t value)
{
    bytes[at] = static_cast<unsigned char>(value & 0xFF);
}

static void put_u16(std::vector<unsigned char> &bytes, size_t at, uint32_t value)
{
    write_le16(bytes.data() + at, value);
}

static void put_u32(std::vector<unsigned char> &bytes, size_t at, uint32_t value)
{
    write_le32(bytes.data() + at, value);
}

static uint32_t float_bits(float value)
{
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

// A text field of `field` bytes, NUL-padded; the text is cut at its terminator, its array or the field.
static void put_text(std::vector<unsigned char> &bytes, size_t at, size_t field, const char *text, size_t array)
{
    size_t length = 0;
    while (length < field && length < array && text[length] != '\0') ++length;
    std::memcpy(bytes.data() + at, text, length);
}

template <size_t N>
static void put_text(std::vector<unsigned char> &bytes, size_t at, size_t field, const char (&text)[N])
{
    put_text(bytes, at, field, text, N);
}

static void put_plugin_header(std::vector<unsigned char> &bytes, const plugin_header &header)
{
    std::memcpy(bytes.data(), PLUGIN_MAGIC, DEFINITION_MAGIC_SIZE);
    put_text(bytes, PLUGIN_NAME_OFFSET, PLUGIN_TEXT_FIELD_SIZE, header.name);
    put_u16(bytes, PLUGIN_ID_OFFSET, header.definition_id);
    put_text(bytes, PLUGIN_EXTRA_TEXT_OFFSET, PLUGIN_TEXT_FIELD_SIZE, header.extra_text);
    put_u32(bytes, PLUGIN_PARAM_A_OFFSET, header.param_a);
    put_u32(bytes, PLUGIN_PARAM_B_OFFSET, header.param_b);
    put_u8(bytes, PLUGIN_PARAM_C_OFFSET, header.param_c);
    put_u8(bytes, PLUGIN_FLAGS_OFFSET, header.flags);
    put_u16(bytes, PLUGIN_JUDGE_ID_OFFSET, header.judge_library_id);
    put_u8(bytes, PLUGIN_OPTION_MODE_OFFSET, header.option_mode);
    put_u8(bytes, PLUGIN_OPTION_SOURCE_OFFSET, header.option_source);
}

static void put_option_block(std::vector<unsigned char> &bytes, const option_record &options)
{
    std::memcpy(bytes.data() + OPTION_BLOCK_OFFSET, OPTION_MAGIC, DEFINITION_MAGIC_SIZE);
    put_u8(bytes, OPTION_SEEK_ORIGIN_OFFSET, options.seek_origin);
    put_u32(bytes, OPTION_SEEK_OFFSET_OFFSET, static_cast<uint32_t>(options.seek_offset));
    put_u16(bytes, OPTION_REGION_OFFSET, static_cast<uint16_t>(options.start_column));
    put_u16(bytes, OPTION_REGION_OFFSET + 2, static_cast<uint16_t>(options.start_line));
    put_u16(bytes, OPTION_REGION_OFFSET + 4, static_cast<uint16_t>(options.end_column));
    put_u16(bytes, OPTION_REGION_OFFSET + 6, static_cast<uint16_t>(options.end_line));
    for (int i = 0; i < DEFINITION_TERM_COUNT; ++i)
        put_text(bytes, OPTION_TERMS_OFFSET + i * OPTION_TERM_FIELD_SIZE, OPTION_TERM_FIELD_SIZE, options.terms[i]);
    for (int i = 0; i < DEFINITION_PARAM_COUNT; ++i)
        put_u32(bytes, OPTION_PARAMS_OFFSET + 4 * i, static_cast<uint32_t>(options.params[i]));
    for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i)
        put_text(bytes, OPTION_NOTES_OFFSET + i * OPTION_NOTE_FIELD_SIZE, OPTION_NOTE_FIELD_SIZE, options.notes[i]);
}

static void put_score_settings(std::vector<unsigned char> &bytes, const score_settings &settings)
{
    const size_t at = SCORE_SETTINGS_OFFSET;
    put_u8(bytes, at + 0, settings.enabled);
    put_u8(bytes, at + 1, settings.ext_check);
    put_u8(bytes, at + 2, settings.ext_score);
    put_u8(bytes, at + 3, settings.text_check);
    put_u8(bytes, at + 4, settings.text_score);
    put_u8(bytes, at + 5, settings.size_check);
    put_u32(bytes, at + 6, static_cast<uint32_t>(settings.size_reference));
    put_u32(bytes, at + 10, static_cast<uint32_t>(settings.size_step));
    put_u8(bytes, at + 14, settings.size_base_score);
    put_u32(bytes, at + 15, float_bits(settings.size_step_penalty));
    put_u8(bytes, at + 19, settings.pattern_check);
}

static void put_pattern_table(std::vector<unsigned char> &bytes, const pattern_table &table, int end_mark)
{
    int count = table.count > PATTERN_ENTRY_MAX ? PATTERN_ENTRY_MAX : table.count;
    for (int i = 0; i < count; ++i) {
        size_t at = PATTERN_TABLE_OFFSET + static_cast<size_t>(i) * PATTERN_ENTRY_FILE_SIZE;
        put_u16(bytes, at, table.key_id[i]);
        put_u8(bytes, at + 2, table.base_score[i]);
        put_u8(bytes, at + 3, table.probe[i]);
        put_text(bytes, at + 4, PATTERN_SIGNATURE_SIZE, table.signature[i]);
        put_u8(bytes, at + 8, table.origin[i]);
        put_u32(bytes, at + 9, static_cast<uint32_t>(table.offset[i]));
        put_u8(bytes, at + 13, table.found_score[i]);
    }
    if (end_mark)
        std::memcpy(bytes.data() + PATTERN_TABLE_OFFSET + count * PATTERN_ENTRY_FILE_SIZE, PATTERN_END_MARK, 3);
}

std::vector<unsigned char> make_plugin_record(const plugin_definition &definition)
{
    std::vector<unsigned char> bytes(PLUGIN_RECORD_SIZE, 0);
    put_plugin_header(bytes, definition.header);
    if (definition.with_options) put_option_block(bytes, definition.options);
    put_score_settings(bytes, definition.settings);
    put_pattern_table(bytes, definition.patterns, definition.end_mark);
    return bytes;
}

std::vector<unsigned char> make_plugin_file(const plugin_definition &definition)
{
    return make_plugin_record(definition);
}

std::vector<unsigned char> make_dictionary_file(const dictionary_info &info,
                                                const std::vector<plugin_definition> &records)
{
    std::vector<unsigned char> bytes(DICTIONARY_HEADER_SIZE, 0);
    std::memcpy(bytes.data(), DICTIONARY_MAGIC, DEFINITION_MAGIC_SIZE);
    put_text(bytes, DICTIONARY_NAME_OFFSET, PLUGIN_TEXT_FIELD_SIZE, info.dictionary_name);
    put_u8(bytes, DICTIONARY_BYTE_OFFSET, info.carried_byte);
    put_text(bytes, DICTIONARY_TEXT_OFFSET, PLUGIN_TEXT_FIELD_SIZE, info.carried_text);
    put_u32(bytes, DICTIONARY_VALUE_A_OFFSET, info.carried_value_a);
    put_text(bytes, DICTIONARY_CODE_OFFSET, DICTIONARY_CODE_SIZE - 1, info.carried_code);
    put_u32(bytes, DICTIONARY_VALUE_B_OFFSET, info.carried_value_b);
    for (int i = 0; i < DICTIONARY_WORD_COUNT; ++i)
        put_u16(bytes, DICTIONARY_WORDS_OFFSET + 2 * i, info.carried_words[i]);
    put_u32(bytes, DICTIONARY_VALUE_C_OFFSET, info.carried_value_c);
    put_u32(bytes, DICTIONARY_VALUE_D_OFFSET, info.carried_value_d);
    bytes.reserve(bytes.size() + records.size() * PLUGIN_RECORD_SIZE);
    for (const plugin_definition &record : records) {
        std::vector<unsigned char> one = make_plugin_record(record);
        bytes.insert(bytes.end(), one.begin(), one.end());
    }
    return bytes;
}

// ---- Text option plug-in ----

// Lines under construction; `ok` drops to 0 when a value does not fit.
struct option_text_lines {
    std::vector<std::string> *lines;
    int ok;
};

// value as exactly `width` characters, zero-padded after its sign.
static int fit_integer(long long value, int width, std::string *out)
{
    char digits[32];
    unsigned long long magnitude = value < 0 ? 0ULL - static_cast<unsigned long long>(value)
                                             : static_cast<unsigned long long>(value);
    std::snprintf(digits, sizeof digits, "%llu", magnitude);
    int length = static_cast<int>(std::strlen(digits)) + (value < 0 ? 1 : 0);
    if (length > width) return 0;
    *out = std::string(value < 0 ? "-" : "") + std::string(static_cast<size_t>(width - length), '0') + digits;
    return 1;
}

// value with as many decimals as fit in `width` characters, zero-padded after its sign.
static int fit_fraction(double value, int width, std::string *out)
{
    if (!std::isfinite(value)) return 0;
    char text[400];
    for (int decimals = width; decimals >= 0; --decimals) {
        std::snprintf(text, sizeof text, "%.*f", decimals, value);
        int length = static_cast<int>(std::strlen(text));
        if (length > width) continue;
        std::string body = text;
        std::string sign = body[0] == '-' ? "-" : "";
        if (!sign.empty()) body.erase(0, 1);
        *out = sign + std::string(static_cast<size_t>(width - length), '0') + body;
        return 1;
    }
    return 0;
}

// A fixed line drawn as `pattern` (its '#' columns are the value's columns, per layout).
static void add_fixed_text(option_text_lines *text, const char *pattern, const fixed_line_layout &layout,
                           const std::string &value)
{
    std::string line = pattern;
    int columns = layout.last - layout.first + 1;
    if (static_cast<int>(line.size()) != layout.width || static_cast<int>(value.size()) != columns) {
        text->ok = 0;
        return;
    }
    line.replace(static_cast<size_t>(layout.first), static_cast<size_t>(columns), value);
    text->lines->push_back(line);
}

static void add_integer_line(option_text_lines *text, const char *pattern, const fixed_line_layout &layout,
                             long long value)
{
    std::string digits;
    if (!fit_integer(value, layout.last - layout.first + 1, &digits)) text->ok = 0;
    else add_fixed_text(text, pattern, layout, digits);
}

static void add_fraction_line(option_text_lines *text, const char *pattern, const fixed_line_layout &layout,
                              float value)
{
    std::string digits;
    if (!fit_fraction(value, layout.last - layout.first + 1, &digits)) text->ok = 0;
    else add_fixed_text(text, pattern, layout, digits);
}

// A variable line: prefix, the value (cut at its field), the two closing characters '";'.
static void add_variable_line(option_text_lines *text, const char *prefix, const variable_line_layout &layout,
                              const char *value, size_t array)
{
    size_t length = 0;
    while (length < array && length < static_cast<size_t>(layout.length) && value[length] != '\0') ++length;
    std::string field(value, length);
    if (static_cast<int>(std::strlen(prefix)) != layout.prefix || field.find('\n') != std::string::npos) {
        text->ok = 0;
        return;
    }
    text->lines->push_back(std::string(prefix) + field + "\";");
}

static void add_option_section(option_text_lines *text, const option_record &o)
{
    float param_a, param_b;
    std::memcpy(&param_a, &o.param_a, sizeof param_a);
    std::memcpy(&param_b, &o.param_b, sizeof param_b);
    text->lines->push_back(OPTION_MAGIC);
    add_variable_line(text, "NAME:\"", OPG_NAME, o.name, sizeof o.name);
    add_integer_line(text, "DEF_ID:####;", OPG_DEFINITION_ID, o.definition_id);
    add_variable_line(text, "EXTEXT:\"", OPG_EXTRA_TEXT, o.extra_text, sizeof o.extra_text);
    add_fraction_line(text, "PA:=#####;", OPG_PARAM_A, param_a);
    add_fraction_line(text, "PARAM_B:=#####;", OPG_PARAM_B, param_b);
    std::string mode, source;
    if (!fit_integer(o.option_mode, 2, &mode) || !fit_integer(o.option_source, 2, &source)) text->ok = 0;
    else text->lines->push_back("MOD:" + mode + "/" + source + ";");
    text->lines->push_back("#target #positioning #origin #and #offset");
    add_integer_line(text, "ORIGIN:#;", OPG_SEEK_ORIGIN, o.seek_origin);
    add_integer_line(text, "SEEK:############", OPG_SEEK_OFFSET, o.seek_offset);
    text->lines->push_back("#region #start #point");
    add_integer_line(text, "SC:###;", OPG_START_COLUMN, o.start_column);
    add_integer_line(text, "SL:###;", OPG_START_LINE, o.start_line);
    text->lines->push_back("#region-end");
    add_integer_line(text, "EC:###;", OPG_END_COLUMN, o.end_column);
    add_integer_line(text, "EL:###;", OPG_END_LINE, o.end_line);
    text->lines->push_back("#term-expression");
    add_variable_line(text, "X:\"", OPG_TERM, o.terms[0], sizeof o.terms[0]);
    add_variable_line(text, "Z:\"", OPG_TERM, o.terms[1], sizeof o.terms[1]);
    text->lines->push_back("#terms-a-to-j");
    for (int i = 2; i < DEFINITION_TERM_COUNT; ++i) {
        char prefix[4] = {static_cast<char>('a' + i - 2), ':', '"', '\0'};
        add_variable_line(text, prefix, OPG_TERM, o.terms[i], sizeof o.terms[i]);
    }
    text->lines->push_back("#parameters #of #the #signature #method #(0-4)");
    for (int i = 0; i < DEFINITION_PARAM_COUNT; ++i) {
        char pattern[] = "PRM0:###########;";
        pattern[3] = static_cast<char>('0' + i);
        add_integer_line(text, pattern, OPG_PARAM, o.params[i]);
    }
    text->lines->push_back("#notes");
    for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i) {
        char prefix[8] = {'N', 'O', 'T', 'E', static_cast<char>('1' + i), ':', '"', '\0'};
        add_variable_line(text, prefix, OPG_NOTE, o.notes[i], sizeof o.notes[i]);
    }
}

static void add_score_section(option_text_lines *text, const score_settings &s)
{
    text->lines->push_back(OPTION_SCORE_MARKER);
    add_integer_line(text, "ENABLE:#;", OPG_ENABLED, s.enabled);
    text->lines->push_back("#extension #text #size #checks");
    add_integer_line(text, "EXTC:#;", OPG_EXT_CHECK, s.ext_check);
    add_integer_line(text, "EXTSC:###;", OPG_EXT_SCORE, s.ext_score);
    add_integer_line(text, "TXTC:#;", OPG_TEXT_CHECK, s.text_check);
    add_integer_line(text, "TXTSC:###;", OPG_TEXT_SCORE, s.text_score);
    add_integer_line(text, "SIZC:#;", OPG_SIZE_CHECK, s.size_check);
    add_integer_line(text, "SIZRF:##########;", OPG_SIZE_REFERENCE, s.size_reference);
    add_integer_line(text, "SIZST:###########;", OPG_SIZE_STEP, s.size_step);
    add_integer_line(text, "SIZBS:###;", OPG_SIZE_BASE_SCORE, s.size_base_score);
    add_fraction_line(text, "SIZPN:#######;", OPG_SIZE_STEP_PENALTY, s.size_step_penalty);
    add_integer_line(text, "PATCHK:#;", OPG_PATTERN_CHECK, s.pattern_check);
}

static void add_pattern_section(option_text_lines *text, const pattern_table &t, int end_line)
{
    text->lines->push_back(OPTION_PATTERN_MARKER);
    int count = t.count > PATTERN_ENTRY_MAX ? PATTERN_ENTRY_MAX : t.count;
    for (int i = 0; i < count; ++i) {
        add_integer_line(text, "KEYID:#####;", OPG_KEY_ID, t.key_id[i]);
        add_integer_line(text, "BASESCR:###;", OPG_BASE_SCORE, t.base_score[i]);
        add_integer_line(text, "SEARCH:#;", OPG_PROBE, t.probe[i]);
        add_variable_line(text, "MAGIC:\"", OPG_SIGNATURE, t.signature[i], sizeof t.signature[i]);
        add_integer_line(text, "ORIGIN:#;", OPG_ORIGIN, t.origin[i]);
        add_integer_line(text, "OFFSET:###########;", OPG_OFFSET, t.offset[i]);
        add_integer_line(text, "FOUNDSC:###;", OPG_FOUND_SCORE, t.found_score[i]);
    }
    if (end_line) text->lines->push_back(OPTION_PATTERN_END_LINE);
}

static int is_word_space(char c)
{
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

// 1 when the first word equal to marker, counted after the magic line, is the whole line `line_index`
// and lies within the first `limit` words.
static int marker_within_reach(const std::vector<std::string> &lines, size_t line_index, const char *marker,
                               int limit)
{
    int words = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string &line = lines[i];
        size_t at = 0;
        while (at < line.size()) {
            while (at < line.size() && is_word_space(line[at])) ++at;
            if (at >= line.size()) break;
            size_t end = at;
            while (end < line.size() && !is_word_space(line[end])) ++end;
            ++words;
            if (line.compare(at, end - at, marker) == 0) return i == line_index && words <= limit;
            at = end;
        }
    }
    return 0;
}

int make_option_plugin_lines(const option_plugin_definition &definition, std::vector<std::string> *lines)
{
    lines->clear();
    option_text_lines text = {lines, 1};
    add_option_section(&text, definition.options);
    size_t score_line = lines->size();
    if (definition.with_score_settings) add_score_section(&text, definition.settings);
    size_t pattern_line = lines->size();
    if (definition.with_pattern_table) add_pattern_section(&text, definition.patterns, definition.end_line);
    if (text.ok && definition.with_score_settings)
        text.ok = marker_within_reach(*lines, score_line, OPTION_SCORE_MARKER, OPTION_SCORE_MARKER_WORDS);
    if (text.ok && definition.with_pattern_table)
        text.ok = marker_within_reach(*lines, pattern_line, OPTION_PATTERN_MARKER, OPTION_PATTERN_MARKER_WORDS);
    return text.ok;
}

std::string join_text_lines(const std::vector<std::string> &lines, int line_end)
{
    const char *end = line_end == TEXT_LINE_END_LF ? "\n" : "\r\n";
    std::string text;
    for (const std::string &line : lines) {
        text += line;
        text += end;
    }
    return text;
}

int make_option_plugin_text(const option_plugin_definition &definition, int line_end, std::string *text)
{
    std::vector<std::string> lines;
    int ok = make_option_plugin_lines(definition, &lines);
    *text = join_text_lines(lines, line_end);
    return ok;
}

// ---- Dataset index files ----

std::vector<unsigned char> make_dataset_file(const std::vector<dataset_entry> &entries)
{
    std::vector<unsigned char> bytes(entries.size() * DATASET_FILE_RECORD_SIZE, 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        size_t at = i * DATASET_FILE_RECORD_SIZE;
        put_u16(bytes, at, entries[i].definition_id);
        put_u32(bytes, at + 2, entries[i].expect_a);
        put_u32(bytes, at + 6, entries[i].expect_b);
        put_u16(bytes, at + 10, entries[i].key_id);
    }
    return bytes;
}

int make_key_file(const std::vector<key_entry> &entries, std::vector<unsigned char> *bytes)
{
    bytes->assign(entries.size() * KEY_FILE_RECORD_SIZE, 0);
    for (size_t i = 0; i < entries.size(); ++i) {
        const key_entry &entry = entries[i];
        if (entry.extension.size() > static_cast<size_t>(KEY_FILE_EXTENSION_SIZE) ||
            entry.comment.size() > static_cast<size_t>(KEY_FILE_COMMENT_SIZE)) {
            bytes->clear();
            return 0;
        }
        size_t at = i * KEY_FILE_RECORD_SIZE;
        put_u16(*bytes, at, entry.key_id);
        std::memcpy(bytes->data() + at + 2, entry.extension.data(), entry.extension.size());
        std::memcpy(bytes->data() + at + 2 + KEY_FILE_EXTENSION_SIZE, entry.comment.data(), entry.comment.size());
    }
    return 1;
}

// ---- Files ----

int write_definition_file(const std::string &path, const std::vector<unsigned char> &bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return 0;
    if (!bytes.empty()) file.write(reinterpret_cast<const char *>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return file.good() ? 1 : 0;
}

int write_definition_text(const std::string &path, const std::string &text)
{
    return write_definition_file(path, std::vector<unsigned char>(text.begin(), text.end()));
}
