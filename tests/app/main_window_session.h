// The main window's test session: a copy of karvo.exe in a fresh folder with its own quodra.ini, a folder to
// browse and a dataset, started and driven through its controls; shared by the main window's GUI tests.
#pragma once
#include "box_answerer.h"
#include "dataset_fixture.h"
#include "test_files.h"
#include "window_driver.h"
#include <windows.h>
#include <set>
#include <string>
#include <vector>


const DWORD WAIT_MS = 30000;
const int FOLDER_LIST = 123;
const int FILE_LIST = 324;
const int TARGET_EDIT = 392;
const int DATASET_COMBO = 423;
const char NO_FOLDERS[] = "(この階層にフォルダはありません)";
const char SEARCH_ERROR[] = "サーチエラー";

// A karvo.exe of its own with quodra.ini, a "files" folder to browse and a dataset in its data and plug-in folders
// (three candidates for every file: GIF 65, BMP 60, PNG 55 lpts).
struct karvo_run {
    program_fixture fixture;
    std::string files;  // fixture folder + "files\"
    HANDLE process = nullptr;
    HWND window = nullptr;
    HWND folder_list = nullptr;
    HWND file_list = nullptr;
    HWND edit = nullptr;
    HWND combo = nullptr;
    HWND status = nullptr;
    std::string ini() const { return fixture.folder + "quodra.ini"; }
};

// The rename button's face: red when lit, dark grey otherwise.
const unsigned int RENAME_LIT_FACE = 0xD72D28;
const unsigned int RENAME_DARK_FACE = 0x46464A;

// quodra.ini of a session: targetdir, the start-up rule 0, list settings, dataset 0, no extraction.
std::string base_ini(const std::string &targetdir);
// A fresh folder with karvo.exe, quodra.ini, a "files" folder and a dataset whose first candidate (GIF) has
// first_comment.
void prepare(karvo_run *run, const std::string &tag, const std::string &first_comment = "GIF画像");
std::string read_ini(const karvo_run &run, const char *section, const char *key);  // "<missing>" when absent
void set_ini(const karvo_run &run, const char *section, const char *key, const char *value);

// Moves the cursor off the window, so no mouse move replaces a status text.
void park_cursor();
// Starts the program and finds its controls; finish closes it and expects exit code 0.
void start(karvo_run *run);
void finish(karvo_run *run);
void repaint(const karvo_run &run);
// Waits until the program has handled what was posted to it.
void settle(const karvo_run &run);
void send_command(const karvo_run &run, int id);
std::string status_of(const karvo_run &run);

std::vector<std::string> folder_rows(const karvo_run &run);
// Double-clicks the folder-list row with this text; 0 when there is none.
int open_folder_row(const karvo_run &run, const std::string &text);
std::vector<std::string> file_names(const karvo_run &run);
int file_row(const karvo_run &run, const std::string &name);  // -1 when absent
// Clicks the file-list row named name with the left button, as the user does.
void click_file(const karvo_run &run, const std::string &name);
// Sends a mouse message at a client point of the main window.
void mouse_at(const karvo_run &run, UINT message, int x, int y);

std::set<std::string> as_set(const std::vector<std::string> &rows, size_t from);
// The drive rows the folder list shows for this machine's logical-drive mask.
std::vector<std::string> drive_rows();
// "ＭＳ ゴシック" at a height and weight, as the window makes its fonts.
HFONT gothic(int height, int weight);
// The seven texts of the result panel, compared with the same texts drawn here in the same fonts.
void expect_panel(const karvo_run &run, const char *first, const char *first_score, const char *comment,
                  const char *second, const char *second_score, const char *third, const char *third_score);
unsigned int rename_face(const karvo_run &run);
// A process's visible dialog boxes (class #32770).
int dialog_count(DWORD process_id);
