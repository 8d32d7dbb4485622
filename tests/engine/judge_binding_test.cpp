// The judge library binding: which library is used, how often it is loaded and released, what it
// receives, and the length rule for library names. Test judges log their loads and calls.
#include "app_config.h"
#include "box_answerer.h"
#include "identify.h"
#include "judge_binding.h"
#include "path_helpers.h"
#include "dataset_fixture.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>
#include <vector>

namespace {

const char *RULE_CAPTION = "DLL名の規則違反です。アドイン処理を中止します";

class JudgeBinding : public ::testing::Test {
protected:
    std::string folder;  // the judge folder, below the program folder as a dataset's add-in folder is
    std::string log_path;
    plugin_header header;

    void SetUp() override
    {
        static int serial = 0;
        folder = test_program_folder() + "judges_" + std::to_string(GetCurrentProcessId()) + "_" +
                 std::to_string(serial++) + "\\";
        remove_folder_tree(folder);
        CreateDirectoryA(folder.c_str(), nullptr);
        log_path = make_test_folder("judge_log") + "calls.log";
        SetEnvironmentVariableA("QUODRA_JUDGE_LOG", log_path.c_str());
        std::memset(&header, 0, sizeof header);
        std::strcpy(header.name, "codec");
        header.definition_id = 77;
        header.flags = DEFINITION_FLAG_JUDGE_LIBRARY | DEFINITION_FLAG_JUDGE_ALLOWED;
        header.judge_library_id = 40001;
        header.option_mode = 1;
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("QUODRA_JUDGE_LOG", nullptr);
        remove_folder_tree(folder);
    }
    void add_judge(const std::string &library, const std::string &as_name = "")
    {
        std::string name = as_name.empty() ? library + ".dll" : as_name;
        ASSERT_TRUE(CopyFileA((test_program_folder() + library + ".dll").c_str(), (folder + name).c_str(), FALSE));
    }
    int judge(judgement_record *record, int entry = 0, int dictionary = 0)
    {
        std::memset(record, 0xEE, sizeof *record);
        return call_judge_library(nullptr, folder.c_str(), "D:\\defs\\codec.plg", header, "D:\\movie.avi", record,
                                  entry, dictionary);
    }
    std::vector<std::string> log_lines()
    {
        std::vector<unsigned char> bytes = read_file_bytes(log_path);
        std::vector<std::string> lines;
        std::string line;
        for (unsigned char c : bytes) {
            if (c == '\n') {
                lines.push_back(line);
                line.clear();
            } else {
                line += static_cast<char>(c);
            }
        }
        return lines;
    }
    // Names of the libraries in the order the folder lists them.
    std::vector<std::string> listing_order()
    {
        std::vector<char> slots(10 * 51);
        int listed = list_folder_paths(nullptr, folder.c_str(), slots.data(), 10, 51, "*.dll", LIST_FILES, 1);
        std::vector<std::string> names;
        for (int i = 0; i < listed && i < 10; i++) names.push_back(slots.data() + i * 51);
        return names;
    }
};

}  // namespace

TEST_F(JudgeBinding, MatchingLibraryJudgesAndIsReleasedAfterTheCall)
{
    add_judge("judge_right");
    judgement_record record;
    EXPECT_EQ(JUDGE_JUDGED, judge(&record, 3, 1));
    EXPECT_EQ(77, record.definition_id);
    EXPECT_EQ(0, record.zero);
    EXPECT_EQ(0xA1u, record.result_a);
    EXPECT_EQ(0x1234u, record.result_b);
    EXPECT_EQ(0u, record.reserved);
    std::vector<std::string> expected = {"load A1", "identity A1",
                                         "judge A1|D:\\defs\\codec.plg|D:\\movie.avi|3|1|id=77|mode=1|name=codec",
                                         "release A1"};
    EXPECT_EQ(expected, log_lines());
}

