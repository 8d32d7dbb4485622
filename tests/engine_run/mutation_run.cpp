// The target mutation run: at least 100,000 targets made from the samples (bit flips, truncations,
// insertions, zero-length, one-byte and all-0xFF files, a 200 MB sparse file, a file held by another handle)
// identified with the bundled dataset in one process. Every result must take its extensions from the key
// file or the marks and its comment from the key file or "None"/"read error"; every sixteenth target is
// identified twice and must give the same result both times. Exit code 0 when all held.
//   mutation_run DATASET_FOLDER SAMPLES_FOLDER [TARGETS]
#include "app_config.h"
#include "bounded_text.h"
#include "dataset_index.h"
#include "dataset_snapshot.h"
#include "identification_run.h"
#include "path_helpers.h"
#include <windows.h>
#include <winioctl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace {

struct mutation_state {
    uint32_t seed;
};

uint32_t next_random(mutation_state *state)
{
    state->seed = state->seed * 1664525u + 1013904223u;
    return state->seed >> 8;
}

std::vector<unsigned char> read_bytes(const std::string &path)
{
    std::vector<unsigned char> bytes;
    FILE *file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    unsigned char buffer[65536];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

int write_bytes(const std::string &path, const std::vector<unsigned char> &bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0;
    int ok = bytes.empty() || (WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                               written == bytes.size());
    CloseHandle(file);
    return ok;
}

// One mutation of a sample, chosen by number.
std::vector<unsigned char> mutate(const std::vector<unsigned char> &sample, int kind, mutation_state *state)
{
    std::vector<unsigned char> bytes = sample;
    size_t size = bytes.size();
    switch (kind) {
    case 0:  // one to eight bit flips, most in the first 64 bytes where the definitions look
    default: {
        int flips = 1 + static_cast<int>(next_random(state) % 8);
        for (int i = 0; i < flips && size > 0; i++) {
            size_t at = next_random(state) % (next_random(state) % 2 ? (size < 64 ? size : 64) : size);
            bytes[at] ^= static_cast<unsigned char>(1u << (next_random(state) % 8));
        }
        break;
    }
    case 1:  // truncation
        bytes.resize(size == 0 ? 0 : next_random(state) % size);
        break;
    case 2: {  // insertion of 1..16 random bytes
        size_t at = size == 0 ? 0 : next_random(state) % (size + 1);
        int count = 1 + static_cast<int>(next_random(state) % 16);
        std::vector<unsigned char> inserted;
        for (int i = 0; i < count; i++) inserted.push_back(static_cast<unsigned char>(next_random(state)));
        bytes.insert(bytes.begin() + static_cast<long>(at), inserted.begin(), inserted.end());
        break;
    }
    case 3:  // a random byte over a run of the first bytes
        for (size_t i = 0; i < size && i < 8; i++) bytes[i] = static_cast<unsigned char>(next_random(state));
        break;
    case 4:
        bytes.clear();
        break;
    case 5:
        bytes.assign(1, static_cast<unsigned char>(next_random(state)));
        break;
    case 6:
        bytes.assign(size, 0xFF);
        break;
    case 7:  // the sample's first bytes at the end of another sample-sized run of zeros
        bytes.assign(size, 0);
        for (size_t i = 0; i < 16 && i < size; i++) bytes[size - 1 - i] = sample[i];
        break;
    }
    return bytes;
}

std::string result_text(const identification_result &r)
{
    char scores[96];
    std::snprintf(scores, sizeof scores, "%.9g %.9g %.9g", static_cast<double>(r.first_score),
                  static_cast<double>(r.second_score), static_cast<double>(r.third_score));
    return std::string(r.first_extension) + "|" + r.second_extension + "|" + r.third_extension + "|" + scores + "|" +
           r.first_comment;
}

struct key_texts {
    std::set<std::string> extensions;
    std::set<std::string> comments;
};

key_texts read_key_texts(const char *key_path)
{
    key_texts texts;
    key_record key;
    for (int n = 0; read_key_record(nullptr, key_path, &key, n); n++) {
        texts.extensions.insert(key.extension);
        texts.comments.insert(key.comment);
    }
    texts.extensions.insert("???");
    texts.extensions.insert("---");
    texts.comments.insert("None");
    texts.comments.insert("read error");
    return texts;
}

// 1 when every text of the result is one the key file or the marks can give.
int result_is_valid(const identification_result &r, const key_texts &texts)
{
    return texts.extensions.count(r.first_extension) && texts.extensions.count(r.second_extension) &&
           texts.extensions.count(r.third_extension) && texts.comments.count(r.first_comment) &&
           r.first_score >= 0.0f && r.second_score >= 0.0f && r.third_score >= 0.0f;
}

struct run_totals {
    long identified;
    long invalid;
    long unstable;
};

void check_target(dataset_snapshot *snapshot, const std::string &path, int twice, const key_texts &texts,
                  run_totals *totals, const char *what)
{
    identification_result first = {};
    if (!identify_target_in(snapshot, path.c_str(), 1, &first)) {
        std::printf("FAIL: %s: not identified\n", what);
        totals->invalid++;
        return;
    }
    totals->identified++;
    if (!result_is_valid(first, texts)) {
        if (totals->invalid++ < 10) std::printf("FAIL: %s: %s\n", what, result_text(first).c_str());
    }
    if (!twice) return;
    identification_result second = {};
    identify_target_in(snapshot, path.c_str(), 1, &second);
    if (result_text(first) != result_text(second) && totals->unstable++ < 10)
        std::printf("FAIL: %s: %s then %s\n", what, result_text(first).c_str(), result_text(second).c_str());
}

std::vector<std::string> sample_paths(const std::string &folder)
{
    std::vector<std::string> paths;
    int count = count_folder_entries(nullptr, folder.c_str(), "*", LIST_FILES);
    if (count <= 0 || count > 100000) return paths;
    std::vector<char> slots(static_cast<size_t>(count) * PATH_SIZE);
    int listed = list_folder_paths(nullptr, folder.c_str(), slots.data(), count, PATH_SIZE, "*", LIST_FILES, 0);
    for (int i = 0; i < listed && i < count; i++) paths.push_back(&slots[static_cast<size_t>(i) * PATH_SIZE]);
    return paths;
}

// A 200 MB file of which only the first bytes (a sample's) are written.
int write_sparse_file(const std::string &path, const std::vector<unsigned char> &start)
{
    if (!write_bytes(path, start)) return 0;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD returned = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER size;
    size.QuadPart = 200LL * 1024 * 1024;
    int ok = SetFilePointerEx(file, size, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 3) {
        std::printf("usage: mutation_run DATASET_FOLDER SAMPLES_FOLDER [TARGETS]\n");
        return 2;
    }
    std::string dataset = argv[1];
    if (dataset.back() != '\\' && dataset.back() != '/') dataset += '\\';
    std::string samples_folder = argv[2];
    if (samples_folder.back() != '\\' && samples_folder.back() != '/') samples_folder += '\\';
    long wanted = argc > 3 ? std::atol(argv[3]) : 100000;
    std::string name = dataset.substr(0, dataset.size() - 1);
    size_t cut = name.find_last_of("\\/");
    if (cut != std::string::npos) name = name.substr(cut + 1);
    copy_text(g_app_config.dat_path, PATH_SIZE, (dataset + name + ".dat").c_str());
    copy_text(g_app_config.key_path, PATH_SIZE, (dataset + name + ".key").c_str());
    copy_text(g_app_config.plugin_folder, PATH_SIZE, (dataset + "plug-in\\").c_str());
    copy_text(g_app_config.addin_folder, PATH_SIZE, (dataset + "add-in\\").c_str());
    dataset_snapshot *snapshot = take_dataset_snapshot(g_app_config);
    if (snapshot == nullptr || snapshot->dat_size == 0) {
        std::printf("FAIL: no dataset at %s\n", dataset.c_str());
        return 1;
    }
    key_texts texts = read_key_texts(g_app_config.key_path);
    std::vector<std::vector<unsigned char>> samples;
    for (const std::string &path : sample_paths(samples_folder)) samples.push_back(read_bytes(path));
    if (samples.empty()) {
        std::printf("FAIL: no samples in %s\n", samples_folder.c_str());
        return 1;
    }
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string target = std::string(temp) + "quodra_mutation_" + std::to_string(GetCurrentProcessId()) + ".bin";
    run_totals totals = {};
    mutation_state state = {20261207u};
    DWORD start = GetTickCount();
    for (long i = 0; i < wanted; i++) {
        const std::vector<unsigned char> &sample = samples[static_cast<size_t>(i) % samples.size()];
        int kind = static_cast<int>((i / static_cast<long>(samples.size())) % 12);
        if (!write_bytes(target, mutate(sample, kind, &state))) {
            std::printf("FAIL: target %ld could not be written\n", i);
            return 1;
        }
        char what[64];
        std::snprintf(what, sizeof what, "target %ld (sample %zu, mutation %d)", i,
                      static_cast<size_t>(i) % samples.size(), kind);
        check_target(snapshot, target, i % 16 == 0, texts, &totals, what);
    }
    // The large, the held and the missing target.
    if (write_sparse_file(target, samples[0])) check_target(snapshot, target, 1, texts, &totals, "200 MB sparse file");
    else std::printf("note: no sparse file could be made here\n");
    write_bytes(target, samples[0]);
    HANDLE holder = CreateFileA(target.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    check_target(snapshot, target, 1, texts, &totals, "file held by another handle");
    if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
    DeleteFileA(target.c_str());
    check_target(snapshot, target, 1, texts, &totals, "missing file");
    release_dataset_snapshot(snapshot);
    std::printf("%ld targets identified in %.1f s: %ld with texts from outside the key file, %ld unstable\n",
                totals.identified, (GetTickCount() - start) / 1000.0, totals.invalid, totals.unstable);
    return totals.invalid == 0 && totals.unstable == 0 && totals.identified >= wanted ? 0 : 1;
}
