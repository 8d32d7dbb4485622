// The command-line run: long-path conversion and the run over all arguments.
#include "command_line_run.h"
#include "test_files.h"
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

TEST(command_line_run, ends_with_exit_code_0_whatever_the_arguments)
{
    std::string folder = make_test_folder("run");
    std::string file = folder + "dropped.bin";
    ASSERT_TRUE(write_file_text(file, "data"));
    const std::string lines[] = {
        "\"" + file + "\"",
        file + " " + file,
        " ",
        "\"",
        std::string(5000, 'x'),
        "\"" + std::string(300, 'y') + "\" \"" + file + "\"",
        "C:\\no such file.bin",
    };
    for (const std::string &line : lines) {
        SCOPED_TRACE(line.substr(0, 60));
        EXPECT_EQ(0, run_command_line(line.c_str()));
    }
    remove_folder_tree(folder);
}

}  // namespace
