// karvo.exe from the outside, as the user meets it: a copy is started in a fresh folder, its main window
// is looked at and closed, and the settings file it leaves is read; files named outside code page 932 are
// dropped on it.
#include "box_answerer.h"
#include "dataset_fixture.h"
#include "dialog_closer.h"
#include "menu_table.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {

const DWORD START_TIMEOUT_MS = 30000;

struct process_window_search {
    DWORD process_id;
    HWND found;
};

BOOL CALLBACK find_karvo_window(HWND window, LPARAM lparam)
{
    process_window_search *search = reinterpret_cast<process_window_search *>(lparam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char class_name[64] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (owner == search->process_id && std::string(class_name) == "Karvo Window") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND karvo_window_of(DWORD process_id)
{
    process_window_search search = {process_id, nullptr};
    EnumWindows(find_karvo_window, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A copy of the freshly built karvo.exe in a folder of its own, so the settings file starts missing.
class karvo_copy : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = make_test_folder("karvo");
        exe = folder + "karvo.exe";
        ASSERT_TRUE(CopyFileA((test_program_folder() + "karvo.exe").c_str(), exe.c_str(), FALSE));
    }
    void TearDown() override
    {
        if (process.hProcess != nullptr) {
            if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process.hProcess, 99);
            CloseHandle(process.hProcess);
            CloseHandle(process.hThread);
        }
        remove_folder_tree(folder);
    }

    void start(const std::string &arguments)
    {
        std::string command_line = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        ASSERT_TRUE(CreateProcessA(exe.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   folder.c_str(), &startup, &process));
    }

    HWND wait_for_window()
    {
        for (DWORD waited = 0; waited < START_TIMEOUT_MS; waited += 50) {
            HWND window = karvo_window_of(process.dwProcessId);
            if (window != nullptr && IsWindowVisible(window)) return window;
            if (WaitForSingleObject(process.hProcess, 50) == WAIT_OBJECT_0) return nullptr;
        }
        return nullptr;
    }

    DWORD wait_for_exit_code()
    {
        if (WaitForSingleObject(process.hProcess, START_TIMEOUT_MS) != WAIT_OBJECT_0) return 0xFFFFFFFF;
        DWORD code = 0xFFFFFFFF;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }

    std::string read_ini(const char *section, const char *key)
    {
        char value[260];
        GetPrivateProfileStringA(section, key, "", value, sizeof value, (folder + "quodra.ini").c_str());
        return value;
    }

    std::string folder;
    std::string exe;
    PROCESS_INFORMATION process = {};
};

void expect_menu_bar(HMENU bar)
{
    ASSERT_NE(nullptr, bar);
    ASSERT_EQ(EXPECTED_MENU_COUNT, GetMenuItemCount(bar));
    for (int m = 0; m < EXPECTED_MENU_COUNT; m++) {
        SCOPED_TRACE(m);
        char text[260] = "";
        GetMenuStringA(bar, static_cast<UINT>(m), text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(EXPECTED_MENU_BAR[m].text, text);
        HMENU popup = GetSubMenu(bar, m);
        ASSERT_NE(nullptr, popup);
        ASSERT_EQ(EXPECTED_MENU_BAR[m].item_count, GetMenuItemCount(popup));
        for (int i = 0; i < EXPECTED_MENU_BAR[m].item_count; i++) {
            const expected_menu_item &item = EXPECTED_MENU_BAR[m].items[i];
            if (item.text == nullptr) continue;
            SCOPED_TRACE(item.id);
            GetMenuStringA(popup, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            EXPECT_STREQ(item.text, text);
            EXPECT_EQ(item.id, GetMenuItemID(popup, i));
        }
    }
}

// The window has a one-line menu bar, and the menu it was given carries every text and id. Windows lets
// another process read a window's menu; Wine keeps menus inside their process, so there the texts are read
// from the program's own menu resource and the bar is seen in the window's frame.
void expect_window_menu_bar(HWND window, const std::string &exe)
{
    HMENU bar = GetMenu(window);
    ASSERT_NE(nullptr, bar);
    if (GetMenuItemCount(bar) >= 0) {
        expect_menu_bar(bar);
    } else {
        HMODULE image = LoadLibraryExA(exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(nullptr, image);
        HMENU resource_menu = LoadMenuA(image, MAKEINTRESOURCEA(113));
        expect_menu_bar(resource_menu);
        DestroyMenu(resource_menu);
        FreeLibrary(image);
    }
    // The client area is what the caption, the borders and one menu line leave of the outer size.
    RECT client = {};
    GetClientRect(window, &client);
    RECT with_menu = client;
    AdjustWindowRectEx(&with_menu, static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE)), TRUE, 0);
    EXPECT_EQ(440, with_menu.bottom - with_menu.top);
    EXPECT_EQ(530, with_menu.right - with_menu.left);
}

TEST_F(karvo_copy, without_arguments_the_main_window_opens_and_closes_with_code_0)
{
    start("");
    HWND window = wait_for_window();
    ASSERT_NE(nullptr, window) << "no visible window of class Karvo Window";

    char title[260] = "";
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ("Quodra -Quodra-", title);
    RECT outer = {};
    GetWindowRect(window, &outer);
    EXPECT_EQ(530, outer.right - outer.left);
    EXPECT_EQ(440, outer.bottom - outer.top);
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(0, style & WS_MAXIMIZEBOX);
    EXPECT_EQ(0, style & WS_THICKFRAME);
    EXPECT_NE(0, style & WS_MINIMIZEBOX);
    EXPECT_NE(0, style & WS_SYSMENU);
    EXPECT_EQ(WS_CAPTION, style & WS_CAPTION);
    expect_window_menu_bar(window, exe);

    // The settings file exists while the window is open, written before the window was made.
    EXPECT_TRUE(file_exists(folder + "quodra.ini"));

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(0u, wait_for_exit_code());
    EXPECT_EQ("Karvo Project INI", read_ini("INFO", "Message1"));
    EXPECT_EQ(folder, read_ini("PATH", "targetdir"));
    EXPECT_EQ(folder, read_ini("PATH", "shortcut5"));
    EXPECT_EQ("1", read_ini("DATASET", "usedataset"));
    EXPECT_EQ("vlm_gene_036", read_ini("DATASET", "datasetname1"));
}

TEST_F(karvo_copy, the_exit_menu_item_closes_the_window_with_code_0)
{
    start("");
    HWND window = wait_for_window();
    ASSERT_NE(nullptr, window);
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(40004, 0), 0);
    EXPECT_EQ(0u, wait_for_exit_code());
}

TEST_F(karvo_copy, with_a_file_argument_it_ends_with_code_0_and_opens_no_main_window)
{
    std::string file = folder + "dropped file.bin";
    ASSERT_TRUE(write_file_text(file, "some bytes"));
    start("\"" + file + "\"");
    // The file's result dialog (if any) is closed as a user would; the main window must never appear.
    dialog_closer closer;
    start_closing_dialogs(&closer, process.dwProcessId);
    int saw_main_window = 0;
    DWORD waited = 0;
    while (WaitForSingleObject(process.hProcess, 20) == WAIT_TIMEOUT && waited < START_TIMEOUT_MS) {
        if (karvo_window_of(process.dwProcessId) != nullptr) saw_main_window = 1;
        waited += 20;
    }
    stop_closing_dialogs(&closer);
    EXPECT_EQ(0u, wait_for_exit_code());
    EXPECT_EQ(0, saw_main_window);
    EXPECT_LE(closer.closed, 1);
    // The settings file is made in this mode too.
    EXPECT_EQ("Karvo Project INI", read_ini("INFO", "Message1"));
}

TEST_F(karvo_copy, an_existing_settings_file_with_wakeupdir_3_points_targetdir_at_the_program_folder)
{
    std::string ini = folder + "quodra.ini";
    WritePrivateProfileStringA("PATH", "targetdir", "C:\\elsewhere\\", ini.c_str());
    WritePrivateProfileStringA("PATH", "wakeupdir", "3", ini.c_str());
    start("\"" + std::string(300, 'z') + "\"");
    EXPECT_EQ(0u, wait_for_exit_code());
    EXPECT_EQ(folder, read_ini("PATH", "targetdir"));
    EXPECT_EQ("", read_ini("INFO", "Message1"));
}

// Starts a program fixture with a wide command line, as the shell does for dropped files.
HANDLE start_program_wide(const program_fixture &fixture, const std::wstring &arguments)
{
    std::wstring exe = wide_path(fixture.exe_path, L"");
    std::wstring command = L"\"" + exe + L"\" " + arguments;
    std::vector<wchar_t> text(command.begin(), command.end());
    text.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(exe.c_str(), text.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        wide_path(fixture.folder, L"").c_str(), &startup, &process))
        return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

// A dataset of one definition: files starting with the PNG signature are PNG, anything else has no candidate.
void write_png_dataset(const std::string &folder)
{
    plugin_definition png;
    clear_plugin_definition(&png);
    png.header.definition_id = 7;
    png.header.flags = DEFINITION_FLAG_SIGNATURE;
    png.header.option_source = 2;
    png.with_options = 1;
    png.options.params[0] = 4;
    png.settings.enabled = 1;
    png.settings.pattern_check = 1;
    png.patterns.count = 1;
    png.patterns.key_id[0] = 1;
    png.patterns.base_score[0] = 255;
    write_fixed_plugin(folder, "png.plg", png);
    write_fixed_dataset(folder, {{7, 0x89504E47u, 0, 1}}, {{1, "PNG", "PNG画像"}});
}

// café.dat, 😀 and 简体 are images and cafe.dat is text: each dropped file is identified as itself, and Yes
// renames the image, keeping its name; cafe.dat, which a lossy name would have hit, is never touched.
TEST(karvo_names, dropped_files_named_outside_code_page_932_are_identified_and_renamed_as_themselves)
{
    program_fixture fixture = make_program_fixture(
        "names", "[DATASET]\r\nusedataset=0\r\n[ARCHIVE]\r\nextract=0\r\n[BASIC]\r\nnodanddlg=1\r\nattachext=0\r\n"
                 "comtofname=0\r\n");
    write_png_dataset(fixture.folder);
    std::string files = fixture.folder + "files\\";
    ASSERT_TRUE(CreateDirectoryA(files.c_str(), nullptr));
    ASSERT_TRUE(write_named_samples(files));
    std::vector<unsigned char> text = read_file_bytes(files + "cafe.dat");

    box_answerer answerer;
    start_answering_boxes(&answerer, "拡張子の訂正", IDYES);
    std::wstring arguments = L"\"" + wide_path(files, L"caf\u00e9.dat") + L"\" " + wide_path(files, L"cafe.dat") + L" \"" +
                             wide_path(files, L"\U0001F600") + L"\" \"" + wide_path(files, L"\u7b80\u4f53") + L"\"";
    EXPECT_EQ(0, wait_for_exit(start_program_wide(fixture, arguments), START_TIMEOUT_MS * 2));
    stop_answering_boxes(&answerer);

    EXPECT_EQ(3, answerer.answered);
    EXPECT_EQ("拡張子を[]から[PNG]に変更しますか？", answerer.last_text);
    EXPECT_EQ(png_bytes(), read_wide_file(wide_path(files, L"caf\u00e9.png")));
    EXPECT_EQ(png_bytes(), read_wide_file(wide_path(files, L"\U0001F600.png")));
    EXPECT_EQ(png_bytes(), read_wide_file(wide_path(files, L"\u7b80\u4f53.png")));
    EXPECT_FALSE(wide_file_exists(wide_path(files, L"caf\u00e9.dat")));
    EXPECT_EQ(text, read_file_bytes(files + "cafe.dat"));
    EXPECT_FALSE(file_exists(files + "cafe.png"));
    remove_folder_tree(fixture.folder);
}

// The question names the file's own extension: café.dat is asked about as DAT, then becomes café.png.
TEST(karvo_names, the_question_for_a_dropped_file_names_its_own_extension)
{
    program_fixture fixture = make_program_fixture(
        "names_question", "[DATASET]\r\nusedataset=0\r\n[ARCHIVE]\r\nextract=0\r\n[BASIC]\r\nnodanddlg=1\r\n"
                          "attachext=0\r\ncomtofname=0\r\n");
    write_png_dataset(fixture.folder);
    ASSERT_TRUE(write_named_samples(fixture.folder));
    box_answerer answerer;
    start_answering_boxes(&answerer, "拡張子の訂正", IDYES);
    EXPECT_EQ(0, wait_for_exit(start_program_wide(fixture, wide_path(fixture.folder, L"caf\u00e9.dat")), START_TIMEOUT_MS));
    stop_answering_boxes(&answerer);
    EXPECT_EQ(1, answerer.answered);
    EXPECT_EQ("拡張子を[DAT]から[PNG]に変更しますか？", answerer.last_text);
    EXPECT_EQ(png_bytes(), read_wide_file(wide_path(fixture.folder, L"caf\u00e9.png")));
    EXPECT_FALSE(file_exists(fixture.folder + "cafe.png"));
    remove_folder_tree(fixture.folder);
}

}  // namespace
