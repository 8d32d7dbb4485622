// The page "ショートカット・関連づけ" as a user meets it: karvo.exe, copied into a folder whose path holds
// blanks and 表, makes its shortcuts and registers ".wyr"; the link files are read back through the
// shell-link object and the registry through the API.
#include "box_answerer.h"
#include "karvo_test.h"
#include <objbase.h>
#include <objidl.h>
#include <prsht.h>
#include <shlguid.h>
#include <shlobj.h>

namespace {

const int SETTINGS_COMMAND = 40006;
const char *SHEET_CAPTION = "基本機能の設定";
const char *USER_SHELL_FOLDERS = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

struct shortcut_contents {
    int loaded = 0;
    std::string path, working_folder, description, icon;
    int show = -1, icon_index = -1;
    WORD hotkey = 0xFFFF;
};

shortcut_contents read_shortcut(const std::string &path)
{
    shortcut_contents contents;
    CoInitialize(nullptr);
    IShellLinkA *link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void **>(&link)))) {
        IPersistFile *file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file)))) {
            WCHAR wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
            if (SUCCEEDED(file->Load(wide, STGM_READ))) {
                contents.loaded = 1;
                char text[MAX_PATH] = "";
                link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
                contents.path = text;
                text[0] = '\0';
                link->GetWorkingDirectory(text, MAX_PATH);
                contents.working_folder = text;
                text[0] = '\0';
                link->GetDescription(text, MAX_PATH);
                contents.description = text;
                text[0] = '\0';
                link->GetIconLocation(text, MAX_PATH, &contents.icon_index);
                contents.icon = text;
                link->GetShowCmd(&contents.show);
                link->GetHotkey(&contents.hotkey);
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return contents;
}

// The default value of a key under HKEY_CLASSES_ROOT, or "(no key)" / "(no value)".
std::string class_value(const char *key_name)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key_name, 0, KEY_READ, &key) != ERROR_SUCCESS) return "(no key)";
    char text[1024] = "";
    DWORD size = sizeof text;
    DWORD type = 0;
    LONG read = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(text), &size);
    RegCloseKey(key);
    if (read != ERROR_SUCCESS) return "(no value)";
    return type == REG_SZ ? std::string(text) : "(not REG_SZ)";
}

void remove_association()
{
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "WyroAddin");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, "WyroAddin");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".wyr");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, ".wyr");
}

// Points the user's desktop and Send To folders into the test's folder for the test's length, so no link
// lands in a real desktop.
class shell_page : public karvo_test {
protected:
    void SetUp() override
    {
        // The shell's own menu builder is kept out of the test's links.
        SetEnvironmentVariableA("WINEDLLOVERRIDES", "winemenubuilder.exe=d");
        RegOpenKeyExA(HKEY_CURRENT_USER, USER_SHELL_FOLDERS, 0, KEY_ALL_ACCESS, &folders_key);
        keep_folder("Desktop", &old_desktop);
        keep_folder("SendTo", &old_sendto);
        remove_association();
    }
    void TearDown() override
    {
        restore_folder("Desktop", old_desktop);
        restore_folder("SendTo", old_sendto);
        if (folders_key != nullptr) RegCloseKey(folders_key);
        remove_association();
        karvo_test::TearDown();
    }
    void keep_folder(const char *name, std::string *old)
    {
        char text[MAX_PATH] = "";
        DWORD size = sizeof text;
        if (RegQueryValueExA(folders_key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(text), &size) == ERROR_SUCCESS)
            *old = text;
    }
    void restore_folder(const char *name, const std::string &old)
    {
        if (folders_key == nullptr) return;
        if (old.empty()) {
            RegDeleteValueA(folders_key, name);
        } else {
            RegSetValueExA(folders_key, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE *>(old.c_str()),
                           static_cast<DWORD>(old.size() + 1));
        }
    }
    std::string redirect_folder(const char *name, const std::string &folder)
    {
        CreateDirectoryA(folder.c_str(), nullptr);
        RegSetValueExA(folders_key, name, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE *>(folder.c_str()),
                       static_cast<DWORD>(folder.size() + 1));
        return folder;
    }
    HWND open_shell_page(HWND *sheet)
    {
        *sheet = open_by_command(run, SETTINGS_COMMAND, SHEET_CAPTION);
        if (*sheet == nullptr) return nullptr;
        return show_page(*sheet, 4);
    }
    // Clicks a button of the page and answers the box titled caption; returns the box's text, or
    // "(no box)" when none came within a few seconds.
    std::string press_and_answer(HWND page, int id, const char *caption)
    {
        box_answerer answerer;
        start_answering_boxes(&answerer, caption, IDOK);
        post_click(page, id);
        for (int i = 0; i < 200 && answerer.answered == 0; i++) Sleep(25);
        stop_answering_boxes(&answerer);
        return answerer.answered == 1 ? answerer.last_text : "(no box)";
    }
    HKEY folders_key = nullptr;
    std::string old_desktop, old_sendto;
};

