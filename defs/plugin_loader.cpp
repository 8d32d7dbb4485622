// Loaders of the binary plug-in record: header, score settings, pattern table and option block. Each one
// opens the file, reads its own region of the record and closes the file again.
#include "plugin_loader.h"
#include <cstring>
#include "bounded_text.h"
#include "definition_file_io.h"
#include "definition_format.h"

long record_offset(int n, int mode)
{
    if (mode != 1) return 0;
    if (n < 1) return -1;  // dictionary records are numbered from 1
    long long offset = static_cast<long long>(n) * PLUGIN_RECORD_SIZE - (PLUGIN_RECORD_SIZE - DICTIONARY_HEADER_SIZE);
    if (offset > 0x7FFFFFFFLL) return -1;
    return static_cast<long>(offset);
}

// Opens the file, checks "KRVPLG" at the start of record n and reads up to `size` bytes at record offset
// `from` into buffer; *available is how many were there (a record that ends early leaves the rest zero).
// Returns 1 when the magic matched.
static int read_record_region(HWND window, const char *path, int n, int mode, int from, unsigned char *buffer,
                              int size, int *available)
{
    *available = 0;
    HANDLE file = open_definition_file(window, path);
    if (file == INVALID_HANDLE_VALUE) return 0;
    int matched = 0;
    long start = record_offset(n, mode);
    if (start >= 0) {
        unsigned char magic[DEFINITION_MAGIC_SIZE];
        read_region magic_region = {magic, read_file_region(file, start, magic, DEFINITION_MAGIC_SIZE)};
        matched = region_has_magic(magic_region, 0, PLUGIN_MAGIC);
        if (matched) *available = read_file_region(file, static_cast<long long>(start) + from, buffer, size);
    }
    CloseHandle(file);
    return matched;
}

int read_plugin_header(HWND window, const char *path, plugin_header *header, int n, int mode)
{
    if (header == nullptr) return 0;
    std::memset(header, 0, sizeof *header);
    unsigned char bytes[PLUGIN_HEADER_END];
    int available = 0;
    if (!read_record_region(window, path, n, mode, 0, bytes, PLUGIN_HEADER_END, &available)) return 0;
    read_region r = {bytes, available};
    region_text(r, PLUGIN_NAME_OFFSET, PLUGIN_TEXT_FIELD_SIZE, header->name, DEFINITION_NAME_SIZE);
    header->definition_id = region_u16(r, PLUGIN_ID_OFFSET);
    region_text(r, PLUGIN_EXTRA_TEXT_OFFSET, PLUGIN_TEXT_FIELD_SIZE, header->extra_text, DEFINITION_NAME_SIZE);
    header->param_a = region_u32(r, PLUGIN_PARAM_A_OFFSET);
    header->param_b = region_u32(r, PLUGIN_PARAM_B_OFFSET);
    header->param_c = region_u8(r, PLUGIN_PARAM_C_OFFSET);
    header->flags = region_u8(r, PLUGIN_FLAGS_OFFSET);
    header->judge_library_id = region_u16(r, PLUGIN_JUDGE_ID_OFFSET);
    header->option_mode = region_u8(r, PLUGIN_OPTION_MODE_OFFSET);
    header->option_source = region_u8(r, PLUGIN_OPTION_SOURCE_OFFSET);
    return 1;
}

int read_score_settings(HWND window, const char *path, score_settings *settings, int n, int mode)
{
    if (settings == nullptr) return 0;
    std::memset(settings, 0, sizeof *settings);
    unsigned char bytes[SCORE_SETTINGS_FILE_SIZE];
    int available = 0;
    if (!read_record_region(window, path, n, mode, SCORE_SETTINGS_OFFSET, bytes, SCORE_SETTINGS_FILE_SIZE,
                            &available))
        return 0;
    read_region r = {bytes, available};
    settings->enabled = region_u8(r, 0);
    settings->ext_check = region_u8(r, 1);
    settings->ext_score = region_u8(r, 2);
    settings->text_check = region_u8(r, 3);
    settings->text_score = region_u8(r, 4);
    settings->size_check = region_u8(r, 5);
    settings->size_reference = static_cast<int32_t>(region_u32(r, 6));
    settings->size_step = static_cast<int32_t>(region_u32(r, 10));
    settings->size_base_score = region_u8(r, 14);
    uint32_t penalty_bits = region_u32(r, 15);
    std::memcpy(&settings->size_step_penalty, &penalty_bits, sizeof penalty_bits);
    settings->pattern_check = region_u8(r, 19);
    settings->pattern_score = settings->pattern_check == 1 ? 0.0f : 50.0f;
    return 1;
}

