// The command-line run: long-path conversion and the run over all arguments.
#include "command_line_run.h"
#include "config.h"
#include "dialog_closer.h"
#include "test_files.h"
#include "window_mode.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>
#include <string>

namespace {

TEST(long_path, a_short_name_becomes_the_long_one)
{
    std::string folder = make_test_folder("longpath");
    std::string long_name = folder + "a rather long file name.binary";
    ASSERT_TRUE(write_file_text(long_name, "x"));
    char short_name[MAX_PATH];
    ASSERT_NE(0u, GetShortPathNameA(long_name.c_str(), short_name, sizeof short_name));
    char converted[260];
    EXPECT_EQ(1, convert_to_long_path(short_name, converted, sizeof converted));
    EXPECT_STRCASEEQ(long_name.c_str(), converted);
    remove_folder_tree(folder);
}

TEST(long_path, a_missing_file_leaves_the_buffer_empty)
{
    char converted[260];
    std::memset(converted, 'x', sizeof converted);
    EXPECT_EQ(0, convert_to_long_path("C:\\no such folder\\no such file.bin", converted, sizeof converted));
    EXPECT_EQ(std::string(260, '\0'), std::string(converted, sizeof converted));
    EXPECT_EQ(0, convert_to_long_path("", converted, sizeof converted));
    EXPECT_STREQ("", converted);
}

TEST(long_path, a_long_form_that_does_not_fit_leaves_the_buffer_empty)
{
    std::string folder = make_test_folder("longfit");
    std::string path = folder + "file.bin";
    ASSERT_TRUE(write_file_text(path, "x"));
    struct {
        char converted[8];
        char after[8];
    } buffers;
    std::memset(buffers.after, 'Z', sizeof buffers.after);
    EXPECT_EQ(0, convert_to_long_path(path.c_str(), buffers.converted, sizeof buffers.converted));
    EXPECT_STREQ("", buffers.converted);
    EXPECT_EQ(std::string(8, 'Z'), std::string(buffers.after, sizeof buffers.after));
    remove_folder_tree(folder);
}

TEST(command_line_run, ends_with_exit_code_0_after_handling_every_argument_that_fits)
{
    std::string folder = make_test_folder("run");
    std::string file = folder + "dropped.bin";
    ASSERT_TRUE(write_file_text(file, "data"));
    g_instance = GetModuleHandleA(nullptr);
    // Settings as the program has them after start-up, in this test's folder.
    load_config_in(&g_app_config, folder.c_str());
    // Each argument handled ends in a result dialog; a refused one shows nothing.
    const struct {
        std::string line;
        LONG handled;
    } cases[] = {
        {"\"" + file + "\"", 1},
        {file + " " + file, 2},
        {" ", 2},
        {"\"", 1},
        {std::string(5000, 'x'), 0},
        {"\"" + std::string(300, 'y') + "\" \"" + file + "\"", 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line.substr(0, 60));
        dialog_closer closer;
        start_closing_dialogs(&closer, GetCurrentProcessId());
        EXPECT_EQ(0, run_command_line(c.line.c_str()));
        stop_closing_dialogs(&closer);
        EXPECT_EQ(c.handled, closer.closed);
    }
    g_app_config = app_config();
    remove_folder_tree(folder);
}

// A wide argument becomes its long form, made a path by the rule: café.dat reaches café.dat (under its short
// form), never cafe.dat; an exact name keeps its long form as it is.
TEST(long_path, a_wide_argument_reaches_its_own_file)
{
    std::string folder = make_test_folder("widepath");
    ASSERT_TRUE(write_named_samples(folder));
    char converted[260];
    for (const named_sample &sample : NAMED_SAMPLES) {
        std::wstring path = wide_path(folder, sample.name);
        EXPECT_EQ(1, convert_wide_to_long_path(path.c_str(), converted, sizeof converted));
        EXPECT_EQ(read_wide_file(path), read_file_bytes(converted)) << converted;
        // Given in its short form, it comes out the same.
        wchar_t short_path[260];
        ASSERT_NE(0u, GetShortPathNameW(path.c_str(), short_path, 260));
        char from_short[260];
        EXPECT_EQ(1, convert_wide_to_long_path(short_path, from_short, sizeof from_short));
        EXPECT_STREQ(converted, from_short);
    }
    EXPECT_EQ(1, convert_wide_to_long_path(wide_path(folder, L"\u8868.png").c_str(), converted, sizeof converted));
    EXPECT_EQ(folder + "表.png", converted);
    std::memset(converted, 'x', sizeof converted);
    EXPECT_EQ(0, convert_wide_to_long_path(wide_path(folder, L"missing \u00e9.dat").c_str(), converted, sizeof converted));
    EXPECT_EQ(std::string(260, '\0'), std::string(converted, sizeof converted));
    remove_folder_tree(folder);
}

}  // namespace