TEST_F(shell_page, makes_the_desktop_and_send_to_shortcuts_pointing_at_the_program)
{
    start("shell links 表", "[DATASET]\r\nusedataset=0\r\n");
    std::string desktop = redirect_folder("Desktop", run.fixture.folder + "my desk 表");
    std::string sendto = redirect_folder("SendTo", run.fixture.folder + "send to");
    HWND sheet = nullptr;
    HWND page = open_shell_page(&sheet);
    ASSERT_NE(nullptr, page);
    take_screenshot(sheet, "page5_shell_buttons");

    // Twice: the second overwrites the first and is reported again.
    for (int round = 0; round < 2; round++) {
        SCOPED_TRACE(round);
        EXPECT_EQ("デスクトップにショートカットを作成しました！", press_and_answer(page, 1015, "Message"));
        EXPECT_EQ("送るメニューに追加しました！", press_and_answer(page, 1016, "Message"));
    }
    const std::string links[] = {desktop + "\\Quodra.lnk", sendto + "\\Quodraで拡張子識別.lnk"};
    for (const std::string &link : links) {
        SCOPED_TRACE(link);
        shortcut_contents contents = read_shortcut(link);
        ASSERT_TRUE(contents.loaded);
        EXPECT_EQ(run.fixture.exe_path, contents.path);
        // The link format keeps only three show commands and reads others back as SW_SHOWNORMAL; the
        // file itself holds what the program set.
        EXPECT_EQ(SW_SHOWNORMAL, contents.show);
        std::vector<unsigned char> bytes = read_file_bytes(link);
        ASSERT_GE(bytes.size(), 64u);
        EXPECT_EQ(SW_SHOW, bytes[60] | bytes[61] << 8 | bytes[62] << 16 | bytes[63] << 24);
        EXPECT_EQ("", contents.working_folder);
        EXPECT_EQ("", contents.description);
        EXPECT_EQ("", contents.icon);
        EXPECT_EQ(0, contents.icon_index);
        EXPECT_EQ(0, contents.hotkey);
    }
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
}

TEST_F(shell_page, a_shortcut_that_could_not_be_written_is_not_reported_as_made)
{
    start("shell_link_fails", "[DATASET]\r\nusedataset=0\r\n");
    std::string desktop = redirect_folder("Desktop", run.fixture.folder + "desk");
    // A folder of the link's name leaves no room for the link file.
    ASSERT_TRUE(CreateDirectoryA((desktop + "\\Quodra.lnk").c_str(), nullptr));
    // A Send To folder that does not exist.
    redirect_folder("SendTo", run.fixture.folder + "gone");
    RemoveDirectoryA((run.fixture.folder + "gone").c_str());
    HWND sheet = nullptr;
    HWND page = open_shell_page(&sheet);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("ショートカットを作成できませんでした。", press_and_answer(page, 1015, "ERROR"));
    EXPECT_EQ(nullptr, find_dialog_box("Message"));
    EXPECT_EQ("ショートカットを作成できませんでした。", press_and_answer(page, 1016, "ERROR"));
    EXPECT_FALSE(file_exists(run.fixture.folder + "gone\\Quodraで拡張子識別.lnk"));
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
}

TEST_F(shell_page, registers_wyr_with_the_quoted_open_command_and_the_third_icon)
{
    start("shell assoc 表", "[DATASET]\r\nusedataset=0\r\n");
    HWND sheet = nullptr;
    HWND page = open_shell_page(&sheet);
    ASSERT_NE(nullptr, page);
    // Success says nothing.
    EXPECT_EQ("(no box)", press_and_answer(page, 1018, "ERROR"));
    EXPECT_EQ("WyroAddin", class_value(".wyr"));
    EXPECT_EQ("\"" + run.fixture.exe_path + "\"", class_value("WyroAddin\\shell\\open\\command"));
    EXPECT_EQ(run.fixture.exe_path + ",2", class_value("WyroAddin\\DefaultIcon"));
    EXPECT_EQ("Velmar Easy Addin -wyro-", class_value("WyroAddin"));
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
}

TEST_F(shell_page, a_registration_stopped_by_a_key_it_may_not_write_is_reported_and_leaves_the_rest)
{
    start("shell_assoc_denied", "[DATASET]\r\nusedataset=0\r\n");
    // "WyroAddin\\shell\\open" exists as a volatile key, under which no lasting key can be made: the open
    // command's key cannot be created.
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, "WyroAddin\\shell", 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegCloseKey(key);
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, "WyroAddin\\shell\\open", 0, nullptr, REG_OPTION_VOLATILE,
                                             KEY_ALL_ACCESS, nullptr, &key, nullptr));
    RegCloseKey(key);
    ASSERT_NE(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CLASSES_ROOT, "WyroAddin\\shell\\open\\command", 0, nullptr,
                                             REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key, nullptr));

    HWND sheet = nullptr;
    HWND page = open_shell_page(&sheet);
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("関連づけを登録できませんでした。(レジストリに書き込めません)", press_and_answer(page, 1018, "ERROR"));
    EXPECT_EQ("WyroAddin", class_value(".wyr"));
    EXPECT_EQ("(no key)", class_value("WyroAddin\\shell\\open\\command"));
    EXPECT_EQ("(no key)", class_value("WyroAddin\\DefaultIcon"));
    EXPECT_EQ("(no value)", class_value("WyroAddin"));
    EXPECT_TRUE(press_sheet_button(sheet, PSBTN_OK));
}

}  // namespace
