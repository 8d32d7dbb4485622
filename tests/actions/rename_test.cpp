// Extension correction: what the rename primitives move where, what the confirmation asks, and the
// renames that must never happen (overwriting, leaving the folder, names past the buffer, a long name lost to
// its short form).
#include "rename.h"
#include "app_config.h"
#include "box_answerer.h"
#include "identify.h"
#include "path_helpers.h"
#include "system_names.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>

namespace {

const char *QUESTION_CAPTION = "拡張子の訂正";

class RenameTest : public ::testing::Test {
protected:
    std::string folder;
    void SetUp() override
    {
        folder = make_test_folder("rename");
        std::string ini = folder + "quodra.ini";
        std::strcpy(g_app_config.ini_path, ini.c_str());
        write_file_text(ini, "[BASIC]\r\nattachext=0\r\ncomtofname=0\r\n");
    }
    void TearDown() override { remove_folder_tree(folder); }

    void set_basic(const char *key, const char *value)
    {
        WritePrivateProfileStringA("BASIC", key, value, g_app_config.ini_path);
    }
    // Puts an identification of path with first candidate extension and comment into the result.
    void identified(const std::string &path, const char *extension, const char *comment)
    {
        std::memset(&g_identification_result, 0, sizeof g_identification_result);
        std::strcpy(g_identification_result.target, path.c_str());
        std::strcpy(g_identification_result.first_extension, extension);
        std::strcpy(g_identification_result.first_comment, comment);
    }
    // Runs the rename without a window, answering the confirmation with button; returns boxes answered.
    int rename_answering(int button, std::string *question = nullptr)
    {
        box_answerer answerer;
        start_answering_boxes(&answerer, QUESTION_CAPTION, button);
        EXPECT_EQ(1, rename_to_first_candidate(nullptr, RENAME_WITHOUT_WINDOW));
        stop_answering_boxes(&answerer);
        if (question != nullptr) *question = answerer.last_text;
        return answerer.answered;
    }
};

}  // namespace

TEST_F(RenameTest, ReplaceExtensionMovesWithinTheFolder)
{
    write_file_text(folder + "ab.jpg", "x");
    EXPECT_EQ(1, replace_extension(nullptr, (folder + "ab.jpg").c_str(), "PNG", EXTENSION_CASE_LOWER));
    EXPECT_TRUE(file_exists(folder + "ab.png"));
    EXPECT_FALSE(file_exists(folder + "ab.jpg"));

    write_file_text(folder + "data", "x");
    EXPECT_EQ(1, replace_extension(nullptr, (folder + "data").c_str(), "zip", EXTENSION_CASE_UPPER));
    EXPECT_TRUE(file_exists(folder + "data.ZIP"));
}

TEST_F(RenameTest, ReplaceExtensionRefusesLongExtensionsAndEmptyPaths)
{
    write_file_text(folder + "a.txt", "x");
    EXPECT_EQ(0, replace_extension(nullptr, (folder + "a.txt").c_str(), "abcdefg", EXTENSION_CASE_KEEP));
    EXPECT_TRUE(file_exists(folder + "a.txt"));
    EXPECT_EQ(1, replace_extension(nullptr, (folder + "a.txt").c_str(), "abcdef", EXTENSION_CASE_KEEP));
    EXPECT_TRUE(file_exists(folder + "a.abcdef"));
    EXPECT_EQ(0, replace_extension(nullptr, "", "txt", EXTENSION_CASE_KEEP));
}

TEST_F(RenameTest, ReplaceExtensionNeverOverwrites)
{
    write_file_text(folder + "photo.jpg", "original");
    write_file_text(folder + "photo.png", "other");
    EXPECT_EQ(1, replace_extension(nullptr, (folder + "photo.jpg").c_str(), "png", EXTENSION_CASE_KEEP));
    EXPECT_EQ("original", std::string(reinterpret_cast<const char *>(read_file_bytes(folder + "photo.jpg").data()), 8));
    std::vector<unsigned char> other = read_file_bytes(folder + "photo.png");
    EXPECT_EQ("other", std::string(other.begin(), other.end()));
}

