// The identification run over datasets written by the writers: the reuse of a loaded definition, the
// judging step by flags, the stops, the "-o" rule, rename_possible, status texts and bad input.
#include "app_config.h"
#include "engine_fixtures.h"
#include "identify.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <cstring>

namespace {

std::vector<std::string> g_status_texts;

void record_status_text(const char *text)
{
    g_status_texts.push_back(text);
}

// Stands in for the main window's status bar and records what the run puts into it.
struct status_capture {
    status_capture()
    {
        report_sink sink = *message_box_report_sink();
        sink.status = record_status_text;
        install_report_sink(&sink);
        g_status_texts.clear();
    }
    ~status_capture() { install_report_sink(message_box_report_sink()); }
};

// Term method: (0, holds) when term a is in the first 64 bytes, (0, fails) otherwise.
plugin_definition term_plugin(uint16_t id, const char *term, int32_t holds, int32_t fails)
{
    plugin_definition definition = plain_plugin(id, DEFINITION_FLAG_SIGNATURE);
    definition.header.option_mode = 1;
    definition.with_options = 1;
    std::strcpy(definition.options.terms[0], "a");
    std::strcpy(definition.options.terms[2], term);
    definition.options.params[0] = 64;
    definition.options.params[2] = holds;
    definition.options.params[3] = fails;
    return definition;
}

// Scores through the pattern table only: key -> base score (probe off), enabled, nothing else checked.
void add_base_score(plugin_definition *definition, uint16_t key, uint8_t base)
{
    definition->settings.enabled = 1;
    definition->settings.pattern_check = 1;
    pattern_table &table = definition->patterns;
    table.key_id[table.count] = key;
    table.base_score[table.count] = base;
    table.count++;
}

class IdentifyTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        fixture = make_dataset_fixture("identify");
        clear_identification_state();
        write_keys(fixture, {{1, "one", "comment one"}, {2, "two", "comment two"}, {3, "three", "comment three"},
                             {4, "four", "comment four"}, {5, "TXT", "text"}, {6, "BIN", "binary"}, {7, "bin", "b"}});
        target = fixture.folder + "target.bin";
        ASSERT_EQ(1, write_file_text(target, "RIFF....AVI "));
    }
    void TearDown() override { remove_folder_tree(fixture.folder); }
    std::string result_text() const
    {
        return std::string(g_identification_result.first_extension) + " " + g_identification_result.second_extension +
               " " + g_identification_result.third_extension;
    }
    dataset_fixture fixture;
    std::string target;
};

}  // namespace

TEST_F(IdentifyTest, WorkedOrderOfOneDefinition)
{
    write_plugin(fixture.plugin_folder + "seven.plg", term_plugin(7, "RIFF", 0x9224, 1));
    write_plugin(fixture.plugin_folder + "eight.plg", plain_plugin(8, 0));
    write_run_list(fixture, {{7, 0, 0x9223, 1}, {7, 0, 0x9224, 2}, {7, 0, 1, 3}, {8, 0, 0, 4}});
    status_capture status;
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 0));
    EXPECT_EQ("four two ???", result_text()) << "only record 1 of definition 7 applies, then record 3";
    EXPECT_EQ(50.0f, g_identification_result.first_score);
    EXPECT_EQ(50.0f, g_identification_result.second_score);
    EXPECT_STREQ("comment four", g_identification_result.first_comment);
    ASSERT_EQ(2u, g_status_texts.size());
    EXPECT_EQ("識別は終了しました", g_status_texts[0]);
    EXPECT_EQ("[2]", g_status_texts[1]);

    std::string other = fixture.folder + "other.bin";
    ASSERT_EQ(1, write_file_text(other, "plain"));
    ASSERT_EQ(1, identify_file(nullptr, other.c_str(), 1));
    EXPECT_EQ("four three ???", result_text());
}

