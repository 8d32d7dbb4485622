// Dataset fixtures for tests that run karvo.exe or the identification run: a copy of the program in a
// fresh folder with its own quodra.ini, run list, key file and plug-in folder, all made by the writers.
#pragma once
#include "definition_writer.h"
#include <windows.h>
#include <string>
#include <vector>

struct program_fixture {
    std::string folder;     // ends in a backslash; karvo.exe and quodra.ini live here
    std::string exe_path;
};

// Copies karvo.exe from the test program's folder into a fresh folder and writes quodra.ini with the
// given lines (a whole INI text; usedataset=0 puts the dataset in data\ and plug-in\ below the folder).
program_fixture make_program_fixture(const std::string &tag, const std::string &ini_text);
// Writes data\karvo.dat and data\karvo.key below folder.
void write_fixed_dataset(const std::string &folder, const std::vector<dataset_entry> &records,
                         const std::vector<key_entry> &keys);
// Writes plug-in\<name> below folder.
void write_fixed_plugin(const std::string &folder, const std::string &name, const plugin_definition &definition);
// A plug-in without a judging step (every record expecting (0, 0) applies) whose pattern table scores each
// key with its base score and no probe: the candidate's lpts are ((base + 50) / 2 + 50) / 2 near enough.
plugin_definition make_scored_plugin(uint16_t definition_id, const std::vector<std::pair<uint16_t, uint8_t>> &bases);

// Starts exe with a command line (arguments only) in folder; returns the process handle or null.
HANDLE start_program(const program_fixture &fixture, const std::string &arguments);
// Waits for a top-level dialog titled caption; null after timeout_ms.
HWND wait_for_dialog(const char *caption, DWORD timeout_ms);
// Waits for the process to end; returns its exit code, or -1 after timeout_ms (the process is then killed).
int wait_for_exit(HANDLE process, DWORD timeout_ms);
std::string dialog_item_text(HWND dialog, int id);
