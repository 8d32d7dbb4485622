// Loaders of the text option plug-in (.opg): the option section that follows the magic line, the score
// settings after "/bhals/" and the pattern table after "/ulky/". Lines are read by position, not parsed:
// a line of the wrong width shifts the columns of every line after it, as the format has always behaved.
#include "text_option_loader.h"
#include <cstring>
#include "option_text_reader.h"

// name, definition_id, extra_text, param_a, param_b, option_mode and option_source.
static void read_identity_lines(option_text_stream *stream, option_record *options)
{
    fixed_line_text line;
    read_variable_line(stream, OPG_NAME, options->name, sizeof options->name);
    read_fixed_line(stream, OPG_DEFINITION_ID, &line);
    options->definition_id = static_cast<uint16_t>(fixed_line_integer(line, OPG_DEFINITION_ID));
    read_variable_line(stream, OPG_EXTRA_TEXT, options->extra_text, sizeof options->extra_text);
    read_fixed_line(stream, OPG_PARAM_A, &line);
    float param_a = fixed_line_fraction(line, OPG_PARAM_A);
    std::memcpy(&options->param_a, &param_a, sizeof param_a);
    read_fixed_line(stream, OPG_PARAM_B, &line);
    float param_b = fixed_line_fraction(line, OPG_PARAM_B);
    std::memcpy(&options->param_b, &param_b, sizeof param_b);
    read_fixed_line(stream, OPG_OPTION_MODE, &line);
    options->option_mode = static_cast<uint8_t>(fixed_line_integer(line, OPG_OPTION_MODE));
    options->option_source = static_cast<uint8_t>(fixed_line_integer(line, OPG_OPTION_SOURCE));
}

// Initial positioning and the region of the target.
static void read_region_lines(option_text_stream *stream, option_record *options)
{
    fixed_line_text line;
    skip_label_words(stream, OPG_WORDS_BEFORE_SEEK);
    read_fixed_line(stream, OPG_SEEK_ORIGIN, &line);
    options->seek_origin = static_cast<uint8_t>(fixed_line_integer(line, OPG_SEEK_ORIGIN));
    read_fixed_line(stream, OPG_SEEK_OFFSET, &line);
    options->seek_offset = fixed_line_integer(line, OPG_SEEK_OFFSET);
    skip_label_words(stream, OPG_WORDS_BEFORE_START);
    read_fixed_line(stream, OPG_START_COLUMN, &line);
    options->start_column = static_cast<int16_t>(fixed_line_integer(line, OPG_START_COLUMN));
    read_fixed_line(stream, OPG_START_LINE, &line);
    options->start_line = static_cast<int16_t>(fixed_line_integer(line, OPG_START_LINE));
    skip_label_words(stream, OPG_WORDS_BEFORE_END);
    read_fixed_line(stream, OPG_END_COLUMN, &line);
    options->end_column = static_cast<int16_t>(fixed_line_integer(line, OPG_END_COLUMN));
    read_fixed_line(stream, OPG_END_LINE, &line);
    options->end_line = static_cast<int16_t>(fixed_line_integer(line, OPG_END_LINE));
}

// Terms, method parameters and notes.
static void read_method_lines(option_text_stream *stream, option_record *options)
{
    fixed_line_text line;
    skip_label_words(stream, OPG_WORDS_BEFORE_EXPRESSION);
    for (int i = 0; i < 2; ++i)
        read_variable_line(stream, OPG_TERM, options->terms[i], sizeof options->terms[i]);
    skip_label_words(stream, OPG_WORDS_BEFORE_NAMED_TERMS);
    for (int i = 2; i < DEFINITION_TERM_COUNT; ++i)
        read_variable_line(stream, OPG_TERM, options->terms[i], sizeof options->terms[i]);
    skip_label_words(stream, OPG_WORDS_BEFORE_PARAMS);
    for (int i = 0; i < DEFINITION_PARAM_COUNT; ++i) {
        read_fixed_line(stream, OPG_PARAM, &line);
        options->params[i] = fixed_line_integer(line, OPG_PARAM);
    }
    skip_label_words(stream, OPG_WORDS_BEFORE_NOTES);
    for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i)
        read_variable_line(stream, OPG_NOTE, options->notes[i], sizeof options->notes[i]);
}

int read_text_options(HWND window, const char *path, option_record *options)
{
    (void)window;  // the text loaders report nothing
    if (options == nullptr) return 0;
    std::memset(options, 0, sizeof *options);
    option_text_stream stream;
    if (!open_option_text(&stream, path)) return 0;
    int valid = read_option_magic(&stream, 1);
    if (valid) {
        read_identity_lines(&stream, options);
        read_region_lines(&stream, options);
        read_method_lines(&stream, options);
        valid = options->definition_id <= OPTION_TEXT_ID_MAX;
    }
    close_option_text(&stream);
    return valid;
}

