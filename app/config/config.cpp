// quodra.ini at start-up: the file's place beside the program, the values written on the first run,
// the start-up folder rule of PATH/wakeupdir, then the dataset paths.
#include "config.h"
#include "bounded_text.h"
#include <shlobj.h>
#include <cstdlib>

namespace {

// Where a first-run value comes from.
enum first_run_source { FIXED_TEXT, PROGRAM_FOLDER, DESKTOP_FOLDER };

struct first_run_value {
    const char *section;
    const char *key;
    first_run_source source;
    const char *text;
};

// Written in this order, one write each, when quodra.ini does not exist.
const first_run_value FIRST_RUN_VALUES[] = {
    {"INFO", "Message1", FIXED_TEXT, "Karvo Project INI"},
    {"INFO", "Message2", FIXED_TEXT, "なるべくメモ帳などでの直接編集はしないでください"},
    {"INFO", "Message3", FIXED_TEXT, "(直にアクセスしないので)手動で編集してもすぐ反映されない場合があります。"},
    {"INFO", "Message4", FIXED_TEXT, "もし行うなら、新旧のデータがごっちゃにならないように気をつけてください。"},
    {"PATH", "targetdir", PROGRAM_FOLDER, nullptr},
    {"PATH", "shortcut1", PROGRAM_FOLDER, nullptr},
    {"PATH", "shortcut2", PROGRAM_FOLDER, nullptr},
    {"PATH", "shortcut3", PROGRAM_FOLDER, nullptr},
    {"PATH", "shortcut4", PROGRAM_FOLDER, nullptr},
    {"PATH", "shortcut5", PROGRAM_FOLDER, nullptr},
    {"PATH", "wakeupdir", FIXED_TEXT, "0"},
    {"OPTION", "viewext", FIXED_TEXT, "0"},
    {"OPTION", "viewbkcolor_r", FIXED_TEXT, "177"},
    {"OPTION", "viewbkcolor_g", FIXED_TEXT, "254"},
    {"OPTION", "viewbkcolor_b", FIXED_TEXT, "158"},
    {"ARCHIVE", "extract", FIXED_TEXT, "1"},
    {"ARCHIVE", "extdir", FIXED_TEXT, "2"},
    {"ARCHIVE", "extdirpath", DESKTOP_FOLDER, nullptr},
    {"ARCHIVE", "opendir", FIXED_TEXT, "0"},
    {"ARCHIVE", "createdir", FIXED_TEXT, "1"},
    {"BASIC", "attachext", FIXED_TEXT, "0"},
    {"BASIC", "comtofname", FIXED_TEXT, "0"},
    {"BASIC", "nodanddlg", FIXED_TEXT, "0"},
    {"DATASET", "usedataset", FIXED_TEXT, "1"},
    {"DATASET", "datasetname1", FIXED_TEXT, "vlm_gene_036"},
    {"DATASET", "datasetname2", FIXED_TEXT, ""},
    {"DATASET", "datasetname3", FIXED_TEXT, ""},
    {"DATASET", "datasetname4", FIXED_TEXT, ""},
    {"DATASET", "datasetname5", FIXED_TEXT, ""},
};

// Start-up folder rule values of PATH/wakeupdir.
const int WAKEUP_KEEP = 0;
const int WAKEUP_DESKTOP = 1;
const int WAKEUP_MY_DOCUMENTS = 2;
const int WAKEUP_PROGRAM_FOLDER = 3;

int settings_file_exists(const char *ini_path)
{
    // Only a test of existence: the handle is closed at once.
    HANDLE file = CreateFileA(ini_path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    CloseHandle(file);
    return 1;
}

void write_first_run_values(const char *ini_path, const char *folder)
{
    char desktop[PATH_SIZE];
    // Without a desktop folder the destination stays empty rather than a bare backslash.
    shell_folder_with_backslash(CSIDL_DESKTOPDIRECTORY, desktop, countof(desktop));
    for (const first_run_value &value : FIRST_RUN_VALUES) {
        const char *text = value.text;
        if (value.source == PROGRAM_FOLDER) text = folder;
        if (value.source == DESKTOP_FOLDER) text = desktop;
        WritePrivateProfileStringA(value.section, value.key, text, ini_path);
    }
}

void apply_wakeup_rule(const char *ini_path, const char *folder)
{
    char text[PATH_SIZE];
    GetPrivateProfileStringA("PATH", "wakeupdir", "", text, countof(text), ini_path);
    int rule = std::atoi(text);
    char target[PATH_SIZE];
    if (rule == WAKEUP_DESKTOP) {
        if (!shell_folder_with_backslash(CSIDL_DESKTOPDIRECTORY, target, countof(target))) return;
    } else if (rule == WAKEUP_MY_DOCUMENTS) {
        if (!shell_folder_with_backslash(CSIDL_PERSONAL, target, countof(target))) return;
    } else if (rule == WAKEUP_PROGRAM_FOLDER) {
        copy_text(target, countof(target), folder);
    } else {
        return;  // WAKEUP_KEEP, missing or garbage: the folder of the last exit stays
    }
    WritePrivateProfileStringA("PATH", "targetdir", target, ini_path);
}

}  // namespace

int shell_folder_with_backslash(int csidl, char *out, size_t out_size)
{
    if (out == nullptr || out_size == 0) return 0;
    out[0] = '\0';
    char folder[MAX_PATH] = "";
    if (!SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE) || folder[0] == '\0') return 0;
    if (!copy_text(out, out_size, folder) || !append_text(out, out_size, "\\")) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

void load_config_in(app_config *config, const char *folder)
{
    // Without a folder of its own (or one too long for the file name) the program keeps no settings file:
    // every read is then empty, as for a folder that cannot be written.
    if (folder[0] == '\0' || !copy_text(config->ini_path, countof(config->ini_path), folder) ||
        !append_text(config->ini_path, countof(config->ini_path), "quodra.ini")) {
        config->ini_path[0] = '\0';
    } else if (!settings_file_exists(config->ini_path)) {
        write_first_run_values(config->ini_path, folder);
    } else {
        apply_wakeup_rule(config->ini_path, folder);
    }
    set_definition_paths_in(config, folder);
}

void load_config()
{
    load_config_in(&g_app_config, program_folder());
}
