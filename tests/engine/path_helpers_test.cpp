// Path splitters and folder listings: separators and dots found only outside double-byte characters,
// the listing's entry types, delimited text and error codes.
#include "path_helpers.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace {

struct split_case {
    const char *path;
    int folder_result;
    const char *folder;
    const char *name;
    const char *extension;
};

// 表 is 0x95 0x5C in code page 932: its second byte is a backslash.
const split_case split_cases[] = {
    {"D:\\a\\b.txt", 1, "D:\\a\\", "b.txt", "txt"},
    {"b.txt", 0, "", "b.txt", "txt"},
    {"x.tar.gz", 0, "", "x.tar.gz", "gz"},
    {"README", 0, "", "README", ""},
    {"D:\\my.dir\\file", 1, "D:\\my.dir\\", "file", "dir\\file"},
    {"D:\\\x95\x5C.txt", 1, "D:\\", "\x95\x5C.txt", "txt"},
    {"D:\\\x95\x5C\\\x95\x5C", 1, "D:\\\x95\x5C\\", "\x95\x5C", ""},
    {"\\root", 0, "", "\\root", ""},
    {"C:/a/b", 1, "C:/a/", "b", ""},
};

}  // namespace

TEST(PathSplitters, FolderNameAndExtension)
{
    for (const split_case &c : split_cases) {
        SCOPED_TRACE(c.path);
        char out[260];
        EXPECT_EQ(c.folder_result, folder_of(nullptr, c.path, out, sizeof out));
        EXPECT_STREQ(c.folder, out);
        EXPECT_EQ(1, file_name_of(nullptr, c.path, out, sizeof out));
        EXPECT_STREQ(c.name, out);
        EXPECT_EQ(1, extension_of(nullptr, c.path, out, sizeof out, 0));
        EXPECT_STREQ(c.extension, out);
    }
}

TEST(PathSplitters, ExtensionCaseModes)
{
    char out[6];
    EXPECT_EQ(1, extension_of(nullptr, "x.tar.gz", out, sizeof out, 1));
    EXPECT_STREQ("GZ", out);
    EXPECT_EQ(1, extension_of(nullptr, "x.TxT", out, sizeof out, 2));
    EXPECT_STREQ("txt", out);
    // A six-character extension does not fit six bytes: nothing is written.
    std::strcpy(out, "keep");
    EXPECT_EQ(0, extension_of(nullptr, "a.abcdef", out, sizeof out, 2));
    EXPECT_STREQ("keep", out);
    EXPECT_EQ(1, extension_of(nullptr, "a.abcde", out, sizeof out, 2));
}

TEST(PathSplitters, ExtensionCaseLeavesSecondBytesAlone)
{
    // ア in half-width is one byte; 'ａ' (0x82 0x81) and 'ヤ' (0x83 0x84); 0x83 0x61 has a second byte 'a'.
    char out[16];
    EXPECT_EQ(1, extension_of(nullptr, "f.\x83\x61x", out, sizeof out, 1));
    EXPECT_STREQ("\x83\x61X", out);
}

TEST(PathSplitters, FolderTooSmallWritesNothing)
{
    char out[6] = "zzzz";
    EXPECT_EQ(0, folder_of(nullptr, "D:\\a\\b.txt", out, 5));  // the separator at 4 needs 4 + 2 = 6
    EXPECT_STREQ("zzzz", out);
    EXPECT_EQ(1, folder_of(nullptr, "D:\\a\\b.txt", out, 6));
    EXPECT_STREQ("D:\\a\\", out);
    EXPECT_EQ(0, file_name_of(nullptr, "", out, sizeof out));
    EXPECT_EQ(0, file_name_of(nullptr, "D:\\abcdef", out, sizeof out));
}

