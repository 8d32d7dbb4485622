// Drives karvo.exe's settings dialogs from the outside: starts the program in a folder of its own, opens
// its dialogs through the main window's commands, reads controls (through memory lent in the program for
// the controls whose messages carry pointers) and takes screenshots.
#pragma once
#include "dataset_fixture.h"
#include <windows.h>
#include <map>
#include <string>

struct karvo_run {
    program_fixture fixture;
    HANDLE process = nullptr;
    DWORD process_id = 0;
    HWND window = nullptr;  // the main window
};

// Copies karvo.exe into a fresh folder named after tag, writes quodra.ini and starts the program; 1 when
// its main window is up.
int start_karvo(karvo_run *run, const std::string &tag, const std::string &ini_text);
// Closes the main window and waits for the program's end; its exit code, -1 when it did not end.
int stop_karvo(karvo_run *run);
std::string ini_path_of(const karvo_run &run);

// Posts a command to the main window and waits for the dialog titled caption.
HWND open_by_command(const karvo_run &run, int command, const char *caption);
// Waits until the window is gone; 1 when it went.
int wait_gone(HWND window);

// The settings sheet: select a page by its tab index and get the page's window.
HWND show_page(HWND sheet, int index);
// The texts of the sheet's tabs, in order.
int tab_count(HWND sheet);
std::string tab_text(const karvo_run &run, HWND sheet, int index);
// OK or Cancel on the sheet, posted; waits until the sheet is gone (1) or not (0).
int press_sheet_button(HWND sheet, int button);

// Clicks a button of a dialog in the program (sent, so it returns when the click has been handled,
// unless the click opens a modal box: use post_click then).
void click(HWND dialog, int id);
void post_click(HWND dialog, int id);
int checked(HWND dialog, int id);
void set_text(HWND dialog, int id, const std::string &text);

// A list view in the program: one cell's text, one column's title and width.
std::string list_view_text(const karvo_run &run, HWND list, int row, int column);
std::string list_view_column(const karvo_run &run, HWND list, int column, int *width);
// A list box's row.
std::string list_box_text(HWND list, int row);
// Waits until a tree view in dialog has the item titled text selected; 1 when it has.
int wait_for_tree_selection(const karvo_run &run, HWND dialog, const std::string &text);
// A child window's rectangle in its parent's client coordinates.
RECT child_rect(HWND child);

// A top-level visible dialog of the process other than except; null after timeout_ms.
HWND wait_for_other_dialog(DWORD process_id, HWND except, DWORD timeout_ms);

// The settings file as section/key -> value (section upper case, key lower case).
std::map<std::string, std::string> read_ini_entries(const std::string &path);

// Saves what the screen shows of window as a PNG in the test program's screenshots folder.
int take_screenshot(HWND window, const std::string &name);
