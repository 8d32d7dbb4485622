// karvoc, the console identifier: karvoc [--tsv | --json] [-r] FILE|FOLDER...
// Reads quodra.ini beside the program as karvo does (writing the first-run values when there is none, so
// the bundled dataset vlm_gene_036 is the one used), then identifies every file named or found in a folder.
#include "config.h"
#include "console_text.h"
#include "karvoc_run.h"

int main(int argc, char **argv)
{
    install_karvoc_reporting(GetStdHandle(STD_ERROR_HANDLE));
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    karvoc_options options;
    if (!parse_karvoc_arguments(argc, argv, &options)) {
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
