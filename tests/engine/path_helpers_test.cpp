// Path splitters and folder listings: separators and dots found only outside double-byte characters,
// the listing's entry types, delimited text and error codes; names from the system by their one rule.
#include "path_helpers.h"
#include "bounded_text.h"
#include "system_names.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstring>
#include <cwchar>
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

namespace {

struct name_rule_case {
    const wchar_t *name;
    const wchar_t *short_name;
    size_t out_size;
    int taken;
    const char *expected;
};

}  // namespace

// A name is itself when it converts exactly, else its short form, else nothing: never a look-alike.
TEST(SystemNames, ExactNameElseShortFormElseRefused)
{
    const name_rule_case cases[] = {
        {L"cafe.dat", L"", 260, 1, "cafe.dat"},
        {L"\u8868.png", L"_~~~~XKY.PNG", 260, 1, "表.png"},
        {L"\uff76\uff85.txt", nullptr, 260, 1, "ｶﾅ.txt"},
        {L"caf\u00e9.dat", L"CAF_~TWZ.DAT", 260, 1, "CAF_~TWZ.DAT"},
        {L"\U0001F600", L"__~~~CWF", 260, 1, "__~~~CWF"},
        {L"caf\u00e9.dat", L"", 260, 0, ""},
        {L"\u7b80\u4f53", nullptr, 260, 0, ""},
        {L"caf\u00e9.dat", L"caf\u00e9.dat", 260, 0, ""},
        {L"abc", nullptr, 4, 1, "abc"},
        {L"abcd", nullptr, 4, 0, ""},
        {L"\u8868", nullptr, 3, 1, "表"},
        {L"\u8868", nullptr, 2, 0, ""},
        {L"", nullptr, 1, 1, ""},
    };
    for (const name_rule_case &c : cases) {
        SCOPED_TRACE(c.expected);
        char out[260];
        std::memset(out, 'x', sizeof out);
        EXPECT_EQ(c.taken, system_name_from_wide(c.name, c.short_name, out, c.out_size));
        EXPECT_STREQ(c.expected, out);
    }
}

// A listing entry without a short form (Windows volumes may have none; Wine always has one, so the entry is
// stood in) is left out, not named by a lossy conversion.
TEST(SystemNames, ListingEntryWithoutShortFormIsRefused)
{
    WIN32_FIND_DATAW entry = {};
    std::wcscpy(entry.cFileName, L"caf\u00e9.dat");
    char name[260];
    EXPECT_EQ(0, listed_name_of(&entry, name, sizeof name));
    EXPECT_STREQ("", name);
    std::wcscpy(entry.cAlternateFileName, L"CAF_~TWZ.DAT");
    EXPECT_EQ(1, listed_name_of(&entry, name, sizeof name));
    EXPECT_STREQ("CAF_~TWZ.DAT", name);
}

class NamedFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = make_test_folder("names");
        ASSERT_TRUE(write_named_samples(folder));
    }
    void TearDown() override { remove_folder_tree(folder); }
    std::string folder;
};

// Every name reaches its own file through the ANSI path the rule gives (café.dat is not cafe.dat); exact
// names are kept as they are.
TEST_F(NamedFiles, EveryPathReachesItsOwnFile)
{
    for (const named_sample &sample : NAMED_SAMPLES) {
        char path[260];
        ASSERT_EQ(1, system_path_from_wide(wide_path(folder, sample.name).c_str(), path, sizeof path));
        SCOPED_TRACE(path);
        EXPECT_EQ(0, std::string(path).compare(0, folder.size(), folder));
        EXPECT_EQ(std::string::npos, std::string(path).find('?'));
        EXPECT_EQ(read_wide_file(wide_path(folder, sample.name)), read_file_bytes(path));
    }
    char path[260];
    ASSERT_EQ(1, system_path_from_wide(wide_path(folder, L"\u8868.png").c_str(), path, sizeof path));
    EXPECT_EQ(folder + "表.png", path);
    ASSERT_EQ(1, system_path_from_wide(wide_path(folder, L"cafe.dat").c_str(), path, sizeof path));
    EXPECT_EQ(folder + "cafe.dat", path);
}