TEST_F(RenameTest, FileWithoutExtensionInDottedFolderStaysInItsFolder)
{
    std::string dotted = folder + "my.dir\\";
    CreateDirectoryA(dotted.c_str(), nullptr);
    write_file_text(dotted + "file", "x");
    EXPECT_EQ(1, replace_extension(nullptr, (dotted + "file").c_str(), "zip", EXTENSION_CASE_KEEP));
    EXPECT_TRUE(file_exists(dotted + "file.zip"));
    EXPECT_FALSE(file_exists(folder + "my.zip"));
}

TEST_F(RenameTest, ReplaceInFolderTakesOnlyMatchingFiles)
{
    write_file_text(folder + "a.txt", "a");
    write_file_text(folder + "b.txt", "b");
    write_file_text(folder + "c.bin", "c");
    EXPECT_EQ(1, replace_extension_in_folder(nullptr, folder.c_str(), "txt", "md", 0, EXTENSION_CASE_KEEP));
    EXPECT_TRUE(file_exists(folder + "a.md"));
    EXPECT_TRUE(file_exists(folder + "b.md"));
    EXPECT_TRUE(file_exists(folder + "c.bin"));
    EXPECT_EQ(1, replace_extension_in_folder(nullptr, folder.c_str(), "none", "md", 0, EXTENSION_CASE_KEEP));
    // A given extension of 12 characters is the longest taken; 13 is refused.
    write_file_text(folder + "d.abcdefghijkl", "d");
    EXPECT_EQ(1, replace_extension_in_folder(nullptr, folder.c_str(), "abcdefghijkl", "md", 0, EXTENSION_CASE_KEEP));
    EXPECT_TRUE(file_exists(folder + "d.md"));
    EXPECT_EQ(0, replace_extension_in_folder(nullptr, folder.c_str(), "abcdefghijklm", "md", 0, EXTENSION_CASE_KEEP));
    EXPECT_EQ(0, replace_extension_in_folder(nullptr, nullptr, "txt", "md", 0, EXTENSION_CASE_KEEP));
}

TEST_F(RenameTest, ReplaceInFolderWithAllFlag)
{
    std::string sub = folder + "all\\";
    CreateDirectoryA(sub.c_str(), nullptr);
    write_file_text(sub + "a.txt", "a");
    write_file_text(sub + "c.bin", "c");
    EXPECT_EQ(1, replace_extension_in_folder(nullptr, sub.c_str(), "txt", "dat", 1, EXTENSION_CASE_KEEP));
    EXPECT_TRUE(file_exists(sub + "a.dat"));
    EXPECT_TRUE(file_exists(sub + "c.dat"));
}

TEST_F(RenameTest, MatchingExtensionIsLeftAlone)
{
    write_file_text(folder + "ab.txt", "x");
    identified(folder + "ab.txt", "TXT", "text");
    EXPECT_EQ(0, rename_answering(IDYES));
    EXPECT_TRUE(file_exists(folder + "ab.txt"));
    identified(folder + "ab.txt", "???", "None");
    EXPECT_EQ(0, rename_answering(IDYES));
    EXPECT_TRUE(file_exists(folder + "ab.txt"));
}

TEST_F(RenameTest, ConfirmedRenameUsesLowerOrUpperCase)
{
    write_file_text(folder + "ab.jpg", "x");
    identified(folder + "ab.jpg", "PNG", "PNG image");
    std::string question;
    EXPECT_EQ(1, rename_answering(IDYES, &question));
    EXPECT_EQ("拡張子を[JPG]から[PNG]に変更しますか？", question);
    EXPECT_TRUE(file_exists(folder + "ab.png"));

    set_basic("attachext", "1");
    write_file_text(folder + "cd.jpg", "x");
    identified(folder + "cd.jpg", "PNG", "PNG image");
    EXPECT_EQ(1, rename_answering(IDYES));
    EXPECT_TRUE(file_exists(folder + "cd.PNG"));
}

TEST_F(RenameTest, AnsweredNoChangesNothing)
{
    write_file_text(folder + "ab.jpg", "x");
    identified(folder + "ab.jpg", "PNG", "PNG image");
    EXPECT_EQ(1, rename_answering(IDNO));
    EXPECT_TRUE(file_exists(folder + "ab.jpg"));
    EXPECT_FALSE(file_exists(folder + "ab.png"));
}

TEST_F(RenameTest, FileWithoutExtensionGainsOne)
{
    write_file_text(folder + "data", "x");
    identified(folder + "data", "ZIP", "ZIP archive");
    EXPECT_EQ(1, rename_answering(IDYES));
    EXPECT_TRUE(file_exists(folder + "data.zip"));
}

