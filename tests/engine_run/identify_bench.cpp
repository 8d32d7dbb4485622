// Identification speed: writes a small and a large dataset with the definition writers, identifies every
// file of a folder against each, and prints files per second, the median time per file, and how much of
// it goes to the run-list reads (one open of the .dat per record) and the definition lookups (one folder
// enumeration and header reads per change of definition).
//   identify_bench [folder]      folder: the files to identify (default: 40 generated sample files; the
//                                large dataset takes the first 10 of them)
//   identify_bench --quick       tiny datasets and few files, to check that the program runs
#include "app_config.h"
#include "bounded_text.h"
#include "dataset_index.h"
#include "definition_writer.h"
#include "identify.h"
#include "path_helpers.h"
#include <windows.h>
#include <algorithm>
#include <cstdlib>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct dataset_shape {
    const char *name;
    int plugins;            // *.plg files
    int dictionaries;       // *.dic files
    int dictionary_entries; // entries per dictionary
    int option_plugins;     // *.opg files
    int records;            // run-list records in all
};

double now_ms()
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::string make_folder(const std::string &path)
{
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

void remove_tree(const std::string &folder)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) remove_tree(folder + name + "\\");
            else DeleteFileA((folder + name).c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(folder.c_str());
}

const char *const MAGICS[] = {"RIFF", "MZ", "PK", "%PDF", "GIF8", "\x89PNG", "BM", "ID3"};

// Score settings that read the file three times (extension, text, size) and probe its start.
void realistic_scores(score_settings *settings, pattern_table *patterns, int definition, int key)
{
    settings->enabled = 1;
    settings->ext_check = 1;
    settings->ext_score = 200;
    settings->text_check = 1;
    settings->text_score = 80;
    settings->size_check = 1;
    settings->size_reference = 10000;
    settings->size_step = 1000;
    settings->size_base_score = 90;
    settings->size_step_penalty = 1.0f;
    settings->pattern_check = 1;
    patterns->count = 1;
    patterns->key_id[0] = static_cast<uint16_t>(key);
    patterns->base_score[0] = 70;
    patterns->probe[0] = 1;
    copy_text(patterns->signature[0], sizeof patterns->signature[0], MAGICS[definition % 8]);
    patterns->found_score[0] = 95;
}

// Definition i: term test for a magic (i % 3 == 0), run-of-bytes sum (1), or no judging step (2).
plugin_definition bench_plugin(int i, int key)
{
    plugin_definition definition;
    clear_plugin_definition(&definition);
    std::snprintf(definition.header.name, sizeof definition.header.name, "bench %d", i);
    definition.header.definition_id = static_cast<uint16_t>(i);
    if (i % 3 != 2) {
        definition.header.flags = DEFINITION_FLAG_SIGNATURE;
        definition.with_options = 1;
    }
    if (i % 3 == 0) {
        definition.header.option_mode = 1;
        copy_text(definition.options.terms[0], sizeof definition.options.terms[0], "a");
        copy_text(definition.options.terms[2], sizeof definition.options.terms[2], MAGICS[i % 8]);
        definition.options.params[0] = 16;
        definition.options.params[2] = 1;
        definition.options.params[3] = 2;
    } else if (i % 3 == 1) {
        definition.header.option_mode = 0;
        definition.header.option_source = 2;
        definition.options.params[0] = 16;
        definition.options.params[2] = 1;
    }
    realistic_scores(&definition.settings, &definition.patterns, i, key);
    return definition;
}

option_plugin_definition bench_option_plugin(int i, int key)
{
    option_plugin_definition definition;
    clear_option_plugin_definition(&definition);
    std::snprintf(definition.options.name, sizeof definition.options.name, "bench option %d", i);
    definition.options.definition_id = static_cast<uint16_t>(i);
    definition.options.option_mode = 1;
    copy_text(definition.options.terms[0], sizeof definition.options.terms[0], "a|b");
    copy_text(definition.options.terms[2], sizeof definition.options.terms[2], MAGICS[i % 8]);
    copy_text(definition.options.terms[3], sizeof definition.options.terms[3], "text");
    definition.options.params[0] = 64;
    definition.options.params[1] = 1;
    definition.options.params[2] = 1;
    definition.options.params[3] = 2;
    definition.with_score_settings = 1;
    definition.with_pattern_table = 1;
    realistic_scores(&definition.settings, &definition.patterns, i, key);
    return definition;
}

