// Seeded mutation test: valid plug-ins, dictionaries and text option plug-ins from the writers are
// damaged (bit flips, truncations, insertions, deletions, line damage) and every loader runs on each
// result. Nothing may crash, write outside its record, or leave a text field without its terminator.
#include <gtest/gtest.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <windows.h>
#include "defs_fixtures.h"
#include "dictionary_loader.h"
#include "plugin_loader.h"
#include "test_files.h"
#include "text_option_loader.h"

namespace {

// xorshift64*: the same sequence on every run and every build.
struct mutation_random {
    uint64_t state;
    uint32_t next()
    {
        state ^= state >> 12;
        state ^= state << 25;
        state ^= state >> 27;
        return static_cast<uint32_t>((state * 2685821657736338717ULL) >> 32);
    }
    size_t below(size_t limit) { return limit == 0 ? 0 : next() % limit; }
};

const unsigned char GUARD_BYTE = 0xC5;

// A record with guard bytes on both sides, to catch a write past either end.
template <typename T> struct guarded {
    unsigned char before[32];
    T record;
    unsigned char after[32];
    void arm()
    {
        std::memset(before, GUARD_BYTE, sizeof before);
        std::memset(&record, 0x5A, sizeof record);
        std::memset(after, GUARD_BYTE, sizeof after);
    }
    int intact() const
    {
        for (size_t i = 0; i < sizeof before; ++i)
            if (before[i] != GUARD_BYTE || after[i] != GUARD_BYTE) return 0;
        return 1;
    }
};

int terminated(const char *text, size_t size) { return std::memchr(text, 0, size) != nullptr; }

struct mutation_stats {
    long files = 0;
    long loaded[12] = {};
    long faults = 0;
};

void fault(mutation_stats *stats, long file, const char *what)
{
    if (stats->faults++ < 20) ADD_FAILURE() << "mutant " << file << ": " << what;
}

void check_header(mutation_stats *s, long file, const guarded<plugin_header> &h, int loaded)
{
    if (!h.intact()) fault(s, file, "plugin_header guard");
    if (!terminated(h.record.name, sizeof h.record.name) || !terminated(h.record.extra_text, sizeof h.record.extra_text))
        fault(s, file, "header text unterminated");
    if (!loaded && !all_zero(h.record)) fault(s, file, "failed header not zero");
}

void check_settings(mutation_stats *s, long file, const guarded<score_settings> &g, int loaded)
{
    if (!g.intact()) fault(s, file, "score_settings guard");
    if (!loaded && !all_zero(g.record)) fault(s, file, "failed settings not zero");
    if (loaded && g.record.pattern_score != (g.record.pattern_check == 1 ? 0.0f : 50.0f))
        fault(s, file, "pattern_score does not follow pattern_check");
}

void check_table(mutation_stats *s, long file, const guarded<pattern_table> &g, int loaded)
{
    const pattern_table &t = g.record;
    if (!g.intact()) fault(s, file, "pattern_table guard");
    if (t.count > PATTERN_ENTRY_MAX) fault(s, file, "count above 50");
    for (int i = 0; i < PATTERN_ENTRY_MAX; ++i)
        if (!terminated(t.signature[i], sizeof t.signature[i])) fault(s, file, "signature unterminated");
    if (!loaded && !all_zero(t)) fault(s, file, "failed table not zero");
}

void check_options(mutation_stats *s, long file, const guarded<option_record> &g, int loaded)
{
    const option_record &o = g.record;
    if (!g.intact()) fault(s, file, "option_record guard");
    int ok = terminated(o.name, sizeof o.name) && terminated(o.extra_text, sizeof o.extra_text);
    for (int i = 0; i < DEFINITION_TERM_COUNT; ++i) ok = ok && terminated(o.terms[i], sizeof o.terms[i]);
    for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i) ok = ok && terminated(o.notes[i], sizeof o.notes[i]);
    if (!ok) fault(s, file, "option text unterminated");
    if (!loaded && !all_zero(o) && o.definition_id <= 4095) fault(s, file, "failed options not zero");
}

// The binary loaders on record n in mode.
void run_plugin_loaders(mutation_stats *s, long file, const char *path, int n, int mode)
{
    guarded<plugin_header> header;
    guarded<score_settings> settings;
    guarded<pattern_table> table;
    guarded<option_record> options;
    header.arm();
    int loaded = read_plugin_header(nullptr, path, &header.record, n, mode);
    s->loaded[0] += loaded;
    check_header(s, file, header, loaded);
    settings.arm();
    loaded = read_score_settings(nullptr, path, &settings.record, n, mode);
    s->loaded[1] += loaded;
    check_settings(s, file, settings, loaded);
    table.arm();
    loaded = read_pattern_table(nullptr, path, &table.record, n, mode);
    s->loaded[2] += loaded;
    check_table(s, file, table, loaded);
    header.arm();
    options.arm();
    loaded = read_plugin_options(nullptr, path, &header.record, &options.record, n, mode);
    s->loaded[3] += loaded;
    check_header(s, file, header, 1);
    check_options(s, file, options, loaded);
}

