// The sheet "基本機能の設定" as a user meets it: karvo.exe opens it from its menu command, its pages are
// read and changed through Win32 calls, and quodra.ini is read afterwards.
#include "box_answerer.h"
#include "karvo_test.h"
#include <commctrl.h>
#include <prsht.h>

namespace {

const int SETTINGS_COMMAND = 40006;
const char *SHEET_CAPTION = "基本機能の設定";

// A settings file with a value in every key the sheet shows, none of them what the pages would write
// back unchanged.
const char *FULL_INI =
    "[PATH]\r\nshortcut1=C:\\one\r\nshortcut2=C:\\two\\\r\nshortcut3=\r\nshortcut4=D:\\表\r\nshortcut5=E:\\five\r\n"
    "wakeupdir=2\r\n"
    "[OPTION]\r\nviewext=1\r\nviewbkcolor_r=177\r\nviewbkcolor_g=254\r\nviewbkcolor_b=158\r\n"
    "[ARCHIVE]\r\nextract=1\r\nextdir=3\r\nextdirpath=D:\\out\r\nopendir=1\r\ncreatedir=0\r\n"
    "[BASIC]\r\nattachext=1\r\nnodanddlg=abc\r\ncomtofname=1\r\n"
    "[DATASET]\r\nusedataset=0\r\n";

class settings_sheet : public karvo_test {
protected:
    HWND open_sheet() { return open_by_command(run, SETTINGS_COMMAND, SHEET_CAPTION); }
};

TEST_F(settings_sheet, has_its_caption_five_titled_pages_in_order_and_no_apply_button)
{
    start("sheet_titles", FULL_INI);
    HWND sheet = open_sheet();
    ASSERT_NE(nullptr, sheet);
    char caption[260] = "";
    GetWindowTextA(sheet, caption, sizeof caption);
    EXPECT_STREQ(SHEET_CAPTION, caption);
    const char *titles[] = {"基本設定", "フォルダ設定", "表示設定", "解凍設定", "ショートカット・関連づけ"};
    ASSERT_EQ(5, tab_count(sheet));
    for (int i = 0; i < 5; i++) EXPECT_EQ(titles[i], tab_text(run, sheet, i)) << i;
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDOK)));
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(sheet, IDCANCEL)));
    HWND apply = GetDlgItem(sheet, 0x3021);
    EXPECT_TRUE(apply == nullptr || !IsWindowVisible(apply));

    // Screenshots of every page, for a person to look at.
    const char *names[] = {"page1_basic", "page2_folders", "page3_view", "page4_extraction", "page5_shell"};
    for (int i = 0; i < 5; i++) {
        ASSERT_NE(nullptr, show_page(sheet, i));
        EXPECT_TRUE(take_screenshot(sheet, names[i]));
    }
    // Cancel writes nothing, whatever pages were visited.
    std::vector<unsigned char> before = read_file_bytes(ini());
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_CANCEL));
    EXPECT_EQ(before, read_file_bytes(ini()));
}

TEST_F(settings_sheet, ok_without_visiting_other_pages_writes_only_the_three_basic_keys)
{
    start("sheet_basic_only", FULL_INI);
    std::map<std::string, std::string> before = read_ini_entries(ini());
    HWND sheet = open_sheet();
    ASSERT_NE(nullptr, sheet);
    HWND page = show_page(sheet, 0);
    ASSERT_NE(nullptr, page);
    // Ticked only for a value that converts to 1.
    EXPECT_EQ(1, checked(page, 1052));
    EXPECT_EQ(0, checked(page, 1054));
    EXPECT_EQ(1, checked(page, 1053));
    click(page, 1052);
    click(page, 1054);
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));

    std::map<std::string, std::string> expected = before;
    expected["BASIC/attachext"] = "0";
    expected["BASIC/nodanddlg"] = "1";
    expected["BASIC/comtofname"] = "1";
    EXPECT_EQ(expected, read_ini_entries(ini()));
}