TEST_F(IdentifyTest, JudgingStepByFlags)
{
    write_plugin(fixture.plugin_folder + "none.plg", plain_plugin(1, 0));
    write_plugin(fixture.plugin_folder + "allowed.plg", plain_plugin(2, DEFINITION_FLAG_JUDGE_ALLOWED));
    write_plugin(fixture.plugin_folder + "library.plg",
                 plain_plugin(3, DEFINITION_FLAG_JUDGE_LIBRARY | DEFINITION_FLAG_JUDGE_ALLOWED));
    plugin_definition both = constant_plugin(4, 5, 6);
    both.header.flags = DEFINITION_FLAG_SIGNATURE | DEFINITION_FLAG_JUDGE_LIBRARY;
    write_plugin(fixture.plugin_folder + "both.plg", both);
    write_plugin(fixture.plugin_folder + "header_only.plg", plain_plugin(5, DEFINITION_FLAG_SIGNATURE));
    struct flag_case {
        uint16_t id;
        uint32_t a, b;
        int applies;
    } cases[] = {
        {1, 0, 0, 1}, {1, 0, 1, 0}, {2, 0, 0, 1}, {3, 0, 0, 1}, {3, 1, 0, 0},
        {4, 5, 6, 1}, {4, 0, 0, 0},  // value 2 takes precedence over value 1
        {5, 0x52000000, 0, 1},       // no option block: the zero option record folds column 0 of line 0, "R"
    };
    for (const flag_case &c : cases) {
        SCOPED_TRACE(std::to_string(c.id) + " expecting " + std::to_string(c.a) + "," + std::to_string(c.b));
        write_run_list(fixture, {{c.id, c.a, c.b, 1}});
        clear_identification_state();
        ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 1));
        EXPECT_STREQ(c.applies ? "one" : "???", g_identification_result.first_extension);
    }
}

TEST_F(IdentifyTest, StopsAtOneHundredCandidates)
{
    plugin_definition definition = plain_plugin(8, 0);
    add_base_score(&definition, 2, 60);   // (60 + 50) / 2 = 55, final (55 + 50) / 2 = 52.5
    add_base_score(&definition, 3, 200);  // final 87.5
    write_plugin(fixture.plugin_folder + "eight.plg", definition);
    std::vector<dataset_entry> records(99, dataset_entry{8, 0, 0, 1});
    records.push_back({8, 0, 0, 2});
    for (int i = 0; i < 5; i++) records.push_back({8, 0, 0, 3});
    write_run_list(fixture, records);
    status_capture status;
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 0));
    EXPECT_EQ("two one one", result_text()) << "record 100 and later are not reached";
    EXPECT_EQ(52.5f, g_identification_result.first_score);
    ASSERT_FALSE(g_status_texts.empty());
    EXPECT_EQ("[100]", g_status_texts.back());
}

TEST_F(IdentifyTest, StopsAtAConclusiveScore)
{
    struct stop_case {
        uint8_t second_base;
        const char *result;
        float second_score;
        const char *count;
    } cases[] = {
        {255, "two one ???", 50.0f, "[2]"},    // 100.0 ends the run and ranks first
        {125, "one two ???", 0.0f, "[2]"},     // 0.0 ends the run and is counted
        {100, "three two one", 62.5f, "[3]"},  // 62.5 is not conclusive
    };
    for (const stop_case &c : cases) {
        SCOPED_TRACE(c.result);
        plugin_definition definition = plain_plugin(8, 0);
        add_base_score(&definition, 1, 50);
        add_base_score(&definition, 2, c.second_base);
        add_base_score(&definition, 3, 240);  // final 97.5
        write_plugin(fixture.plugin_folder + "eight.plg", definition);
        write_run_list(fixture, {{8, 0, 0, 1}, {8, 0, 0, 2}, {8, 0, 0, 3}});
        status_capture status;
        ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 0));
        EXPECT_EQ(c.result, result_text());
        EXPECT_EQ(c.second_score, g_identification_result.second_score);
        ASSERT_FALSE(g_status_texts.empty());
        EXPECT_EQ(c.count, g_status_texts.back());
    }
}

TEST_F(IdentifyTest, UnreadableTargetScoresFallback)
{
    plugin_definition definition = plain_plugin(8, 0);
    definition.settings.enabled = 1;
    definition.settings.text_check = 1;
    write_plugin(fixture.plugin_folder + "eight.plg", definition);
    write_run_list(fixture, {{8, 0, 0, 1}});
    const std::string missing = fixture.folder + "missing.bin";
    ASSERT_EQ(1, identify_file(nullptr, missing.c_str(), 1));
    EXPECT_STREQ("one", g_identification_result.first_extension);
    EXPECT_EQ(0.84f, g_identification_result.first_score);
    EXPECT_EQ(missing, g_identification_result.target);
}

