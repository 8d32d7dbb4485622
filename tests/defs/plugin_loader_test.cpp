// Plug-in record loaders: record placement, the header, score settings and pattern table regions, the
// option block, and what truncated or foreign files give.
#include <gtest/gtest.h>
#include <algorithm>
#include <climits>
#include <cstring>
#include "defs_fixtures.h"
#include "box_answerer.h"
#include "definition_format.h"
#include "plugin_loader.h"
#include "test_files.h"

namespace {

class PluginLoader : public ::testing::Test {
protected:
    void SetUp() override { folder = make_test_folder("defs_plugin"); }
    void TearDown() override { remove_folder_tree(folder); }
    std::string write(const std::string &name, const std::vector<unsigned char> &bytes)
    {
        std::string path = folder + name;
        EXPECT_EQ(1, write_file_bytes(path, bytes));
        return path;
    }
    std::string folder;
};

struct offset_case {
    int n;
    int mode;
    long offset;
};

TEST(RecordOffset, PlacesPlgAtZeroAndDictionaryRecordsAfterTheHeader)
{
    const offset_case cases[] = {
        {0, 0, 0},     {7, 0, 0},        {1, 1, 150},          {2, 1, 3150},
        {3, 1, 6150},  {255, 1, 762150}, {0, 1, -1},           {-4, 1, -1},
        {9, 2, 0},     {715828, 1, 2147481150L}, {715829, 1, -1},
    };
    for (const offset_case &c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " mode=" << c.mode);
        EXPECT_EQ(c.offset, record_offset(c.n, c.mode));
    }
}

TEST_F(PluginLoader, RoundTripsEveryRegionOfAPlugin)
{
    plugin_definition d = sample_plugin(1234, 17, 1);
    std::string path = write("full.plg", make_plugin_file(d));
    plugin_header header;
    score_settings settings;
    pattern_table table;
    option_record options;
    ASSERT_EQ(1, read_plugin_header(nullptr, path.c_str(), &header, 0, 0));
    expect_same_header(d.header, header);
    EXPECT_EQ(30u, std::strlen(header.extra_text));
    ASSERT_EQ(1, read_score_settings(nullptr, path.c_str(), &settings, 0, 0));
    expect_same_settings(expected_settings(d.settings), settings);
    ASSERT_EQ(1, read_pattern_table(nullptr, path.c_str(), &table, 0, 0));
    expect_same_table(expected_table(d.patterns), table);
    ASSERT_EQ(1, read_plugin_options(nullptr, path.c_str(), &header, &options, 0, 0));
    expect_same_header(d.header, header);
    expect_same_options(expected_block_options(d), options);
}

TEST_F(PluginLoader, MagicAloneLoadsAnEmptyHeader)
{
    std::string path = write("magic.plg", {'K', 'R', 'V', 'P', 'L', 'G'});
    plugin_header header;
    std::memset(&header, 0xAB, sizeof header);
    ASSERT_EQ(1, read_plugin_header(nullptr, path.c_str(), &header, 0, 0));
    EXPECT_TRUE(all_zero(header));
    score_settings settings;
    ASSERT_EQ(1, read_score_settings(nullptr, path.c_str(), &settings, 0, 0));
    EXPECT_EQ(0, settings.pattern_check);
    EXPECT_EQ(50.0f, settings.pattern_score);
    pattern_table table;
    ASSERT_EQ(1, read_pattern_table(nullptr, path.c_str(), &table, 0, 0));
    EXPECT_EQ(0, table.count);
    option_record options;
    EXPECT_EQ(0, read_plugin_options(nullptr, path.c_str(), &header, &options, 0, 0));
    EXPECT_TRUE(all_zero(options));
}

TEST_F(PluginLoader, ForeignOrBrokenMagicFailsAndLeavesRecordsZero)
{
    std::vector<unsigned char> good = make_plugin_file(sample_plugin(5, 3, 1));
    std::vector<std::vector<unsigned char>> files;
    files.push_back({});
    files.push_back({'K', 'R', 'V', 'P', 'L'});
    std::vector<unsigned char> lower = good;
    lower[5] = 'g';
    files.push_back(lower);
    std::vector<unsigned char> dic = good;
    std::memcpy(dic.data(), "KRVDIC", 6);
    files.push_back(dic);
    for (size_t i = 0; i < files.size(); ++i) {
        SCOPED_TRACE(i);
        std::string path = write("bad.plg", files[i]);
        plugin_header header;
        score_settings settings;
        pattern_table table;
        option_record options;
        std::memset(&header, 0xAB, sizeof header);
        std::memset(&settings, 0xAB, sizeof settings);
        std::memset(&table, 0xAB, sizeof table);
        std::memset(&options, 0xAB, sizeof options);
        EXPECT_EQ(0, read_plugin_header(nullptr, path.c_str(), &header, 0, 0));
        EXPECT_EQ(0, read_score_settings(nullptr, path.c_str(), &settings, 0, 0));
        EXPECT_EQ(0, read_pattern_table(nullptr, path.c_str(), &table, 0, 0));
        EXPECT_TRUE(all_zero(header));
        EXPECT_TRUE(all_zero(settings));
        EXPECT_TRUE(all_zero(table));
        std::memset(&header, 0xAB, sizeof header);
        EXPECT_EQ(0, read_plugin_options(nullptr, path.c_str(), &header, &options, 0, 0));
        EXPECT_TRUE(all_zero(header));
        EXPECT_TRUE(all_zero(options));
    }
}

