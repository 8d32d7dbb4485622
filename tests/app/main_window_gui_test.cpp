// The main window as a user meets it: karvo.exe started in a fresh folder with its own quodra.ini, its
// controls driven with window messages, and what it shows (control texts, list rows, status text, screen
// pixels) and leaves on disk read back.
#include "box_answerer.h"
#include "dataset_fixture.h"
#include "test_files.h"
#include "window_driver.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>
#include <cstdio>
#include <cstring>
#include <set>

namespace {

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

std::string base_ini(const std::string &targetdir)
{
    return "[PATH]\r\ntargetdir=" + targetdir + "\r\nwakeupdir=0\r\n[OPTION]\r\nviewext=0\r\nviewbkcolor_r=177\r\n"
           "viewbkcolor_g=254\r\nviewbkcolor_b=158\r\n[DATASET]\r\nusedataset=0\r\n[ARCHIVE]\r\nextract=0\r\n"
           "[BASIC]\r\nattachext=0\r\ncomtofname=0\r\nnodanddlg=0\r\n";
}

void prepare(karvo_run *run, const std::string &tag, const std::string &first_comment = "GIF画像")
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

// The rename button's face: red when lit, dark grey otherwise.
const unsigned int RENAME_LIT_FACE = 0xD72D28;
const unsigned int RENAME_DARK_FACE = 0x46464A;
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

}  // namespace

TEST(MainWindow, StartsWithItsControlsToolbarStatusAndDatasetRows)
{
    karvo_run run;
    prepare(&run, "mw_start");
    write_file_text(run.files + "one.txt", "1");
    set_ini(run, "DATASET", "datasetname2", "second");
    set_ini(run, "DATASET", "usedataset", "3");
    start(&run);
    ASSERT_NE(nullptr, run.process);

    RECT outer = {};
    GetWindowRect(run.window, &outer);
    POINT cursor = {};
    GetCursorPos(&cursor);
    EXPECT_EQ("Start Up - OK", status_of(run)) << "window at " << outer.left << "," << outer.top << " cursor at "
                                               << cursor.x << "," << cursor.y;
    EXPECT_EQ(run.files, window_text(run.edit));
    RECT edit = {};
    GetWindowRect(run.edit, &edit);
    MapWindowPoints(nullptr, run.window, reinterpret_cast<POINT *>(&edit), 2);
    EXPECT_EQ(7, edit.left);
    EXPECT_EQ(205, edit.top);
    EXPECT_EQ("C", window_text(GetDlgItem(run.window, 40018)));
    EXPECT_EQ("R", window_text(GetDlgItem(run.window, 40019)));

    std::vector<std::string> expected_rows = {
        "データセット1 (データセット未設定)", "データセット2 [second]", "データセット3 (データセット未設定)",
        "データセット4 (データセット未設定)", "データセット5 (データセット未設定)", "データセットを使わない (パス固定)"};
    EXPECT_EQ(expected_rows, combo_rows(run.combo));
    EXPECT_EQ(2, SendMessageA(run.combo, CB_GETCURSEL, 0, 0));

    // The toolbar: nine buttons (separators included) with their images and commands, and their tips.
    HWND toolbar = child_of_class(run.window, TOOLBARCLASSNAMEA);
    ASSERT_NE(nullptr, toolbar);
    ASSERT_EQ(9, SendMessageA(toolbar, TB_BUTTONCOUNT, 0, 0));
    const int COMMANDS[9] = {0, 40003, 0, 40015, 40016, 40014, 0, 0, 40006};
    const int IMAGES[9] = {-1, 0, -1, 4, 3, 1, -1, -1, 2};
    for (int i = 0; i < 9; i++) {
        std::vector<unsigned char> block(sizeof(TBBUTTON), 0);
        send_with_remote_block(run.process, toolbar, TB_GETBUTTON, static_cast<WPARAM>(i), &block);
        TBBUTTON button;
        std::memcpy(&button, block.data(), sizeof button);
        SCOPED_TRACE(i);
        EXPECT_EQ(COMMANDS[i], button.idCommand);
        if (IMAGES[i] < 0) {
            EXPECT_NE(0, button.fsStyle & TBSTYLE_SEP);
        } else {
            EXPECT_EQ(IMAGES[i], button.iBitmap);
        }
    }
    // Tool tips: the toolbar's tool-tip control asks the window for each button's text.
    HWND tips = reinterpret_cast<HWND>(SendMessageA(toolbar, TB_GETTOOLTIPS, 0, 0));
    ASSERT_NE(nullptr, tips);
    struct tip { int id; const char *text; };
    const tip TIPS[] = {{40003, "対象ファイルを識別"}, {40006, "設定画面を表示"}, {40014, "プロパティを表示"},
                        {40015, "ファイルを開く(対象がフォルダの場合フォルダを開きます)"}, {40016, "フォルダを開く"}};
    for (const tip &t : TIPS) {
        SCOPED_TRACE(t.id);
        std::vector<unsigned char> block(sizeof(TTTOOLINFOA) + 512, 0);
        TTTOOLINFOA info = {};
        info.cbSize = sizeof info;
        info.hwnd = toolbar;
        info.uId = static_cast<UINT_PTR>(t.id);
        std::memcpy(block.data(), &info, sizeof info);
        send_with_remote_block(run.process, tips, TTM_GETTEXTA, 512, &block, offsetof(TTTOOLINFOA, lpszText),
                               sizeof(TTTOOLINFOA));
        block.back() = 0;
        EXPECT_STREQ(t.text, reinterpret_cast<const char *>(block.data() + sizeof(TTTOOLINFOA)));
    }
    finish(&run);
}

