// Reading the dataset sources. A statement is one line: "dataset", "reader", "type", and under a type its
// "match" and "within" lines; '#' starts a comment line. The language is described in dataset/FORMAT.md.
#include "source_parser.h"
#include <algorithm>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>

void add_error(source_errors *errors, const source_place &place, const std::string &text)
{
    errors->messages.push_back(place.file + ":" + std::to_string(place.line) + ": " + text);
}

int split_words(const std::string &line, std::vector<std::string> *words)
{
    words->clear();
    std::string word;
    int quoted = 0, in_word = 0;
    for (size_t i = 0; i < line.size(); i++) {
        char c = line[i];
        if (quoted) {
            word += c;
            if (c == '\\' && i + 1 < line.size()) word += line[++i];
            else if (c == '"') quoted = 0;
        } else if (c == ' ' || c == '\t' || c == '\r') {
            if (in_word) words->push_back(word);
            word.clear();
            in_word = 0;
        } else {
            if (c == '"') quoted = 1;
            word += c;
            in_word = 1;
        }
    }
    if (in_word) words->push_back(word);
    return !quoted;
}

static int hex_digit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

static int decode_quoted(const std::string &text, std::vector<unsigned char> *bytes)
{
    for (size_t i = 1; i + 1 < text.size(); i++) {
        char c = text[i];
        if (c != '\\') {
            bytes->push_back(static_cast<unsigned char>(c));
            continue;
        }
        if (++i + 1 > text.size() - 1) return 0;
        char e = text[i];
        if (e == 'n') bytes->push_back('\n');
        else if (e == 'r') bytes->push_back('\r');
        else if (e == 't') bytes->push_back('\t');
        else if (e == '0') bytes->push_back(0);
        else if (e == '\\' || e == '"') bytes->push_back(static_cast<unsigned char>(e));
        else if (e == 'x' && i + 2 < text.size() - 1 && hex_digit(text[i + 1]) >= 0 && hex_digit(text[i + 2]) >= 0) {
            bytes->push_back(static_cast<unsigned char>(hex_digit(text[i + 1]) * 16 + hex_digit(text[i + 2])));
            i += 2;
        } else {
            return 0;
        }
    }
    return 1;
}

int decode_bytes(const std::string &written, std::vector<unsigned char> *bytes)
{
    bytes->clear();
    if (written.size() >= 2 && written.front() == '"' && written.back() == '"') return decode_quoted(written, bytes);
    if (written.compare(0, 4, "hex:") != 0) return 0;
    std::string digits;
    for (size_t i = 4; i < written.size(); i++)
        if (written[i] != '_') digits += written[i];
    if (digits.empty() || digits.size() % 2 != 0) return 0;
    for (size_t i = 0; i < digits.size(); i += 2) {
        int high = hex_digit(digits[i]), low = hex_digit(digits[i + 1]);
        if (high < 0 || low < 0) return 0;
        bytes->push_back(static_cast<unsigned char>(high * 16 + low));
    }
    return 1;
}

int parse_number(const std::string &text, long long *value)
{
    if (text.empty()) return 0;
    char *end = nullptr;
    *value = std::strtoll(text.c_str(), &end, 0);
    return end != nullptr && *end == '\0';
}

