// Bulk identification speed: the samples of tests/samples copied again and again into one folder (each
// copy named with its manifest extension, so only a wrong first candidate asks for a rename, answered
// No), then the bulk change's own selection and walk over the folder with the bundled dataset, and the
// bare identification run over the same files for comparison. Prints files per second of both.
//   bulk_bench [count]     count: files in the folder (default 1000)
#include "app_config.h"
#include "box_answerer.h"
#include "bulk_change.h"
#include "identify.h"
#include "path_helpers.h"
#include "test_files.h"
#include <windows.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace {

double now_ms()
{
    static LARGE_INTEGER frequency = {};
    if (frequency.QuadPart == 0) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

// Sample names with their first manifest extension.
std::vector<std::pair<std::string, std::string>> read_manifest(const std::string &samples)
{
    std::vector<std::pair<std::string, std::string>> rows;
    std::ifstream manifest(samples + "MANIFEST");
    std::string line;
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string name, extensions;
        if (!std::getline(fields, name, '\t') || !std::getline(fields, extensions, '\t')) continue;
        rows.push_back({name, extensions.substr(0, extensions.find(','))});
    }
    return rows;
}

struct bench_count {
    int files = 0;
};

void count_step(void *context)
{
    static_cast<bench_count *>(context)->files++;
}

}  // namespace

int main(int argc, char **argv)
{
    int wanted = argc > 1 ? std::atoi(argv[1]) : 1000;
    if (wanted <= 0) wanted = 1000;
    std::string samples = std::string(QUODRA_SOURCE_DIR) + "/tests/samples/";
    std::vector<std::pair<std::string, std::string>> rows = read_manifest(samples);
    if (rows.empty()) {
        std::printf("no samples in %s\n", samples.c_str());
        return 1;
    }

    std::string work = make_test_folder("bulk_bench");
    std::string files = work + "files\\";
    CreateDirectoryA(files.c_str(), nullptr);
    for (int i = 0; i < wanted; i++) {
        const auto &row = rows[static_cast<size_t>(i) % rows.size()];
        std::string name = row.first + "_" + std::to_string(i) + "." + row.second;
        CopyFileA((samples + row.first).c_str(), (files + name).c_str(), FALSE);
    }
    std::string ini = work + "quodra.ini";
    write_file_text(ini, "[DATASET]\r\nusedataset=1\r\ndatasetname1=vlm_gene_036\r\n[BASIC]\r\nattachext=0\r\n");
    std::strcpy(g_app_config.ini_path, ini.c_str());
    set_definition_paths(&g_app_config);

    box_answerer answerer;
    start_answering_boxes(&answerer, "拡張子の訂正", IDNO);
    double start = now_ms();
    char *slots = nullptr;
    int count = select_bulk_entries(files.c_str(), "*.*", LIST_FILES_AND_FOLDERS, &slots);
    bench_count counted;
    bulk_run_hooks hooks = {&counted, count_step, nullptr, nullptr, nullptr};
    int identified = bulk_identify_entries(slots, count, &hooks);
    double elapsed = now_ms() - start;
    stop_answering_boxes(&answerer);

    // The engine alone over the same (unchanged) files.
    double bare_start = now_ms();
    for (int i = 0; i < count; i++) identify_file(nullptr, slots + static_cast<size_t>(i) * PATH_SIZE, 2);
    double bare = now_ms() - bare_start;
    std::free(slots);
    remove_folder_tree(work);

    std::printf("bulk identification: %d files (%d distinct samples) in %.0f ms: %.1f files/s, %.1f ms a file; "
                "%d asked about (first candidate not the manifest's first extension)\n",
                identified, static_cast<int>(rows.size()), elapsed, identified * 1000.0 / elapsed,
                elapsed / (identified > 0 ? identified : 1), answerer.answered);
    std::printf("identify_file alone over the same files: %.0f ms: %.1f files/s\n", bare,
                count * 1000.0 / (bare > 0 ? bare : 1));
    return identified == wanted && counted.files == wanted ? 0 : 1;
}
