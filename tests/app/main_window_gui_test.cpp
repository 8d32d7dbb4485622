// The main window as a user meets it, its browsing half: karvo.exe started in a fresh folder with its own
// quodra.ini, its controls driven with window messages, and what it shows and writes read back.
#include "main_window_session.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>
#include <cstdio>
#include <cstring>

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
    // The status bar is in simple mode. (Its icon goes to part -1, the simple part; Wine's status bar cuts
    // part numbers to 8 bits and keeps no icon there, so it is not asked for here.)
    EXPECT_NE(0, SendMessageA(run.status, SB_ISSIMPLE, 0, 0));
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


// Help (40013) opens the help viewer on the help file's cover topic beside the program.
TEST(MainWindow, HelpCommandOpensTheViewerOnTheCoverTopic)
{
    karvo_run run;
    prepare(&run, "mw_help");
    ASSERT_TRUE(CopyFileA((test_program_folder() + "quodra.chm").c_str(), (run.fixture.folder + "quodra.chm").c_str(),
                          FALSE));
    start(&run);
    ASSERT_NE(nullptr, run.process);
    PostMessageA(run.window, WM_COMMAND, 40013, 0);
    HWND viewer = nullptr;
    for (DWORD waited = 0; waited < WAIT_MS && viewer == nullptr; waited += 100) {
        viewer = FindWindowA(nullptr, "Quodra ヘルプ");
        if (viewer == nullptr) Sleep(100);
    }
    ASSERT_NE(nullptr, viewer);
    DWORD viewer_process = 0;
    GetWindowThreadProcessId(viewer, &viewer_process);
    EXPECT_EQ(GetProcessId(run.process), viewer_process);
    Sleep(1000);
    save_screen_bmp(test_program_folder() + "main_window_help.bmp");
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    for (DWORD waited = 0; waited < WAIT_MS && IsWindow(viewer); waited += 100) Sleep(100);
    finish(&run);
}