// The dictionary header, then the binary loaders on one of its records.
void run_dictionary_loaders(mutation_stats *s, long file, const char *path, mutation_random *random)
{
    guarded<dictionary_info> info;
    info.arm();
    int loaded = read_dictionary_info(nullptr, path, &info.record);
    s->loaded[4] += loaded;
    if (!info.intact()) fault(s, file, "dictionary_info guard");
    if (!terminated(info.record.dictionary_name, sizeof info.record.dictionary_name) ||
        !terminated(info.record.carried_text, sizeof info.record.carried_text) ||
        !terminated(info.record.carried_code, sizeof info.record.carried_code))
        fault(s, file, "dictionary text unterminated");
    if (!loaded && !all_zero(info.record)) fault(s, file, "failed dictionary_info not zero");
    if (loaded && info.record.record_count > 0)
        run_plugin_loaders(s, file, path, 1 + static_cast<int>(random->below(info.record.record_count)), 1);
}

void run_text_loaders(mutation_stats *s, long file, const char *path)
{
    guarded<option_record> options;
    guarded<score_settings> settings;
    guarded<pattern_table> table;
    options.arm();
    int loaded = read_text_options(nullptr, path, &options.record);
    s->loaded[5] += loaded;
    check_options(s, file, options, 1);
    if (loaded && options.record.definition_id > 4095) fault(s, file, "id above 4095 accepted");
    settings.arm();
    loaded = read_text_score_settings(nullptr, path, &settings.record);
    s->loaded[6] += loaded;
    check_settings(s, file, settings, loaded);
    table.arm();
    loaded = read_text_pattern_table(nullptr, path, &table.record);
    s->loaded[7] += loaded;
    check_table(s, file, table, loaded);
}

enum base_kind { BASE_PLUGIN, BASE_DICTIONARY, BASE_TEXT };

// The loaders of the file's own kind; every tenth file meets all of them.
void run_loaders(mutation_stats *s, long file, const char *path, base_kind kind, mutation_random *random)
{
    int all = file % 10 == 0;
    if (all || kind == BASE_PLUGIN) run_plugin_loaders(s, file, path, 0, 0);
    if (all || kind == BASE_DICTIONARY) run_dictionary_loaders(s, file, path, random);
    if (all || kind == BASE_TEXT) run_text_loaders(s, file, path);
}

// Replaces the file at path (opened, written, cut to length: cheaper than creating it anew).
int rewrite_file(const std::string &path, const std::vector<unsigned char> &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ok = ok && SetEndOfFile(file);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// Byte-level damage that keeps the magic in most cases, so the loaders read on.
void damage_bytes(std::vector<unsigned char> *bytes, mutation_random *r)
{
    std::vector<unsigned char> &b = *bytes;
    size_t keep = std::min<size_t>(r->below(8) == 0 ? 0 : 6, b.size());
    static const unsigned char special[] = {0, 0xFF, '\n', '\r', ' ', 0x1A, '0', '9', '-', 0x81, 'E', 'N', 'D'};
    switch (r->below(6)) {
    case 0:  // flips
        for (size_t k = 1 + r->below(16); k > 0 && b.size() > keep; --k)
            b[keep + r->below(b.size() - keep)] ^= static_cast<unsigned char>(1u << r->below(8));
        break;
    case 1:  // special bytes
        for (size_t k = 1 + r->below(8); k > 0 && b.size() > keep; --k)
            b[keep + r->below(b.size() - keep)] = special[r->below(sizeof special)];
        break;
    case 2:  // truncation
        b.resize(r->below(b.size() + 1));
        break;
    case 3: {  // insertion
        size_t at = keep + r->below(b.size() - keep + 1);
        std::vector<unsigned char> run(1 + r->below(r->below(4) == 0 ? 400 : 40));
        for (unsigned char &c : run) c = r->below(2) ? special[r->below(sizeof special)] : static_cast<unsigned char>(r->next());
        b.insert(b.begin() + static_cast<long>(at), run.begin(), run.end());
        break;
    }
    case 4: {  // deletion
        if (b.size() <= keep) break;
        size_t at = keep + r->below(b.size() - keep);
        size_t length = 1 + r->below(std::min<size_t>(b.size() - at, 300));
        b.erase(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at + length));
        break;
    }
    default:  // a 32-bit value somewhere set to an extreme
        if (b.size() >= keep + 4) {
            size_t at = keep + r->below(b.size() - keep - 3);
            uint32_t value = r->below(2) ? 0xFFFFFFFFu : 0x80000000u;
            std::memcpy(b.data() + at, &value, 4);
        }
        break;
    }
}