TEST_F(settings_sheet, folder_page_shows_the_stored_folders_and_saves_them_with_a_trailing_backslash)
{
    start("sheet_folders", FULL_INI);
    HWND sheet = open_sheet();
    ASSERT_NE(nullptr, sheet);
    HWND page = show_page(sheet, 1);
    ASSERT_NE(nullptr, page);
    const int boxes[] = {1013, 1020, 1021, 1022, 1023};
    const char *shown[] = {"C:\\one", "C:\\two\\", "", "D:\\表", "E:\\five"};
    for (int i = 0; i < 5; i++) EXPECT_EQ(shown[i], dialog_item_text(page, boxes[i])) << i;
    // wakeupdir 2 is "ﾏｲﾄﾞｷｭﾒﾝﾄ", and the page's first focus has not ticked another radio.
    EXPECT_EQ(0, checked(page, 1018));
    EXPECT_EQ(0, checked(page, 1019));
    EXPECT_EQ(1, checked(page, 1028));
    EXPECT_EQ(0, checked(page, 1029));
    set_text(page, 1023, "");
    click(page, 1019);
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
    EXPECT_EQ("C:\\one\\", value("PATH", "shortcut1"));
    EXPECT_EQ("C:\\two\\", value("PATH", "shortcut2"));
    EXPECT_EQ("", value("PATH", "shortcut3"));
    // The last byte of 表 is 0x5C but no separator: a backslash is still added.
    EXPECT_EQ("D:\\表\\", value("PATH", "shortcut4"));
    EXPECT_EQ("", value("PATH", "shortcut5"));
    EXPECT_EQ("1", value("PATH", "wakeupdir"));
}

TEST_F(settings_sheet, folder_page_selects_the_start_up_rule_of_0_to_3_and_keeps_any_other_value)
{
    start("sheet_wakeup", FULL_INI);
    struct wakeup_case {
        const char *stored;
        int radio;  // 0 for none
    };
    const wakeup_case cases[] = {{"0", 1018}, {"1", 1019}, {"3", 1029}, {"4", 0}, {"7", 0}, {"-1", 0}};
    const int radios[] = {1018, 1019, 1028, 1029};
    for (const wakeup_case &c : cases) {
        SCOPED_TRACE(c.stored);
        WritePrivateProfileStringA("PATH", "wakeupdir", c.stored, ini().c_str());
        HWND sheet = open_sheet();
        ASSERT_NE(nullptr, sheet);
        HWND page = show_page(sheet, 1);
        for (int radio : radios) EXPECT_EQ(radio == c.radio ? 1 : 0, checked(page, radio)) << radio;
        EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
        EXPECT_EQ(c.stored, value("PATH", "wakeupdir"));
    }
}

