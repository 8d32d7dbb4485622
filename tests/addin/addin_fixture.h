// Test add-ins placed where the host looks for them: each test case uses its own extension and add-in
// subfolder name, so cases never see each other's files. Copies of the built test add-ins get a settings
// file beside them that says how they behave; their calls are read back from one log.
#pragma once
#include "addin_host.h"
#include <string>
#include <vector>

// The four search folders, in the host's order.
enum addin_place { IN_PROGRAM_FOLDER, IN_PROGRAM_SUBFOLDER, IN_SYSTEM_FOLDER, IN_SYSTEM_SUBFOLDER };

// Builds of the test add-in in bin/test_addins.
extern const char *const FULL_ADDIN;          // both entry points
extern const char *const DECLARE_ONLY_ADDIN;  // no _VeaProcessMain@8
extern const char *const PROCESS_ONLY_ADDIN;  // no _DeclareVeaDllInfo@8
extern const char *const OTHER_BUILD_ADDIN;   // the full add-in built for the other word size (may be absent)

struct addin_case;
void close_case(addin_case *c);

struct addin_case {
    ~addin_case() { close_case(this); }  // also when a test stops early
    wyro_config config;
    std::vector<std::string> files;    // placed files, removed at the end
    std::vector<std::string> folders;  // folders made, removed at the end (deepest last made)
};

// A case with extension ext and add-in subfolder folder_name (with its trailing '/').
void open_case(addin_case *c, const std::string &ext, const std::string &folder_name);
// Removes everything the case placed (again harmless).
// Folder of a search place, ending in a backslash.
std::string place_folder(const addin_case &c, addin_place place);
// Copies build into place as file (a name with the case's extension) with settings "key=value\r\n..." and
// returns the full path of the copy.
std::string place_addin(addin_case *c, addin_place place, const std::string &file, const std::string &settings,
                        const char *build = FULL_ADDIN);
// Writes a file that is not a library under the case's extension.
std::string place_text_file(addin_case *c, addin_place place, const std::string &file, const std::string &text);
std::string make_case_folder(addin_case *c, const std::string &path);

// The shared log of add-in calls.
void clear_addin_log();
std::vector<std::string> addin_log();
// The log's lines of one kind ("declare" or "process"), each as "path|rest".
std::vector<std::string> addin_log_of(const char *kind);
// Full paths of the add-ins whose entry "declare" or "process" was called, in call order.
std::vector<std::string> called_paths(const char *kind);

// Load name of host slot i.
std::string host_name(const wyro_host *host, int i);
std::string lower(const std::string &text);

// A hidden top-level window to own message boxes and menus.
HWND make_owner_window();

// Text, id, state and submenu of each item of a menu, top to bottom.
struct menu_row {
    std::string text;
    UINT id;
    UINT state;
    HMENU submenu;
};
std::vector<menu_row> menu_rows(HMENU menu);