TEST_F(PluginLoader, MissingFileFailsQuietlyWithoutAWindow)
{
    std::string path = folder + "absent.plg";
    plugin_header header;
    score_settings settings;
    pattern_table table;
    option_record options;
    EXPECT_EQ(0, read_plugin_header(nullptr, path.c_str(), &header, 0, 0));
    EXPECT_EQ(0, read_score_settings(nullptr, path.c_str(), &settings, 0, 0));
    EXPECT_EQ(0, read_pattern_table(nullptr, path.c_str(), &table, 0, 0));
    EXPECT_EQ(0, read_plugin_options(nullptr, path.c_str(), &header, &options, 0, 0));
    EXPECT_EQ(0, read_plugin_header(nullptr, nullptr, &header, 0, 0));
    EXPECT_EQ(0, read_plugin_header(nullptr, "", &header, 0, 0));
}

TEST_F(PluginLoader, MissingFileShowsTheBoxWithAWindow)
{
    HWND window = CreateWindowA("STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, window);
    box_answerer answerer;
    start_answering_boxes(&answerer, "ERROR", IDOK);
    plugin_header header;
    pattern_table table;
    EXPECT_EQ(0, read_plugin_header(window, (folder + "absent.plg").c_str(), &header, 0, 0));
    EXPECT_EQ(0, read_pattern_table(window, (folder + "absent.plg").c_str(), &table, 0, 0));
    stop_answering_boxes(&answerer);
    DestroyWindow(window);
    EXPECT_EQ(2, answerer.answered);
    EXPECT_EQ(std::string("対象のファイルが開けません"), answerer.last_text);
}

TEST_F(PluginLoader, PatternTableStartingWithEndIsEmpty)
{
    plugin_definition d = sample_plugin(9, 0, 0);
    std::string path = write("empty.plg", make_plugin_file(d));
    pattern_table table;
    ASSERT_EQ(1, read_pattern_table(nullptr, path.c_str(), &table, 0, 0));
    EXPECT_EQ(0, table.count);
    EXPECT_TRUE(all_zero(table));
}

TEST_F(PluginLoader, PatternTableEndsAtEndMarkOrAfterFiftyEntries)
{
    struct table_case {
        int entries;
        int end_mark;
        int expected;
    } cases[] = {{1, 1, 1}, {3, 1, 3}, {49, 1, 49}, {50, 1, 50}, {50, 0, 50}};
    for (const table_case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.entries << " entries, end mark " << c.end_mark);
        plugin_definition d = sample_plugin(9, c.entries, 0);
        d.end_mark = c.end_mark;
        std::vector<unsigned char> bytes = make_plugin_file(d);
        // After fifty entries the bytes are never looked at: fill them with an entry-like pattern.
        if (!c.end_mark)
            for (size_t i = PATTERN_TABLE_OFFSET + 700; i < bytes.size(); ++i) bytes[i] = 0x31;
        std::string path = write("table.plg", bytes);
        pattern_table table;
        ASSERT_EQ(1, read_pattern_table(nullptr, path.c_str(), &table, 0, 0));
        EXPECT_EQ(c.expected, table.count);
        pattern_table expected = expected_table(d.patterns);
        expect_same_table(expected, table);
    }
}