TEST(PathSplitters, StripExtensionTailModes)
{
    char out[260];
    EXPECT_EQ(1, strip_extension(nullptr, "D:\\a\\b.txt", out, sizeof out, 2));
    EXPECT_STREQ("D:\\a\\b", out);
    EXPECT_EQ(1, strip_extension(nullptr, "D:\\a\\b.txt", out, sizeof out, 1));
    EXPECT_STREQ("D:\\a\\b\\", out);
    EXPECT_EQ(1, strip_extension(nullptr, "D:\\a\\b.txt", out, sizeof out, 0));
    EXPECT_STREQ("b", out);
    EXPECT_EQ(1, strip_extension(nullptr, "D:\\f\\photos.2002.lzh", out, sizeof out, 1));
    EXPECT_STREQ("D:\\f\\photos.2002\\", out);
    // No dot in the file name: the dot in the folder name marks the extension.
    EXPECT_EQ(1, strip_extension(nullptr, "D:\\my.files\\archive", out, sizeof out, 1));
    EXPECT_STREQ("D:\\my\\", out);
    EXPECT_EQ(1, strip_extension(nullptr, "D:\\\x95\x5C.txt", out, sizeof out, 0));
    EXPECT_STREQ("\x95\x5C", out);
    EXPECT_EQ(0, strip_extension(nullptr, "", out, sizeof out, 0));
    EXPECT_EQ(0, strip_extension(nullptr, "D:\\a\\b.txt", out, 7, 1));  // "D:\a\b\" needs 8
}

class FolderListing : public ::testing::Test {
protected:
    std::string folder;
    void SetUp() override
    {
        folder = make_test_folder("listing");
        write_file_text(folder + "a.bin", "a");
        write_file_text(folder + "b.txt", "b");
        CreateDirectoryA((folder + "sub").c_str(), nullptr);
    }
    void TearDown() override { remove_folder_tree(folder); }
};

TEST_F(FolderListing, CountsByType)
{
    EXPECT_EQ(3, count_folder_entries(nullptr, folder.c_str(), "*.txt", LIST_FILES_AND_FOLDERS));
    EXPECT_EQ(1, count_folder_entries(nullptr, folder.c_str(), "*.txt", LIST_FILES));
    EXPECT_EQ(1, count_folder_entries(nullptr, folder.c_str(), "*.txt", LIST_FOLDERS));
    EXPECT_EQ(2, count_folder_entries(nullptr, folder.c_str(), "*.txt", LIST_MATCHES_THEN_FOLDERS));
    EXPECT_EQ(0, count_folder_entries(nullptr, folder.c_str(), "*.none", LIST_FILES));
    EXPECT_EQ(0, count_folder_entries(nullptr, (folder + "missing").c_str(), "*.*", LIST_FILES));
}

TEST_F(FolderListing, DelimitedText)
{
    char out[200];
    int count = list_folder_entries(nullptr, folder.c_str(), out, sizeof out, "*.*", LIST_FILES_AND_FOLDERS);
    EXPECT_EQ(3, count);
    std::string text = out;
    EXPECT_NE(std::string::npos, text.find("\"a.bin\""));
    EXPECT_NE(std::string::npos, text.find("\"b.txt\""));
    EXPECT_NE(std::string::npos, text.find("<sub>"));
    EXPECT_EQ(std::strlen("\"a.bin\"\"b.txt\"<sub>"), text.size());
    EXPECT_EQ(LIST_TEXT_TOO_SMALL, list_folder_entries(nullptr, folder.c_str(), out, 8, "*.*", LIST_FILES));
    EXPECT_EQ(LIST_NO_FIND_HANDLE,
              list_folder_entries(nullptr, (folder + "missing").c_str(), out, sizeof out, "*.*", LIST_FILES));
}

TEST_F(FolderListing, PathsInSlots)
{
    std::vector<char> slots(4 * 260);
    int written = list_folder_paths(nullptr, folder.c_str(), slots.data(), 4, 260, "*.txt", LIST_FILES, 0);
    ASSERT_EQ(1, written);
    EXPECT_EQ(folder + "b.txt", std::string(slots.data()));
    written = list_folder_paths(nullptr, folder.c_str(), slots.data(), 4, 260, "*.*", LIST_FILES, 1);
    EXPECT_EQ(2, written);
    // Slots run out: the number written so far.
    EXPECT_EQ(1, list_folder_paths(nullptr, folder.c_str(), slots.data(), 1, 260, "*.*", LIST_FILES_AND_FOLDERS, 1));
    // A slot too small for one path.
    EXPECT_EQ(LIST_PATH_TOO_LONG, list_folder_paths(nullptr, folder.c_str(), slots.data(), 4, 10, "*.*", LIST_FILES, 0));
    EXPECT_EQ(LIST_NO_FIND_HANDLE,
              list_folder_paths(nullptr, (folder + "missing").c_str(), slots.data(), 4, 260, "*.*", LIST_FILES, 0));
    // A pattern that matches nothing gives no find handle.
    EXPECT_EQ(LIST_NO_FIND_HANDLE, list_folder_paths(nullptr, folder.c_str(), slots.data(), 4, 260, "*.none", LIST_FILES, 0));
}