// Line-level damage of a text file.
void damage_lines(std::vector<unsigned char> *bytes, mutation_random *r)
{
    std::string text(bytes->begin(), bytes->end());
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t at; (at = text.find('\n', start)) != std::string::npos; start = at + 1)
        lines.push_back(text.substr(start, at + 1 - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    if (lines.size() < 2) return;
    size_t i = 1 + r->below(lines.size() - 1);
    std::string &line = lines[i];
    switch (r->below(8)) {
    case 0: lines.erase(lines.begin() + static_cast<long>(i)); break;
    case 1: lines.insert(lines.begin() + static_cast<long>(i), line); break;
    case 2: line.insert(r->below(line.size() + 1), std::string(1 + r->below(300), static_cast<char>('!' + r->below(90)))); break;
    case 3: line.erase(r->below(line.size() + 1), 1 + r->below(12)); break;
    case 4: {  // another line end
        static const char *ends[] = {"\n", "\r\n", "\r", "", "\r\r\n", "\n\n"};
        while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
        line += ends[r->below(6)];
        break;
    }
    case 5: line.insert(r->below(line.size() + 1), std::string(1 + r->below(4), '\0')); break;
    case 6: line.insert(r->below(line.size() + 1), " " + std::string(100 + r->below(200), 'W') + " "); break;
    default: line.replace(0, std::min<size_t>(line.size(), 12), ":---end----:"); break;
    }
    std::string joined;
    for (const std::string &l : lines) joined += l;
    bytes->assign(joined.begin(), joined.end());
}

struct base_file {
    base_kind kind;
    std::vector<unsigned char> bytes;
};

std::vector<base_file> base_files()
{
    std::vector<base_file> files;
    files.push_back({BASE_PLUGIN, make_plugin_file(sample_plugin(77, 20, 1))});
    plugin_definition full = sample_plugin(78, 50, 0);
    full.end_mark = 0;
    files.push_back({BASE_PLUGIN, make_plugin_file(full)});
    dictionary_info info;
    std::memset(&info, 0, sizeof info);
    std::strcpy(info.dictionary_name, "mutants");
    files.push_back({BASE_DICTIONARY,
                     make_dictionary_file(info, {sample_plugin(1, 5, 1), sample_plugin(2, 50, 0), sample_plugin(3, 0, 1)})});
    std::string text;
    EXPECT_EQ(1, make_option_plugin_text(sample_option_plugin(300, 12), TEXT_LINE_END_CRLF, &text));
    files.push_back({BASE_TEXT, std::vector<unsigned char>(text.begin(), text.end())});
    option_plugin_definition many = sample_option_plugin(301, 50);
    many.end_line = 0;
    EXPECT_EQ(1, make_option_plugin_text(many, TEXT_LINE_END_LF, &text));
    files.push_back({BASE_TEXT, std::vector<unsigned char>(text.begin(), text.end())});
    return files;
}

TEST(DefinitionMutation, DamagedFilesNeverBreakTheLoaders)
{
    const long mutants_per_base = 4000;
    std::string folder = make_test_folder("defs_mutation");
    std::string path = folder + "mutant.bin";
    std::vector<base_file> bases = base_files();
    mutation_random random = {0x5EED2026C0FFEEULL};
    mutation_stats stats;
    auto started = std::chrono::steady_clock::now();
    for (size_t b = 0; b < bases.size(); ++b) {
        int text = bases[b].kind == BASE_TEXT;
        for (long m = 0; m < mutants_per_base; ++m) {
            std::vector<unsigned char> bytes = bases[b].bytes;
            for (size_t k = 1 + random.below(3); k > 0; --k) {
                if (text && random.below(2)) damage_lines(&bytes, &random);
                else damage_bytes(&bytes, &random);
            }
            ASSERT_EQ(1, rewrite_file(path, bytes));
            run_loaders(&stats, stats.files, path.c_str(), bases[b].kind, &random);
            ++stats.files;
        }
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("[ mutation ] %ld files in %.1f s; loaded: header %ld, settings %ld, table %ld, options %ld, "
                "dictionary %ld, text options %ld, text settings %ld, text table %ld\n",
                stats.files, seconds, stats.loaded[0], stats.loaded[1], stats.loaded[2], stats.loaded[3],
                stats.loaded[4], stats.loaded[5], stats.loaded[6], stats.loaded[7]);
    remove_folder_tree(folder);
    EXPECT_EQ(0, stats.faults);
    // The damage must leave enough files loadable for the loaders to be exercised past their magic.
    EXPECT_GT(stats.loaded[0], stats.files / 4);
    EXPECT_GT(stats.loaded[3], stats.files / 8);
    EXPECT_GT(stats.loaded[4], stats.files / 8);
    EXPECT_GT(stats.loaded[5], stats.files / 4);
    EXPECT_GT(stats.loaded[6], stats.files / 4);
    EXPECT_GT(stats.loaded[7], stats.files / 4);
}

}  // namespace
