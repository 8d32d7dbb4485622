// The main window's test session.
#include "main_window_session.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <cstdio>
#include <cstring>

std::string base_ini(const std::string &targetdir)
{
    return "[PATH]\r\ntargetdir=" + targetdir + "\r\nwakeupdir=0\r\n[OPTION]\r\nviewext=0\r\nviewbkcolor_r=177\r\n"
           "viewbkcolor_g=254\r\nviewbkcolor_b=158\r\n[DATASET]\r\nusedataset=0\r\n[ARCHIVE]\r\nextract=0\r\n"
           "[BASIC]\r\nattachext=0\r\ncomtofname=0\r\nnodanddlg=0\r\n";
}

void prepare(karvo_run *run, const std::string &tag, const std::string &first_comment)
{
    run->fixture = make_program_fixture(tag, "");
    run->files = run->fixture.folder + "files\\";
    CreateDirectoryA(run->files.c_str(), nullptr);
    write_file_text(run->ini(), base_ini(run->files));
    write_fixed_dataset(run->fixture.folder, {{1, 0, 0, 10}, {1, 0, 0, 11}, {1, 0, 0, 12}},
                        {{10, "PNG", "PNG画像"}, {11, "GIF", first_comment}, {12, "BMP", "ビットマップ"}});
    write_fixed_plugin(run->fixture.folder, "one.plg", make_scored_plugin(1, {{10, 70}, {11, 110}, {12, 90}}));
}

std::string read_ini(const karvo_run &run, const char *section, const char *key)
{
    char value[600];
    GetPrivateProfileStringA(section, key, "<missing>", value, sizeof value, run.ini().c_str());
    return value;
}

void set_ini(const karvo_run &run, const char *section, const char *key, const char *value)
{
    WritePrivateProfileStringA(section, key, value, run.ini().c_str());
}

// Starts the program and finds its controls. The cursor is parked outside the window first, so no mouse
// move replaces the first status text.
void park_cursor()
{
    SetCursorPos(1000, 740);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = 1000 * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = 740 * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
    Sleep(50);
}

void start(karvo_run *run)
{
    park_cursor();
    run->process = start_program(run->fixture, "");
    ASSERT_NE(nullptr, run->process);
    run->window = wait_for_process_window(GetProcessId(run->process), "Karvo Window", WAIT_MS);
    ASSERT_NE(nullptr, run->window);
    run->folder_list = GetDlgItem(run->window, FOLDER_LIST);
    run->file_list = GetDlgItem(run->window, FILE_LIST);
    run->edit = GetDlgItem(run->window, TARGET_EDIT);
    run->combo = GetDlgItem(run->window, DATASET_COMBO);
    run->status = child_of_class(run->window, "msctls_statusbar32");
    ASSERT_NE(nullptr, run->folder_list);
    ASSERT_NE(nullptr, run->file_list);
    ASSERT_NE(nullptr, run->edit);
    ASSERT_NE(nullptr, run->combo);
    ASSERT_NE(nullptr, run->status);
    // Let the first paint happen.
    SendMessageTimeoutA(run->window, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_MS, nullptr);
    Sleep(200);
}

void finish(karvo_run *run)
{
    if (run->process == nullptr) return;
    PostMessageA(run->window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0, wait_for_exit(run->process, WAIT_MS));
    run->process = nullptr;
}