// The expectation record j of definition i holds: for one definition in five, its first record expects
// the judgement the definition gives many files (likely_b); every other record expects a value no
// judgement yields.
dataset_entry bench_record(int i, int j, int key, uint32_t likely_b)
{
    dataset_entry entry = {static_cast<uint16_t>(i), 0, static_cast<uint32_t>(900000 + j), static_cast<uint16_t>(key)};
    if (j == 0 && i % 5 == 0) entry.expect_b = likely_b;
    return entry;
}

// Term definitions hold (1) for files with their magic, definitions without a judging step give 0.
uint32_t likely_plugin_judgement(int i)
{
    return i % 3 == 0 ? 1 : i % 3 == 2 ? 0 : 900000;
}

// Key ids of the records that expect a likely judgement: the candidates' keys, for the key-search figure.
std::vector<uint16_t> g_likely_keys;

int write_dataset(const std::string &folder, const dataset_shape &shape)
{
    g_likely_keys.clear();
    std::string plugins = make_folder(folder + "plug-in\\");
    make_folder(folder + "add-in\\");
    int definitions = shape.plugins + shape.dictionaries * shape.dictionary_entries + shape.option_plugins;
    int key_count = 500;
    std::vector<uint32_t> likely(static_cast<size_t>(definitions) + 1, 0);
    int id = 1;
    for (int p = 0; p < shape.plugins; p++, id++) {
        likely[static_cast<size_t>(id)] = likely_plugin_judgement(id);
        if (!write_definition_file(plugins + "p" + std::to_string(id) + ".plg",
                                   make_plugin_file(bench_plugin(id, id % key_count + 1))))
            return 0;
    }
    for (int d = 0; d < shape.dictionaries; d++) {
        std::vector<plugin_definition> entries;
        for (int e = 0; e < shape.dictionary_entries; e++, id++) {
            likely[static_cast<size_t>(id)] = likely_plugin_judgement(id);
            entries.push_back(bench_plugin(id, id % key_count + 1));
        }
        dictionary_info info = {};
        copy_text(info.dictionary_name, sizeof info.dictionary_name, "bench dictionary");
        if (!write_definition_file(plugins + "d" + std::to_string(d) + ".dic", make_dictionary_file(info, entries)))
            return 0;
    }
    for (int o = 0; o < shape.option_plugins; o++, id++) {
        likely[static_cast<size_t>(id)] = 1;  // the magic or the word "text"
        std::string text;
        if (!make_option_plugin_text(bench_option_plugin(id, id % key_count + 1), TEXT_LINE_END_CRLF, &text) ||
            !write_definition_text(plugins + "o" + std::to_string(id) + ".opg", text))
            return 0;
    }
    std::vector<dataset_entry> records;
    for (int i = 1; i <= definitions; i++) {
        int share = shape.records / definitions + (i <= shape.records % definitions ? 1 : 0);
        for (int j = 0; j < share; j++) {
            records.push_back(bench_record(i, j, (i * 7 + j) % key_count + 1, likely[static_cast<size_t>(i)]));
            if (records.back().expect_b < 900000) g_likely_keys.push_back(records.back().key_id);
        }
    }
    std::vector<key_entry> keys;
    for (int k = 1; k <= key_count; k++) {
        char extension[8];
        std::snprintf(extension, sizeof extension, "e%03d", k);
        keys.push_back({static_cast<uint16_t>(k), extension, "bench file type " + std::to_string(k)});
    }
    std::vector<unsigned char> key_bytes;
    return make_key_file(keys, &key_bytes) && write_definition_file(folder + "bench.key", key_bytes) &&
           write_definition_file(folder + "bench.dat", make_dataset_file(records));
}

void use_dataset(const std::string &folder)
{
    copy_text(g_app_config.key_path, sizeof g_app_config.key_path, (folder + "bench.key").c_str());
    copy_text(g_app_config.dat_path, sizeof g_app_config.dat_path, (folder + "bench.dat").c_str());
    copy_text(g_app_config.plugin_folder, sizeof g_app_config.plugin_folder, (folder + "plug-in\\").c_str());
    copy_text(g_app_config.addin_folder, sizeof g_app_config.addin_folder, (folder + "add-in\\").c_str());
}

