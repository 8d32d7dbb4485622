// A file given to the program is identified against the dataset beside the program: the fixed layout
// (data\karvo.dat, data\karvo.key, plug-in\) through the engine, and karvo.exe itself started with a file.
#include "app_config.h"
#include "box_answerer.h"
#include "engine_fixtures.h"
#include "identify.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>

namespace {

const DWORD PROGRAM_TIMEOUT_MS = 60000;

// A program folder with the fixed dataset: key 11 (GIF) scores 65, key 10 (PNG) 55.
std::string make_program_folder(const std::string &tag)
{
    std::string folder = make_test_folder(tag);
    CreateDirectoryA((folder + "data").c_str(), nullptr);
    CreateDirectoryA((folder + "plug-in").c_str(), nullptr);
    EXPECT_EQ(1, write_definition_file(folder + "data\\karvo.dat",
                                       make_dataset_file({{1, 0, 0, 10}, {1, 0, 0, 11}, {2, 0, 0, 12}})));
    std::vector<unsigned char> keys;
    EXPECT_EQ(1, make_key_file({{10, "PNG", "PNG画像"}, {11, "GIF", "GIF画像"}}, &keys));
    EXPECT_EQ(1, write_definition_file(folder + "data\\karvo.key", keys));
    plugin_definition definition = plain_plugin(1, 0);
    definition.settings.enabled = 1;
    definition.settings.pattern_check = 1;
    definition.patterns.count = 2;
    definition.patterns.key_id[0] = 10;
    definition.patterns.base_score[0] = 70;
    definition.patterns.key_id[1] = 11;
    definition.patterns.base_score[1] = 110;
    write_plugin(folder + "plug-in\\one.plg", definition);
    return folder;
}

}  // namespace

TEST(CommandLineIdentification, FixedDatasetBesideTheProgram)
{
    std::string folder = make_program_folder("fixed_layout");
    app_config saved = g_app_config;
    g_app_config.ini_path[0] = '\0';  // no settings file: usedataset reads as 0
    ASSERT_EQ(1, set_definition_paths_in(&g_app_config, folder.c_str()));
    EXPECT_EQ(folder + "data\\karvo.dat", g_app_config.dat_path);
    std::string target = folder + "picture.bin";
    ASSERT_EQ(1, write_file_text(target, "some bytes"));
    clear_identification_state();
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 1));
    EXPECT_EQ(target, g_identification_result.target);
    EXPECT_STREQ("GIF", g_identification_result.first_extension);
    EXPECT_STREQ("PNG", g_identification_result.second_extension);
    EXPECT_STREQ("???", g_identification_result.third_extension) << "definition 2 does not exist";
    EXPECT_EQ(65.0f, g_identification_result.first_score);
    EXPECT_EQ(55.0f, g_identification_result.second_score);
    EXPECT_STREQ("GIF画像", g_identification_result.first_comment);
    EXPECT_EQ(1, g_rename_possible);
    g_app_config = saved;
    remove_folder_tree(folder);
}

// karvo.exe FILE with dropped files renamed at once: the rename question names the candidate the run found,
// and answering yes renames the file to it; the program ends with 0.
TEST(CommandLineIdentification, KarvoExeIdentifiesItsArgument)
{
    std::string folder = make_program_folder("karvo_argument");
    std::string exe = folder + "karvo.exe";
    ASSERT_TRUE(CopyFileA((test_program_folder() + "karvo.exe").c_str(), exe.c_str(), FALSE));
    ASSERT_EQ(1, write_file_text(folder + "quodra.ini",
                                 "[DATASET]\r\nusedataset=0\r\n[ARCHIVE]\r\nextract=0\r\n[BASIC]\r\nnodanddlg=1\r\n"
                                 "attachext=0\r\ncomtofname=0\r\n"));
    std::string target = folder + "picture.bin";
    ASSERT_EQ(1, write_file_text(target, "some bytes"));

    box_answerer answerer;
    start_answering_boxes(&answerer, "拡張子の訂正", IDYES);
    std::string command_line = "\"" + exe + "\" \"" + target + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(exe.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                               &startup, &process));
    DWORD waited = WaitForSingleObject(process.hProcess, PROGRAM_TIMEOUT_MS);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    DWORD exit_code = 99;
    GetExitCodeProcess(process.hProcess, &exit_code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    stop_answering_boxes(&answerer);

    EXPECT_EQ(static_cast<DWORD>(WAIT_OBJECT_0), waited);
    EXPECT_EQ(0u, exit_code);
    EXPECT_EQ(1, answerer.answered);
    EXPECT_EQ("拡張子を[BIN]から[GIF]に変更しますか？", answerer.last_text);
    EXPECT_TRUE(file_exists(folder + "picture.gif"));
    EXPECT_FALSE(file_exists(target));
    remove_folder_tree(folder);
}