TEST_F(PluginLoader, PatternTableCutByTheEndOfTheFileEndsThere)
{
    std::vector<unsigned char> whole = make_plugin_file(sample_plugin(9, 5, 0));
    // Cut inside entry 2 (0-based): ten of its fourteen bytes remain, so it is read with its last
    // fields zero; a cut leaving two bytes of entry 3 ends the table before it.
    std::vector<unsigned char> cut(whole.begin(), whole.begin() + PATTERN_TABLE_OFFSET + 2 * 14 + 10);
    pattern_table table;
    ASSERT_EQ(1, read_pattern_table(nullptr, write("cut.plg", cut).c_str(), &table, 0, 0));
    EXPECT_EQ(3, table.count);
    EXPECT_EQ(92, table.key_id[2]);
    EXPECT_STREQ("PK02", table.signature[2]);
    EXPECT_EQ(2, table.origin[2]);
    EXPECT_EQ(1014 & 0xFF, table.offset[2]);  // one byte of the offset was there
    EXPECT_EQ(0, table.found_score[2]);
    std::vector<unsigned char> two(whole.begin(), whole.begin() + PATTERN_TABLE_OFFSET + 3 * 14 + 2);
    ASSERT_EQ(1, read_pattern_table(nullptr, write("two.plg", two).c_str(), &table, 0, 0));
    EXPECT_EQ(3, table.count);
    std::vector<unsigned char> none(whole.begin(), whole.begin() + 2000);
    ASSERT_EQ(1, read_pattern_table(nullptr, write("none.plg", none).c_str(), &table, 0, 0));
    EXPECT_EQ(0, table.count);
}

TEST_F(PluginLoader, PatternScoreFollowsPatternCheck)
{
    const struct {
        uint8_t check;
        float score;
    } cases[] = {{0, 50.0f}, {1, 0.0f}, {2, 50.0f}, {255, 50.0f}};
    for (const auto &c : cases) {
        SCOPED_TRACE(int(c.check));
        plugin_definition d = sample_plugin(9, 1, 0);
        d.settings.pattern_check = c.check;
        score_settings settings;
        ASSERT_EQ(1, read_score_settings(nullptr, write("check.plg", make_plugin_file(d)).c_str(), &settings, 0, 0));
        EXPECT_EQ(c.check, settings.pattern_check);
        EXPECT_EQ(c.score, settings.pattern_score);
    }
}

TEST_F(PluginLoader, TruncatedHeaderAndSettingsKeepUnreadFieldsZero)
{
    std::vector<unsigned char> whole = make_plugin_file(sample_plugin(0x1234, 2, 1));
    std::vector<unsigned char> cut(whole.begin(), whole.begin() + 40);  // two bytes of extra_text
    plugin_header header;
    ASSERT_EQ(1, read_plugin_header(nullptr, write("cut.plg", cut).c_str(), &header, 0, 0));
    EXPECT_STREQ("plug-in 4660", header.name);
    EXPECT_EQ(0x1234, header.definition_id);
    EXPECT_STREQ("AB", header.extra_text);
    EXPECT_EQ(0u, header.param_a);
    EXPECT_EQ(0, header.flags);
    EXPECT_EQ(0, header.judge_library_id);

    std::vector<unsigned char> mid(whole.begin(), whole.begin() + SCORE_SETTINGS_OFFSET + 8);
    score_settings settings;
    ASSERT_EQ(1, read_score_settings(nullptr, write("mid.plg", mid).c_str(), &settings, 0, 0));
    EXPECT_EQ(1, settings.enabled);
    EXPECT_EQ(1, settings.size_check);
    EXPECT_EQ(-123456 & 0xFFFF, settings.size_reference);  // two of its four bytes were there
    EXPECT_EQ(0, settings.size_step);
    EXPECT_EQ(0, settings.pattern_check);
    EXPECT_EQ(50.0f, settings.pattern_score);
}

TEST_F(PluginLoader, TextFieldsOfFullWidthAreTerminated)
{
    plugin_definition d = sample_plugin(3, 1, 1);
    std::vector<unsigned char> bytes = make_plugin_file(d);
    std::memset(bytes.data() + PLUGIN_NAME_OFFSET, 'x', 30);
    std::memset(bytes.data() + OPTION_TERMS_OFFSET, 't', 240);
    std::memset(bytes.data() + OPTION_NOTES_OFFSET, 'n', 150);
    std::memset(bytes.data() + PATTERN_TABLE_OFFSET + 4, 's', 4);
    std::string path = write("full.plg", bytes);
    plugin_header header;
    option_record options;
    pattern_table table;
    ASSERT_EQ(1, read_plugin_options(nullptr, path.c_str(), &header, &options, 0, 0));
    ASSERT_EQ(1, read_pattern_table(nullptr, path.c_str(), &table, 0, 0));
    EXPECT_EQ(std::string(30, 'x'), header.name);
    EXPECT_EQ(std::string(30, 'x'), options.name);
    for (int i = 0; i < DEFINITION_TERM_COUNT; ++i) EXPECT_EQ(std::string(20, 't'), options.terms[i]);
    for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i) EXPECT_EQ(std::string(30, 'n'), options.notes[i]);
    EXPECT_STREQ("ssss", table.signature[0]);
}