TEST_F(settings_sheet, view_page_couples_boxes_sliders_sample_and_hex)
{
    start("sheet_view", FULL_INI);
    HWND sheet = open_sheet();
    ASSERT_NE(nullptr, sheet);
    HWND page = show_page(sheet, 2);
    ASSERT_NE(nullptr, page);
    // The stored colour from the moment the page opens.
    EXPECT_EQ("177", dialog_item_text(page, 1022));
    EXPECT_EQ("254", dialog_item_text(page, 1025));
    EXPECT_EQ("158", dialog_item_text(page, 1027));
    EXPECT_EQ("B1FE9E", dialog_item_text(page, 1056));
    EXPECT_EQ(255 - 177, SendDlgItemMessageA(page, 1021, TBM_GETPOS, 0, 0));
    EXPECT_EQ(255 - 254, SendDlgItemMessageA(page, 1023, TBM_GETPOS, 0, 0));
    EXPECT_EQ(255 - 158, SendDlgItemMessageA(page, 1024, TBM_GETPOS, 0, 0));
    EXPECT_EQ(0, SendDlgItemMessageA(page, 1021, TBM_GETRANGEMIN, 0, 0));
    EXPECT_EQ(255, SendDlgItemMessageA(page, 1021, TBM_GETRANGEMAX, 0, 0));
    EXPECT_EQ(1, checked(page, 1030));
    EXPECT_EQ(0, checked(page, 1031));

    // The sample list: its place, its columns, its row and its colour.
    HWND sample = FindWindowExA(page, nullptr, WC_LISTVIEWA, nullptr);
    ASSERT_NE(nullptr, sample);
    RECT place = child_rect(sample);
    EXPECT_EQ(192, place.left);
    EXPECT_EQ(53, place.top);
    EXPECT_EQ(138, place.right - place.left);
    EXPECT_EQ(100, place.bottom - place.top);
    int width = 0;
    EXPECT_EQ("ファイル名", list_view_column(run, sample, 0, &width));
    EXPECT_EQ(90, width);
    EXPECT_EQ("拡張子", list_view_column(run, sample, 1, &width));
    EXPECT_EQ(48, width);
    EXPECT_EQ(1, SendMessageA(sample, LVM_GETITEMCOUNT, 0, 0));
    EXPECT_EQ("mihon.txt", list_view_text(run, sample, 0, 0));
    EXPECT_EQ("TXT", list_view_text(run, sample, 0, 1));
    EXPECT_EQ(RGB(177, 254, 158), static_cast<COLORREF>(SendMessageA(sample, LVM_GETBKCOLOR, 0, 0)));
    EXPECT_EQ(RGB(177, 254, 158), static_cast<COLORREF>(SendMessageA(sample, LVM_GETTEXTBKCOLOR, 0, 0)));
    click(page, 1031);
    EXPECT_EQ("txt", list_view_text(run, sample, 0, 1));
    click(page, 1030);
    EXPECT_EQ("TXT", list_view_text(run, sample, 0, 1));

    // Typed red values: the slider (255 minus the value, held in 0-255), the low 8 bits in the sample
    // and in the first two hex digits.
    struct red_case {
        const char *typed;
        int slider;
        int low_bits;
        const char *hex;
    };
    const red_case reds[] = {{"300", 0, 44, "2CFE9E"}, {"255", 0, 255, "FFFE9E"}, {"256", 0, 0, "00FE9E"},
                             {"0", 255, 0, "00FE9E"},  {"-1", 255, 255, "FFFE9E"}, {"-5", 255, 251, "FBFE9E"},
                             {"abc", 255, 0, "00FE9E"}, {"", 255, 0, "00FE9E"},
                             // Past what a number holds: read as the largest number.
                             {"99999999999", 0, 255, "FFFE9E"}, {"128", 127, 128, "80FE9E"}};
    for (const red_case &c : reds) {
        SCOPED_TRACE(c.typed);
        set_text(page, 1022, c.typed);
        EXPECT_EQ(c.slider, SendDlgItemMessageA(page, 1021, TBM_GETPOS, 0, 0));
        EXPECT_EQ(c.hex, dialog_item_text(page, 1056));
        EXPECT_EQ(RGB(c.low_bits, 254, 158), static_cast<COLORREF>(SendMessageA(sample, LVM_GETBKCOLOR, 0, 0)));
    }
    // A slider moved by the user: its box takes 255 minus the position.
    HWND blue = GetDlgItem(page, 1024);
    SendMessageA(blue, TBM_SETPOS, TRUE, 200);
    SendMessageA(page, WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 200), reinterpret_cast<LPARAM>(blue));
    EXPECT_EQ("55", dialog_item_text(page, 1027));
    EXPECT_EQ(RGB(128, 254, 55), static_cast<COLORREF>(SendMessageA(sample, LVM_GETBKCOLOR, 0, 0)));

    set_text(page, 1022, "300");
    set_text(page, 1025, "abc");
    take_screenshot(sheet, "page3_view_red_300");
    click(page, 1031);
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
    // The texts are saved as they stand.
    EXPECT_EQ("300", value("OPTION", "viewbkcolor_r"));
    EXPECT_EQ("abc", value("OPTION", "viewbkcolor_g"));
    EXPECT_EQ("55", value("OPTION", "viewbkcolor_b"));
    EXPECT_EQ("0", value("OPTION", "viewext"));
}