TEST_F(IdentifyTest, OptionMarkShortensTheTargetAndSkipsOptionPlugins)
{
    write_option_plugin(fixture.plugin_folder + "c.opg", constant_option_plugin(30, 3, 4));
    write_plugin(fixture.plugin_folder + "c.plg", constant_plugin(31, 5, 6));
    write_run_list(fixture, {{30, 3, 4, 1}, {31, 5, 6, 2}});
    std::string plain = fixture.folder + "xold.bin";
    ASSERT_EQ(1, identify_file(nullptr, plain.c_str(), 1));
    EXPECT_EQ("two one ???", result_text());
    EXPECT_EQ(plain, g_identification_result.target);

    std::string marked = fixture.folder + "x-old.bin";
    status_capture status;
    ASSERT_EQ(1, identify_file(nullptr, marked.c_str(), 0));
    EXPECT_EQ(fixture.folder + "x", g_identification_result.target);
    EXPECT_EQ("two ??? ???", result_text());
    ASSERT_EQ(2u, g_status_texts.size()) << "option plug-ins are skipped silently";

    std::string twice = fixture.folder + "a-b-oc-od";
    ASSERT_EQ(1, identify_file(nullptr, twice.c_str(), 1));
    EXPECT_EQ(fixture.folder + "a-b", g_identification_result.target);
}

TEST_F(IdentifyTest, RenamePossible)
{
    write_plugin(fixture.plugin_folder + "eight.plg", plain_plugin(8, 0));
    struct rename_case {
        const char *file;
        uint16_t key;
        int preset;
        int expected;
    } cases[] = {
        {"t.bin", 5, 0, 1},       // TXT differs from BIN
        {"t.bin", 6, 0, 0},       // BIN equals the upper-cased own extension
        {"t.bin", 7, 0, 1},       // bin: the test is case-sensitive after upper-casing
        {"t.bin", 99, 0, 0},      // "---"
        {"t.abcdef", 6, 0, 1},    // an own extension too long to hold differs from all
        {"t", 6, 0, 1},
        {"t.bin", 6, 1, 1},       // the run never clears the flag
    };
    for (const rename_case &c : cases) {
        SCOPED_TRACE(std::string(c.file) + " key " + std::to_string(c.key));
        write_run_list(fixture, {{8, 0, 0, c.key}});
        clear_identification_state();
        g_rename_possible = c.preset;
        ASSERT_EQ(1, identify_file(nullptr, (fixture.folder + c.file).c_str(), 1));
        EXPECT_EQ(c.expected, g_rename_possible);
    }
    write_run_list(fixture, {});
    clear_identification_state();
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 1));
    EXPECT_EQ(0, g_rename_possible) << "no candidate: ???";
}

TEST_F(IdentifyTest, IdentifierZeroIsLookedUpLikeAnyOther)
{
    write_run_list(fixture, {{0, 0, 0, 1}, {8, 0, 0, 2}});
    write_plugin(fixture.plugin_folder + "eight.plg", plain_plugin(8, 0));
    {
        status_capture status;
        ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 0));
        EXPECT_EQ("two ??? ???", result_text()) << "no definition 0: the record is skipped";
        ASSERT_EQ(3u, g_status_texts.size());
        EXPECT_EQ("プラグイン[ID=0000]は見つかりません。スキップします", g_status_texts[0]);
    }
    write_plugin(fixture.plugin_folder + "zero.plg", plain_plugin(0, 0));
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 1));
    EXPECT_EQ("two one ???", result_text()) << "a definition with id 0 is loaded and judged";
}

