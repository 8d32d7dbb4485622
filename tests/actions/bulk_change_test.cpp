// The bulk change's own work, without its dialog: the remaining-time texts and estimate, the folder it
// works on, the selection, and the walk that identifies each entry and offers it the rename.
#include "bulk_change.h"
#include "app_config.h"
#include "box_answerer.h"
#include "dataset_fixture.h"
#include "identify.h"
#include "path_helpers.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

const char *QUESTION_CAPTION = "拡張子の訂正";

TEST(BulkRemainingTime, ThreeTextsAtEveryBoundary)
{
    const struct {
        unsigned long seconds;
        const char *text;
    } rows[] = {
        {0, "残り 0秒"},           {1, "残り 1秒"},           {59, "残り 59秒"},
        {60, "残り 1分0秒"},       {61, "残り 1分1秒"},       {196, "残り 3分16秒"},
        {3599, "残り 59分59秒"},   {3600, "残り 1時間0分0秒"}, {3601, "残り 1時間0分1秒"},
        {3661, "残り 1時間1分1秒"}, {90061, "残り 25時間1分1秒"},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.seconds);
        char text[64];
        EXPECT_EQ(1, format_remaining_time(text, sizeof text, row.seconds));
        EXPECT_STREQ(row.text, text);
    }
}

TEST(BulkRemainingTime, EstimateIsTheAverageSoFarOnMilliseconds)
{
    const struct {
        unsigned long elapsed_ms;
        int done, left;
        unsigned long seconds;
    } rows[] = {
        {4000, 2, 98, 196},       // two files of 2 s, 98 left
        {600, 2, 98, 29},         // 0.3 s a file is not "0 seconds": 29.4 s
        {300, 1, 1, 0},           // 0.3 s rounds down
        {499, 1, 1, 0},
        {500, 1, 1, 1},           // half a second rounds up
        {1500, 3, 0, 0},          // nothing left
        {1000, 0, 5, 0},          // nothing done yet: no estimate
        {3000, 2, 1, 2},          // 1.5 s rounds up
        {3600000, 1, 100000, 360000000},  // an hour a file for 100,000 files, no overflow
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(testing::Message() << row.elapsed_ms << " " << row.done << " " << row.left);
        EXPECT_EQ(row.seconds, estimate_remaining_seconds(row.elapsed_ms, row.done, row.left));
    }
}

TEST(BulkTarget, FolderNameShownAndFolderWorkedOn)
{
    const struct {
        const char *target, *shown, *folder;
        int has_folder;
    } rows[] = {
        {"D:\\data\\a.bin", "data", "D:\\data\\", 1},
        {"D:\\a.bin", "D:\\", "D:\\", 1},
        {"D:\\data\\", "data", "D:\\data\\", 1},  // the target text is a folder
        {"D:\\", "D:\\", "D:\\", 1},
        {"D:/data/a.bin", "data", "D:/data/", 1},
        {"D:\\表\\a.bin", "表", "D:\\表\\", 1},   // 表's trail byte is no separator
        {"D:\\deep\\表", "deep", "D:\\deep\\", 1},
        {"a.bin", "a.bin", "", 0},                  // no folder: nothing to work on
        {"\\a.bin", "", "", 0},                     // a separator at the first byte only
        {"", "", "", 0},
    };
    for (const auto &row : rows) {
        SCOPED_TRACE(row.target);
        char shown[PATH_SIZE] = "x";
        char folder[PATH_SIZE] = "x";
        bulk_folder_display_name(row.target, shown, sizeof shown);
        EXPECT_STREQ(row.shown, shown);
        EXPECT_EQ(row.has_folder, bulk_target_folder(row.target, folder, sizeof folder));
        EXPECT_STREQ(row.folder, folder);
    }
}

// A dataset in folder\data and folder\plug-in (GIF 65, BMP 60, PNG 55 lpts for every file and folder),
// and the files to work on in folder\files\.
class BulkWalkTest : public ::testing::Test {
protected:
    std::string folder, files;
    void SetUp() override
    {
        folder = make_test_folder("bulk_walk");
        files = folder + "files\\";
        CreateDirectoryA(files.c_str(), nullptr);
        std::string ini = folder + "quodra.ini";
        write_file_text(ini, "[DATASET]\r\nusedataset=0\r\n[BASIC]\r\nattachext=0\r\ncomtofname=0\r\n");
        std::memset(&g_app_config, 0, sizeof g_app_config);
        std::strcpy(g_app_config.ini_path, ini.c_str());
        ASSERT_EQ(1, set_definition_paths_in(&g_app_config, folder.c_str()));
        write_fixed_dataset(folder, {{1, 0, 0, 10}, {1, 0, 0, 11}, {1, 0, 0, 12}},
                            {{10, "PNG", "PNG画像"}, {11, "GIF", "GIF画像"}, {12, "BMP", "ビットマップ"}});
        write_fixed_plugin(folder, "one.plg", make_scored_plugin(1, {{10, 70}, {11, 110}, {12, 90}}));
    }
    void TearDown() override { remove_folder_tree(folder); }