TEST_F(settings_sheet, view_page_takes_the_colour_chooser_answer_and_ignores_its_cancel)
{
    start("sheet_chooser", FULL_INI);
    HWND sheet = open_sheet();
    ASSERT_NE(nullptr, sheet);
    HWND page = show_page(sheet, 2);
    ASSERT_NE(nullptr, page);
    post_click(page, 1029);
    HWND chooser = wait_for_other_dialog(run.process_id, sheet, 10000);
    ASSERT_NE(nullptr, chooser);
    take_screenshot(chooser, "colour_chooser");
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(wait_gone(chooser));
    EXPECT_EQ("177", dialog_item_text(page, 1022));
    // Confirmed at once, the chooser gives its initial colour: black.
    post_click(page, 1029);
    chooser = wait_for_other_dialog(run.process_id, sheet, 10000);
    ASSERT_NE(nullptr, chooser);
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(wait_gone(chooser));
    EXPECT_EQ("0", dialog_item_text(page, 1022));
    EXPECT_EQ("0", dialog_item_text(page, 1025));
    EXPECT_EQ("0", dialog_item_text(page, 1027));
    EXPECT_EQ("000000", dialog_item_text(page, 1056));
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_CANCEL));
    EXPECT_EQ("177", value("OPTION", "viewbkcolor_r"));
}

TEST_F(settings_sheet, extraction_page_shows_and_saves_the_archive_keys)
{
    start("sheet_extraction", FULL_INI);
    struct extraction_case {
        const char *extract, *extdir, *folder;
        int extract_radio, destination_radio;
        const char *saved_extdir, *saved_folder;
    };
    const extraction_case cases[] = {
        {"1", "3", "D:\\out", 1033, 1034, "1", "D:\\out\\"},
        {"0", "0", "D:\\out\\", 1032, 1036, "0", "D:\\out\\"},
        {"x", "2", "D:\\表", 1032, 1035, "2", "D:\\表\\"},
        {"2", "1", "", 1032, 1034, "1", ""},
        {"1", "-1", "C:\\", 1033, 1034, "1", "C:\\"},
    };
    for (const extraction_case &c : cases) {
        SCOPED_TRACE(std::string(c.extract) + " " + c.extdir + " " + c.folder);
        WritePrivateProfileStringA("ARCHIVE", "extract", c.extract, ini().c_str());
        WritePrivateProfileStringA("ARCHIVE", "extdir", c.extdir, ini().c_str());
        WritePrivateProfileStringA("ARCHIVE", "extdirpath", c.folder, ini().c_str());
        HWND sheet = open_sheet();
        ASSERT_NE(nullptr, sheet);
        HWND page = show_page(sheet, 3);
        ASSERT_NE(nullptr, page);
        EXPECT_EQ(1, checked(page, c.extract_radio));
        EXPECT_EQ(1, checked(page, c.destination_radio));
        EXPECT_EQ(c.folder, dialog_item_text(page, 1037));
        int to_folder = c.destination_radio == 1036;
        EXPECT_EQ(to_folder, (GetWindowLongA(GetDlgItem(page, 1037), GWL_STYLE) & ES_READONLY) == 0);
        EXPECT_EQ(to_folder, IsWindowEnabled(GetDlgItem(page, 1038)) ? 1 : 0);
        EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
        EXPECT_EQ(c.extract_radio == 1033 ? "1" : "0", value("ARCHIVE", "extract"));
        EXPECT_EQ(c.saved_extdir, value("ARCHIVE", "extdir"));
        EXPECT_EQ(c.saved_folder, value("ARCHIVE", "extdirpath"));
    }
    // Flags and the enabling rule as the radios are clicked.
    HWND sheet = open_sheet();
    ASSERT_NE(nullptr, sheet);
    HWND page = show_page(sheet, 3);
    EXPECT_EQ(1, checked(page, 1039));
    EXPECT_EQ(0, checked(page, 1040));
    click(page, 1036);
    EXPECT_EQ(0, GetWindowLongA(GetDlgItem(page, 1037), GWL_STYLE) & ES_READONLY);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, 1038)));
    click(page, 1035);
    EXPECT_NE(0, GetWindowLongA(GetDlgItem(page, 1037), GWL_STYLE) & ES_READONLY);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 1038)));
    click(page, 1032);
    click(page, 1039);
    click(page, 1040);
    set_text(page, 1037, "D:\\typed");
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
    EXPECT_EQ("0", value("ARCHIVE", "extract"));
    EXPECT_EQ("2", value("ARCHIVE", "extdir"));
    EXPECT_EQ("D:\\typed\\", value("ARCHIVE", "extdirpath"));
    EXPECT_EQ("0", value("ARCHIVE", "opendir"));
    EXPECT_EQ("1", value("ARCHIVE", "createdir"));
}