void repaint(const karvo_run &run)
{
    RedrawWindow(run.window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageTimeoutA(run.window, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_MS, nullptr);
    Sleep(150);
}

void send_command(const karvo_run &run, int id)
{
    SendMessageTimeoutA(run.window, WM_COMMAND, MAKEWPARAM(id, 0), 0, SMTO_NORMAL, WAIT_MS, nullptr);
}

std::string status_of(const karvo_run &run)
{
    return status_text(run.process, run.status);
}

std::vector<std::string> folder_rows(const karvo_run &run)
{
    return list_box_rows(run.folder_list);
}

// Double-clicks the folder-list row with this text; 0 when there is none.
int open_folder_row(const karvo_run &run, const std::string &text)
{
    std::vector<std::string> rows = folder_rows(run);
    for (size_t i = 0; i < rows.size(); i++) {
        if (rows[i] != text) continue;
        SendMessageA(run.folder_list, LB_SETCURSEL, i, 0);
        SendMessageA(run.window, WM_COMMAND, MAKEWPARAM(FOLDER_LIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(run.folder_list));
        return 1;
    }
    return 0;
}

std::vector<std::string> file_names(const karvo_run &run)
{
    std::vector<std::string> names;
    for (int i = 0; i < list_view_count(run.file_list); i++) names.push_back(list_view_cell(run.process, run.file_list, i, 0));
    return names;
}

int file_row(const karvo_run &run, const std::string &name)
{
    std::vector<std::string> names = file_names(run);
    for (size_t i = 0; i < names.size(); i++) {
        if (names[i] == name) return static_cast<int>(i);
    }
    return -1;
}

// Waits until the program has handled what was posted to it.
void settle(const karvo_run &run)
{
    for (int i = 0; i < 3; i++) {
        SendMessageTimeoutA(run.file_list, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_MS, nullptr);
        SendMessageTimeoutA(run.window, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_MS, nullptr);
        Sleep(30);
    }
}

// Clicks the file-list row named name with the left button, as the user does.
void click_file(const karvo_run &run, const std::string &name)
{
    int row = file_row(run, name);
    ASSERT_GE(row, 0) << name;
    RECT rect = list_view_row_rect(run.process, run.file_list, row);
    post_click(run.file_list, rect.left + 10, (rect.top + rect.bottom) / 2, WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON);
    settle(run);
}

void mouse_at(const karvo_run &run, UINT message, int x, int y)
{
    SendMessageTimeoutA(run.window, message, message == WM_MOUSEMOVE ? 0 : MK_LBUTTON, MAKELPARAM(x, y), SMTO_NORMAL,
                        WAIT_MS, nullptr);
}

std::set<std::string> as_set(const std::vector<std::string> &rows, size_t from)
{
    return std::set<std::string>(rows.begin() + static_cast<long>(std::min(from, rows.size())), rows.end());
}

std::vector<std::string> drive_rows()
{
    std::vector<std::string> rows;
    DWORD drives = GetLogicalDrives();
    for (int letter = 0; letter < 26; letter++) {
        if (drives & (1u << letter)) rows.push_back(std::string(1, static_cast<char>('A' + letter)) + ":\\");
    }
    return rows;
}

HFONT gothic(int height, int weight)
{
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "ＭＳ ゴシック");
}

// The seven texts of the result panel, compared with the same texts drawn here in the same fonts.
void expect_panel(const karvo_run &run, const char *first, const char *first_score, const char *comment,
                  const char *second, const char *second_score, const char *third, const char *third_score)
{
    HFONT small = gothic(12, 400);
    HFONT large_bold = gothic(17, 600);
    HFONT large = gothic(17, 400);
    const COLORREF BLACK = RGB(0, 0, 0);
    const COLORREF YELLOW = RGB(255, 255, 0);
    EXPECT_TRUE(client_shows_text(run.window, 300, 53, large, BLACK, RGB(102, 204, 51), first)) << first;
    EXPECT_TRUE(client_shows_text(run.window, 388, 53, large_bold, RGB(0, 0, 255), RGB(255, 204, 153), first_score))
        << first_score;
    EXPECT_TRUE(client_shows_text(run.window, 291, 74, small, YELLOW, RGB(112, 156, 255), comment)) << comment;
    EXPECT_TRUE(client_shows_text(run.window, 296, 106, small, BLACK, RGB(153, 204, 204), second)) << second;
    EXPECT_TRUE(client_shows_text(run.window, 341, 106, small, YELLOW, RGB(255, 153, 51), second_score));
    EXPECT_TRUE(client_shows_text(run.window, 413, 106, small, BLACK, RGB(153, 204, 204), third)) << third;
    EXPECT_TRUE(client_shows_text(run.window, 457, 106, small, YELLOW, RGB(255, 153, 51), third_score));
    DeleteObject(small);
    DeleteObject(large_bold);
    DeleteObject(large);
}

unsigned int rename_face(const karvo_run &run)
{
    return client_pixel(run.window, 246 + 4, 155 + 4);
}

// A process's visible dialog boxes (class #32770).
int dialog_count(DWORD process_id)
{
    struct counter { DWORD process_id; int count; } count = {process_id, 0};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            counter *c = reinterpret_cast<counter *>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            char class_name[32] = "";
            GetClassNameA(window, class_name, sizeof class_name);
            if (owner == c->process_id && IsWindowVisible(window) && lstrcmpA(class_name, "#32770") == 0) c->count++;
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.count;
}