TEST_F(NamedFiles, FolderComponentsAndRefusals)
{
    std::wstring sub = wide_path(folder, L"dossier \u00e9t\u00e9");
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    ASSERT_TRUE(write_wide_file(sub + L"\\\u8868.bin", {'o', 'k'}));
    char path[260];
    ASSERT_EQ(1, system_path_from_wide((sub + L"\\\u8868.bin").c_str(), path, sizeof path));
    EXPECT_EQ(0, std::string(path).compare(0, folder.size(), folder)) << path;
    EXPECT_EQ(std::string("表.bin"), std::string(path).substr(std::string(path).size() - 6));
    EXPECT_EQ((std::vector<unsigned char>{'o', 'k'}), read_file_bytes(path));
    // A lossy component that does not exist has no short form; a path that does not fit is refused whole.
    std::memset(path, 'x', sizeof path);
    EXPECT_EQ(0, system_path_from_wide(wide_path(folder, L"missing \u00e9.dat").c_str(), path, sizeof path));
    EXPECT_STREQ("", path);
    WIN32_FIND_DATAW found;
    HANDLE find = FindFirstFileW(wide_path(folder, L"caf\u00e9.dat").c_str(), &found);
    ASSERT_NE(INVALID_HANDLE_VALUE, find);
    FindClose(find);
    size_t fits = folder.size() + std::wcslen(found.cAlternateFileName) + 1;
    EXPECT_EQ(0, system_path_from_wide(wide_path(folder, L"caf\u00e9.dat").c_str(), path, fits - 1));
    EXPECT_STREQ("", path);
    EXPECT_EQ(1, system_path_from_wide(wide_path(folder, L"caf\u00e9.dat").c_str(), path, fits));
}

// The listings behind the file list, the folder rename and the bulk change: every file once, each under a
// name that opens it, never under the lossy one.
TEST_F(NamedFiles, ListingsGiveExactNamesOrShortForms)
{
    const int count = static_cast<int>(countof(NAMED_SAMPLES));
    EXPECT_EQ(count, count_folder_entries(nullptr, folder.c_str(), "*.*", LIST_FILES));
    std::vector<char> slots(static_cast<size_t>(count) * 260);
    ASSERT_EQ(count, list_folder_paths(nullptr, folder.c_str(), slots.data(), count, 260, "*.*", LIST_FILES, 0));
    int images = 0, cafe = 0;
    std::vector<std::string> paths;
    for (int i = 0; i < count; i++) {
        std::string path = slots.data() + i * 260;
        SCOPED_TRACE(path);
        EXPECT_EQ(std::string::npos, path.find('?'));
        std::vector<unsigned char> bytes = read_file_bytes(path);
        ASSERT_FALSE(bytes.empty());
        images += bytes == png_bytes();
        cafe += path == folder + "cafe.dat";
        paths.push_back(path);
    }
    EXPECT_EQ(4, images);
    EXPECT_EQ(1, cafe);
    for (const char *exact : {"表.png", "ｶﾅ.txt"})
        EXPECT_NE(paths.end(), std::find(paths.begin(), paths.end(), folder + exact)) << exact;
    // The file list's names: exact names as they are, the others as their short forms.
    ASSERT_EQ(count, list_folder_paths(nullptr, folder.c_str(), slots.data(), count, 260, "*.*", LIST_FILES, 1));
    std::vector<std::string> names;
    for (int i = 0; i < count; i++) names.push_back(slots.data() + i * 260);
    for (const named_sample &sample : NAMED_SAMPLES) {
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW(wide_path(folder, sample.name).c_str(), &found);
        ASSERT_NE(INVALID_HANDLE_VALUE, find);
        FindClose(find);
        char shown[260];
        if (!exact_system_text(sample.name.c_str(), shown, sizeof shown)) {
            ASSERT_TRUE(exact_system_text(found.cAlternateFileName, shown, sizeof shown));
        }
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), std::string(shown))) << shown;
    }
    // A pattern matches the long names: both .dat files, each under its own name.
    EXPECT_EQ(2, count_folder_entries(nullptr, folder.c_str(), "*.dat", LIST_FILES));
}