TEST(MainWindow, DatasetSelectorRowsChooseTheDataset)
{
    karvo_run run;
    prepare(&run, "mw_dataset");
    // usedataset as stored -> the row selected at start.
    struct start_case { const char *stored; int row; };
    const start_case CASES[] = {{"0", 5}, {"1", 0}, {"3", 2}, {"5", 4}, {"6", 5}, {"7", -1}, {"garbage", 5}};
    for (const start_case &c : CASES) {
        SCOPED_TRACE(c.stored);
        set_ini(run, "DATASET", "usedataset", c.stored);
        start(&run);
        ASSERT_NE(nullptr, run.process);
        EXPECT_EQ(c.row, SendMessageA(run.combo, CB_GETCURSEL, 0, 0));
        finish(&run);
    }
    // Choosing a row writes its dataset: the last row is 0, rows 0-4 are 1-5.
    start(&run);
    ASSERT_NE(nullptr, run.process);
    const int ROWS[] = {5, 0, 4};
    const char *WRITTEN[] = {"0", "1", "5"};
    for (int i = 0; i < 3; i++) {
        SendMessageA(run.combo, CB_SETCURSEL, static_cast<WPARAM>(ROWS[i]), 0);
        SendMessageA(run.window, WM_COMMAND, MAKEWPARAM(DATASET_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(run.combo));
        EXPECT_EQ(WRITTEN[i], read_ini(run, "DATASET", "usedataset"));
    }
    finish(&run);
}

TEST(MainWindow, FolderListGoesDownUpAndToTheDrivesAndBack)
{
    karvo_run run;
    prepare(&run, "mw_folders");
    CreateDirectoryA((run.files + "alpha").c_str(), nullptr);
    CreateDirectoryA((run.files + "表示").c_str(), nullptr);
    write_file_text(run.files + "表示\\inner.txt", "x");
    start(&run);
    ASSERT_NE(nullptr, run.process);

    std::vector<std::string> rows = folder_rows(run);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ("<..>", rows[0]);
    EXPECT_EQ((std::set<std::string>{"alpha", "表示"}), as_set(rows, 1));

    // Down into a folder whose name holds a 0x5C second byte, which has files and no subfolders.
    ASSERT_TRUE(open_folder_row(run, "表示"));
    EXPECT_EQ(run.files + "表示\\", read_ini(run, "PATH", "targetdir"));
    EXPECT_EQ(run.files + "表示\\", window_text(run.edit));
    EXPECT_EQ((std::vector<std::string>{"<..>", NO_FOLDERS}), folder_rows(run));
    EXPECT_EQ((std::vector<std::string>{"inner.txt"}), file_names(run));
    // The no-folders row does nothing.
    ASSERT_TRUE(open_folder_row(run, NO_FOLDERS));
    EXPECT_EQ(run.files + "表示\\", read_ini(run, "PATH", "targetdir"));

    // Up again.
    ASSERT_TRUE(open_folder_row(run, "<..>"));
    EXPECT_EQ(run.files, read_ini(run, "PATH", "targetdir"));
    EXPECT_EQ(run.files, window_text(run.edit));

    // From a drive root "<..>" leads to the drive list (empty targetdir, no files), and a drive leads back.
    std::string root = run.files.substr(0, 3);
    set_ini(run, "PATH", "targetdir", root.c_str());
    ASSERT_TRUE(open_folder_row(run, "<..>"));  // still the old list: goes up from root
    EXPECT_EQ("", read_ini(run, "PATH", "targetdir"));
    EXPECT_EQ("", window_text(run.edit));
    EXPECT_EQ(drive_rows(), folder_rows(run));
    EXPECT_EQ(0, list_view_count(run.file_list));
    ASSERT_TRUE(open_folder_row(run, root));
    EXPECT_EQ(root, read_ini(run, "PATH", "targetdir"));
    EXPECT_EQ(root, window_text(run.edit));
    rows = folder_rows(run);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ("<..>", rows[0]);
    finish(&run);
}

TEST(MainWindow, UnusableTargetFoldersShowSearchErrorWithoutAMessage)
{
    karvo_run run;
    prepare(&run, "mw_badfolder");
    write_file_text(run.files + "plain.txt", "x");
    const std::string CASES[] = {run.files + "vanished\\", run.files + "plain.txt\\",
                                 run.files + std::string(300 - run.files.size(), 'd') + "\\"};
    for (const std::string &targetdir : CASES) {
        SCOPED_TRACE(targetdir.size());
        set_ini(run, "PATH", "targetdir", targetdir.c_str());
        start(&run);
        ASSERT_NE(nullptr, run.process);
        EXPECT_EQ((std::vector<std::string>{SEARCH_ERROR, "<..>"}), folder_rows(run));
        EXPECT_EQ(0, list_view_count(run.file_list));
        EXPECT_EQ(0, dialog_count(GetProcessId(run.process)));
        // The search-error row goes nowhere; "<..>" still leads upwards.
        ASSERT_TRUE(open_folder_row(run, SEARCH_ERROR));
        if (targetdir.size() < 260) {
            EXPECT_EQ(targetdir, read_ini(run, "PATH", "targetdir"));
            ASSERT_TRUE(open_folder_row(run, "<..>"));
            EXPECT_EQ(run.files, read_ini(run, "PATH", "targetdir"));
        }
        finish(&run);
    }
}

TEST(MainWindow, FileRowsShowSizeAndExtensionCase)
{
    karvo_run run;
    prepare(&run, "mw_files");
    write_file_text(run.files + "a.txt", "12345");
    write_file_text(run.files + "noext", "");
    write_file_text(run.files + "表.Dat", "1");
    CreateDirectoryA((run.files + "folder.dir").c_str(), nullptr);
    std::string long_extension = "name." + std::string(25, 'e');
    write_file_text(run.files + long_extension, "");
    // Sparse files: only their sizes matter.
    struct big { const char *name; long long size; };
    const big BIG[] = {{"three.bin", 3000000000LL}, {"five.bin", 5LL << 30}};
    for (const big &b : BIG) {
        HANDLE file = CreateFileA((run.files + b.name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        LARGE_INTEGER size;
        size.QuadPart = b.size;
        SetFilePointerEx(file, size, nullptr, FILE_BEGIN);
        SetEndOfFile(file);
        CloseHandle(file);
    }
    start(&run);
    ASSERT_NE(nullptr, run.process);

    struct row { std::string name, size, lower, upper; };
    const row ROWS[] = {{"a.txt", "       5 byte", "txt", "TXT"},
                        {"noext", "       0 byte", "", ""},
                        {"表.Dat", "       1 byte", "dat", "DAT"},
                        {"three.bin", "-1294967296 byte", "bin", "BIN"},
                        {"five.bin", "1073741824 byte", "bin", "BIN"},
                        {long_extension, "       0 byte", std::string(19, 'e'), std::string(19, 'E')}};
    EXPECT_EQ(6, list_view_count(run.file_list));  // the folder is not listed
    for (const row &r : ROWS) {
        SCOPED_TRACE(r.name);
        int i = file_row(run, r.name);
        ASSERT_GE(i, 0);
        EXPECT_EQ(r.size, list_view_cell(run.process, run.file_list, i, 1));
        EXPECT_EQ(r.lower, list_view_cell(run.process, run.file_list, i, 2));
    }
    // Any viewext but exactly "0" shows upper case (seen after the list is refilled).
    set_ini(run, "OPTION", "viewext", "00");
    ASSERT_TRUE(open_folder_row(run, "folder.dir"));
    ASSERT_TRUE(open_folder_row(run, "<..>"));
    for (const row &r : ROWS) {
        SCOPED_TRACE(r.name);
        int i = file_row(run, r.name);
        ASSERT_GE(i, 0);
        EXPECT_EQ(r.upper, list_view_cell(run.process, run.file_list, i, 2));
    }
    finish(&run);
}

TEST(MainWindow, ListColoursTakeTheLowEightBitsOfEachPart)
{
    karvo_run run;
    prepare(&run, "mw_colours");
    set_ini(run, "OPTION", "viewbkcolor_r", "300");
    set_ini(run, "OPTION", "viewbkcolor_g", "-1");
    set_ini(run, "OPTION", "viewbkcolor_b", "text");
    start(&run);
    ASSERT_NE(nullptr, run.process);
    repaint(run);
    EXPECT_EQ(rgb_value(44, 255, 0), client_pixel(run.file_list, 100, 120));
    finish(&run);
}

TEST(MainWindow, ATenThousandFileFolderFillsAndTheWindowCloses)
{
    karvo_run run;
    prepare(&run, "mw_many");
    const int COUNT = 10000;
    for (int i = 0; i < COUNT; i++) {
        char name[32];
        std::snprintf(name, sizeof name, "f%05d.dat", i);
        HANDLE file = CreateFileA((run.files + name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        CloseHandle(file);
    }
    DWORD before = GetTickCount();
    start(&run);
    ASSERT_NE(nullptr, run.process);
    std::printf("window with %d file rows shown after %lu ms\n", COUNT, GetTickCount() - before);
    EXPECT_EQ(COUNT, list_view_count(run.file_list));
    finish(&run);
}

TEST(MainWindow, IdentificationFillsThePanelAndLightsRenameUntilAnotherRowIsClicked)
{
    karvo_run run;
    // A comment of 32 single-byte characters and a double-byte one across byte 33: the panel shows 32 bytes.
    prepare(&run, "mw_identify", "0123456789abcdef0123456789ABCDEF画像");
    write_file_text(run.files + "pic.png", "some bytes");
    write_file_text(run.files + "other.bin", "other bytes");
    start(&run);
    ASSERT_NE(nullptr, run.process);
    repaint(run);
    expect_panel(run, "None", "000.00", "None", "None", "000.0", "None", "000.0");
    EXPECT_EQ(RENAME_DARK_FACE, rename_face(run));

    click_file(run, "pic.png");
    EXPECT_EQ(run.files + "pic.png", window_text(run.edit));
    EXPECT_EQ("[files/pic.png]", status_of(run));
    send_command(run, 40003);
    repaint(run);
    EXPECT_EQ("[3]", status_of(run));  // the run's last report: the candidates found
    expect_panel(run, "GIF", "065.00", "0123456789abcdef0123456789ABCDEF", "BMP", "060.0", "PNG", "055.0");
    // Nothing of the comment is drawn past the 32 bytes.
    HFONT small = gothic(12, 400);
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, small);
    SIZE shown = {};
    GetTextExtentPoint32A(screen, "0123456789abcdef0123456789ABCDEF", 32, &shown);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    DeleteObject(small);
    EXPECT_NE(rgb_value(112, 156, 255), client_pixel(run.window, 291 + shown.cx + 1, 74 + shown.cy / 2));
    EXPECT_EQ(RENAME_LIT_FACE, rename_face(run));
    save_screen_bmp(test_program_folder() + "main_window_identified.bmp");

    // The same row again keeps it lit; another row darkens it.
    click_file(run, "pic.png");
    repaint(run);
    EXPECT_EQ(RENAME_LIT_FACE, rename_face(run));
    click_file(run, "other.bin");
    repaint(run);
    EXPECT_EQ(RENAME_DARK_FACE, rename_face(run));
    // A key goes down on the list: the target is the row that has the focus at that moment.
    focus_list_view_row(run.process, run.file_list, file_row(run, "pic.png"));
    PostMessageA(run.file_list, WM_KEYDOWN, VK_HOME, 0);
    settle(run);
    EXPECT_EQ(run.files + "pic.png", window_text(run.edit));
    // A click on the dark button does nothing.
    mouse_at(run, WM_LBUTTONDOWN, 260, 170);
    EXPECT_TRUE(file_exists(run.files + "other.bin"));

    // Lit again, a click on the button renames after the question, and the list shows the new name.
    click_file(run, "pic.png");
    send_command(run, 40003);
    box_answerer answerer;
    start_answering_boxes(&answerer, "拡張子の訂正", IDYES);
    PostMessageA(run.window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(260, 170));
    for (int i = 0; i < 400 && !file_exists(run.files + "pic.gif"); i++) Sleep(25);
    stop_answering_boxes(&answerer);
    EXPECT_EQ(1, answerer.answered);
    EXPECT_EQ("拡張子を[PNG]から[GIF]に変更しますか？", answerer.last_text);
    EXPECT_TRUE(file_exists(run.files + "pic.gif"));
    SendMessageTimeoutA(run.window, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_MS, nullptr);
    EXPECT_GE(file_row(run, "pic.gif"), 0);
    EXPECT_LT(file_row(run, "pic.png"), 0);
    repaint(run);
    EXPECT_EQ(RENAME_DARK_FACE, rename_face(run));
    finish(&run);
}

TEST(MainWindow, HoverHintsOfEveryPaintedArea)
{
    karvo_run run;
    prepare(&run, "mw_hover");
    start(&run);
    ASSERT_NE(nullptr, run.process);
    struct hover { int x, y; const char *hint; };
    const char *SHORTCUT_HINT = "[ショートカット%d] 左クリック-フォルダ移動　右クリック-現在のフォルダを登録";
    char shortcut_hints[5][200];
    for (int n = 0; n < 5; n++) std::snprintf(shortcut_hints[n], 200, SHORTCUT_HINT, n + 1);
    const hover HOVERS[] = {
        {180, 240, shortcut_hints[0]}, {199, 240, shortcut_hints[1]}, {217, 240, shortcut_hints[2]},
        {235, 240, shortcut_hints[3]}, {252, 240, shortcut_hints[4]},
        {172, 240, ""}, {189, 240, ""}, {243, 240, ""}, {180, 231, ""}, {180, 248, ""},  // borders
        {20, 240, "デスクトップに移動します。"}, {45, 240, "マイドキュメントに移動します。"},
        {62, 240, "ルートディレクトリに移動します。"}, {73, 240, "カレントディレクトリに移動します。"},
        {35, 240, ""}, {57, 240, ""}, {67, 240, ""}, {68, 240, ""},
        {260, 170, "リネームボタン[OFF] 拡張子がリネーム可能の時は赤になります。"}, {246, 170, ""},
        {300, 60, "識別結果(第一候補)の拡張子がここに表示されます"}, {470, 65, "Logical Points(lpts)"},
        {400, 60, "第一候補のlptsが表示されます"}, {460, 60, "第一候補のlptsが表示されます"},
        {300, 80, "拡張子についての詳細情報が表示されます"}, {300, 110, "第二候補の[拡張子/LPTS]"},
        {400, 110, "第三候補の[拡張子/LPTS]"}, {260, 130, "識別結果を表示するウィンドウです"},
        {365, 60, "識別結果を表示するウィンドウです"}, {253, 60, ""}, {513, 60, ""}, {150, 300, ""}};
    for (const hover &h : HOVERS) {
        SCOPED_TRACE(std::to_string(h.x) + "," + std::to_string(h.y));
        set_ini(run, "PATH", "targetdir", run.files.c_str());
        mouse_at(run, WM_MOUSEMOVE, 20, 240);  // something else first
        mouse_at(run, WM_MOUSEMOVE, h.x, h.y);
        EXPECT_EQ(h.hint, status_of(run));
    }
    finish(&run);
}

TEST(MainWindow, ShortcutsJumpsAndTheRootArea)
{
    karvo_run run;
    prepare(&run, "mw_jumps");
    CreateDirectoryA((run.files + "keep").c_str(), nullptr);
    write_file_text(run.files + "keep\\f.txt", "x");
    set_ini(run, "PATH", "shortcut4", "");
    set_ini(run, "PATH", "shortcut5", (run.files + "gone\\").c_str());
    start(&run);
    ASSERT_NE(nullptr, run.process);

    // Right click on shortcut 2 stores the folder of the target text (with its backslash).
    ASSERT_TRUE(open_folder_row(run, "keep"));
    click_file(run, "f.txt");
    mouse_at(run, WM_RBUTTONDOWN, 199, 240);
    EXPECT_EQ(run.files + "keep\\", read_ini(run, "PATH", "shortcut2"));
    EXPECT_EQ("WRITE=" + run.files + "keep\\", status_of(run));

    // The root area deletes targetdir and shows the drives.
    mouse_at(run, WM_LBUTTONDOWN, 62, 240);
    EXPECT_EQ("<missing>", read_ini(run, "PATH", "targetdir"));
    EXPECT_EQ("MOVED=ROOT", status_of(run));
    EXPECT_EQ("", window_text(run.edit));
    EXPECT_EQ(drive_rows(), folder_rows(run));

    // Left click on shortcut 2 goes there.
    mouse_at(run, WM_LBUTTONDOWN, 199, 240);
    EXPECT_EQ(run.files + "keep\\", read_ini(run, "PATH", "targetdir"));
    EXPECT_EQ(run.files + "keep\\", window_text(run.edit));
    EXPECT_EQ("MOVED=" + run.files + "keep\\", status_of(run));
    EXPECT_EQ((std::vector<std::string>{"f.txt"}), file_names(run));

    // An empty shortcut leads to the drive list; a vanished folder shows the search error.
    mouse_at(run, WM_LBUTTONDOWN, 235, 240);
    EXPECT_EQ("", read_ini(run, "PATH", "targetdir"));
    EXPECT_EQ(drive_rows(), folder_rows(run));
    mouse_at(run, WM_LBUTTONDOWN, 252, 240);
    EXPECT_EQ((std::vector<std::string>{SEARCH_ERROR, "<..>"}), folder_rows(run));
    EXPECT_EQ(0, dialog_count(GetProcessId(run.process)));

    // The program folder and the desktop.
    mouse_at(run, WM_LBUTTONDOWN, 73, 240);
    EXPECT_EQ(run.fixture.folder, read_ini(run, "PATH", "targetdir"));
    EXPECT_EQ("MOVED=" + run.fixture.folder, status_of(run));
    char desktop[MAX_PATH] = "";
    if (SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOPDIRECTORY, FALSE)) {
        mouse_at(run, WM_LBUTTONDOWN, 20, 240);
        EXPECT_EQ(std::string(desktop) + "\\", read_ini(run, "PATH", "targetdir"));
        EXPECT_EQ("MOVED=DESKTOP", status_of(run));
    }
    // A click on an area's border does nothing.
    mouse_at(run, WM_LBUTTONDOWN, 57, 240);
    EXPECT_EQ("MOVED=DESKTOP", status_of(run));

    // Root again; the next start with wakeupdir 0 opens on the drive list.
    mouse_at(run, WM_LBUTTONDOWN, 62, 240);
    finish(&run);
    start(&run);
    ASSERT_NE(nullptr, run.process);
    EXPECT_EQ(drive_rows(), folder_rows(run));
    EXPECT_EQ("", window_text(run.edit));
    EXPECT_EQ(0, list_view_count(run.file_list));
    finish(&run);
}

TEST(MainWindow, DeleteAsksFirst)
{
    karvo_run run;
    prepare(&run, "mw_delete");
    write_file_text(run.files + "victim.txt", "x");
    write_file_text(run.files + "ghost.txt", "x");
    start(&run);
    ASSERT_NE(nullptr, run.process);
    const int ANSWERS[] = {IDNO, IDYES};
    for (int answer : ANSWERS) {
        click_file(run, "victim.txt");
        box_answerer answerer;
        start_answering_boxes(&answerer, "ファイルの削除", answer);
        PostMessageA(run.window, WM_COMMAND, MAKEWPARAM(431, 0), 0);
        for (int i = 0; i < 400 && answerer.answered == 0; i++) Sleep(25);
        stop_answering_boxes(&answerer);
        SendMessageTimeoutA(run.window, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_MS, nullptr);
        EXPECT_EQ(1, answerer.answered);
        EXPECT_EQ("ファイル\"victim.txt\"を削除しますか？", answerer.last_text);
        EXPECT_EQ(answer == IDNO, file_exists(run.files + "victim.txt"));
        EXPECT_EQ(answer == IDNO, file_row(run, "victim.txt") >= 0);
    }
    // A file that is already gone: the list is refilled, nothing else happens.
    click_file(run, "ghost.txt");
    DeleteFileA((run.files + "ghost.txt").c_str());
    box_answerer answerer;
    start_answering_boxes(&answerer, "ファイルの削除", IDYES);
    PostMessageA(run.window, WM_COMMAND, MAKEWPARAM(431, 0), 0);
    for (int i = 0; i < 400 && answerer.answered == 0; i++) Sleep(25);
    stop_answering_boxes(&answerer);
    SendMessageTimeoutA(run.window, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_MS, nullptr);
    EXPECT_EQ(0, list_view_count(run.file_list));
    EXPECT_EQ(0, dialog_count(GetProcessId(run.process)));
    finish(&run);
}

namespace {

HWND open_change_extension(const karvo_run &run)
{
    PostMessageA(run.window, WM_COMMAND, MAKEWPARAM(430, 0), 0);
    return wait_for_dialog("拡張子の変更", WAIT_MS);
}

void press(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

int wait_closed(HWND window)
{
    for (int i = 0; i < 400 && IsWindow(window); i++) Sleep(25);
    return !IsWindow(window);
}

}  // namespace

TEST(MainWindow, ChangeExtensionDialogRenamesOneFileOrTheFolder)
{
    karvo_run run;
    prepare(&run, "mw_change");
    write_file_text(run.files + "doc.txt", "x");
    write_file_text(run.files + "a.log", "x");
    write_file_text(run.files + "b.log", "x");
    write_file_text(run.files + "c.txt", "x");
    start(&run);
    ASSERT_NE(nullptr, run.process);

    click_file(run, "doc.txt");
    HWND dialog = open_change_extension(run);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("<<対象ファイル=doc.txt>>", dialog_item_text(dialog, 1062));
    EXPECT_EQ("<<対象フォルダ=files>>", dialog_item_text(dialog, 1063));
    EXPECT_EQ("txt", dialog_item_text(dialog, 1059));
    EXPECT_EQ(BST_UNCHECKED, SendMessageA(GetDlgItem(dialog, 1069), BM_GETCHECK, 0, 0));
    // Six characters are refused with a warning and the dialog stays.
    SetDlgItemTextA(dialog, 1058, "abcdef");
    box_answerer answerer;
    start_answering_boxes(&answerer, "エラー", IDOK);
    press(dialog, 1060);
    for (int i = 0; i < 400 && answerer.answered == 0; i++) Sleep(25);
    stop_answering_boxes(&answerer);
    EXPECT_EQ("6文字以上の拡張子には対応していません", answerer.last_text);
    EXPECT_TRUE(IsWindow(dialog));
    EXPECT_TRUE(file_exists(run.files + "doc.txt"));
    // Five are taken as typed.
    SetDlgItemTextA(dialog, 1058, "Mdown");
    press(dialog, 1060);
    EXPECT_TRUE(wait_closed(dialog));
    SendMessageTimeoutA(run.window, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_MS, nullptr);
    EXPECT_TRUE(file_exists(run.files + "doc.Mdown"));
    EXPECT_GE(file_row(run, "doc.Mdown"), 0);

    // The whole folder: every file of the target's extension.
    click_file(run, "a.log");
    dialog = open_change_extension(run);
    ASSERT_NE(nullptr, dialog);
    SendMessageA(GetDlgItem(dialog, 1069), BM_SETCHECK, BST_CHECKED, 0);
    SetDlgItemTextA(dialog, 1058, "txt");
    press(dialog, 1060);
    EXPECT_TRUE(wait_closed(dialog));
    SendMessageTimeoutA(run.window, WM_NULL, 0, 0, SMTO_NORMAL, WAIT_MS, nullptr);
    EXPECT_TRUE(file_exists(run.files + "a.txt"));
    EXPECT_TRUE(file_exists(run.files + "b.txt"));
    EXPECT_TRUE(file_exists(run.files + "c.txt"));
    EXPECT_EQ(4, list_view_count(run.file_list));

    // "やめとく" changes nothing.
    click_file(run, "c.txt");
    dialog = open_change_extension(run);
    ASSERT_NE(nullptr, dialog);
    SetDlgItemTextA(dialog, 1058, "zip");
    press(dialog, 1061);
    EXPECT_TRUE(wait_closed(dialog));
    EXPECT_TRUE(file_exists(run.files + "c.txt"));
    finish(&run);
}

namespace {

// Text bands of a menu picture: runs of rows that hold text-coloured pixels.
struct band { int top, bottom; int black; };
std::vector<band> menu_bands(const screen_image &menu)
{
    std::vector<band> bands;
    unsigned int background = menu.at(menu.width / 2, 2);
    int in_band = 0;
    for (int y = 2; y < menu.height - 2; y++) {
        int text = 0, black = 0;
        for (int x = 2; x < menu.width - 2; x++) {
            unsigned int c = menu.at(x, y);
            if (c != background) text = 1;
            if (c == 0) black = 1;
        }
        if (text && !in_band) bands.push_back({y, y, 0});
        if (text) {
            bands.back().bottom = y;
            bands.back().black |= black;
        }
        in_band = text;
    }
    return bands;
}

// Right-clicks a file row (the popup opens at the cursor); returns the popup's picture and closes it.
screen_image popup_picture(const karvo_run &run, const std::string &name, const std::string &shot)
{
    int row = file_row(run, name);
    RECT rect = list_view_row_rect(run.process, run.file_list, row);
    POINT at = {rect.left + 10, (rect.top + rect.bottom) / 2};
    POINT on_screen = at;
    ClientToScreen(run.file_list, &on_screen);
    SetCursorPos(on_screen.x, on_screen.y);
    post_click(run.file_list, at.x, at.y, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
    HWND menu = wait_for_process_window(GetProcessId(run.process), "#32768", WAIT_MS);
    screen_image picture;
    if (menu != nullptr) {
        // The cursor leaves the menu so that no item is highlighted.
        SetCursorPos(1000, 740);
        Sleep(300);
        RECT rect = {};
        GetWindowRect(menu, &rect);
        picture = capture_screen(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        if (!shot.empty()) save_screen_bmp(test_program_folder() + shot);
    }
    if (menu != nullptr) PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(run.window, WM_CANCELMODE, 0, 0);
    for (int i = 0; i < 200 && menu != nullptr && IsWindowVisible(menu); i++) Sleep(25);
    settle(run);
    return picture;
}

// Opens the menu bar's File menu from the keyboard; returns its picture and closes it.
screen_image file_menu_picture(const karvo_run &run)
{
    park_cursor();
    PostMessageA(run.window, WM_SYSCOMMAND, SC_KEYMENU, 'f');
    HWND menu = wait_for_process_window(GetProcessId(run.process), "#32768", WAIT_MS);
    screen_image picture;
    if (menu != nullptr) {
        Sleep(300);
        RECT rect = {};
        GetWindowRect(menu, &rect);
        picture = capture_screen(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    PostMessageA(run.window, WM_CANCELMODE, 0, 0);
    for (int i = 0; i < 200 && menu != nullptr && IsWindowVisible(menu); i++) Sleep(25);
    settle(run);
    return picture;
}

}  // namespace

TEST(MainWindow, MenuBarRenameItemFollowsTheRenameFlag)
{
    karvo_run run;
    prepare(&run, "mw_menubar");
    write_file_text(run.files + "pic.png", "some bytes");
    start(&run);
    ASSERT_NE(nullptr, run.process);
    // 識別, リネーム, 開く, フォルダを開く, プロパティ, the separator, 終了.
    std::vector<band> bands = menu_bands(file_menu_picture(run));
    ASSERT_EQ(7u, bands.size());
    // Opened from the keyboard, the first item is highlighted; the third is plain enabled text.
    EXPECT_TRUE(bands[2].black);
    EXPECT_FALSE(bands[1].black);
    click_file(run, "pic.png");
    send_command(run, 40003);
    bands = menu_bands(file_menu_picture(run));
    ASSERT_EQ(7u, bands.size());
    EXPECT_TRUE(bands[1].black);
    finish(&run);
}

TEST(MainWindow, PopupMenuListsItsItemsAndEnablesRenameOnlyWhenPossible)
{
    karvo_run run;
    prepare(&run, "mw_popup");
    write_file_text(run.files + "pic.png", "some bytes");
    start(&run);
    ASSERT_NE(nullptr, run.process);

    screen_image dark = popup_picture(run, "pic.png", "");
    ASSERT_GT(dark.width, 0);
    std::vector<band> bands = menu_bands(dark);
    // 識別, リネーム, the add-in popup, 拡張子の変更, 拡張子の一括変更, 開く, フォルダを開く, 削除, プロパティ.
    ASSERT_EQ(9u, bands.size());
    EXPECT_TRUE(bands[0].black);
    EXPECT_FALSE(bands[1].black);  // rename grayed
    for (size_t i = 3; i < bands.size(); i++) EXPECT_TRUE(bands[i].black) << i;
    EXPECT_EQ("[files/pic.png]", status_of(run));
    EXPECT_EQ(run.files + "pic.png", window_text(run.edit));

    send_command(run, 40003);
    screen_image lit = popup_picture(run, "pic.png", "main_window_popup.bmp");
    bands = menu_bands(lit);
    ASSERT_EQ(9u, bands.size());
    EXPECT_TRUE(bands[1].black);  // rename enabled
    finish(&run);
}

TEST(MainWindow, AddinCommandsReportTheRunningHost)
{
    karvo_run run;
    prepare(&run, "mw_addins");
    start(&run);
    ASSERT_NE(nullptr, run.process);
    struct report { int command; const char *caption; const char *text; };
    const report REPORTS[] = {{40010, "正常動作中", "現在アクティブなアドインの数=0"},
                              {40017, "wyro詳細情報表示不可", "アクティブなアドインが1つもありません"}};
    for (const report &r : REPORTS) {
        SCOPED_TRACE(r.command);
        box_answerer answerer;
        start_answering_boxes(&answerer, r.caption, IDOK);
        PostMessageA(run.window, WM_COMMAND, MAKEWPARAM(r.command, 0), 0);
        for (int i = 0; i < 400 && answerer.answered == 0; i++) Sleep(25);
        stop_answering_boxes(&answerer);
        EXPECT_EQ(1, answerer.answered);
        EXPECT_EQ(r.text, answerer.last_text);
        settle(run);
    }
    finish(&run);
}
