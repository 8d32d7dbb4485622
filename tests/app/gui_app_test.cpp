// karvo.exe from the outside, as the user meets it: a copy is started in a fresh folder, its main window
// is looked at and closed, and the settings file it leaves is read.
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

}  // namespace