// A one-byte field of the score settings: the low 8 bits of its number.
static uint8_t read_byte_line(option_text_stream *stream, const fixed_line_layout &layout)
{
    fixed_line_text line;
    read_fixed_line(stream, layout, &line);
    return static_cast<uint8_t>(fixed_line_integer(line, layout));
}

static void read_score_lines(option_text_stream *stream, score_settings *settings)
{
    fixed_line_text line;
    settings->enabled = read_byte_line(stream, OPG_ENABLED);
    skip_label_words(stream, OPG_WORDS_AFTER_ENABLED);
    settings->ext_check = read_byte_line(stream, OPG_EXT_CHECK);
    settings->ext_score = read_byte_line(stream, OPG_EXT_SCORE);
    settings->text_check = read_byte_line(stream, OPG_TEXT_CHECK);
    settings->text_score = read_byte_line(stream, OPG_TEXT_SCORE);
    settings->size_check = read_byte_line(stream, OPG_SIZE_CHECK);
    read_fixed_line(stream, OPG_SIZE_REFERENCE, &line);
    settings->size_reference = fixed_line_integer(line, OPG_SIZE_REFERENCE);
    read_fixed_line(stream, OPG_SIZE_STEP, &line);
    settings->size_step = fixed_line_integer(line, OPG_SIZE_STEP);
    settings->size_base_score = read_byte_line(stream, OPG_SIZE_BASE_SCORE);
    read_fixed_line(stream, OPG_SIZE_STEP_PENALTY, &line);
    settings->size_step_penalty = fixed_line_fraction(line, OPG_SIZE_STEP_PENALTY);
    settings->pattern_check = read_byte_line(stream, OPG_PATTERN_CHECK);
    settings->pattern_score = settings->pattern_check == 1 ? 0.0f : 50.0f;
}

int read_text_score_settings(HWND window, const char *path, score_settings *settings)
{
    (void)window;
    if (settings == nullptr) return 0;
    std::memset(settings, 0, sizeof *settings);
    option_text_stream stream;
    if (!open_option_text(&stream, path)) return 0;
    int found = read_option_magic(&stream, 0) &&
                find_option_marker(&stream, OPTION_SCORE_MARKER, OPTION_SCORE_MARKER_WORDS);
    if (found) read_score_lines(&stream, settings);
    close_option_text(&stream);
    return found;
}

// One entry of seven lines into slot i; returns 0 when the first line is the end line or the file ended.
static int read_pattern_entry(option_text_stream *stream, pattern_table *table, int i)
{
    fixed_line_text line;
    read_fixed_line(stream, OPG_KEY_ID, &line);
    if (line.length == 0 || std::strcmp(line.text, OPTION_PATTERN_END_LINE) == 0) return 0;
    table->key_id[i] = static_cast<uint16_t>(fixed_line_integer(line, OPG_KEY_ID));
    read_fixed_line(stream, OPG_BASE_SCORE, &line);
    table->base_score[i] = static_cast<uint8_t>(fixed_line_integer(line, OPG_BASE_SCORE));
    read_fixed_line(stream, OPG_PROBE, &line);
    table->probe[i] = static_cast<uint8_t>(fixed_line_integer(line, OPG_PROBE));
    read_variable_line(stream, OPG_SIGNATURE, table->signature[i], sizeof table->signature[i]);
    read_fixed_line(stream, OPG_ORIGIN, &line);
    table->origin[i] = static_cast<uint8_t>(fixed_line_integer(line, OPG_ORIGIN));
    read_fixed_line(stream, OPG_OFFSET, &line);
    table->offset[i] = fixed_line_integer(line, OPG_OFFSET);
    read_fixed_line(stream, OPG_FOUND_SCORE, &line);
    table->found_score[i] = static_cast<uint8_t>(fixed_line_integer(line, OPG_FOUND_SCORE));
    return 1;
}

int read_text_pattern_table(HWND window, const char *path, pattern_table *table)
{
    (void)window;
    if (table == nullptr) return 0;
    std::memset(table, 0, sizeof *table);
    option_text_stream stream;
    if (!open_option_text(&stream, path)) return 0;
    int found = read_option_magic(&stream, 0) &&
                find_option_marker(&stream, OPTION_PATTERN_MARKER, OPTION_PATTERN_MARKER_WORDS);
    if (found) {
        int count = 0;
        while (count < PATTERN_ENTRY_MAX && read_pattern_entry(&stream, table, count)) ++count;
        table->count = static_cast<uint8_t>(count);
    }
    close_option_text(&stream);
    return found;
}
