// Writers for every definition and dataset file the program reads: plug-in records (.plg, and the records
// of a .dic), dictionaries, text option plug-ins (.opg) and the dataset index files (.dat, .key).
// Plain standard C++ (no Windows calls), so a build-time tool can use it natively as well.
#pragma once
#include <cstdint>
#include <string>
#include <vector>
#include "definition_records.h"
#include "dictionary_records.h"

// Everything one plug-in record holds. The option block takes name, definition_id, extra_text, param_a,
// param_b, option_mode and option_source from the header; `options` supplies the rest.
struct plugin_definition {
    plugin_header header;
    int with_options;          // 1: write the option block ("KRVOPG" at record offset 108)
    option_record options;
    score_settings settings;   // written at 2110; pattern_score is not part of the file
    pattern_table patterns;    // `count` entries (at most 50) at 2220
    int end_mark;              // 1: "END" after the last entry
};

// A text option plug-in: the option section always, the two other sections when asked for.
struct option_plugin_definition {
    option_record options;
    int with_score_settings;   // 1: a "/bhals/" section
    score_settings settings;
    int with_pattern_table;    // 1: a "/ulky/" section
    pattern_table patterns;
    int end_line;              // 1: ":---end----:" after the last entry
};

struct dataset_entry {         // one 12-byte run-list record
    uint16_t definition_id;
    uint32_t expect_a;
    uint32_t expect_b;
    uint16_t key_id;
};

struct key_entry {             // one 100-byte candidate record
    uint16_t key_id;
    std::string extension;     // at most 5 bytes
    std::string comment;       // at most 93 bytes
};

const int TEXT_LINE_END_CRLF = 0;
const int TEXT_LINE_END_LF = 1;

// Zeroed definitions with the end mark / end line on.
void clear_plugin_definition(plugin_definition *definition);
void clear_option_plugin_definition(option_plugin_definition *definition);

// One 3000-byte plug-in record (texts cut to their field sizes, at most 50 pattern entries).
std::vector<unsigned char> make_plugin_record(const plugin_definition &definition);
// A .plg file: one plug-in record.
std::vector<unsigned char> make_plugin_file(const plugin_definition &definition);
// A .dic file: the 150-byte header from info (record_count is not stored) and the records numbered from 1.
std::vector<unsigned char> make_dictionary_file(const dictionary_info &info,
                                                const std::vector<plugin_definition> &records);

// The lines of a text option plug-in, without line ends. Returns 0 when a value does not fit its columns
// (numbers are zero-padded into their columns; fractions get as many decimals as fit), when a text holds
// a line end, or when a section marker would fall beyond its word limit.
int make_option_plugin_lines(const option_plugin_definition &definition, std::vector<std::string> *lines);
// Joins lines with CR LF or LF after every line.
std::string join_text_lines(const std::vector<std::string> &lines, int line_end);
// A whole .opg text; returns 0 as make_option_plugin_lines does.
int make_option_plugin_text(const option_plugin_definition &definition, int line_end, std::string *text);

// A .dat file: 12-byte little-endian records.
std::vector<unsigned char> make_dataset_file(const std::vector<dataset_entry> &entries);
// A .key file: 100-byte records; returns 0 when an extension exceeds 5 bytes or a comment 93.
int make_key_file(const std::vector<key_entry> &entries, std::vector<unsigned char> *bytes);

// Writes bytes or text to path (binary, replacing the file); returns 1 when all was written.
int write_definition_file(const std::string &path, const std::vector<unsigned char> &bytes);
int write_definition_text(const std::string &path, const std::string &text);