TEST_F(RenameTest, CommentBecomesTheFileName)
{
    set_basic("comtofname", "1");
    write_file_text(folder + "ab.jpg", "x");
    identified(folder + "ab.jpg", "PNG", "PNG image");
    EXPECT_EQ(1, rename_answering(IDYES));
    EXPECT_TRUE(file_exists(folder + "PNG image.png"));
    EXPECT_FALSE(file_exists(folder + "ab.jpg"));
}

TEST_F(RenameTest, TakenCommentNameLeavesTheOtherFileAlone)
{
    set_basic("comtofname", "1");
    write_file_text(folder + "ab.jpg", "mine");
    write_file_text(folder + "PNG image", "theirs");
    identified(folder + "ab.jpg", "PNG", "PNG image");
    EXPECT_EQ(1, rename_answering(IDYES));
    std::vector<unsigned char> theirs = read_file_bytes(folder + "PNG image");
    EXPECT_EQ("theirs", std::string(theirs.begin(), theirs.end()));
    EXPECT_FALSE(file_exists(folder + "PNG image.png"));
    std::vector<unsigned char> mine = read_file_bytes(folder + "ab.png");
    EXPECT_EQ("mine", std::string(mine.begin(), mine.end()));
}

TEST_F(RenameTest, CommentWithSeparatorNeverLeavesTheFolder)
{
    set_basic("comtofname", "1");
    std::string sub = folder + "inner\\";
    CreateDirectoryA(sub.c_str(), nullptr);
    write_file_text(sub + "ab.jpg", "x");
    const char *comments[] = {"..\\escaped", "../escaped", "C:escaped"};
    for (const char *comment : comments) {
        SCOPED_TRACE(comment);
        identified(sub + "ab.jpg", "PNG", comment);
        EXPECT_EQ(1, rename_answering(IDYES));
        // The comment is not used as a name; the extension is still corrected in place.
        EXPECT_FALSE(file_exists(folder + "escaped.png"));
        EXPECT_FALSE(file_exists(folder + "escaped"));
        EXPECT_TRUE(file_exists(sub + "ab.png"));
        MoveFileA((sub + "ab.png").c_str(), (sub + "ab.jpg").c_str());
    }
}

TEST_F(RenameTest, CommentWithDoubleByteBackslashIsAName)
{
    // 表 ends in the byte 0x5C: it is a character of the name, not a separator.
    set_basic("comtofname", "1");
    write_file_text(folder + "ab.jpg", "x");
    identified(folder + "ab.jpg", "PNG", "表");
    EXPECT_EQ(1, rename_answering(IDYES));
    EXPECT_TRUE(file_exists(folder + "表.png"));
}

TEST_F(RenameTest, OverLongCommentNameIsSkipped)
{
    set_basic("comtofname", "1");
    std::string deep = folder;
    while (deep.size() < 200) {
        deep += "deepfolder\\";
        CreateDirectoryA(deep.c_str(), nullptr);
    }
    write_file_text(deep + "ab.jpg", "x");
    std::string comment(150 - 1, 'c');  // fits the comment field, not the 260-byte name
    identified(deep + "ab.jpg", "PNG", comment.c_str());
    EXPECT_EQ(1, rename_answering(IDYES));
    EXPECT_TRUE(file_exists(deep + "ab.png"));
    EXPECT_STREQ((deep + "ab.jpg").c_str(), g_identification_result.target);
}

TEST_F(RenameTest, RenameNeverOverwritesAnExistingFile)
{
    write_file_text(folder + "ab.jpg", "original");
    write_file_text(folder + "ab.png", "keep me");
    identified(folder + "ab.jpg", "PNG", "PNG image");
    EXPECT_EQ(1, rename_answering(IDYES));
    std::vector<unsigned char> kept = read_file_bytes(folder + "ab.png");
    EXPECT_EQ("keep me", std::string(kept.begin(), kept.end()));
    std::vector<unsigned char> original = read_file_bytes(folder + "ab.jpg");
    EXPECT_EQ("original", std::string(original.begin(), original.end()));
}

