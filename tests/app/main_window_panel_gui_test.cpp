// The main window as a user meets it, its acting half: identification and the result panel, the painted
// buttons, the file actions, the menus and the add-in reports.
#include "main_window_session.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <shlobj.h>
#include <cstdio>
#include <cstring>

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
    mouse_at(run, WM_MOUSEMOVE, 260, 170);
    EXPECT_EQ("リネームボタン[ON] 拡張子がリネーム可能です。", status_of(run));

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

namespace {

// The lines of the test add-in's call log that report a process call: "event=<code>|...|target=<path>".
std::vector<std::string> addin_calls(const std::string &log)
{
    std::vector<unsigned char> bytes = read_file_bytes(log);
    std::string text(bytes.begin(), bytes.end());
    std::vector<std::string> calls;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        size_t event = line.find("|event=");
        size_t target = line.find("|target=");
        if (event != std::string::npos && target != std::string::npos) {
            size_t code_end = line.find('|', event + 1);
            calls.push_back(line.substr(event + 1, code_end - event - 1) + " " + line.substr(target + 8));
        }
        start = end + 1;
    }
    return calls;
}

}  // namespace

TEST(MainWindow, AddinEventsSeeTheTargetAndAnAddinMayChangeWhatIsIdentified)
{
    karvo_run run;
    prepare(&run, "mw_addin_events");
    write_file_text(run.files + "pic.png", "some bytes");
    write_file_text(run.files + "real.gif", "other bytes");
    // An add-in taking part in every event, which turns the identification over to real.gif.
    std::string wyro = run.fixture.folder + "wyro\\";
    CreateDirectoryA(wyro.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((test_program_folder() + "test_addins\\full.wyr").c_str(), (wyro + "full.wyr").c_str(), FALSE));
    write_file_text(wyro + "full.wyr.ini", "[addin]\r\nid=7\r\nflags=255\r\nname=test\r\nmenu_text=test item\r\n"
                                           "new_target=" + run.files + "real.gif\r\n");
    std::string log = run.fixture.folder + "calls.log";
    SetEnvironmentVariableA("QUODRA_ADDIN_LOG", log.c_str());
    start(&run);
    SetEnvironmentVariableA("QUODRA_ADDIN_LOG", nullptr);
    ASSERT_NE(nullptr, run.process);

    click_file(run, "pic.png");
    post_click(run.file_list, 20, 8, WM_LBUTTONDBLCLK, WM_LBUTTONUP, MK_LBUTTON);
    settle(run);
    send_command(run, 40003);
    repaint(run);
    // real.gif was identified as GIF: nothing to rename, although pic.png is the target.
    EXPECT_EQ(RENAME_DARK_FACE, rename_face(run));
    EXPECT_EQ(run.files + "pic.png", window_text(run.edit));
    // The add-in's own command runs it.
    send_command(run, 25200);
    finish(&run);

    std::string pic = run.files + "pic.png";
    std::vector<std::string> calls = addin_calls(log);
    // By the start-up event the target text (the current folder) has already been mirrored.
    std::vector<std::string> expected = {"event=1 " + run.files, "event=8 " + pic, "event=16 " + pic, "event=4 " + pic,
                                         "event=2 " + run.files + "real.gif"};
    ASSERT_GE(calls.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); i++) EXPECT_EQ(expected[i], calls[i]) << i;
    EXPECT_EQ(pic, calls[expected.size()].substr(calls[expected.size()].find(' ') + 1));
}