// Clicks a browse button and waits for the chooser to show the folder named selected. Wine's chooser now
// and then stops expanding its tree part-way on the road to the start folder; it is then cancelled and
// opened again (three tries).
HWND open_chooser_at(const karvo_run &run, HWND sheet, HWND page, int button, const std::string &selected)
{
    for (int attempt = 0; attempt < 3; attempt++) {
        post_click(page, button);
        HWND chooser = wait_for_other_dialog(run.process_id, sheet, 10000);
        if (chooser == nullptr) return nullptr;
        if (wait_for_tree_selection(run, chooser, selected)) return chooser;
        PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
        wait_gone(chooser);
    }
    return nullptr;
}

TEST_F(settings_sheet, browsing_starts_at_the_stored_folder_not_the_typed_one)
{
    start("sheet_browse", FULL_INI);
    std::string stored = run.fixture.folder + "stored";
    ASSERT_TRUE(CreateDirectoryA(stored.c_str(), nullptr));
    WritePrivateProfileStringA("ARCHIVE", "extdir", "0", ini().c_str());
    WritePrivateProfileStringA("ARCHIVE", "extdirpath", (stored + "\\").c_str(), ini().c_str());
    HWND sheet = open_sheet();
    ASSERT_NE(nullptr, sheet);
    HWND page = show_page(sheet, 3);
    ASSERT_NE(nullptr, page);
    set_text(page, 1037, "C:\\typed");
    HWND chooser = open_chooser_at(run, sheet, page, 1038, "stored");
    ASSERT_NE(nullptr, chooser);
    take_screenshot(chooser, "folder_chooser");
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(wait_gone(chooser));
    EXPECT_EQ(stored, dialog_item_text(page, 1037));
    // Cancelled, the box keeps its text.
    set_text(page, 1037, "C:\\typed");
    post_click(page, 1038);
    chooser = wait_for_other_dialog(run.process_id, sheet, 10000);
    ASSERT_NE(nullptr, chooser);
    PostMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(wait_gone(chooser));
    EXPECT_EQ("C:\\typed", dialog_item_text(page, 1037));
    // The folder page's chooser starts at its shortcut's stored folder the same way.
    HWND folders = show_page(sheet, 1);
    WritePrivateProfileStringA("PATH", "shortcut2", (stored + "\\").c_str(), ini().c_str());
    chooser = open_chooser_at(run, sheet, folders, 1024, "stored");
    ASSERT_NE(nullptr, chooser);
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(wait_gone(chooser));
    EXPECT_EQ(stored, dialog_item_text(folders, 1020));
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_CANCEL));
}