// A set kept across judgements asks each library its identity once and keeps the judge loaded until the
// set is released; a library of another identity listed first is asked once too.
TEST_F(JudgeBinding, SetLoadsEachLibraryOnceForManyJudgements)
{
    add_judge("judge_wrong", "a_wrong.dll");
    add_judge("judge_right", "b_right.dll");
    std::vector<std::string> order = listing_order();
    judge_library_set set;
    std::memset(&set, 0, sizeof set);
    judgement_record record;
    for (int i = 0; i < 3; i++) {
        EXPECT_EQ(JUDGE_JUDGED, call_judge_library_in(&set, nullptr, folder.c_str(), "D:\\defs\\codec.plg", header,
                                                      "D:\\movie.avi", &record, 0, 0));
        EXPECT_EQ(0x1234u, record.result_b);
    }
    std::vector<std::string> lines = log_lines();
    auto count = [&](const std::string &text) {
        int n = 0;
        for (const std::string &line : lines) n += line.rfind(text, 0) == 0;
        return n;
    };
    EXPECT_EQ(1, count("load A1"));
    EXPECT_EQ(1, count("identity A1"));
    EXPECT_EQ(3, count("judge A1"));
    EXPECT_EQ(0, count("release"));
    EXPECT_EQ(order[0] == "a_wrong.dll" ? 1 : 0, count("identity B1"));
    release_judge_library_set(&set);
    lines = log_lines();
    EXPECT_EQ(1, count("release A1"));
    EXPECT_EQ(0, set.count);
    EXPECT_EQ(0, set.listed);
}

namespace {

struct judging_thread {
    const char *folder;
    plugin_header header;
    int judged;  // judgements that came back judged
};

DWORD WINAPI judge_ten_times(LPVOID parameter)
{
    judging_thread *thread = static_cast<judging_thread *>(parameter);
    judge_library_set set;
    std::memset(&set, 0, sizeof set);
    for (int i = 0; i < 10; i++) {
        judgement_record record;
        thread->judged += call_judge_library_in(&set, nullptr, thread->folder, "D:\\defs\\codec.plg", thread->header,
                                                "D:\\movie.avi", &record, 0, 0) == JUDGE_JUDGED;
    }
    release_judge_library_set(&set);
    return 0;
}

}  // namespace

// Threads judging with sets of their own share the one loaded module; a library may keep state between its
// calls, so they never meet inside it, however long each call stays.
TEST_F(JudgeBinding, ThreadsNeverMeetInsideALibrary)
{
    add_judge("judge_right");
    SetEnvironmentVariableA("QUODRA_JUDGE_HOLD_MS", "3");
    judging_thread threads[3] = {{folder.c_str(), header, 0}, {folder.c_str(), header, 0}, {folder.c_str(), header, 0}};
    HANDLE handles[3];
    for (int t = 0; t < 3; t++) handles[t] = CreateThread(nullptr, 0, judge_ten_times, &threads[t], 0, nullptr);
    WaitForMultipleObjects(3, handles, TRUE, INFINITE);
    for (HANDLE handle : handles) CloseHandle(handle);
    SetEnvironmentVariableA("QUODRA_JUDGE_HOLD_MS", nullptr);
    for (const judging_thread &thread : threads) EXPECT_EQ(10, thread.judged);
    int judged = 0, overlaps = 0;
    for (const std::string &line : log_lines()) {
        judged += line.rfind("judge A1", 0) == 0;
        overlaps += line.rfind("overlap", 0) == 0;
    }
    EXPECT_EQ(30, judged);
    EXPECT_EQ(0, overlaps);
}

