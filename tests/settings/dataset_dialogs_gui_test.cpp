// The dataset settings dialog and the identification data report as a user meets them: karvo.exe opens
// them from its menu commands beside dataset folders made here, and quodra.ini is read afterwards.
#include "karvo_test.h"
#include "definition_writer.h"
#include <algorithm>

namespace {

const int DATASET_SETTINGS_COMMAND = 40018;
const int DATASET_REPORT_COMMAND = 40019;
const char *SETTINGS_CAPTION = "識別データセットの設定";
const char *REPORT_CAPTION = "識別データのレポート";
const int SLOT_BOXES[] = {1071, 1075, 1081, 1083, 1087};
const int TAKE_BUTTONS[] = {1072, 1076, 1082, 1084, 1088};

void write_sized_file(const std::string &path, size_t size)
{
    ASSERT_TRUE(write_file_bytes(path, std::vector<unsigned char>(size, 0)));
}

// A dataset folder S beside the program holding S.dat and S.key of the given sizes (none for a size of -1).
void make_dataset_folder(const std::string &program_folder, const std::string &name, long dat_size, long key_size)
{
    std::string folder = program_folder + name + "\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    if (dat_size >= 0) write_sized_file(folder + name + ".dat", static_cast<size_t>(dat_size));
    if (key_size >= 0) write_sized_file(folder + name + ".key", static_cast<size_t>(key_size));
}

class dataset_dialogs : public karvo_test {
protected:
    HWND open_settings() { return open_by_command(run, DATASET_SETTINGS_COMMAND, SETTINGS_CAPTION); }
    HWND available(HWND dialog) { return GetDlgItem(dialog, 943); }
    void close(HWND dialog)
    {
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(1073, BN_CLICKED), 0);
        EXPECT_TRUE(wait_gone(dialog));
    }
};

TEST_F(dataset_dialogs, settings_list_the_datasets_beside_the_program_and_fill_the_slots)
{
    start("datasets", "[DATASET]\r\nusedataset=1\r\ndatasetname1=alpha\r\ndatasetname2=\r\ndatasetname3=old\r\n"
                      "datasetname5=x\r\n");
    const std::string &folder = run.fixture.folder;
    make_dataset_folder(folder, "alpha", 12, 100);
    make_dataset_folder(folder, "beta", 12, -1);   // no key file: not offered
    make_dataset_folder(folder, "gamma", 0, 0);    // empty files still open: offered
    make_dataset_folder(folder, "delta", 12, 100);
    // A key file that cannot be opened for writing: not offered.
    SetFileAttributesA((folder + "delta\\delta.key").c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE held = CreateFileA((folder + "delta\\delta.key").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    make_dataset_folder(folder, "表 set", 24, 200);

    HWND dialog = open_settings();
    ASSERT_NE(nullptr, dialog);
    const char *shown[] = {"alpha", "未設定", "old", "未設定", "x"};
    for (int i = 0; i < 5; i++) EXPECT_EQ(shown[i], dialog_item_text(dialog, SLOT_BOXES[i])) << i;
    HWND list = available(dialog);
    ASSERT_NE(nullptr, list);
    RECT place = child_rect(list);
    EXPECT_EQ(220, place.left);
    EXPECT_EQ(50, place.top);
    EXPECT_EQ(175, place.right - place.left);
    EXPECT_EQ(277, place.bottom - place.top);
    std::vector<std::string> rows;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++) rows.push_back(list_box_text(list, i));
    std::sort(rows.begin(), rows.end());
    EXPECT_EQ((std::vector<std::string>{"alpha", "gamma", "表 set"}), rows);
    EXPECT_EQ(0, SendMessageA(list, LB_GETCURSEL, 0, 0));
    take_screenshot(dialog, "dataset_settings");

    // "←" copies the selected row; with no row selected it sets "未設定".
    int gamma = static_cast<int>(SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                              reinterpret_cast<LPARAM>("gamma")));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(gamma), 0);
    click(dialog, TAKE_BUTTONS[1]);
    EXPECT_EQ("gamma", dialog_item_text(dialog, SLOT_BOXES[1]));
    SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    click(dialog, TAKE_BUTTONS[4]);
    EXPECT_EQ("未設定", dialog_item_text(dialog, SLOT_BOXES[4]));
    close(dialog);
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);

    // Every slot written: "未設定" as an empty value, even for a key that was missing.
    std::map<std::string, std::string> entries = read_ini_entries(ini());
    EXPECT_EQ("alpha", entries["DATASET/datasetname1"]);
    EXPECT_EQ("gamma", entries["DATASET/datasetname2"]);
    EXPECT_EQ("old", entries["DATASET/datasetname3"]);
    ASSERT_EQ(1u, entries.count("DATASET/datasetname4"));
    EXPECT_EQ("", entries["DATASET/datasetname4"]);
    EXPECT_EQ("", entries["DATASET/datasetname5"]);
}