// Entry i of the pattern table starts at i * 14; the table ends at "END", at the end of the file (fewer
// than three bytes left where an entry would start) or after 50 entries, whose following bytes are
// never looked at. An entry cut by the end of the file keeps zero in its missing fields.
int read_pattern_table(HWND window, const char *path, pattern_table *table, int n, int mode)
{
    if (table == nullptr) return 0;
    std::memset(table, 0, sizeof *table);
    unsigned char bytes[PATTERN_ENTRY_MAX * PATTERN_ENTRY_FILE_SIZE];
    int available = 0;
    if (!read_record_region(window, path, n, mode, PATTERN_TABLE_OFFSET, bytes, static_cast<int>(sizeof bytes),
                            &available))
        return 0;
    read_region r = {bytes, available};
    int i = 0;
    for (; i < PATTERN_ENTRY_MAX; ++i) {
        int at = i * PATTERN_ENTRY_FILE_SIZE;
        if (available - at < 3) break;
        if (std::memcmp(bytes + at, PATTERN_END_MARK, 3) == 0) break;
        table->key_id[i] = region_u16(r, at);
        table->base_score[i] = region_u8(r, at + 2);
        table->probe[i] = region_u8(r, at + 3);
        region_text(r, at + 4, PATTERN_SIGNATURE_SIZE, table->signature[i], PATTERN_SIGNATURE_SIZE + 1);
        table->origin[i] = region_u8(r, at + 8);
        table->offset[i] = static_cast<int32_t>(region_u32(r, at + 9));
        table->found_score[i] = region_u8(r, at + 13);
    }
    table->count = static_cast<uint8_t>(i);
    return 1;
}

// The option block's fields, from the block start (record offset 108).
static void take_option_block(const read_region &r, option_record *options)
{
    const int base = OPTION_BLOCK_OFFSET;
    options->seek_origin = region_u8(r, OPTION_SEEK_ORIGIN_OFFSET - base);
    options->seek_offset = static_cast<int32_t>(region_u32(r, OPTION_SEEK_OFFSET_OFFSET - base));
    options->start_column = static_cast<int16_t>(region_u16(r, OPTION_REGION_OFFSET - base));
    options->start_line = static_cast<int16_t>(region_u16(r, OPTION_REGION_OFFSET + 2 - base));
    options->end_column = static_cast<int16_t>(region_u16(r, OPTION_REGION_OFFSET + 4 - base));
    options->end_line = static_cast<int16_t>(region_u16(r, OPTION_REGION_OFFSET + 6 - base));
    for (int i = 0; i < DEFINITION_TERM_COUNT; ++i)
        region_text(r, OPTION_TERMS_OFFSET - base + i * OPTION_TERM_FIELD_SIZE, OPTION_TERM_FIELD_SIZE,
                    options->terms[i], DEFINITION_TERM_SIZE);
    for (int i = 0; i < DEFINITION_PARAM_COUNT; ++i)
        options->params[i] = static_cast<int32_t>(region_u32(r, OPTION_PARAMS_OFFSET - base + 4 * i));
    for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i)
        region_text(r, OPTION_NOTES_OFFSET - base + i * OPTION_NOTE_FIELD_SIZE, OPTION_NOTE_FIELD_SIZE,
                    options->notes[i], DEFINITION_NAME_SIZE);
}

int read_plugin_options(HWND window, const char *path, plugin_header *header, option_record *options, int n,
                        int mode)
{
    if (header == nullptr || options == nullptr) return 0;
    std::memset(header, 0, sizeof *header);
    std::memset(options, 0, sizeof *options);
    if (!read_plugin_header(window, path, header, n, mode)) return 0;
    HANDLE file = open_definition_file(window, path);
    if (file == INVALID_HANDLE_VALUE) return 0;
    unsigned char bytes[OPTION_BLOCK_END - OPTION_BLOCK_OFFSET];
    long start = record_offset(n, mode);
    int available = start < 0 ? 0 : read_file_region(file, static_cast<long long>(start) + OPTION_BLOCK_OFFSET, bytes,
                                                     static_cast<int>(sizeof bytes));
    CloseHandle(file);
    read_region r = {bytes, available};
    if (!region_has_magic(r, 0, OPTION_MAGIC)) return 0;
    take_option_block(r, options);
    options->definition_id = header->definition_id;
    copy_text(options->name, countof(options->name), header->name);
    copy_text(options->extra_text, countof(options->extra_text), header->extra_text);
    options->param_a = header->param_a;
    options->param_b = header->param_b;
    options->option_mode = header->option_mode;
    options->option_source = header->option_source;
    return 1;
}
