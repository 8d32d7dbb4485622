// The dataset snapshot: its lookup is the file-by-file lookup's (results and diagnostics), it is kept while
// the dataset's files stay as they were and taken anew when they change between two identifications, it
// refuses files it cannot hold as failed reads, and the target is read through one view with the two opens
// the written reads make.
#include "app_config.h"
#include "dataset_index.h"
#include "dataset_snapshot.h"
#include "engine_fixtures.h"
#include "identify.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>

namespace {

std::vector<std::string> g_diagnostics;

void record_diagnostic(const char *text)
{
    g_diagnostics.push_back(text);
}

struct diagnostic_capture {
    diagnostic_capture()
    {
        report_sink sink = *message_box_report_sink();
        sink.diagnostic = record_diagnostic;
        install_report_sink(&sink);
        g_diagnostics.clear();
    }
    ~diagnostic_capture() { install_report_sink(message_box_report_sink()); }
};

class SnapshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixture = make_dataset_fixture("snapshot");
        clear_identification_state();
        forget_current_dataset_snapshot();
        write_keys(fixture, {{1, "one", "comment one"}, {2, "two", "comment two"}, {3, "three", "comment three"}});
        target = fixture.folder + "target.bin";
        ASSERT_EQ(1, write_file_text(target, "RIFF....AVI "));
    }
    void TearDown() override
    {
        forget_current_dataset_snapshot();
        set_snapshot_file_limit(limit);
        remove_folder_tree(fixture.folder);
    }
    std::string identify()
    {
        clear_identification_state();
        EXPECT_EQ(1, identify_file(nullptr, target.c_str(), 1));
        return std::string(g_identification_result.first_extension) + " " + g_identification_result.second_extension +
               " " + g_identification_result.first_comment;
    }
    dataset_fixture fixture;
    std::string target;
    size_t limit = snapshot_file_limit();
};

// A definition whose signature is (1, id) for every target.
plugin_definition identified_plugin(uint16_t id)
{
    return constant_plugin(id, 1, static_cast<int32_t>(id));
}

// Every identifier looked up in a folder of all kinds, with a shared identifier, an unreadable dictionary
// and a cut one: the same path, entry and diagnostics as the lookup that reads the folder each time.
TEST_F(SnapshotTest, LookupIsTheFolderLookup)
{
    write_plugin(fixture.plugin_folder + "a.plg", identified_plugin(1));
    write_plugin(fixture.plugin_folder + "shared.plg", identified_plugin(4));
    write_dictionary(fixture.plugin_folder + "d.dic", {identified_plugin(2), identified_plugin(4), identified_plugin(5)});
    ASSERT_EQ(1, write_file_text(fixture.plugin_folder + "broken.dic", "not a dictionary"));
    // Three records of which the third is cut short: its count is 2, and identifier 7 is in no entry.
    write_dictionary(fixture.plugin_folder + "e.dic", {identified_plugin(6), identified_plugin(8), identified_plugin(7)});
    std::vector<unsigned char> cut = read_file_bytes(fixture.plugin_folder + "e.dic");
    cut.resize(150 + 3000 * 2 + 1500);
    ASSERT_EQ(1, write_file_bytes(fixture.plugin_folder + "e.dic", cut));
    write_option_plugin(fixture.plugin_folder + "o.opg", constant_option_plugin(3, 1, 1));
    write_option_plugin(fixture.plugin_folder + "o2.opg", constant_option_plugin(5, 1, 1));
    dataset_snapshot *snapshot = take_dataset_snapshot(g_app_config);
    ASSERT_NE(nullptr, snapshot);
    for (uint16_t id = 0; id <= 10; id++) {
        SCOPED_TRACE(id);
        char want_path[PATH_SIZE] = "", got_path[PATH_SIZE] = "";
        int want_entry = -1, got_entry = -1, file = -1;
        diagnostic_capture capture;
        int want = find_definition_by_id(nullptr, g_app_config.plugin_folder, id, want_path, sizeof want_path,
                                         &want_entry);
        std::vector<std::string> want_diagnostics = g_diagnostics;
        g_diagnostics.clear();
        int got = snapshot_find_definition(snapshot, id, got_path, sizeof got_path, &got_entry, &file);
        EXPECT_EQ(want, got);
        EXPECT_STREQ(want_path, got_path);
        EXPECT_EQ(want_entry, got_entry);
        EXPECT_EQ(want_diagnostics, g_diagnostics);
    }
    // The cases that matter, spelled out: the plug-in beats the dictionary entry; the cut record is not there.
    char path[PATH_SIZE];
    int entry = 0, file = -1;
    ASSERT_EQ(1, snapshot_find_definition(snapshot, 4, path, sizeof path, &entry, &file));
    EXPECT_EQ(fixture.plugin_folder + "shared.plg", path);
    EXPECT_EQ(0, entry);
    ASSERT_EQ(1, snapshot_find_definition(snapshot, 8, path, sizeof path, &entry, &file));
    EXPECT_EQ(2, entry);
    EXPECT_EQ(0, snapshot_find_definition(snapshot, 7, path, sizeof path, &entry, &file));
    // A path that fits the buffer exactly, and one byte less.
    ASSERT_EQ(1, snapshot_find_definition(snapshot, 1, path, sizeof path, &entry, &file));
    size_t length = std::strlen(path);
    EXPECT_EQ(1, snapshot_find_definition(snapshot, 1, path, length + 1, &entry, &file));
    EXPECT_EQ(0, snapshot_find_definition(snapshot, 1, path, length, &entry, &file));
    release_dataset_snapshot(snapshot);
}

