// quodra.ini at start-up: the first-run values and their order, the start-up folder rule, the program folder.
#include "config.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <shlobj.h>
#include <string>
#include <utility>
#include <vector>

namespace {

struct ini_row {
    std::string section;
    std::string key;
    std::string value;
};

std::string shell_folder(int csidl)
{
    char folder[MAX_PATH] = "";
    SHGetSpecialFolderPathA(nullptr, folder, csidl, FALSE);
    return std::string(folder) + "\\";
}

// What the first start must write, in order.
std::vector<ini_row> expected_first_run(const std::string &folder)
{
    return {
        {"INFO", "Message1", "Karvo Project INI"},
        {"INFO", "Message2", "なるべくメモ帳などでの直接編集はしないでください"},
        {"INFO", "Message3", "(直にアクセスしないので)手動で編集してもすぐ反映されない場合があります。"},
        {"INFO", "Message4", "もし行うなら、新旧のデータがごっちゃにならないように気をつけてください。"},
        {"PATH", "targetdir", folder},
        {"PATH", "shortcut1", folder},
        {"PATH", "shortcut2", folder},
        {"PATH", "shortcut3", folder},
        {"PATH", "shortcut4", folder},
        {"PATH", "shortcut5", folder},
        {"PATH", "wakeupdir", "0"},
        {"OPTION", "viewext", "0"},
        {"OPTION", "viewbkcolor_r", "177"},
        {"OPTION", "viewbkcolor_g", "254"},
        {"OPTION", "viewbkcolor_b", "158"},
        {"ARCHIVE", "extract", "1"},
        {"ARCHIVE", "extdir", "2"},
        {"ARCHIVE", "extdirpath", shell_folder(CSIDL_DESKTOPDIRECTORY)},
        {"ARCHIVE", "opendir", "0"},
        {"ARCHIVE", "createdir", "1"},
        {"BASIC", "attachext", "0"},
        {"BASIC", "comtofname", "0"},
        {"BASIC", "nodanddlg", "0"},
        {"DATASET", "usedataset", "1"},
        {"DATASET", "datasetname1", "vlm_gene_036"},
        {"DATASET", "datasetname2", ""},
        {"DATASET", "datasetname3", ""},
        {"DATASET", "datasetname4", ""},
        {"DATASET", "datasetname5", ""},
    };
}

// The file's sections and keys in file order, read line by line.
std::vector<ini_row> rows_in_file_order(const std::string &path)
{
    std::vector<unsigned char> bytes = read_file_bytes(path);
    std::string text(bytes.begin(), bytes.end());
    std::vector<ini_row> rows;
    std::string section;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            section = line.substr(1, line.size() - 2);
            continue;
        }
        size_t equals = line.find('=');
        rows.push_back({section, line.substr(0, equals), equals == std::string::npos ? "" : line.substr(equals + 1)});
    }
    return rows;
}

std::string read_value(const std::string &ini, const char *section, const char *key)
{
    char value[260];
    GetPrivateProfileStringA(section, key, "", value, sizeof value, ini.c_str());
    return value;
}

class config_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = make_test_folder("config");
        ini = folder + "quodra.ini";
    }
    void TearDown() override { remove_folder_tree(folder); }

    std::string folder;
    std::string ini;
    app_config config = {};
};

TEST_F(config_test, first_run_writes_every_value_in_order)
{
    load_config_in(&config, folder.c_str());
    EXPECT_EQ(ini, config.ini_path);
    std::vector<ini_row> expected = expected_first_run(folder);
    std::vector<ini_row> written = rows_in_file_order(ini);
    ASSERT_EQ(expected.size(), written.size());
    for (size_t i = 0; i < expected.size(); i++) {
        SCOPED_TRACE(expected[i].section + "/" + expected[i].key);
        EXPECT_EQ(expected[i].section, written[i].section);
        EXPECT_EQ(expected[i].key, written[i].key);
        EXPECT_EQ(expected[i].value, written[i].value);
    }
}

TEST_F(config_test, first_run_file_is_byte_for_byte_what_the_profile_functions_write)
{
    load_config_in(&config, folder.c_str());
    // The same values written one by one, in order, with the profile functions into another file.
    std::string reference = folder + "reference.ini";
    for (const ini_row &row : expected_first_run(folder))
        WritePrivateProfileStringA(row.section.c_str(), row.key.c_str(), row.value.c_str(), reference.c_str());
    std::vector<unsigned char> bytes = read_file_bytes(ini);
    ASSERT_FALSE(bytes.empty());
    EXPECT_EQ(read_file_bytes(reference), bytes);
    // The first line is the banner's section; the Japanese notes are stored as code page 932.
    std::string text(bytes.begin(), bytes.end());
    EXPECT_EQ(0u, text.find("[INFO]\r\nMessage1=Karvo Project INI\r\n"));
    EXPECT_NE(std::string::npos, text.find("Message2=\x82\xC8\x82\xE9\x82\xD7\x82\xAD"));
}