// A text longer than the 260-byte buffers every reader uses is refused whole, never cut: the sheet stays
// open on its page and the file keeps the old value.
TEST_F(settings_sheet, a_value_too_long_for_the_readers_is_refused_with_a_message)
{
    start("sheet_long", FULL_INI);
    struct long_case {
        int page_index, box;
        std::string text;
        const char *section, *key;
        std::string saved;  // empty: refused
    };
    std::string base = "C:\\";
    const long_case cases[] = {
        // With its backslash, 258 + 1 bytes fit; 259 + 1 do not.
        {1, 1013, base + std::string(255, 'a'), "PATH", "shortcut1", base + std::string(255, 'a') + "\\"},
        {1, 1013, base + std::string(256, 'b'), "PATH", "shortcut1", ""},
        {1, 1013, base + std::string(296, 'c'), "PATH", "shortcut1", ""},
        {2, 1022, std::string(259, '7'), "OPTION", "viewbkcolor_r", std::string(259, '7')},
        {2, 1022, std::string(260, '8'), "OPTION", "viewbkcolor_r", ""},
        {3, 1037, base + std::string(256, 'd'), "ARCHIVE", "extdirpath", ""},
        {3, 1037, base + std::string(255, 'e') + "\\", "ARCHIVE", "extdirpath", base + std::string(255, 'e') + "\\"},
    };
    for (const long_case &c : cases) {
        SCOPED_TRACE(std::string(c.key) + " " + std::to_string(c.text.size()));
        std::string before = value(c.section, c.key);
        HWND sheet = open_sheet();
        ASSERT_NE(nullptr, sheet);
        HWND page = show_page(sheet, c.page_index);
        ASSERT_NE(nullptr, page);
        set_text(page, c.box, c.text);
        ASSERT_EQ(c.text, dialog_item_text(page, c.box));
        box_answerer answerer;
        start_answering_boxes(&answerer, "ERROR", IDOK);
        if (c.saved.empty()) {
            PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
            for (int i = 0; i < 400 && answerer.answered == 0; i++) Sleep(25);
            Sleep(300);
            EXPECT_TRUE(IsWindow(sheet));
            EXPECT_EQ(1, answerer.answered);
            EXPECT_EQ("入力された文字列が長すぎるため、保存できません。\n259バイト以内にしてください。", answerer.last_text);
            stop_answering_boxes(&answerer);
            EXPECT_EQ(before, value(c.section, c.key));
            // The page is shown again, and a shorter text is taken.
            EXPECT_EQ(page, reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)));
            set_text(page, c.box, "1");
            EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
        } else {
            EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
            stop_answering_boxes(&answerer);
            EXPECT_EQ(0, answerer.answered);
            EXPECT_EQ(c.saved, value(c.section, c.key));
        }
    }
}

TEST_F(settings_sheet, a_settings_file_that_cannot_be_written_or_is_missing_at_ok_is_no_crash)
{
    start("sheet_locked", FULL_INI);
    std::vector<unsigned char> before = read_file_bytes(ini());
    HWND sheet = open_sheet();
    ASSERT_NE(nullptr, sheet);
    HWND page = show_page(sheet, 0);
    click(page, 1052);
    // Held open by another program that lets others only read it (a read-only attribute does not stop
    // this test's user).
    HANDLE held = CreateFileA(ini().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
    CloseHandle(held);
    EXPECT_EQ(before, read_file_bytes(ini()));

    // Removed while the sheet is open: OK makes a new file holding what the visited page applied.
    sheet = open_sheet();
    ASSERT_NE(nullptr, sheet);
    page = show_page(sheet, 0);
    std::map<std::string, std::string> expected = {{"BASIC/attachext", checked(page, 1052) ? "1" : "0"},
                                                   {"BASIC/nodanddlg", checked(page, 1054) ? "1" : "0"},
                                                   {"BASIC/comtofname", checked(page, 1053) ? "1" : "0"}};
    ASSERT_TRUE(DeleteFileA(ini().c_str()));
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
    EXPECT_EQ(expected, read_ini_entries(ini()));
    // The program is still there and answers.
    sheet = open_sheet();
    ASSERT_NE(nullptr, sheet);
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_CANCEL));
}

}  // namespace