TEST_F(IdentifyTest, FailedLoadKeepsTheLastDefinition)
{
    write_option_plugin(fixture.plugin_folder + "five.opg", constant_option_plugin(5, 1, 2));
    option_plugin_definition invalid = constant_option_plugin(6, 0, 0);  // a constant of 0 is not valid
    write_option_plugin(fixture.plugin_folder + "six.opg", invalid);
    write_run_list(fixture, {{5, 1, 2, 1}, {6, 0, 0, 2}, {5, 1, 2, 3}, {42, 0, 0, 4}, {42, 0, 0, 4}});
    status_capture status;
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 0));
    EXPECT_EQ("three one ???", result_text()) << "record 2 reuses definition 5 and its signature";
    ASSERT_EQ(5u, g_status_texts.size());
    EXPECT_EQ("このファイルには無効なプラグインです。スキップします", g_status_texts[0]);
    EXPECT_EQ("プラグイン[ID=0042]は見つかりません。スキップします", g_status_texts[1]);
    EXPECT_EQ(g_status_texts[1], g_status_texts[2]) << "a failed lookup is tried again";
}

TEST_F(IdentifyTest, DictionaryEntriesAndOptionPluginsScoreThroughTheirOwnRecords)
{
    plugin_definition entry = plain_plugin(20, 0);
    add_base_score(&entry, 4, 80);   // pattern 65, final (65 + 50) / 2 = 57.5
    write_dictionary(fixture.plugin_folder + "d.dic", {plain_plugin(19, 0), entry});
    option_plugin_definition option = constant_option_plugin(21, 9, 9);
    option.with_score_settings = 1;
    option.settings.enabled = 1;
    option.settings.pattern_check = 1;
    option.with_pattern_table = 1;
    option.patterns.count = 1;
    option.patterns.key_id[0] = 3;
    option.patterns.base_score[0] = 40;  // pattern 45, final 47.5
    write_option_plugin(fixture.plugin_folder + "o.opg", option);
    write_run_list(fixture, {{20, 0, 0, 4}, {21, 9, 9, 3}});
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 1));
    EXPECT_EQ("four three ???", result_text());
    EXPECT_EQ(57.5f, g_identification_result.first_score);
    EXPECT_EQ(47.5f, g_identification_result.second_score);
}

TEST_F(IdentifyTest, CandidateWithoutKeyRecord)
{
    plugin_definition definition = plain_plugin(8, 0);
    definition.settings.enabled = 1;
    definition.settings.ext_check = 1;
    definition.settings.ext_score = 255;  // only an empty candidate extension matches "t."
    write_plugin(fixture.plugin_folder + "eight.plg", definition);
    write_run_list(fixture, {{8, 0, 0, 77}});
    ASSERT_EQ(1, identify_file(nullptr, (fixture.folder + "t.").c_str(), 1));
    EXPECT_STREQ("---", g_identification_result.first_extension);
    EXPECT_STREQ("read error", g_identification_result.first_comment);
    EXPECT_EQ(100.0f, g_identification_result.first_score) << "the candidate extension was empty";
}

TEST_F(IdentifyTest, BadDatasetsEndConsistently)
{
    write_plugin(fixture.plugin_folder + "eight.plg", plain_plugin(8, 0));
    {
        status_capture status;
        ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 0)) << "no data file";
        EXPECT_EQ("??? ??? ???", result_text());
        EXPECT_STREQ("None", g_identification_result.first_comment);
        EXPECT_EQ(0.0f, g_identification_result.first_score);
        ASSERT_EQ(2u, g_status_texts.size());
        EXPECT_EQ("[0]", g_status_texts[1]);
    }
    write_run_list(fixture, {{8, 0, 0, 1}, {8, 0, 0, 2}});
    std::vector<unsigned char> bytes = read_file_bytes(fixture.dat_path);
    bytes.resize(bytes.size() - 1);  // the second record is cut short
    ASSERT_EQ(1, write_file_bytes(fixture.dat_path, bytes));
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 1));
    EXPECT_EQ("one ??? ???", result_text());

    DeleteFileA(fixture.key_path.c_str());
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 1));
    EXPECT_EQ("--- ??? ???", result_text()) << "no key file";
    EXPECT_STREQ("read error", g_identification_result.first_comment);
}