    // Selects with pattern and type, walks the selection answering every confirmation with button;
    // returns the confirmations answered.
    int walk(const char *pattern, int type, int button, int *identified = nullptr,
             const bulk_run_hooks *hooks = nullptr)
    {
        char *slots = nullptr;
        int count = select_bulk_entries(files.c_str(), pattern, type, &slots);
        box_answerer answerer;
        start_answering_boxes(&answerer, QUESTION_CAPTION, button);
        g_rename_possible = 1;
        int done = bulk_identify_entries(slots, count, hooks);
        stop_answering_boxes(&answerer);
        std::free(slots);
        EXPECT_EQ(0, g_rename_possible);
        if (identified != nullptr) *identified = done;
        return answerer.answered;
    }
};

// What the hooks saw: the target of every identification, the steps, the remaining-time texts.
struct walk_record {
    std::vector<std::string> visited;
    std::vector<std::string> texts;
    int steps = 0;
    DWORD clock = 0;
    DWORD ms_per_file = 0;
    int stop_after = 0;
};

// Each file takes ms_per_file on the fake clock; its step comes when it is done.
void record_step(void *context)
{
    walk_record *record = static_cast<walk_record *>(context);
    record->steps++;
    record->clock += record->ms_per_file;
}

void record_text(void *context, const char *text)
{
    static_cast<walk_record *>(context)->texts.push_back(text);
}

DWORD fake_clock(void *context)
{
    return static_cast<walk_record *>(context)->clock;
}

// After each file: note the target identified.
int record_file(void *context)
{
    walk_record *record = static_cast<walk_record *>(context);
    record->visited.push_back(g_identification_result.target);
    return record->stop_after == 0 || static_cast<int>(record->visited.size()) < record->stop_after;
}

bulk_run_hooks hooks_of(walk_record *record)
{
    return {record, record_step, record_text, fake_clock, record_file};
}

}  // namespace

TEST(BulkSelect, EmptyMissingAndMatchingFolders)
{
    std::string folder = make_test_folder("bulk_select");
    char *slots = reinterpret_cast<char *>(1);
    EXPECT_EQ(0, select_bulk_entries(folder.c_str(), "*.*", LIST_FILES_AND_FOLDERS, &slots));
    EXPECT_EQ(nullptr, slots);
    EXPECT_EQ(0, select_bulk_entries((folder + "gone\\").c_str(), "*.*", LIST_FILES_AND_FOLDERS, &slots));
    EXPECT_EQ(0, select_bulk_entries("", "*.*", LIST_FILES_AND_FOLDERS, &slots));
    EXPECT_EQ(nullptr, slots);

    write_file_text(folder + "a.txt", "a");
    write_file_text(folder + "b.bin", "b");
    CreateDirectoryA((folder + "sub.txt").c_str(), nullptr);
    EXPECT_EQ(3, select_bulk_entries(folder.c_str(), "*.*", LIST_FILES_AND_FOLDERS, &slots));
    std::free(slots);
    // Files only for a given extension: the folder sub.txt is not taken.
    ASSERT_EQ(1, select_bulk_entries(folder.c_str(), "*.txt", LIST_FILES, &slots));
    EXPECT_EQ(folder + "a.txt", std::string(slots));
    std::free(slots);
    EXPECT_EQ(0, select_bulk_entries(folder.c_str(), "*.png", LIST_FILES, &slots));
    remove_folder_tree(folder);
}

TEST_F(BulkWalkTest, YesRenamesEveryFileOnceAndNoneIsMetUnderItsNewName)
{
    write_file_text(files + "a.bin", "a");
    write_file_text(files + "b", "b");
    write_file_text(files + "c.gif", "c");  // already right: no question
    walk_record record;
    bulk_run_hooks hooks = hooks_of(&record);
    int identified = 0;
    EXPECT_EQ(2, walk("*.*", LIST_FILES_AND_FOLDERS, IDYES, &identified, &hooks));
    EXPECT_EQ(3, identified);
    EXPECT_EQ(3, record.steps);
    EXPECT_TRUE(file_exists(files + "a.gif"));
    EXPECT_TRUE(file_exists(files + "b.gif"));
    EXPECT_TRUE(file_exists(files + "c.gif"));
    EXPECT_FALSE(file_exists(files + "a.bin"));
    // Each entry was identified under the name it had when the run began, and only that one.
    std::vector<std::string> expected = {files + "a.bin", files + "b", files + "c.gif"};
    std::sort(record.visited.begin(), record.visited.end());
    EXPECT_EQ(expected, record.visited);
}

TEST_F(BulkWalkTest, NoChangesNothing)
{
    write_file_text(files + "a.bin", "a");
    write_file_text(files + "b.txt", "b");
    EXPECT_EQ(2, walk("*.*", LIST_FILES_AND_FOLDERS, IDNO));
    EXPECT_TRUE(file_exists(files + "a.bin"));
    EXPECT_TRUE(file_exists(files + "b.txt"));
}