TEST_F(dataset_dialogs, settings_without_datasets_show_none_and_the_close_box_clears_a_slot)
{
    start("no_datasets", "[DATASET]\r\nusedataset=1\r\ndatasetname1=alpha\r\ndatasetname2=beta\r\n");
    make_dataset_folder(run.fixture.folder, "half", -1, 100);
    HWND dialog = open_settings();
    ASSERT_NE(nullptr, dialog);
    HWND list = available(dialog);
    EXPECT_EQ(1, SendMessageA(list, LB_GETCOUNT, 0, 0));
    EXPECT_EQ("(なし)", list_box_text(list, 0));
    click(dialog, TAKE_BUTTONS[0]);
    EXPECT_EQ("未設定", dialog_item_text(dialog, SLOT_BOXES[0]));
    // The caption's close box saves like "閉じる".
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_gone(dialog));
    EXPECT_EQ("", value("DATASET", "datasetname1"));
    EXPECT_EQ("beta", value("DATASET", "datasetname2"));
}

TEST_F(dataset_dialogs, report_names_the_dataset_in_use_and_counts_its_kinds_and_patterns)
{
    start("report", "[DATASET]\r\nusedataset=0\r\n");
    const std::string &folder = run.fixture.folder;
    CreateDirectoryA((folder + "data").c_str(), nullptr);
    // The fixed files, written by the project's writers: 30 kinds and 100 patterns.
    std::vector<key_entry> keys;
    for (uint16_t i = 0; i < 30; i++) keys.push_back({i, "TXT", "テキスト"});
    std::vector<unsigned char> key_bytes;
    ASSERT_TRUE(make_key_file(keys, &key_bytes));
    ASSERT_EQ(3000u, key_bytes.size());
    ASSERT_TRUE(write_definition_file(folder + "data\\karvo.key", key_bytes));
    std::vector<dataset_entry> records(100, dataset_entry{1, 0, 0, 1});
    ASSERT_EQ(1200u, make_dataset_file(records).size());
    ASSERT_TRUE(write_definition_file(folder + "data\\karvo.dat", make_dataset_file(records)));
    make_dataset_folder(folder, "good", 1200, 3000);
    make_dataset_folder(folder, "short key", 1200, 250);
    make_dataset_folder(folder, "odd dat", 1201, 3000);
    make_dataset_folder(folder, "no key", 1200, -1);
    make_dataset_folder(folder, "empty", 0, 0);
    make_dataset_folder(folder, "five", 12, 500);

    const char *invalid = "データセットの設定が不正、または未対応です";
    const char *missing = "データセットは存在しないか、未対応です";
    struct report_case {
        const char *usedataset;
        const char *name;  // put into datasetname<usedataset> (or datasetname2 for the invalid slots)
        const char *shown, *kinds, *patterns;
    };
    const report_case cases[] = {
        {"0", "", "データセットを使わない(パス固定)", "   30　種類", "  100　パターン"},
        {"1", "good", "good", "   30　種類", "  100　パターン"},
        {"2", "", invalid, "    0　種類", "    0　パターン"},
        {"3", "short key", missing, "    0　種類", "    0　パターン"},
        {"4", "odd dat", missing, "   30　種類", "    0　パターン"},
        {"1", "no key", missing, "    0　種類", "    0　パターン"},
        {"2", "empty", "empty", "    0　種類", "    0　パターン"},
        {"5", "five", "five", "    5　種類", "    1　パターン"},
        {"6", "good", invalid, "    0　種類", "    0　パターン"},
        {"-1", "good", invalid, "    0　種類", "    0　パターン"},
        {"1", "missing", missing, "    0　種類", "    0　パターン"},
    };
    for (const report_case &c : cases) {
        SCOPED_TRACE(std::string(c.usedataset) + " " + c.name);
        WritePrivateProfileStringA("DATASET", "usedataset", c.usedataset, ini().c_str());
        std::string slot = std::string("datasetname") + c.usedataset;
        WritePrivateProfileStringA("DATASET", slot.c_str(), c.name, ini().c_str());
        HWND report = open_by_command(run, DATASET_REPORT_COMMAND, REPORT_CAPTION);
        ASSERT_NE(nullptr, report);
        EXPECT_EQ(c.shown, dialog_item_text(report, 1079));
        EXPECT_EQ(c.kinds, dialog_item_text(report, 1080));
        EXPECT_EQ(c.patterns, dialog_item_text(report, 1081));
        if (std::string(c.usedataset) == "0") take_screenshot(report, "dataset_report");
        if (std::string(c.usedataset) == "4") take_screenshot(report, "dataset_report_error");
        PostMessageA(report, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(wait_gone(report));
    }
}

}  // namespace
