// Checks and builds the dataset. Scores are written as the lpts the candidate should get (with no evidence
// from the file's name, text-ness or size); the pattern entry's bytes are worked out from them, and every
// outcome the engine can compute is tried here so that only a match declared certain can end the run.
#include "dataset_build.h"
#include "cp932_text.h"
#include "definition_format.h"
#include "source_parser.h"
#include <algorithm>
#include <cstdio>
#include <cmath>
#include <cstring>
#include <map>
#include <set>
#include <sys/stat.h>

namespace {

const int KEY_EXTENSION_LIMIT = KEY_FILE_EXTENSION_SIZE;
const int KEY_COMMENT_LIMIT = KEY_FILE_COMMENT_SIZE;
const int HIGHEST_SCORE_BYTE = SCORE_CERTAIN - 1;  // the highest byte that is a score, not a verdict
const int TERM_LIMIT = 20;
const int EXPRESSION_LIMIT = 20;
const int TERM_READ_LIMIT = 65536;
const int TERM_HOLDS = 1;       // result_b when a term expression holds
const int TERM_FAILS = 2;       // result_b when it does not
const int CONSTANT_VALUE = 1;   // result_a and result_b of a constant reader
const int DICTIONARY_RECORD_LIMIT = 255;

void check_reader(const reader_source &reader, source_errors *errors)
{
    const source_place &at = reader.place;
    if (reader.definition_id < 1 || reader.definition_id > 0xFFFF)
        add_error(errors, at, "reader " + reader.name + ": id must be 1..65535");
    if (reader.name.size() > 30) add_error(errors, at, "reader name " + reader.name + " is longer than 30 bytes");
    if (reader.text_check && (reader.text_score < 0 || reader.text_score > HIGHEST_SCORE_BYTE || reader.text_score == SCORE_EXCLUDED))
        add_error(errors, at, "reader " + reader.name + ": text=N must be 0..254 and not 125 (a verdict)");
    if (reader.kind == READER_BYTES && (reader.count < 1 || reader.count > 8))
        add_error(errors, at, "reader " + reader.name + ": count must be 1..8 (the value holds 8 bytes)");
    if (reader.kind == READER_JUDGE && (reader.library_id < 1 || reader.library_id > 0xFFFF || reader.judge_mode < 0 ||
                                        reader.judge_mode > 255))
        add_error(errors, at, "reader " + reader.name + ": judge needs library=1..65535 and mode=0..255");
    if (reader.kind != READER_TERMS) return;
    if (reader.count < 1 || reader.count > TERM_READ_LIMIT)
        add_error(errors, at, "reader " + reader.name + ": read=N must be 1..65536");
    if (reader.expression.empty() || reader.expression.size() > EXPRESSION_LIMIT)
        add_error(errors, at, "reader " + reader.name + ": expr must be 1..20 characters");
    for (char c : reader.expression) {
        if (c >= 'a' && c <= 'j' && reader.terms[c - 'a'].empty())
            add_error(errors, at, "reader " + reader.name + ": expr names term " + c + ", which is not given");
        else if (!(c >= 'a' && c <= 'j') && c != '|' && c != '&')
            add_error(errors, at, std::string("reader ") + reader.name + ": expr holds '" + c + "' (terms a-j, | and &)");
    }
    for (int t = 0; t < 10; t++) {
        if (reader.terms[t].size() > TERM_LIMIT)
            add_error(errors, at, "reader " + reader.name + ": term " + char('a' + t) + " is longer than 20 bytes");
        if (reader.terms[t].find('\0') != std::string::npos)
            add_error(errors, at, "reader " + reader.name + ": term " + char('a' + t) + " holds a zero byte, never found");
    }
}

// The expected 8-byte value of a match for its reader.
int resolve_value(const reader_source &reader, match_source *match, source_errors *errors)
{
    long long number = 0;
    match->expect_a = match->expect_b = 0;
    if (reader.kind == READER_BYTES) {
        std::vector<unsigned char> &v = match->value;
        if (!decode_bytes(match->value_text, &v) || static_cast<int>(v.size()) != reader.count) {
            add_error(errors, match->place, "value " + match->value_text + " must be " + std::to_string(reader.count) +
                                                " bytes for reader " + reader.name + " (\"text\" or hex:..)");
            return 0;
        }
        for (size_t i = 0; i < v.size(); i++) {
            uint32_t byte = static_cast<uint32_t>(v[i]) << (8 * (3 - i % 4));
            if (i < 4) match->expect_a |= byte;
            else match->expect_b |= byte;
        }
    } else if (reader.kind == READER_TERMS) {
        if (match->value_text != "yes" && match->value_text != "no") {
            add_error(errors, match->place, "a terms reader's value is yes or no");
            return 0;
        }
        match->expect_b = match->value_text == "yes" ? TERM_HOLDS : TERM_FAILS;
    } else if (reader.kind == READER_JUDGE) {
        if (!parse_number(match->value_text, &number) || number < 0 || number > 0xFFFFFFFFLL) {
            add_error(errors, match->place, "a judge reader's value is the library's result_b code");
            return 0;
        }
        match->expect_b = static_cast<uint32_t>(number);
    } else {
        if (match->value_text != "yes") {
            add_error(errors, match->place, "a constant reader's value is yes");
            return 0;
        }
        match->expect_a = match->expect_b = CONSTANT_VALUE;
    }
    // A value of all zeros is what a failed or skipped judgement leaves: it would match unrelated files.
    if (match->expect_a == 0 && match->expect_b == 0) {
        add_error(errors, match->place, "value " + match->value_text + " is all zero, which a failed judgement also gives");
        return 0;
    }
    return 1;
}

int byte_ok(int value, int certain_allowed)
{
    return (value >= 0 && value <= HIGHEST_SCORE_BYTE && value != SCORE_EXCLUDED) || (certain_allowed && value == SCORE_CERTAIN);
}

// A wanted final lpts into a score byte: final = ((b + 50) / 2 + 50) / 2 with no probe.
int base_for(double final_lpts)
{
    double b = 4.0 * final_lpts - 150.0;
    return std::fabs(b - std::round(b)) < 1e-9 ? static_cast<int>(std::round(b)) : -1000;
}

std::string score_text(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

// Every final score the engine can give this match: probe found or missing, extension matching or not,
// first bytes text or not. Only a certain match may reach 100, and nothing may be 0 (both end the run).
void check_outcomes(const reader_source &reader, const match_source &match, source_errors *errors)
{
    const match_score &s = match.score;
    float extensions[2] = {50.0f, static_cast<float>(EXTENSION_MATCH_SCORE)};
    float texts[2] = {50.0f, static_cast<float>(reader.text_check ? reader.text_score : 50)};
    for (int found = 0; found < 2; found++) {
        if (!s.has_probe && found == 0) continue;
        float p = pattern_score_of(s.base_byte, s.has_probe && found, s.found_byte);
        for (float e : extensions)
            for (float t : texts) {
                float final_lpts = final_score(p, e, t, 50.0f);
                int may_end = s.certain && (found || !s.has_probe);
                if ((final_lpts >= 100.0f && !may_end) || final_lpts <= 0.0f)
                    add_error(errors, match.place, "score gives " + score_text(final_lpts) +
                                                       " lpts in some case, which ends the run; pick another score");
            }
    }
}

void resolve_score(const reader_source &reader, match_source *match, source_errors *errors)
{
    match_score &s = match->score;
    if (s.has_probe && (s.probe.empty() || s.probe.size() > 4 || s.probe.find('\0') != std::string::npos)) {
        add_error(errors, match->place, "a probe is 1 to 4 bytes, none of them zero");
        return;
    }
    if (s.certain && !s.has_probe) {
        s.base_byte = SCORE_CERTAIN;
        s.found_byte = 0;
    } else if (!s.has_probe) {
        s.base_byte = base_for(s.found);
        s.found_byte = 0;
    } else {
        s.base_byte = base_for(s.missing);
        s.found_byte = s.certain ? SCORE_CERTAIN : base_for(s.found - s.missing + 50.0);
    }
    if (!s.certain && s.has_probe && s.found <= s.missing)
        add_error(errors, match->place, "score=N must be above else=N (a found probe is evidence)");
    if (!byte_ok(s.base_byte, s.certain && !s.has_probe) || !byte_ok(s.found_byte, 1)) {
        add_error(errors, match->place, "scores must be 37.5..101 in steps of 0.25 and not hit a verdict byte (125)");
        return;
    }
    check_outcomes(reader, *match, errors);
}

void check_type(const type_source &type, source_errors *errors)
{
    if (type.key_id < 0) add_error(errors, type.place, "key id must be 0..65535");
    if (type.extension.empty() || type.extension.size() > KEY_EXTENSION_LIMIT)
        add_error(errors, type.place, "extension " + type.extension + " must be 1 to 5 characters");
    for (char c : type.extension)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            add_error(errors, type.place, "extension " + type.extension + " must be upper-case letters and digits "
                                                                           "(the run compares it with the file's upper-cased one)");
    if (type.comment.empty()) add_error(errors, type.place, "the comment is empty");
    if (type.matches.empty()) add_error(errors, type.place, "type " + type.extension + " has no match");
}

void convert_comment(type_source *type, source_errors *errors)
{
    if (!utf8_to_cp932(type->comment, &type->comment_cp932)) {
        add_error(errors, type->place, "comment \"" + type->comment + "\" has a character without a code page 932 form");
    } else if (type->comment_cp932.size() > KEY_COMMENT_LIMIT) {
        add_error(errors, type->place, "comment \"" + type->comment + "\" is " + std::to_string(type->comment_cp932.size()) +
                                           " bytes in code page 932; at most 93 fit");
    }
}

void check_unique_ids(const dataset_source &source, source_errors *errors)
{
    std::map<int, const reader_source *> ids;
    std::map<std::string, const reader_source *> names;
    for (const reader_source &r : source.readers) {
        if (ids.count(r.definition_id))
            add_error(errors, r.place, "definition id " + std::to_string(r.definition_id) + " is also used at " +
                                           ids[r.definition_id]->place.file + ":" +
                                           std::to_string(ids[r.definition_id]->place.line));
        else ids[r.definition_id] = &r;
        if (names.count(r.name)) add_error(errors, r.place, "reader name " + r.name + " is declared twice");
        else names[r.name] = &r;
    }
    std::map<int, const type_source *> keys;
    for (const type_source &t : source.types) {
        if (keys.count(t.key_id))
            add_error(errors, t.place, "key id " + std::to_string(t.key_id) + " is also used at " +
                                           keys[t.key_id]->place.file + ":" + std::to_string(keys[t.key_id]->place.line));
        else keys[t.key_id] = &t;
    }
}

// A reader's pattern table holds one entry per key (at most 50); two matches of one key on one reader
// share that entry and so must be scored alike.
void check_pattern_tables(const dataset_source &source, source_errors *errors)
{
    for (size_t r = 0; r < source.readers.size(); r++) {
        std::map<int, const match_source *> entries;
        for (const type_source &t : source.types)
            for (const match_source &m : t.matches) {
                if (m.reader_index != static_cast<int>(r)) continue;
                auto found = entries.find(t.key_id);
                if (found == entries.end()) {
                    entries[t.key_id] = &m;
                    continue;
                }
                const match_score &a = found->second->score, &b = m.score;
                if (a.base_byte != b.base_byte || a.found_byte != b.found_byte || a.probe != b.probe ||
                    a.probe_offset != b.probe_offset || a.probe_origin != b.probe_origin || a.has_probe != b.has_probe)
                    add_error(errors, m.place, "two matches of key " + std::to_string(t.key_id) + " on reader " +
                                                   source.readers[r].name + " are scored differently (they share one probe)");
            }
        if (entries.size() > PATTERN_ENTRY_MAX)
            add_error(errors, source.readers[r].place, "reader " + source.readers[r].name + " scores " +
                                                           std::to_string(entries.size()) +
                                                           " types; a definition holds at most 50: split the reader");
    }
}

}  // namespace

float pattern_score_of(int base, int probe_found, int found)
{
    if (base == SCORE_CERTAIN) return 100.0f;
    if (base == SCORE_EXCLUDED) return 0.0f;
    if (!probe_found) return (static_cast<float>(base) + 50.0f) * 0.5f;
    if (found == SCORE_CERTAIN) return 100.0f;
    if (found == SCORE_EXCLUDED) return 0.0f;
    return (static_cast<float>(base) + static_cast<float>(found)) * 0.5f;
}

float final_score(float pattern_score, float extension, float text, float size)
{
    volatile float sum = extension + text;
    sum = sum + size;
    volatile float attributes = sum * 0.33333334f;
    if (pattern_score == 100.0f) return 100.0f;
    if (pattern_score == 0.0f) return 0.0f;
    volatile float total = pattern_score + attributes;
    return total * 0.5f;
}

void resolve_dataset(dataset_source *source, source_errors *errors)
{
    if (source->name.empty() || source->name.size() > 30)
        add_error(errors, source_place{"(sources)", 0}, "a dataset NAME statement (at most 30 characters) is needed");
    std::map<std::string, int> reader_index;
    for (size_t r = 0; r < source->readers.size(); r++) {
        check_reader(source->readers[r], errors);
        reader_index[source->readers[r].name] = static_cast<int>(r);
    }
    if (source->readers.size() > DICTIONARY_RECORD_LIMIT)
        add_error(errors, source->readers.back().place, "more than 255 readers do not fit one dictionary");
    check_unique_ids(*source, errors);
    std::set<std::string> extensions;
    for (type_source &t : source->types) extensions.insert(t.extension);
    for (type_source &t : source->types) {
        check_type(t, errors);
        convert_comment(&t, errors);
        for (const std::string &w : t.within)
            if (!extensions.count(w)) add_error(errors, t.place, "within " + w + ": no type has that extension");
        for (match_source &m : t.matches) {
            auto found = reader_index.find(m.reader);
            if (found == reader_index.end()) {
                add_error(errors, m.place, "no reader is named " + m.reader);
                continue;
            }
            m.reader_index = found->second;
            const reader_source &reader = source->readers[m.reader_index];
            if (resolve_value(reader, &m, errors)) resolve_score(reader, &m, errors);
        }
    }
    check_pattern_tables(*source, errors);
}

namespace {

struct run_entry {
    int position;            // index in the run list
    const type_source *type;
    const match_source *match;
    const reader_source *reader;
};

std::vector<run_entry> run_order(const dataset_source &source)
{
    std::vector<run_entry> run;
    for (size_t r = 0; r < source.readers.size(); r++)
        for (const type_source &t : source.types)
            for (const match_source &m : t.matches)
                if (m.reader_index == static_cast<int>(r))
                    run.push_back(run_entry{static_cast<int>(run.size()), &t, &m, &source.readers[r]});
    return run;
}

std::string where(const source_place &place)
{
    return place.file + ":" + std::to_string(place.line);
}

// Two byte matches read overlapping bytes from the start of the file and agree there: some file can
// satisfy both.
int can_both_match(const run_entry &a, const run_entry &b)
{
    const reader_source &ra = *a.reader, &rb = *b.reader;
    if (ra.kind != READER_BYTES || rb.kind != READER_BYTES || ra.origin != 0 || rb.origin != 0) return 0;
    int from = std::max(ra.offset, rb.offset), to = std::min(ra.offset + ra.count, rb.offset + rb.count);
    if (from >= to) return 0;
    for (int i = from; i < to; i++)
        if (a.match->value[i - ra.offset] != b.match->value[i - rb.offset]) return 0;
    return 1;
}

int reads_beyond(const run_entry &later, const run_entry &certain)
{
    const reader_source &l = *later.reader, &c = *certain.reader;
    return l.offset < c.offset || l.offset + l.count > c.offset + c.count;
}

// The later type has its own value on the reader of the certain match: that reader tells the two apart.
int told_apart_by_reader(const run_entry &end, const run_entry &later)
{
    for (const match_source &m : later.type->matches)
        if (m.reader_index == end.match->reader_index &&
            (m.expect_a != end.match->expect_a || m.expect_b != end.match->expect_b))
            return 1;
    return 0;
}

}  // namespace

void check_run_order(const dataset_source &source, source_errors *errors)
{
    std::vector<run_entry> run = run_order(source);
    for (const run_entry &end : run) {
        if (!end.match->score.certain) continue;
        for (const run_entry &later : run) {
            if (later.position <= end.position || later.type->extension == end.type->extension) continue;
            if (told_apart_by_reader(end, later)) continue;
            int declared = 0;
            for (const std::string &w : later.type->within) declared |= w == end.type->extension;
            if (declared)
                add_error(errors, end.match->place,
                          end.type->extension + " can end the run at 100 before " + later.type->extension + " (" +
                              where(later.match->place) + "), a special case of it, is tried: put reader " +
                              later.reader->name + " before reader " + end.reader->name + " or make this match not certain");
            else if (can_both_match(end, later) && reads_beyond(later, end))
                add_error(errors, end.match->place,
                          end.type->extension + " can end the run at 100 on files that " + later.type->extension + " (" +
                              where(later.match->place) + ") looks at more closely: put reader " + later.reader->name +
                              " before reader " + end.reader->name + " or make this match not certain");
        }
    }
}

namespace {

plugin_definition make_definition(const dataset_source &source, size_t r)
{
    const reader_source &reader = source.readers[r];
    plugin_definition d;
    clear_plugin_definition(&d);
    std::snprintf(d.header.name, sizeof d.header.name, "%s", reader.name.c_str());
    std::snprintf(d.header.extra_text, sizeof d.header.extra_text, "%s", source.name.c_str());
    d.header.definition_id = static_cast<uint16_t>(reader.definition_id);
    if (reader.kind == READER_JUDGE) {
        d.header.flags = DEFINITION_FLAG_JUDGE_LIBRARY | DEFINITION_FLAG_JUDGE_ALLOWED;
        d.header.judge_library_id = static_cast<uint16_t>(reader.library_id);
        d.header.option_mode = static_cast<uint8_t>(reader.judge_mode);
    } else {
        d.header.flags = DEFINITION_FLAG_SIGNATURE;
        d.with_options = 1;
        option_record &o = d.options;
        o.seek_origin = static_cast<uint8_t>(reader.origin);
        o.seek_offset = reader.offset;
        if (reader.kind == READER_BYTES) {
            d.header.option_mode = 0;
            d.header.option_source = 2;
            o.params[0] = reader.count;  // bytes 0..count-1, folded (params[2] 0) over every byte (params[4] 0)
        } else if (reader.kind == READER_TERMS) {
            d.header.option_mode = 1;
            o.params[0] = reader.count;
            o.params[1] = reader.case_retry;
            o.params[2] = TERM_HOLDS;
            o.params[3] = TERM_FAILS;
            std::snprintf(o.terms[0], sizeof o.terms[0], "%s", reader.expression.c_str());
            for (int t = 0; t < 10; t++) std::memcpy(o.terms[t + 2], reader.terms[t].data(), reader.terms[t].size());
        } else {
            d.header.option_mode = 99;
            o.params[0] = CONSTANT_VALUE;
            o.params[1] = CONSTANT_VALUE;
        }
    }
    score_settings &s = d.settings;
    s.enabled = 1;
    s.ext_check = 1;
    s.ext_score = EXTENSION_MATCH_SCORE;
    s.text_check = static_cast<uint8_t>(reader.text_check);
    s.text_score = static_cast<uint8_t>(reader.text_check ? reader.text_score : 50);
    s.pattern_check = 1;
    return d;
}

void add_pattern(plugin_definition *d, int key_id, const match_score &s)
{
    pattern_table &p = d->patterns;
    for (int i = 0; i < p.count; i++)
        if (p.key_id[i] == key_id) return;
    int i = p.count++;
    p.key_id[i] = static_cast<uint16_t>(key_id);
    p.base_score[i] = static_cast<uint8_t>(s.base_byte);
    p.probe[i] = static_cast<uint8_t>(s.has_probe ? 1 : 0);
    std::memcpy(p.signature[i], s.probe.data(), s.probe.size());
    p.origin[i] = static_cast<uint8_t>(s.probe_origin);
    p.offset[i] = s.probe_offset;
    p.found_score[i] = static_cast<uint8_t>(s.found_byte);
}

}  // namespace

void build_dataset(const dataset_source &source, compiled_dataset *out)
{
    out->name = source.name;
    out->definitions.clear();
    out->records.clear();
    out->keys.clear();
    for (size_t r = 0; r < source.readers.size(); r++) out->definitions.push_back(make_definition(source, r));
    for (const run_entry &e : run_order(source)) {
        out->records.push_back(dataset_entry{static_cast<uint16_t>(e.reader->definition_id), e.match->expect_a,
                                             e.match->expect_b, static_cast<uint16_t>(e.type->key_id)});
        add_pattern(&out->definitions[e.match->reader_index], e.type->key_id, e.match->score);
    }
    // The engine looks a candidate's key up from the first key record on, one file read per record: the
    // types marked common come first, then the others in the order of their first record in the run list,
    // so the types that early readers find (most files end there) are found early too.
    std::set<int> placed;
    for (const type_source &t : source.types) {
        if (!t.common) continue;
        placed.insert(t.key_id);
        out->keys.push_back(key_entry{static_cast<uint16_t>(t.key_id), t.extension, t.comment_cp932});
    }
    for (const run_entry &e : run_order(source)) {
        if (!placed.insert(e.type->key_id).second) continue;
        out->keys.push_back(key_entry{static_cast<uint16_t>(e.type->key_id), e.type->extension, e.type->comment_cp932});
    }
}

int find_split_definition(const std::vector<dataset_entry> &records)
{
    std::set<uint16_t> finished;
    for (size_t i = 0; i < records.size(); i++) {
        if (i > 0 && records[i].definition_id == records[i - 1].definition_id) continue;
        if (finished.count(records[i].definition_id)) return static_cast<int>(i);
        if (i > 0) finished.insert(records[i - 1].definition_id);
    }
    return -1;
}

namespace {

// Creates folder and the folders above it that are missing.
void make_folders(const std::string &folder)
{
    for (size_t at = folder.find('/', 1); at != std::string::npos; at = folder.find('/', at + 1))
        mkdir(folder.substr(0, at).c_str(), 0755);
    mkdir(folder.c_str(), 0755);
}

}  // namespace

int write_dataset(const compiled_dataset &dataset, const std::string &folder)
{
    std::string base = folder + "/";
    make_folders(folder);
    mkdir((base + "plug-in").c_str(), 0755);
    mkdir((base + "add-in").c_str(), 0755);
    std::vector<unsigned char> keys;
    if (!make_key_file(dataset.keys, &keys)) return 0;
    dictionary_info info;
    std::memset(&info, 0, sizeof info);
    std::snprintf(info.dictionary_name, sizeof info.dictionary_name, "%s", dataset.name.c_str());
    return write_definition_file(base + dataset.name + ".dat", make_dataset_file(dataset.records)) &&
           write_definition_file(base + dataset.name + ".key", keys) &&
           write_definition_file(base + "plug-in/" + dataset.name + ".dic",
                                 make_dictionary_file(info, dataset.definitions));
}