TEST_F(BulkWalkTest, SubfoldersAreIdentifiedButNeverRenamed)
{
    CreateDirectoryA((files + "sub").c_str(), nullptr);
    write_file_text(files + "a.bin", "a");
    walk_record record;
    bulk_run_hooks hooks = hooks_of(&record);
    int identified = 0;
    EXPECT_EQ(1, walk("*.*", LIST_FILES_AND_FOLDERS, IDYES, &identified, &hooks));
    EXPECT_EQ(2, identified);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((files + "sub").c_str()));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((files + "sub.gif").c_str()));
    EXPECT_TRUE(file_exists(files + "a.gif"));
}

TEST_F(BulkWalkTest, NeverOverwritesWhenTwoFilesWouldGainTheSameName)
{
    write_file_text(files + "a", "first");
    write_file_text(files + "a.txt", "second");
    walk("*.*", LIST_FILES_AND_FOLDERS, IDYES);
    // One of the two took the name, the other kept its own; both contents are still there.
    ASSERT_TRUE(file_exists(files + "a.gif"));
    std::string kept_name = file_exists(files + "a.txt") ? "a.txt" : "a";
    EXPECT_EQ(1, file_exists(files + "a.txt") + file_exists(files + "a"));
    std::vector<unsigned char> moved = read_file_bytes(files + "a.gif");
    std::vector<unsigned char> kept = read_file_bytes(files + kept_name);
    std::vector<std::string> texts = {std::string(moved.begin(), moved.end()), std::string(kept.begin(), kept.end())};
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ((std::vector<std::string>{"first", "second"}), texts);
}

TEST_F(BulkWalkTest, ShortenedIdentificationRenamesNoOtherFile)
{
    // The run takes "x-old.bin" for "x": the bulk change must not rename x, which was not selected, on
    // its behalf.
    write_file_text(files + "x", "x");
    write_file_text(files + "x-old.bin", "old");
    int identified = 0;
    EXPECT_EQ(0, walk("*.bin", LIST_FILES, IDYES, &identified));
    EXPECT_EQ(1, identified);
    EXPECT_TRUE(file_exists(files + "x-old.bin"));
    EXPECT_TRUE(file_exists(files + "x"));
    EXPECT_FALSE(file_exists(files + "x.gif"));
}

TEST_F(BulkWalkTest, GivenExtensionSelectsFilesOfThatExtensionOnly)
{
    write_file_text(files + "a.bin", "a");
    write_file_text(files + "b.dat", "b");
    EXPECT_EQ(1, walk("*.bin", LIST_FILES, IDYES));
    EXPECT_TRUE(file_exists(files + "a.gif"));
    EXPECT_TRUE(file_exists(files + "b.dat"));
}

TEST_F(BulkWalkTest, EstimateFromTheAverageAfterEveryFileFromTheSecond)
{
    // 100 files of 2 s: after the second, 98 x 2 = 196 s are left.
    for (int i = 0; i < 100; i++) write_file_text(files + "f" + std::to_string(1000 + i) + ".gif", "x");
    walk_record record;
    record.ms_per_file = 2000;
    bulk_run_hooks hooks = hooks_of(&record);
    walk("*.*", LIST_FILES_AND_FOLDERS, IDNO, nullptr, &hooks);
    ASSERT_EQ(99u, record.texts.size());
    EXPECT_EQ("残り 3分16秒", record.texts[0]);
    EXPECT_EQ("残り 2秒", record.texts[97]);
    EXPECT_EQ("残り 0秒", record.texts[98]);
}

TEST_F(BulkWalkTest, FilesUnderASecondStillGiveAnEstimate)
{
    for (int i = 0; i < 100; i++) write_file_text(files + "f" + std::to_string(1000 + i) + ".gif", "x");
    walk_record record;
    record.ms_per_file = 300;
    bulk_run_hooks hooks = hooks_of(&record);
    walk("*.*", LIST_FILES_AND_FOLDERS, IDNO, nullptr, &hooks);
    ASSERT_EQ(99u, record.texts.size());
    EXPECT_EQ("残り 29秒", record.texts[0]);  // 98 x 0.3 s
    EXPECT_EQ("残り 1秒", record.texts[95]);  // 3 x 0.3 s = 0.9 s
}

TEST_F(BulkWalkTest, StopsBeforeTheNextFileWhenAsked)
{
    write_file_text(files + "a.bin", "a");
    write_file_text(files + "b.bin", "b");
    write_file_text(files + "c.bin", "c");
    walk_record record;
    record.stop_after = 1;
    bulk_run_hooks hooks = hooks_of(&record);
    int identified = 0;
    EXPECT_EQ(1, walk("*.*", LIST_FILES_AND_FOLDERS, IDYES, &identified, &hooks));
    EXPECT_EQ(1, identified);
    int renamed = file_exists(files + "a.gif") + file_exists(files + "b.gif") + file_exists(files + "c.gif");
    EXPECT_EQ(1, renamed);
}

TEST(BulkWalk, NothingSelectedDoesNothing)
{
    g_rename_possible = 1;
    EXPECT_EQ(0, bulk_identify_entries(nullptr, 0, nullptr));
    EXPECT_EQ(0, g_rename_possible);
}