// A set asked for another folder lets the first folder's libraries go and lists the new one.
TEST_F(JudgeBinding, SetFollowsTheFolderItIsAskedFor)
{
    add_judge("judge_right");
    judge_library_set set;
    std::memset(&set, 0, sizeof set);
    judgement_record record;
    EXPECT_EQ(JUDGE_JUDGED, call_judge_library_in(&set, nullptr, folder.c_str(), "d.plg", header, "t.avi", &record,
                                                  0, 0));
    EXPECT_EQ(JUDGE_NO_LIBRARY, call_judge_library_in(&set, nullptr, (folder + "none\\").c_str(), "d.plg", header,
                                                      "t.avi", &record, 0, 0));
    std::vector<std::string> lines = log_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("release A1", lines.back());
    release_judge_library_set(&set);
}

TEST_F(JudgeBinding, WithoutPermissionNoLibraryIsLoaded)
{
    add_judge("judge_right");
    header.flags = DEFINITION_FLAG_JUDGE_LIBRARY;
    judgement_record record;
    EXPECT_EQ(JUDGE_NOT_CALLED, judge(&record));
    EXPECT_TRUE(log_lines().empty());
    EXPECT_EQ(0u, record.result_a);
    EXPECT_EQ(0u, record.result_b);
    EXPECT_EQ(JUDGE_NOT_CALLED,
              call_judge_library(nullptr, "", "d.plg", header, "t.avi", &record, 0, 0));
}

TEST_F(JudgeBinding, EmptyOrMissingFolderHasNoLibrary)
{
    judgement_record record;
    EXPECT_EQ(JUDGE_NO_LIBRARY, judge(&record));
    EXPECT_EQ(0u, record.result_a);
    EXPECT_EQ(JUDGE_NO_LIBRARY,
              call_judge_library(nullptr, (folder + "none\\").c_str(), "d.plg", header, "t.avi", &record, 0, 0));
}

TEST_F(JudgeBinding, OtherIdentitiesAndRefusedIdentityAreSkipped)
{
    add_judge("judge_wrong");
    add_judge("judge_entry_zero");
    judgement_record record;
    EXPECT_EQ(JUDGE_NO_LIBRARY, judge(&record));
    EXPECT_EQ(0u, record.result_a);
    for (const std::string &line : log_lines()) EXPECT_EQ(std::string::npos, line.find("judge")) << line;
}

TEST_F(JudgeBinding, MissingJudgementExportFails)
{
    add_judge("judge_no_calculate");
    judgement_record record;
    EXPECT_EQ(JUDGE_LIBRARY_FAILED, judge(&record));
    EXPECT_EQ(0u, record.result_a);
    std::vector<std::string> lines = log_lines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ("release D1", lines.back());
}

TEST_F(JudgeBinding, DecliningLibraryLeavesItsRecordWithoutDefinition)
{
    add_judge("judge_declines");
    judgement_record record;
    EXPECT_EQ(JUDGE_DECLINED, judge(&record));
    EXPECT_EQ(0, record.definition_id);
    EXPECT_EQ(0xE1u, record.result_a);
}

TEST_F(JudgeBinding, FirstListedOfTwoWithTheSameIdentityJudges)
{
    add_judge("judge_right");
    add_judge("judge_twin");
    std::vector<std::string> order = listing_order();
    ASSERT_EQ(2u, order.size());
    judgement_record record;
    EXPECT_EQ(JUDGE_JUDGED, judge(&record));
    EXPECT_EQ(order[0] == "judge_right.dll" ? 0xA1u : 0xA2u, record.result_a);
}