namespace {

struct parse_state {
    std::string file;
    dataset_source *source;
    source_errors *errors;
    int current_type;  // index into source->types, -1 before the first type
};

source_place place_of(const parse_state &state, int line)
{
    return source_place{state.file, line};
}

// Splits key=value; a word without '=' has an empty value and *has_value 0.
void split_option(const std::string &word, std::string *key, std::string *value, int *has_value)
{
    size_t equals = word.find('=');
    *has_value = equals != std::string::npos;
    *key = *has_value ? word.substr(0, equals) : word;
    *value = *has_value ? word.substr(equals + 1) : "";
}

// "N" (from the start) or "end-N" (from the end) into origin and offset.
int parse_position(const std::string &text, int *origin, int *offset)
{
    long long value = 0;
    if (text.compare(0, 4, "end-") == 0) {
        if (!parse_number(text.substr(4), &value) || value < 0 || value > 0x7FFFFFFF) return 0;
        *origin = 2;
        *offset = static_cast<int>(-value);
        return 1;
    }
    if (!parse_number(text, &value) || value < 0 || value > 0x7FFFFFFF) return 0;
    *origin = 0;
    *offset = static_cast<int>(value);
    return 1;
}

int reader_kind_of(const std::string &word)
{
    if (word == "bytes") return READER_BYTES;
    if (word == "terms") return READER_TERMS;
    if (word == "judge") return READER_JUDGE;
    if (word == "constant") return READER_CONSTANT;
    return -1;
}

// One key=value of a reader line; 0 (with a message) when it is not understood.
int apply_reader_option(parse_state &state, reader_source *reader, const std::string &word)
{
    std::string key, value;
    int has_value = 0;
    split_option(word, &key, &value, &has_value);
    long long number = 0;
    if (key == "nocase" && !has_value) {
        reader->case_retry = 1;
        return 1;
    }
    if (key == "at" && has_value) return parse_position(value, &reader->origin, &reader->offset);
    if (key == "expr" && has_value) {
        reader->expression = value;
        return 1;
    }
    if (key.size() == 1 && key[0] >= 'a' && key[0] <= 'j' && has_value) {
        std::vector<unsigned char> bytes;
        if (!decode_bytes(value, &bytes)) return 0;
        reader->terms[key[0] - 'a'].assign(bytes.begin(), bytes.end());
        return 1;
    }
    if (!has_value || !parse_number(value, &number) || number < -0x7FFFFFFFLL || number > 0x7FFFFFFFLL) return 0;
    int n = static_cast<int>(number);
    if (key == "id") reader->definition_id = n;
    else if (key == "count" || key == "read") reader->count = n;
    else if (key == "library") reader->library_id = n;
    else if (key == "mode") reader->judge_mode = n;
    else if (key == "text") {
        reader->text_check = 1;
        reader->text_score = n;
    } else {
        return 0;
    }
    (void)state;
    return 1;
}

void parse_reader(parse_state &state, int line, const std::vector<std::string> &words)
{
    reader_source reader = {};
    reader.place = place_of(state, line);
    reader.definition_id = -1;
    if (words.size() < 3) {
        add_error(state.errors, reader.place, "reader needs a name, id=N and a kind (bytes, terms, judge, constant)");
        return;
    }
    reader.name = words[1];
    reader.kind = -1;
    for (size_t i = 2; i < words.size(); i++) {
        int kind = reader_kind_of(words[i]);
        if (kind >= 0 && reader.kind < 0) {
            reader.kind = kind;
        } else if (!apply_reader_option(state, &reader, words[i])) {
            add_error(state.errors, reader.place, "reader " + reader.name + ": cannot read '" + words[i] + "'");
            return;
        }
    }
    if (reader.kind < 0) {
        add_error(state.errors, reader.place, "reader " + reader.name + " has no kind (bytes, terms, judge, constant)");
        return;
    }
    state.source->readers.push_back(reader);
}

void parse_type(parse_state &state, int line, const std::vector<std::string> &words)
{
    type_source type = {};
    type.place = place_of(state, line);
    long long key_id = 0;
    std::vector<unsigned char> comment;
    if (words.size() != 4 || !parse_number(words[1], &key_id) || !decode_bytes(words[3], &comment) ||
        words[3].front() != '"') {
        add_error(state.errors, type.place, "type needs: type KEY_ID EXTENSION \"comment\"");
        state.current_type = -1;
        return;
    }
    type.key_id = static_cast<int>(key_id);
    if (key_id < 0 || key_id > 0xFFFF) type.key_id = -1;
    type.extension = words[2];
    type.comment.assign(comment.begin(), comment.end());
    state.source->types.push_back(type);
    state.current_type = static_cast<int>(state.source->types.size()) - 1;
}

// One score word of a match line; 0 when it is not understood.
int apply_score_option(match_source *match, const std::string &word, int *has_score, int *has_else)
{
    std::string key, value;
    int has_value = 0;
    split_option(word, &key, &value, &has_value);
    double number = 0;
    if (key == "certain" && !has_value) {
        match->score.certain = 1;
        *has_score = 1;
        return 1;
    }
    if (key == "probe" && has_value) {
        size_t at = value.rfind('@');
        if (at == std::string::npos) return 0;
        std::vector<unsigned char> bytes;
        if (!decode_bytes(value.substr(0, at), &bytes)) return 0;
        match->score.has_probe = 1;
        match->score.probe.assign(bytes.begin(), bytes.end());
        return parse_position(value.substr(at + 1), &match->score.probe_origin, &match->score.probe_offset);
    }
    char *end = nullptr;
    number = std::strtod(value.c_str(), &end);
    if (!has_value || value.empty() || *end != '\0') return 0;
    if (key == "score") {
        match->score.found = number;
        *has_score = 1;
    } else if (key == "else") {
        match->score.missing = number;
        *has_else = 1;
    } else {
        return 0;
    }
    return 1;
}

void parse_match(parse_state &state, int line, const std::vector<std::string> &words)
{
    match_source match = {};
    match.place = place_of(state, line);
    match.reader_index = -1;
    if (state.current_type < 0) {
        add_error(state.errors, match.place, "match outside a type");
        return;
    }
    if (words.size() < 4) {
        add_error(state.errors, match.place, "match needs: match READER VALUE certain|score=N [probe=BYTES@AT else=N]");
        return;
    }
    match.reader = words[1];
    match.value_text = words[2];
    int has_score = 0, has_else = 0;
    for (size_t i = 3; i < words.size(); i++) {
        if (!apply_score_option(&match, words[i], &has_score, &has_else)) {
            add_error(state.errors, match.place, "match: cannot read '" + words[i] + "'");
            return;
        }
    }
    if (!has_score) {
        add_error(state.errors, match.place, "match needs certain or score=N");
        return;
    }
    if (match.score.has_probe != has_else) {
        add_error(state.errors, match.place, "a probe needs else=N (the score when it is missing) and else=N a probe");
        return;
    }
    if (!match.score.has_probe) match.score.missing = match.score.found;
    state.source->types[state.current_type].matches.push_back(match);
}

void parse_line(parse_state &state, int line, const std::string &text)
{
    std::vector<std::string> words;
    if (!split_words(text, &words)) {
        add_error(state.errors, place_of(state, line), "a quote is not closed");
        return;
    }
    if (words.empty() || words[0][0] == '#') return;
    const std::string &statement = words[0];
    if (statement == "dataset" && words.size() == 2) {
        state.source->name = words[1];
        state.source->name_place = place_of(state, line);
    } else if (statement == "reader") {
        parse_reader(state, line, words);
    } else if (statement == "type") {
        parse_type(state, line, words);
    } else if (statement == "match") {
        parse_match(state, line, words);
    } else if (statement == "common" && words.size() == 1 && state.current_type >= 0) {
        state.source->types[state.current_type].common = 1;
    } else if (statement == "within" && words.size() >= 2 && state.current_type >= 0) {
        for (size_t i = 1; i < words.size(); i++) state.source->types[state.current_type].within.push_back(words[i]);
    } else {
        add_error(state.errors, place_of(state, line), "unknown statement '" + statement + "'");
    }
}

}  // namespace

void parse_source_text(const std::string &file, const std::string &text, dataset_source *source,
                       source_errors *errors)
{
    parse_state state{file, source, errors, -1};
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); number++) parse_line(state, number, line);
}

int parse_source_folder(const std::string &folder, dataset_source *source, source_errors *errors)
{
    DIR *dir = opendir(folder.c_str());
    if (dir == nullptr) return 0;
    std::vector<std::string> names;
    while (dirent *entry = readdir(dir)) {
        std::string name = entry->d_name;
        if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0) names.push_back(name);
    }
    closedir(dir);
    // Name order, so the same sources always give the same run list.
    std::sort(names.begin(), names.end());
    for (const std::string &name : names) {
        std::ifstream in(folder + "/" + name, std::ios::binary);
        if (!in) return 0;
        std::ostringstream text;
        text << in.rdbuf();
        parse_source_text(folder + "/" + name, text.str(), source, errors);
    }
    return 1;
}