// Sample targets: text, binary with each magic, of sizes from 100 bytes to 64 KB.
std::vector<std::string> write_samples(const std::string &folder, int count)
{
    std::vector<std::string> paths;
    for (int i = 0; i < count; i++) {
        size_t size = static_cast<size_t>(100) << (i % 10);
        std::string bytes;
        if (i % 4 == 3) {
            while (bytes.size() < size) bytes += "plain text line " + std::to_string(bytes.size()) + "\r\n";
        } else {
            bytes = MAGICS[i % 8];
            for (size_t k = bytes.size(); k < size; k++) bytes += static_cast<char>((k * 31 + i) & 0xFF);
        }
        std::string path = folder + "sample" + std::to_string(i) + (i % 2 ? ".bin" : ".dat");
        FILE *file = std::fopen(path.c_str(), "wb");
        if (file == nullptr) continue;
        std::fwrite(bytes.data(), 1, bytes.size(), file);
        std::fclose(file);
        paths.push_back(path);
    }
    return paths;
}

std::vector<std::string> files_of(const std::string &folder)
{
    std::vector<std::string> paths;
    int count = count_folder_entries(nullptr, folder.c_str(), "*", LIST_FILES);
    if (count <= 0 || count > 100000) return paths;
    std::vector<char> slots(static_cast<size_t>(count) * PATH_SIZE);
    int listed = list_folder_paths(nullptr, folder.c_str(), slots.data(), count, PATH_SIZE, "*", LIST_FILES, 0);
    for (int i = 0; i < listed && i < count; i++) paths.push_back(&slots[static_cast<size_t>(i) * PATH_SIZE]);
    return paths;
}

// The run's last status text is "[n]", the candidate count: the report sink records it so that the count
// of each identification can be read.
int g_last_candidate_count = 0;

void record_candidate_count(const char *text)
{
    if (text != nullptr && text[0] == '[') g_last_candidate_count = std::atoi(text + 1);
}

void capture_candidate_counts()
{
    report_sink sink = {nullptr, record_candidate_count, nullptr};
    install_report_sink(&sink);
}

double median_of(std::vector<double> values)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2.0;
}

struct repeated_costs {
    int records;
    size_t changes;
    double record_ms;   // every record of the run list read with one open of the .dat each
    double once_ms;     // the whole .dat in one read, for comparison
    double lookup_ms;   // one lookup per change of definition
    double key_ms;      // one search of the key file from record 0, averaged over the candidates' keys
};

// The written algorithm's two repeated costs, measured alone for one identification's worth of work.
repeated_costs measure_repeated_costs()
{
    repeated_costs costs = {};
    double start = now_ms();
    std::vector<uint16_t> changes;
    dataset_record record;
    while (read_dataset_record(nullptr, g_app_config.dat_path, &record, costs.records)) {
        if (changes.empty() || changes.back() != record.definition_id) changes.push_back(record.definition_id);
        costs.records++;
    }
    costs.record_ms = now_ms() - start;
    start = now_ms();
    FILE *file = std::fopen(g_app_config.dat_path, "rb");
    std::vector<unsigned char> whole(static_cast<size_t>(costs.records) * DATASET_FILE_RECORD_SIZE + 1);
    if (file) {
        std::fread(whole.data(), 1, whole.size(), file);
        std::fclose(file);
    }
    costs.once_ms = now_ms() - start;
    start = now_ms();
    char path[PATH_SIZE];
    int entry = 0;
    for (uint16_t id : changes) find_definition_by_id(nullptr, g_app_config.plugin_folder, id, path, sizeof path, &entry);
    costs.lookup_ms = now_ms() - start;
    costs.changes = changes.size();
    start = now_ms();
    key_record key;
    for (uint16_t id : g_likely_keys) find_key_record(g_app_config.key_path, id, &key);
    costs.key_ms = g_likely_keys.empty() ? 0.0 : (now_ms() - start) / static_cast<double>(g_likely_keys.size());
    return costs;
}