namespace {

// The program's path of a file named in UTF-16: its short form when its name has no ANSI form.
std::string program_path(const std::string &folder, const std::wstring &name)
{
    char path[260] = "";
    EXPECT_EQ(1, system_path_from_wide(wide_path(folder, name).c_str(), path, sizeof path));
    return path;
}

std::vector<unsigned char> text_bytes(const char *text)
{
    return std::vector<unsigned char>(text, text + std::strlen(text));
}

}  // namespace

// A file known by its short form keeps its long name, character for character, with the new extension; the
// file a lossy name would hit is left alone, and nothing is overwritten.
TEST_F(RenameTest, ShortFormKeepsTheLongNameWithTheNewExtension)
{
    ASSERT_TRUE(write_named_samples(folder));
    EXPECT_EQ(1, replace_extension(nullptr, program_path(folder, L"caf\u00e9.dat").c_str(), "PNG", EXTENSION_CASE_LOWER));
    EXPECT_EQ(png_bytes(), read_wide_file(wide_path(folder, L"caf\u00e9.png")));
    EXPECT_FALSE(wide_file_exists(wide_path(folder, L"caf\u00e9.dat")));
    EXPECT_EQ(text_bytes("plain text, not an image\r\n"), read_file_bytes(folder + "cafe.dat"));

    EXPECT_EQ(1, replace_extension(nullptr, program_path(folder, L"\U0001F600").c_str(), "png", EXTENSION_CASE_UPPER));
    EXPECT_EQ(png_bytes(), read_wide_file(wide_path(folder, L"\U0001F600.PNG")));

    ASSERT_TRUE(write_wide_file(wide_path(folder, L"\u7b80\u4f53.png"), {'k', 'e', 'p', 't'}));
    EXPECT_EQ(1, replace_extension(nullptr, program_path(folder, L"\u7b80\u4f53").c_str(), "png", EXTENSION_CASE_KEEP));
    EXPECT_EQ(png_bytes(), read_wide_file(wide_path(folder, L"\u7b80\u4f53")));
    EXPECT_EQ(text_bytes("kept"), read_wide_file(wide_path(folder, L"\u7b80\u4f53.png")));
}

// The folder rename lists the files by their short forms and every one keeps its long name.
TEST_F(RenameTest, FolderRenameKeepsLongNames)
{
    std::string named = folder + "named\\";
    ASSERT_TRUE(CreateDirectoryA(named.c_str(), nullptr));
    ASSERT_TRUE(write_named_samples(named));
    EXPECT_EQ(1, replace_extension_in_folder(nullptr, named.c_str(), "dat", "bin", 0, EXTENSION_CASE_KEEP));
    EXPECT_EQ(png_bytes(), read_wide_file(wide_path(named, L"caf\u00e9.bin")));
    EXPECT_EQ(text_bytes("plain text, not an image\r\n"), read_file_bytes(named + "cafe.bin"));
    EXPECT_EQ(0, count_folder_entries(nullptr, named.c_str(), "*.dat", LIST_FILES));
    EXPECT_EQ(6, count_folder_entries(nullptr, named.c_str(), "*.*", LIST_FILES));
    EXPECT_TRUE(wide_file_exists(wide_path(named, L"\U0001F600")));
    EXPECT_TRUE(file_exists(named + "表.png"));
}

// The question shows the long name's extension: a short form's is cut to three letters (café.jpeg is
// CAF_~XXX.JPE), which would ask to "change" JPEG to JPEG.
TEST_F(RenameTest, QuestionUsesTheLongNamesExtension)
{
    ASSERT_TRUE(write_wide_file(wide_path(folder, L"caf\u00e9.jpeg"), png_bytes()));
    std::string short_path = program_path(folder, L"caf\u00e9.jpeg");
    char short_extension[16] = "";
    extension_of(nullptr, short_path.c_str(), short_extension, sizeof short_extension, EXTENSION_CASE_UPPER);
    ASSERT_STRNE("JPEG", short_extension);
    identified(short_path, "JPEG", "JPEG");
    EXPECT_EQ(0, rename_answering(IDYES));
    EXPECT_TRUE(wide_file_exists(wide_path(folder, L"caf\u00e9.jpeg")));

    identified(short_path, "PNG", "PNG");
    std::string question;
    EXPECT_EQ(1, rename_answering(IDYES, &question));
    EXPECT_EQ("拡張子を[JPEG]から[PNG]に変更しますか？", question);
    EXPECT_EQ(png_bytes(), read_wide_file(wide_path(folder, L"caf\u00e9.png")));
}