TEST_F(config_test, first_run_sets_the_paths_of_dataset_one)
{
    load_config_in(&config, folder.c_str());
    EXPECT_EQ(folder + "vlm_gene_036\\vlm_gene_036.key", config.key_path);
    EXPECT_EQ(folder + "vlm_gene_036\\vlm_gene_036.dat", config.dat_path);
    EXPECT_EQ(folder + "vlm_gene_036\\plug-in\\", config.plugin_folder);
    EXPECT_EQ(folder + "vlm_gene_036\\add-in\\", config.addin_folder);
    EXPECT_EQ(1, g_active_dataset);
}

TEST_F(config_test, an_existing_file_is_not_rewritten_with_first_run_values)
{
    WritePrivateProfileStringA("PATH", "targetdir", "C:\\kept\\", ini.c_str());
    load_config_in(&config, folder.c_str());
    EXPECT_EQ("C:\\kept\\", read_value(ini, "PATH", "targetdir"));
    EXPECT_EQ("", read_value(ini, "INFO", "Message1"));
    EXPECT_EQ("", read_value(ini, "DATASET", "usedataset"));
    // usedataset missing reads as 0: the fixed paths beside the program.
    EXPECT_EQ(0, g_active_dataset);
    EXPECT_EQ(folder + "data\\karvo.key", config.key_path);
}

TEST_F(config_test, the_start_up_folder_rule_sets_targetdir_on_every_start)
{
    const struct {
        const char *wakeupdir;  // null: key missing
        std::string expected;
    } cases[] = {
        {"0", "C:\\last\\"},
        {"1", shell_folder(CSIDL_DESKTOPDIRECTORY)},
        {"2", shell_folder(CSIDL_PERSONAL)},
        {"3", folder},
        {"4", "C:\\last\\"},
        {"-1", "C:\\last\\"},
        {"abc", "C:\\last\\"},
        {"", "C:\\last\\"},
        {nullptr, "C:\\last\\"},
        {"3abc", folder},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.wakeupdir == nullptr ? "missing" : c.wakeupdir);
        WritePrivateProfileStringA("PATH", "targetdir", "C:\\last\\", ini.c_str());
        WritePrivateProfileStringA("PATH", "wakeupdir", c.wakeupdir, ini.c_str());
        load_config_in(&config, folder.c_str());
        EXPECT_EQ(c.expected, read_value(ini, "PATH", "targetdir"));
    }
}

TEST_F(config_test, a_folder_too_long_for_the_file_name_keeps_no_settings_file)
{
    std::string long_folder = folder + std::string(250, 'f') + "\\";
    app_config before = {};
    before.key_path[0] = 'k';
    config = before;
    load_config_in(&config, long_folder.c_str());
    EXPECT_STREQ("", config.ini_path);
    // The fixed paths would not fit either, so the old ones stay.
    EXPECT_STREQ("k", config.key_path);
    EXPECT_FALSE(file_exists(ini));
}

TEST(program_folder, is_the_module_folder_with_its_backslash)
{
    const struct {
        const char *module_path;
        int result;
        const char *folder;
    } cases[] = {
        {"C:\\tools\\karvo.exe", 1, "C:\\tools\\"},
        {"C:\\表\\karvo.exe", 1, "C:\\表\\"},         // 0x95 0x5C: the second half is no separator
        {"C:\\ソフト\\表.exe", 1, "C:\\ソフト\\"},
        {"C:/tools/karvo.exe", 1, "C:/tools/"},
        {"karvo.exe", 0, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.module_path);
        char folder[260] = "old";
        EXPECT_EQ(c.result, folder_of_module_path(c.module_path, folder, sizeof folder));
        EXPECT_STREQ(c.folder, folder);
    }
    char small[6];
    EXPECT_EQ(0, folder_of_module_path("C:\\tools\\karvo.exe", small, sizeof small));
    EXPECT_STREQ("", small);
}

TEST(program_folder, of_this_program_ends_in_a_backslash)
{
    EXPECT_EQ(test_program_folder(), std::string(program_folder()));
}

}  // namespace
