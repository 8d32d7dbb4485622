// karvoc, the console identifier: karvoc [--tsv] [-r] FILE|FOLDER...
// Reads quodra.ini beside the program as karvo does (writing the first-run values when there is none, so
// the bundled dataset vlm_gene_036 is the one used), then identifies every file named or found in a folder.
#include "config.h"
#include "console_text.h"
#include "karvoc_run.h"
#include <shellapi.h>
#include <string>
#include <vector>

namespace {

// The arguments as UTF-8, from the wide command line: the ANSI argv has lost every name outside the ANSI
// code page (café.dat arrives as cafe.dat, another file).
std::vector<std::string> utf8_arguments()
{
    std::vector<std::string> words;
    int count = 0;
    wchar_t **wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (wide == nullptr) return words;
    for (int i = 0; i < count; i++) words.push_back(wide_to_utf8(wide[i]));
    LocalFree(wide);
    return words;
}

}  // namespace

int main(int, char **)
{
    install_karvoc_reporting(GetStdHandle(STD_ERROR_HANDLE));
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    std::vector<std::string> words = utf8_arguments();
    std::vector<char *> argv;
    for (std::string &word : words) argv.push_back(&word[0]);
    argv.push_back(nullptr);
    karvoc_options options;
    if (!parse_karvoc_arguments(static_cast<int>(words.size()), argv.data(), &options)) {
        write_console_text(err, karvoc_usage());
        return KARVOC_BAD_USAGE;
    }
    if (options.help) {
        write_console_text(out, karvoc_usage());
        return KARVOC_ALL_IDENTIFIED;
    }
    load_config();
    if (GetFileAttributesA(g_app_config.dat_path) == INVALID_FILE_ATTRIBUTES) {
        write_console_text(err, std::string("karvoc: no dataset: ") + g_app_config.dat_path + " is missing\n");
        return KARVOC_BAD_USAGE;
    }
    return run_karvoc(options, out, err);
}