TEST_F(JudgeBinding, LibraryNameRuleAllowsFiftyCharacters)
{
    // The rule name is "\" + judge folder name + "\" + file name.
    std::string folder_name = folder.substr(test_program_folder().size());
    folder_name.pop_back();
    size_t fixed = 1 + folder_name.size() + 1 + std::strlen(".dll");
    ASSERT_LT(fixed, 50u);
    std::string fifty = std::string(50 - fixed, 'n') + ".dll";
    add_judge("judge_right", fifty);
    char rule_name[600];
    ASSERT_EQ(1, judge_rule_name(program_folder(), folder.c_str(), fifty.c_str(), rule_name, sizeof rule_name));
    EXPECT_EQ(50u, std::strlen(rule_name));
    judgement_record record;
    EXPECT_EQ(JUDGE_JUDGED, judge(&record));

    // One character more stops the call with the warning, shown even without an owner.
    DeleteFileA((folder + fifty).c_str());
    add_judge("judge_right", std::string(51 - fixed, 'n') + ".dll");
    box_answerer answerer;
    start_answering_boxes(&answerer, RULE_CAPTION, IDOK);
    EXPECT_EQ(JUDGE_NOT_CALLED, judge(&record));
    stop_answering_boxes(&answerer);
    EXPECT_EQ(1, answerer.answered);
    EXPECT_EQ("DLLが入っているフォルダまたはDLLの名前を短くしてください", answerer.last_text);
    EXPECT_EQ(0u, record.result_a);
}

TEST_F(JudgeBinding, LibraryIsFoundFromAnyCurrentDirectory)
{
    add_judge("judge_right");
    char saved[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    std::string elsewhere = make_test_folder("elsewhere");
    SetCurrentDirectoryA(elsewhere.c_str());
    judgement_record record;
    int result = judge(&record);
    SetCurrentDirectoryA(saved);
    EXPECT_EQ(JUDGE_JUDGED, result);
    EXPECT_EQ(0xA1u, record.result_a);
}

// End to end: a dataset whose codec plug-in hands AVI files to judgext, identified from a current directory
// other than the program folder.
TEST(JudgeEndToEnd, XvidAviIsIdentifiedThroughJudgext)
{
    std::string root = test_program_folder() + "judge_e2e_" + std::to_string(GetCurrentProcessId()) + "\\";
    remove_folder_tree(root);
    CreateDirectoryA(root.c_str(), nullptr);
    CreateDirectoryA((root + "add-in").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((test_program_folder() + "judgext.dll").c_str(), (root + "add-in\\judgext.dll").c_str(), FALSE));
    plugin_definition codec;
    clear_plugin_definition(&codec);
    codec.header.definition_id = 9;
    codec.header.flags = DEFINITION_FLAG_JUDGE_LIBRARY | DEFINITION_FLAG_JUDGE_ALLOWED;
    codec.header.judge_library_id = 40001;
    codec.header.option_mode = 1;
    write_fixed_plugin(root, "codec.plg", codec);
    write_fixed_dataset(root, {{9, 0, 0x9221, 1}, {9, 0, 0x9223, 2}, {9, 0, 0x9224, 3}},
                        {{1, "AVI", "DivX AVI"}, {2, "AVI", "XviD AVI"}, {3, "AVI", "MJPEG AVI"}});
    app_config saved_config = g_app_config;
    std::snprintf(g_app_config.dat_path, PATH_SIZE, "%sdata\\karvo.dat", root.c_str());
    std::snprintf(g_app_config.key_path, PATH_SIZE, "%sdata\\karvo.key", root.c_str());
    std::snprintf(g_app_config.plugin_folder, PATH_SIZE, "%splug-in\\", root.c_str());
    std::snprintf(g_app_config.addin_folder, PATH_SIZE, "%sadd-in\\", root.c_str());

    std::string sample = std::string(QUODRA_SOURCE_DIR) + "/tests/data/avi/mpeg4_xvid_upper.avi";
    char saved[MAX_PATH];
    GetCurrentDirectoryA(sizeof saved, saved);
    SetCurrentDirectoryA(make_test_folder("e2e_elsewhere").c_str());
    EXPECT_EQ(1, identify_file(nullptr, sample.c_str(), 1));
    SetCurrentDirectoryA(saved);
    g_app_config = saved_config;
    EXPECT_STREQ("AVI", g_identification_result.first_extension);
    EXPECT_STREQ("XviD AVI", g_identification_result.first_comment);
    EXPECT_STREQ("???", g_identification_result.second_extension);
    remove_folder_tree(root);
}