TEST_F(PluginLoader, OptionBlockNeedsItsMagicAndTheHeaderMagic)
{
    plugin_definition d = sample_plugin(3, 1, 0);
    plugin_header header;
    option_record options;
    std::memset(&options, 0xAB, sizeof options);
    std::string without = write("without.plg", make_plugin_file(d));
    EXPECT_EQ(0, read_plugin_options(nullptr, without.c_str(), &header, &options, 0, 0));
    EXPECT_TRUE(all_zero(options));
    EXPECT_EQ(1, read_plugin_header(nullptr, without.c_str(), &header, 0, 0));  // the caller's fallback

    d.with_options = 1;
    std::vector<unsigned char> bytes = make_plugin_file(d);
    std::memcpy(bytes.data(), "KRVPLX", 6);
    std::string wrong = write("wrong.plg", bytes);
    EXPECT_EQ(0, read_plugin_options(nullptr, wrong.c_str(), &header, &options, 0, 0));
    EXPECT_TRUE(all_zero(options));
    EXPECT_TRUE(all_zero(header));
}

TEST_F(PluginLoader, OptionBlockCutShortKeepsItsUnreadFieldsZero)
{
    plugin_definition d = sample_plugin(3, 1, 1);
    std::vector<unsigned char> whole = make_plugin_file(d);
    std::vector<unsigned char> cut(whole.begin(), whole.begin() + OPTION_PARAMS_OFFSET + 2);
    plugin_header header;
    option_record options;
    ASSERT_EQ(1, read_plugin_options(nullptr, write("cut.plg", cut).c_str(), &header, &options, 0, 0));
    EXPECT_EQ(-512, options.seek_offset);
    EXPECT_STREQ(d.options.terms[11], options.terms[11]);
    EXPECT_EQ(static_cast<int32_t>(static_cast<uint32_t>(-200000) & 0xFFFF), options.params[0]);
    EXPECT_EQ(0, options.params[1]);
    EXPECT_STREQ("", options.notes[0]);
    EXPECT_EQ(3, options.definition_id);
}

TEST_F(PluginLoader, RecordNumbersOutOfRangeAreRefused)
{
    std::string path = write("one.plg", make_plugin_file(sample_plugin(5, 1, 1)));
    const int numbers[] = {0, -1, INT_MIN, 715829, INT_MAX};
    for (int n : numbers) {
        SCOPED_TRACE(n);
        plugin_header header;
        score_settings settings;
        pattern_table table;
        option_record options;
        EXPECT_EQ(0, read_plugin_header(nullptr, path.c_str(), &header, n, 1));
        EXPECT_EQ(0, read_score_settings(nullptr, path.c_str(), &settings, n, 1));
        EXPECT_EQ(0, read_pattern_table(nullptr, path.c_str(), &table, n, 1));
        EXPECT_EQ(0, read_plugin_options(nullptr, path.c_str(), &header, &options, n, 1));
        EXPECT_EQ(1, read_plugin_header(nullptr, path.c_str(), &header, n, 0));  // a .plg ignores n
    }
}

TEST_F(PluginLoader, DictionaryRecordThreeIsReadAtOffset6150)
{
    // Built by hand: only offset 6150 holds a plug-in record.
    plugin_definition d = sample_plugin(777, 4, 1);
    std::vector<unsigned char> record = make_plugin_record(d);
    std::vector<unsigned char> bytes(6150 + record.size(), 0);
    std::memcpy(bytes.data(), "KRVDIC", 6);
    std::copy(record.begin(), record.end(), bytes.begin() + 6150);
    std::string path = write("three.dic", bytes);
    plugin_header header;
    score_settings settings;
    pattern_table table;
    option_record options;
    ASSERT_EQ(1, read_plugin_header(nullptr, path.c_str(), &header, 3, 1));
    EXPECT_EQ(777, header.definition_id);
    EXPECT_EQ(0, read_plugin_header(nullptr, path.c_str(), &header, 2, 1));
    EXPECT_EQ(0, read_plugin_header(nullptr, path.c_str(), &header, 4, 1));
    EXPECT_EQ(0, read_plugin_header(nullptr, path.c_str(), &header, 0, 1));
    EXPECT_EQ(0, read_plugin_header(nullptr, path.c_str(), &header, 3, 0));
    ASSERT_EQ(1, read_score_settings(nullptr, path.c_str(), &settings, 3, 1));
    expect_same_settings(expected_settings(d.settings), settings);
    ASSERT_EQ(1, read_pattern_table(nullptr, path.c_str(), &table, 3, 1));
    expect_same_table(expected_table(d.patterns), table);
    ASSERT_EQ(1, read_plugin_options(nullptr, path.c_str(), &header, &options, 3, 1));
    expect_same_options(expected_block_options(d), options);
}

}  // namespace
