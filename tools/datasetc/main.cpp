// datasetc: compiles the dataset's readable sources into the files the program reads.
//   datasetc SOURCE_FOLDER OUTPUT_FOLDER   writes OUTPUT_FOLDER/NAME/: NAME.dat, NAME.key, plug-in/NAME.dic, add-in/
//   datasetc --check SOURCE_FOLDER         checks only
//   datasetc --check-dat FILE.dat          checks that every definition's records are consecutive
//   datasetc --list SOURCE_FOLDER          prints key id, extension and comment of every type, tab-separated
// Exit code 0 when all went well, 1 on problems in the sources (printed as file:line: text), 2 on bad usage.
#include "dataset_build.h"
#include "source_parser.h"
#include <cstdio>
#include <fstream>
#include <iterator>

namespace {

int usage()
{
    std::fprintf(stderr,
                 "usage: datasetc SOURCE_FOLDER OUTPUT_FOLDER\n"
                 "       datasetc --check SOURCE_FOLDER\n"
                 "       datasetc --check-dat FILE.dat\n"
                 "       datasetc --list SOURCE_FOLDER\n");
    return 2;
}

// Reads, resolves and checks the sources; 0 with the problems printed when there are any.
int load_sources(const std::string &folder, dataset_source *source)
{
    source_errors errors;
    if (!parse_source_folder(folder, source, &errors)) {
        std::fprintf(stderr, "%s: error: cannot read the source folder\n", folder.c_str());
        return 0;
    }
    if (errors.messages.empty()) resolve_dataset(source, &errors);
    if (errors.messages.empty()) check_run_order(*source, &errors);
    for (const std::string &message : errors.messages) std::fprintf(stderr, "%s\n", message.c_str());
    return errors.messages.empty();
}

int check_dat(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: error: cannot read\n", path.c_str());
        return 2;
    }
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<dataset_entry> records;
    for (size_t at = 0; at + 12 <= bytes.size(); at += 12) {
        const unsigned char *b = bytes.data() + at;
        records.push_back(dataset_entry{static_cast<uint16_t>(b[0] | b[1] << 8), 0, 0,
                                        static_cast<uint16_t>(b[10] | b[11] << 8)});
    }
    int split = find_split_definition(records);
    if (split < 0) return 0;
    std::fprintf(stderr, "%s: error: record %d names definition %u again after other definitions; "
                         "its records must be consecutive\n", path.c_str(), split, records[split].definition_id);
    return 1;
}

int list_types(const dataset_source &source)
{
    for (const type_source &t : source.types)
        std::printf("%d\t%s\t%s\n", t.key_id, t.extension.c_str(), t.comment.c_str());
    return 0;
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc != 3) return usage();
    std::string first = argv[1];
    if (first == "--check-dat") return check_dat(argv[2]);
    dataset_source source;
    std::string folder = first.compare(0, 2, "--") == 0 ? argv[2] : first;
    if (first != "--check" && first != "--list" && first.compare(0, 2, "--") == 0) return usage();
    if (!load_sources(folder, &source)) return 1;
    if (first == "--check") return 0;
    if (first == "--list") return list_types(source);
    compiled_dataset dataset;
    build_dataset(source, &dataset);
    int split = find_split_definition(dataset.records);
    if (split >= 0) {
        std::fprintf(stderr, "error: run-list record %d splits the records of definition %u\n", split,
                     dataset.records[split].definition_id);
        return 1;
    }
    std::string out = argv[2];
    if (!write_dataset(dataset, out + "/" + dataset.name)) {
        std::fprintf(stderr, "%s: error: cannot write the dataset\n", out.c_str());
        return 1;
    }
    return 0;
}