TEST_F(SnapshotTest, RunListChangingSizeBetweenIdentifications)
{
    write_plugin(fixture.plugin_folder + "a.plg", identified_plugin(1));
    write_run_list(fixture, {{1, 1, 1, 1}, {1, 1, 1, 2}});
    EXPECT_EQ("two one comment two", identify());
    write_run_list(fixture, {{1, 1, 1, 3}});  // replaced by a shorter one
    EXPECT_EQ("three ??? comment three", identify());
    ASSERT_EQ(1, write_file_text(fixture.dat_path, ""));  // truncated to nothing
    EXPECT_EQ("??? ??? None", identify());
    DeleteFileA(fixture.dat_path.c_str());
    EXPECT_EQ("??? ??? None", identify());
    write_run_list(fixture, {{1, 1, 1, 1}});
    EXPECT_EQ("one ??? comment one", identify());
}

TEST_F(SnapshotTest, KeyFileChangingSizeBetweenIdentifications)
{
    write_plugin(fixture.plugin_folder + "a.plg", identified_plugin(1));
    write_run_list(fixture, {{1, 1, 1, 2}});
    EXPECT_EQ("two ??? comment two", identify());
    write_keys(fixture, {{1, "one", "comment one"}});
    EXPECT_EQ("--- ??? read error", identify());
    ASSERT_EQ(1, write_file_text(fixture.key_path, ""));
    EXPECT_EQ("--- ??? read error", identify());
    write_keys(fixture, {{2, "TWO", "longer comment two"}});
    EXPECT_EQ("TWO ??? longer comment two", identify());
}

TEST_F(SnapshotTest, PluginFolderEmptiedOrGainingADefinition)
{
    write_plugin(fixture.plugin_folder + "a.plg", identified_plugin(1));
    write_run_list(fixture, {{1, 1, 1, 1}, {2, 1, 2, 2}});
    EXPECT_EQ("one ??? comment one", identify());
    write_dictionary(fixture.plugin_folder + "d.dic", {identified_plugin(3), identified_plugin(2)});
    EXPECT_EQ("two one comment two", identify());
    DeleteFileA((fixture.plugin_folder + "a.plg").c_str());
    DeleteFileA((fixture.plugin_folder + "d.dic").c_str());
    EXPECT_EQ("??? ??? None", identify());
    write_option_plugin(fixture.plugin_folder + "o.opg", constant_option_plugin(2, 1, 2));
    EXPECT_EQ("two ??? comment two", identify());
}

// A library put into the add-in folder between two identifications is seen at the next: the judges the
// snapshot keeps loaded are those of the folder as it was.
TEST_F(SnapshotTest, AddinFolderGainingALibrary)
{
    write_run_list(fixture, {{1, 1, 1, 1}});
    CreateDirectoryA(g_app_config.addin_folder, nullptr);
    dataset_snapshot *kept = current_dataset_snapshot();
    ASSERT_NE(nullptr, kept);
    EXPECT_EQ(1, snapshot_is_current(kept, g_app_config));
    ASSERT_EQ(1, write_file_text(std::string(g_app_config.addin_folder) + "judge.dll", "MZ"));
    EXPECT_EQ(0, snapshot_is_current(kept, g_app_config));
}

// A dictionary rewritten shorter between two identifications no longer holds its last entry.
TEST_F(SnapshotTest, DictionaryCutBetweenIdentifications)
{
    write_dictionary(fixture.plugin_folder + "d.dic", {identified_plugin(3), identified_plugin(4), identified_plugin(2)});
    write_run_list(fixture, {{2, 1, 2, 2}});
    EXPECT_EQ("two ??? comment two", identify());
    std::vector<unsigned char> bytes = read_file_bytes(fixture.plugin_folder + "d.dic");
    bytes.resize(150 + 3000 * 2 + 2999);
    ASSERT_EQ(1, write_file_bytes(fixture.plugin_folder + "d.dic", bytes));
    EXPECT_EQ("??? ??? None", identify());
}