// Median of three measurements of each cost, printed with its share of the median identification.
// Every candidate searches the key file once for its extension, and the ranking once per place.
void print_repeated_costs(double per_file_ms, double candidates)
{
    std::vector<double> records, once, lookups, keys;
    repeated_costs costs = {};
    for (int i = 0; i < 3; i++) {
        costs = measure_repeated_costs();
        records.push_back(costs.record_ms);
        once.push_back(costs.once_ms);
        lookups.push_back(costs.lookup_ms);
        keys.push_back(costs.key_ms);
    }
    double places = candidates < 3.0 ? candidates : 3.0;
    double key_ms = median_of(keys) * (candidates + places);
    double record_ms = median_of(records);
    double lookup_ms = median_of(lookups);
    std::printf("  run-list reads: %d records, %.2f ms (one open each; the whole file in one read: %.3f ms)\n",
                costs.records, record_ms, median_of(once));
    std::printf("  definition lookups: %zu changes of definition, %.2f ms (%.3f ms each)\n", costs.changes, lookup_ms,
                costs.changes == 0 ? 0.0 : lookup_ms / static_cast<double>(costs.changes));
    std::printf("  key searches: %.0f candidates + %.0f places, %.3f ms each (one open per key record): %.2f ms\n",
                candidates, places, median_of(keys), key_ms);
    if (per_file_ms > 0.0)
        std::printf("  against the median identification: run-list reads %.0f %%, lookups %.0f %%, key searches %.0f %%,"
                    " together %.0f %%\n",
                    100.0 * record_ms / per_file_ms, 100.0 * lookup_ms / per_file_ms, 100.0 * key_ms / per_file_ms,
                    100.0 * (record_ms + lookup_ms + key_ms) / per_file_ms);
}

int bench_dataset(const std::string &root, const dataset_shape &shape, std::vector<std::string> targets, size_t max_files)
{
    std::string folder = make_folder(root + shape.name + "\\");
    double start = now_ms();
    if (!write_dataset(folder, shape)) {
        std::printf("%s: the dataset could not be written\n", shape.name);
        return 0;
    }
    double written_ms = now_ms() - start;
    use_dataset(folder);
    if (targets.size() > max_files) targets.resize(max_files);
    int definitions = shape.plugins + shape.dictionaries * shape.dictionary_entries + shape.option_plugins;
    std::printf("dataset %s: %d definitions (%d .plg, %d .dic x %d entries, %d .opg), %d records, written in %.0f ms\n",
                shape.name, definitions, shape.plugins, shape.dictionaries, shape.dictionary_entries,
                shape.option_plugins, shape.records, written_ms);
    std::vector<double> times;
    std::vector<double> counts;
    int with_candidates = 0;
    double all_start = now_ms();
    for (const std::string &target : targets) {
        double one = now_ms();
        identify_file(nullptr, target.c_str(), 0);  // as the main window runs it: status texts on
        times.push_back(now_ms() - one);
        counts.push_back(g_last_candidate_count);
        if (std::strcmp(g_identification_result.first_extension, "???") != 0) with_candidates++;
    }
    double all_ms = now_ms() - all_start;
    double median = median_of(times);
    std::printf("  identify: %zu files in %.0f ms: %.2f files/s, median %.2f ms per file (%d with candidates,"
                " median %.0f candidates)\n",
                targets.size(), all_ms, all_ms > 0.0 ? 1000.0 * static_cast<double>(targets.size()) / all_ms : 0.0,
                median, with_candidates, median_of(counts));
    print_repeated_costs(median, median_of(counts));
    remove_tree(folder);
    return with_candidates > 0 || targets.empty();
}

}  // namespace

int main(int argc, char **argv)
{
    int quick = argc > 1 && std::strcmp(argv[1], "--quick") == 0;
    capture_candidate_counts();
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string root = make_folder(std::string(temp) + "quodra_bench_" + std::to_string(GetCurrentProcessId()) + "\\");
    std::vector<std::string> targets;
    if (argc > 1 && !quick) {
        std::string folder = argv[1];
        if (!folder.empty() && folder.back() != '\\') folder += '\\';
        targets = files_of(folder);
    } else {
        targets = write_samples(make_folder(root + "samples\\"), quick ? 4 : 40);
    }
    const dataset_shape small = {"small", 6, 1, 2, 2, 200};
    const dataset_shape large = {"large", 150, 4, 25, 50, 5000};
    const dataset_shape tiny = {"tiny", 2, 1, 2, 1, 20};
    int ok = 1;
    if (quick) {
        ok = bench_dataset(root, tiny, targets, targets.size());
    } else {
        // The large dataset takes seconds per file: a sample of the files keeps the run to minutes.
        ok = bench_dataset(root, small, targets, targets.size()) && bench_dataset(root, large, targets, 10);
    }
    remove_tree(root);
    return ok ? 0 : 1;
}