TEST_F(IdentifyTest, BadTargetsEndConsistently)
{
    plugin_definition reader = plain_plugin(8, 0);
    reader.settings.enabled = 1;
    reader.settings.size_check = 1;
    reader.settings.size_base_score = 80;
    write_plugin(fixture.plugin_folder + "eight.plg", reader);
    plugin_definition terms = term_plugin(9, "RIFF", 5, 7);  // (0, 0) only when the file cannot be read
    write_plugin(fixture.plugin_folder + "nine.plg", terms);
    write_run_list(fixture, {{8, 0, 0, 1}, {9, 0, 0, 2}});
    std::string empty = fixture.folder + "empty.bin";
    ASSERT_EQ(1, write_file_bytes(empty, {}));
    std::string locked = fixture.folder + "locked.bin";
    ASSERT_EQ(1, write_file_text(locked, "RIFF"));
    HANDLE lock = CreateFileA(locked.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    // Unreadable: definition 9 judges (0, 0) and scores 50; definition 8 cannot check the size: 0.84.
    struct target_case {
        std::string path;
        const char *result;
        float first;
        float second;
    } cases[] = {
        {fixture.folder + "missing.bin", "two one ???", 50.0f, 0.84f},
        {fixture.folder, "two one ???", 50.0f, 0.84f},
        {locked, "two one ???", 50.0f, 0.84f},
        {"", "two one ???", 50.0f, 0.84f},
        {empty, "one ??? ???", 55.0f, 0.0f},  // readable: (50 + 50 + 80) / 3 = 60, then (60 + 50) / 2
    };
    for (const target_case &c : cases) {
        SCOPED_TRACE(c.path);
        clear_identification_state();
        ASSERT_EQ(1, identify_file(nullptr, c.path.c_str(), 1));
        EXPECT_EQ(c.result, result_text());
        EXPECT_EQ(c.first, g_identification_result.first_score);
        EXPECT_EQ(c.second, g_identification_result.second_score);
        EXPECT_EQ(c.path, g_identification_result.target);
    }
    CloseHandle(lock);
}

TEST_F(IdentifyTest, OverlongPathChangesNothing)
{
    write_plugin(fixture.plugin_folder + "eight.plg", plain_plugin(8, 0));
    write_run_list(fixture, {{8, 0, 0, 1}});
    clear_identification_state();
    std::strcpy(g_identification_result.first_extension, "keep");
    std::string long_path = "C:\\" + std::string(255, 'a') + ".b";
    ASSERT_EQ(260u, long_path.size());
    status_capture status;
    EXPECT_EQ(0, identify_file(nullptr, long_path.c_str(), 0));
    EXPECT_STREQ("keep", g_identification_result.first_extension);
    EXPECT_STREQ("", g_identification_result.target);
    EXPECT_TRUE(g_status_texts.empty());
    std::string fits = long_path.substr(1);
    EXPECT_EQ(1, identify_file(nullptr, fits.c_str(), 1));
    EXPECT_EQ(fits, g_identification_result.target);
}

TEST_F(IdentifyTest, QuietRunsShowNothing)
{
    write_run_list(fixture, {{42, 0, 0, 1}});
    status_capture status;
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 1));
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 2));
    EXPECT_TRUE(g_status_texts.empty());
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 0));
    ASSERT_EQ(3u, g_status_texts.size());
    EXPECT_EQ("プラグイン[ID=0042]は見つかりません。スキップします", g_status_texts[0]);
}

TEST_F(IdentifyTest, RepaintsOnlyTheGivenWindow)
{
    write_run_list(fixture, {});
    HWND window = CreateWindowExA(0, "STATIC", "result", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(nullptr, window);
    ValidateRect(window, nullptr);
    ASSERT_EQ(1, identify_file(window, target.c_str(), 1));
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "a quiet run does not repaint";
    ASSERT_EQ(1, identify_file(window, target.c_str(), 0));
    EXPECT_TRUE(GetUpdateRect(window, nullptr, FALSE));
    ValidateRect(window, nullptr);
    // Without a window nothing is invalidated (not every window of the desktop).
    ASSERT_EQ(1, identify_file(nullptr, target.c_str(), 0));
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE));
    DestroyWindow(window);
}

TEST(StatusText, WithoutStatusBarDoesNothing)
{
    install_report_sink(message_box_report_sink());
    EXPECT_EQ(1, set_status_text("識別は終了しました"));
}
