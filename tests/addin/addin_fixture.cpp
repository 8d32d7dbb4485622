// Placing test add-ins for the host's tests and reading back their call log.
#include "addin_fixture.h"
#include "test_files.h"
#include <algorithm>
#include <cstdio>

const char *const FULL_ADDIN = "full.wyr";
const char *const DECLARE_ONLY_ADDIN = "declare_only.wyr";
const char *const PROCESS_ONLY_ADDIN = "process_only.wyr";
const char *const OTHER_BUILD_ADDIN = "other_build.wyr";

namespace {

std::string log_path()
{
    static std::string path;
    if (path.empty()) {
        path = make_test_folder("addin_log") + "calls.log";
        SetEnvironmentVariableA("QUODRA_ADDIN_LOG", path.c_str());
    }
    return path;
}

std::string system_folder()
{
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    return std::string(system) + "\\";
}

std::string backslashed(std::string text)
{
    std::replace(text.begin(), text.end(), '/', '\\');
    return text;
}

}  // namespace

std::string make_case_folder(addin_case *c, const std::string &path)
{
    if (CreateDirectoryA(path.c_str(), nullptr)) c->folders.push_back(path);
    return path;
}

void open_case(addin_case *c, const std::string &ext, const std::string &folder_name)
{
    fill_main_window_wyro_config(&c->config);
    std::snprintf(c->config.extension, sizeof c->config.extension, "%s", ext.c_str());
    std::snprintf(c->config.folder_name, sizeof c->config.folder_name, "%s", folder_name.c_str());
    c->files.clear();
    c->folders.clear();
    log_path();
    clear_addin_log();
}

void close_case(addin_case *c)
{
    for (const std::string &file : c->files) DeleteFileA(file.c_str());
    for (auto folder = c->folders.rbegin(); folder != c->folders.rend(); ++folder) {
        RemoveDirectoryA(folder->c_str());
    }
    c->files.clear();
    c->folders.clear();
}

std::string place_folder(const addin_case &c, addin_place place)
{
    std::string base = place <= IN_PROGRAM_SUBFOLDER ? test_program_folder() : system_folder();
    if (place == IN_PROGRAM_FOLDER || place == IN_SYSTEM_FOLDER) return base;
    return base + backslashed(c.config.folder_name);
}

std::string place_addin(addin_case *c, addin_place place, const std::string &file, const std::string &settings,
                        const char *build)
{
    std::string folder = place_folder(*c, place);
    make_case_folder(c, folder);
    std::string path = folder + file;
    std::string source = test_program_folder() + "test_addins\\" + build;
    CopyFileA(source.c_str(), path.c_str(), FALSE);
    write_file_text(path + ".ini", "[addin]\r\n" + settings);
    c->files.push_back(path);
    c->files.push_back(path + ".ini");
    return path;
}

std::string place_text_file(addin_case *c, addin_place place, const std::string &file, const std::string &text)
{
    std::string folder = place_folder(*c, place);
    make_case_folder(c, folder);
    std::string path = folder + file;
    write_file_text(path, text);
    c->files.push_back(path);
    return path;
}

void clear_addin_log()
{
    DeleteFileA(log_path().c_str());
}

std::vector<std::string> addin_log()
{
    std::vector<unsigned char> bytes = read_file_bytes(log_path());
    std::vector<std::string> lines;
    std::string line;
    for (unsigned char byte : bytes) {
        if (byte == '\n') {
            lines.push_back(line);
            line.clear();
        } else {
            line += static_cast<char>(byte);
        }
    }
    return lines;
}

std::vector<std::string> addin_log_of(const char *kind)
{
    std::vector<std::string> found;
    std::string mark = std::string("|") + kind;
    for (const std::string &line : addin_log()) {
        if (line.find(mark) != std::string::npos) found.push_back(line);
    }
    return found;
}

std::vector<std::string> called_paths(const char *kind)
{
    std::vector<std::string> paths;
    for (const std::string &line : addin_log_of(kind)) paths.push_back(lower(line.substr(0, line.find('|'))));
    return paths;
}

std::string host_name(const wyro_host *host, int i)
{
    return std::string(host->names + static_cast<size_t>(i) * WYRO_NAME_SLOT_SIZE);
}

std::string lower(const std::string &text)
{
    std::string out = text;
    for (char &ch : out) {
        if (ch >= 'A' && ch <= 'Z') ch = static_cast<char>(ch - 'A' + 'a');
    }
    return out;
}

HWND make_owner_window()
{
    return CreateWindowExA(0, "STATIC", "addin test owner", WS_OVERLAPPEDWINDOW, 0, 0, 530, 440, nullptr, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

std::vector<menu_row> menu_rows(HMENU menu)
{
    std::vector<menu_row> rows;
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; i++) {
        char text[128] = "";
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        rows.push_back({text, item.wID, item.fState, item.hSubMenu});
    }
    return rows;
}
