// Dataset fixtures and program runs for tests.
#include "dataset_fixture.h"
#include "box_answerer.h"
#include "test_files.h"

program_fixture make_program_fixture(const std::string &tag, const std::string &ini_text)
{
    program_fixture fixture;
    fixture.folder = make_test_folder(tag);
    fixture.exe_path = fixture.folder + "karvo.exe";
    CopyFileA((test_program_folder() + "karvo.exe").c_str(), fixture.exe_path.c_str(), FALSE);
    write_file_text(fixture.folder + "quodra.ini", ini_text);
    return fixture;
}

void write_fixed_dataset(const std::string &folder, const std::vector<dataset_entry> &records,
                         const std::vector<key_entry> &keys)
{
    CreateDirectoryA((folder + "data").c_str(), nullptr);
    write_definition_file(folder + "data\\karvo.dat", make_dataset_file(records));
    std::vector<unsigned char> key_bytes;
    make_key_file(keys, &key_bytes);
    write_definition_file(folder + "data\\karvo.key", key_bytes);
}

void write_fixed_plugin(const std::string &folder, const std::string &name, const plugin_definition &definition)
{
    CreateDirectoryA((folder + "plug-in").c_str(), nullptr);
    write_definition_file(folder + "plug-in\\" + name, make_plugin_file(definition));
}

plugin_definition make_scored_plugin(uint16_t definition_id, const std::vector<std::pair<uint16_t, uint8_t>> &bases)
{
    plugin_definition definition;
    clear_plugin_definition(&definition);
    definition.header.definition_id = definition_id;
    definition.settings.enabled = 1;
    definition.settings.pattern_check = 1;
    for (const auto &base : bases) {
        int i = definition.patterns.count++;
        definition.patterns.key_id[i] = base.first;
        definition.patterns.base_score[i] = base.second;
    }
    return definition;
}

HANDLE start_program(const program_fixture &fixture, const std::string &arguments)
{
    std::string command = "\"" + fixture.exe_path + "\" " + arguments;
    std::vector<char> text(command.begin(), command.end());
    text.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(fixture.exe_path.c_str(), text.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        fixture.folder.c_str(), &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

HWND wait_for_dialog(const char *caption, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeout_ms) {
        HWND dialog = find_dialog_box(caption);
        if (dialog != nullptr) return dialog;
        Sleep(50);
    }
    return nullptr;
}

int wait_for_exit(HANDLE process, DWORD timeout_ms)
{
    if (process == nullptr) return -1;
    if (WaitForSingleObject(process, timeout_ms) != WAIT_OBJECT_0) {
        TerminateProcess(process, 99);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    return static_cast<int>(code);
}

std::string dialog_item_text(HWND dialog, int id)
{
    char text[512] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}