// The snapshot is kept while names, sizes and write times stay: a definition rewritten to the same size and
// given back its write time is not seen; a new write time is.
TEST_F(SnapshotTest, KeptWhileNamesSizesAndTimesStay)
{
    std::string plugin = fixture.plugin_folder + "a.plg";
    write_plugin(plugin, identified_plugin(1));
    write_run_list(fixture, {{1, 1, 1, 1}, {2, 1, 2, 2}});
    WIN32_FILE_ATTRIBUTE_DATA before;
    ASSERT_TRUE(GetFileAttributesExA(plugin.c_str(), GetFileExInfoStandard, &before));
    EXPECT_EQ("one ??? comment one", identify());
    dataset_snapshot *kept = current_dataset_snapshot();
    write_plugin(plugin, identified_plugin(2));
    HANDLE file = CreateFileA(plugin.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &before.ftLastWriteTime));
    CloseHandle(file);
    EXPECT_EQ(kept, current_dataset_snapshot());
    EXPECT_EQ("one ??? comment one", identify());
    FILETIME later = before.ftLastWriteTime;
    later.dwLowDateTime += 10000000;  // one second on
    if (later.dwLowDateTime < before.ftLastWriteTime.dwLowDateTime) later.dwHighDateTime++;
    file = CreateFileA(plugin.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    ASSERT_TRUE(SetFileTime(file, nullptr, nullptr, &later));
    CloseHandle(file);
    EXPECT_EQ("two ??? comment two", identify());
}

// A data or key file larger than the snapshot may hold is refused as a failed read: no records.
TEST_F(SnapshotTest, FilesItCannotHoldReadAsFailedReads)
{
    write_plugin(fixture.plugin_folder + "a.plg", identified_plugin(1));
    write_run_list(fixture, {{1, 1, 1, 1}, {1, 1, 1, 2}});  // 24 bytes; the key file is 300
    set_snapshot_file_limit(300);
    EXPECT_EQ("two one comment two", identify());
    forget_current_dataset_snapshot();
    set_snapshot_file_limit(299);
    EXPECT_EQ("--- --- read error", identify());
    forget_current_dataset_snapshot();
    set_snapshot_file_limit(23);
    EXPECT_EQ("??? ??? None", identify());
    forget_current_dataset_snapshot();
    set_snapshot_file_limit(24);
    EXPECT_EQ("--- --- read error", identify());
    EXPECT_EQ(0, identify_target_in(nullptr, std::string(260, 'a').c_str(), 1, &g_identification_result));
    ASSERT_EQ(1, identify_target_in(nullptr, target.c_str(), 1, &g_identification_result));
    EXPECT_STREQ("???", g_identification_result.first_extension);
    EXPECT_STREQ("None", g_identification_result.first_comment);
}

// A target another program holds open for writing: the scorer's open (others may only read) fails, so the
// candidate scores 0.84, while the signature's open (others may write) reads it, so the candidate is found.
// Held without any sharing, neither can open it.
TEST_F(SnapshotTest, TargetHeldByAnotherHandle)
{
    plugin_definition term = plain_plugin(1, DEFINITION_FLAG_SIGNATURE);
    term.header.option_mode = 1;
    term.with_options = 1;
    std::strcpy(term.options.terms[0], "a");
    std::strcpy(term.options.terms[2], "AVI");
    term.options.params[0] = 16;
    term.options.params[2] = 7;
    term.options.params[3] = 8;
    term.settings.enabled = 1;
    term.settings.size_check = 1;
    term.settings.size_base_score = 50;
    write_plugin(fixture.plugin_folder + "a.plg", term);
    write_run_list(fixture, {{1, 0, 7, 1}, {1, 0, 8, 2}});
    EXPECT_EQ("one ??? comment one", identify());
    EXPECT_EQ(50.0f, g_identification_result.first_score);
    HANDLE writer = CreateFileA(target.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    EXPECT_EQ("one ??? comment one", identify());
    EXPECT_EQ(0.84f, g_identification_result.first_score);
    CloseHandle(writer);
    HANDLE locker = CreateFileA(target.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, locker);
    EXPECT_EQ("??? ??? None", identify()) << "an unreadable target judges to (0, 0), which no record expects";
    CloseHandle(locker);
}

}  // namespace
