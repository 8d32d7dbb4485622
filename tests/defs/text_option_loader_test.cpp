// Text option plug-ins: every section read back from the writer's files, and the reading rules that
// decide what a damaged or unusual file gives (fixed widths, the one-character read after a fixed line,
// variable lines, word limits of the markers, text-mode line ends, field widths).
#include <gtest/gtest.h>
#include <climits>
#include <cstring>
#include "box_answerer.h"
#include "defs_fixtures.h"
#include "definition_format.h"
#include "option_text_reader.h"
#include "test_files.h"
#include "text_option_loader.h"

namespace {

class TextOptionLoader : public ::testing::Test {
protected:
    void SetUp() override { folder = make_test_folder("defs_text"); }
    void TearDown() override { remove_folder_tree(folder); }
    std::string write_text(const std::string &text)
    {
        std::string path = folder + "plug.opg";
        EXPECT_EQ(1, write_file_text(path, text));
        return path;
    }
    std::string write_lines(const std::vector<std::string> &lines, int line_end = TEXT_LINE_END_LF)
    {
        return write_text(join_text_lines(lines, line_end));
    }
    static std::vector<std::string> lines_of(const option_plugin_definition &d)
    {
        std::vector<std::string> lines;
        EXPECT_EQ(1, make_option_plugin_lines(d, &lines));
        return lines;
    }
    static size_t index_of(const std::vector<std::string> &lines, const std::string &line)
    {
        for (size_t i = 0; i < lines.size(); ++i)
            if (lines[i] == line) return i;
        ADD_FAILURE() << "no line " << line;
        return 0;
    }
    std::string folder;
};

// Line numbers in the writer's layout (0 is the magic line).
const size_t LINE_NAME = 1, LINE_ID = 2, LINE_EXTRA = 3, LINE_PARAM_A = 4;

TEST_F(TextOptionLoader, RoundTripsEverySectionWithEitherLineEnd)
{
    const int entry_counts[] = {0, 1, 7, 50};
    for (int line_end : {TEXT_LINE_END_CRLF, TEXT_LINE_END_LF}) {
        for (int entries : entry_counts) {
            SCOPED_TRACE(testing::Message() << "line end " << line_end << ", " << entries << " entries");
            option_plugin_definition d = sample_option_plugin(321, entries);
            std::string text;
            ASSERT_EQ(1, make_option_plugin_text(d, line_end, &text));
            std::string path = write_text(text);
            option_record options;
            score_settings settings;
            pattern_table table;
            ASSERT_EQ(1, read_text_options(nullptr, path.c_str(), &options));
            expect_same_options(d.options, options);
            ASSERT_EQ(1, read_text_score_settings(nullptr, path.c_str(), &settings));
            expect_same_settings(expected_settings(d.settings), settings);
            ASSERT_EQ(1, read_text_pattern_table(nullptr, path.c_str(), &table));
            expect_same_table(expected_table(d.patterns), table);
        }
    }
}

TEST_F(TextOptionLoader, DefinitionIdAbove4095IsInvalid)
{
    const struct {
        const char *line;
        int loads;
        uint16_t id;
    } cases[] = {
        {"DEF_ID:4095;", 1, 4095}, {"DEF_ID:4096;", 0, 4096}, {"DEF_ID:  -1;", 0, 65535},
        {"DEF_ID:-001;", 0, 65535}, {"DEF_ID:0000;", 1, 0},    {"DEF_ID:  12;", 1, 12},
        {"DEF_ID:9999;", 0, 9999},  {"DEF_ID:abcd;", 1, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        std::vector<std::string> lines = lines_of(sample_option_plugin(1, 1));
        lines[LINE_ID] = c.line;
        option_record options;
        EXPECT_EQ(c.loads, read_text_options(nullptr, write_lines(lines).c_str(), &options));
        EXPECT_EQ(c.id, options.definition_id);
    }
}

TEST_F(TextOptionLoader, VariableLineWithOnlyPrefixAndClosingIsEmpty)
{
    option_plugin_definition d = sample_option_plugin(5, 1);
    const char *name_lines[] = {"NAME:\"\";", "123456xy", "NA", ""};
    for (const char *name_line : name_lines) {
        SCOPED_TRACE(name_line);
        std::vector<std::string> lines = lines_of(d);
        lines[LINE_NAME] = name_line;
        option_record options;
        ASSERT_EQ(1, read_text_options(nullptr, write_lines(lines).c_str(), &options));
        EXPECT_STREQ("", options.name);
        EXPECT_EQ(5, options.definition_id);  // a variable line is read whole: nothing shifts
        EXPECT_STREQ(d.options.extra_text, options.extra_text);
    }
}

TEST_F(TextOptionLoader, FiveCharacterSignatureKeepsFourAndShiftsWhatFollows)
{
    option_plugin_definition d = sample_option_plugin(7, 2);
    std::vector<std::string> lines = lines_of(d);
    size_t signature = index_of(lines, "MAGIC:\"PK00\";");
    lines[signature] = "MAGIC:\"ABCDE\";";
    pattern_table table;
    ASSERT_EQ(1, read_text_pattern_table(nullptr, write_lines(lines, TEXT_LINE_END_CRLF).c_str(), &table));
    EXPECT_STREQ("ABCD", table.signature[0]);
    EXPECT_EQ(70, table.key_id[0]);
    EXPECT_EQ(255, table.base_score[0]);
    // The line end left behind is the whole origin line; every later read is one line late.
    EXPECT_EQ(0, table.origin[0]);
    EXPECT_EQ(0, table.offset[0]);
    EXPECT_EQ(0, table.found_score[0]);
    EXPECT_GE(table.count, 2);
    EXPECT_EQ(0, table.key_id[1]);
    EXPECT_EQ(0, table.base_score[1]);
}

TEST_F(TextOptionLoader, FixedLineOfTheWrongWidthShiftsLaterColumns)
{
    option_plugin_definition d = sample_option_plugin(12, 1);
    std::strcpy(d.options.extra_text, "Hello");
    std::vector<std::string> lines = lines_of(d);
    option_record options;

    lines[LINE_ID] = "DEF_ID:0012";  // one short: the one-character read takes the E of the next line
    ASSERT_EQ(1, read_text_options(nullptr, write_lines(lines).c_str(), &options));
    EXPECT_EQ(12, options.definition_id);
    EXPECT_STREQ("ello", options.extra_text);
    EXPECT_EQ(float_to_bits(1.5f), options.param_a);

    lines[LINE_ID] = "DEF_ID:0012;;";  // one long: the extra character is taken, the line end is read
    ASSERT_EQ(1, read_text_options(nullptr, write_lines(lines).c_str(), &options));
    EXPECT_EQ(12, options.definition_id);
    EXPECT_STREQ("", options.extra_text);
    EXPECT_EQ(0u, options.param_a);
    EXPECT_EQ(0u, options.param_b);
}

TEST_F(TextOptionLoader, OnlyACarriageReturnDirectlyBeforeTheNewlineIsDropped)
{
    option_plugin_definition d = sample_option_plugin(12, 1);
    std::strcpy(d.options.extra_text, "Hello");
    std::vector<std::string> lines = lines_of(d);
    option_record options;
    std::string crlf = join_text_lines(lines, TEXT_LINE_END_LF);
    std::string id_line = lines[LINE_ID] + "\n";
    size_t at = crlf.find(id_line);
    ASSERT_NE(std::string::npos, at);
    crlf.replace(at, id_line.size(), lines[LINE_ID] + "\r\n");
    ASSERT_EQ(1, read_text_options(nullptr, write_text(crlf).c_str(), &options));
    EXPECT_STREQ("Hello", options.extra_text);
    crlf.replace(at, id_line.size() + 1, lines[LINE_ID] + "\r\r\n");  // one CR stays and is taken instead
    ASSERT_EQ(1, read_text_options(nullptr, write_text(crlf).c_str(), &options));
    EXPECT_EQ(12, options.definition_id);
    EXPECT_STREQ("", options.extra_text);

    std::strcpy(d.options.name, "a\rb");  // a CR inside a value is text
    ASSERT_EQ(1, read_text_options(nullptr, write_lines(lines_of(d), TEXT_LINE_END_CRLF).c_str(), &options));
    EXPECT_STREQ("a\rb", options.name);
}

TEST_F(TextOptionLoader, NulInsideALineEndsVariableTextButNotFixedColumns)
{
    std::vector<std::string> lines = lines_of(sample_option_plugin(12, 1));
    lines[LINE_NAME] = std::string("NAME:\"ab\0cdef\";", 15);
    lines[LINE_ID] = std::string("DEF\0ID:0034;", 12);
    option_record options;
    ASSERT_EQ(1, read_text_options(nullptr, write_lines(lines).c_str(), &options));
    EXPECT_STREQ("", options.name);  // as text the line is NAME:"ab, too short for a value
    EXPECT_EQ(34, options.definition_id);
}

TEST_F(TextOptionLoader, ValuesAreStoredInTheirFieldsWidth)
{
    option_plugin_definition d = sample_option_plugin(12, 1);
    std::vector<std::string> lines = lines_of(d);
    lines[index_of(lines, "EXTSC:200;")] = "EXTSC:300;";
    lines[index_of(lines, "KEYID:00120;")] = "KEYID:70000;";
    lines[index_of(lines, "BASESCR:255;")] = "BASESCR:-01;";
    lines[index_of(lines, "MOD:03/12;")] = "MOD:-1/99;";
    lines[index_of(lines, "SEEK:-00123456789")] = "SEEK:999999999999";
    lines[index_of(lines, "SC:-12;")] = "SC:-01;";
    lines[index_of(lines, "SIZRF:-123456789;")] = "SIZRF:-999999999;";
    std::string path = write_lines(lines);
    option_record options;
    score_settings settings;
    pattern_table table;
    ASSERT_EQ(1, read_text_options(nullptr, path.c_str(), &options));
    ASSERT_EQ(1, read_text_score_settings(nullptr, path.c_str(), &settings));
    ASSERT_EQ(1, read_text_pattern_table(nullptr, path.c_str(), &table));
    EXPECT_EQ(300 & 0xFF, settings.ext_score);
    EXPECT_EQ(70000 & 0xFFFF, table.key_id[0]);
    EXPECT_EQ(255, table.base_score[0]);
    EXPECT_EQ(255, options.option_mode);
    EXPECT_EQ(99, options.option_source);
    EXPECT_EQ(INT32_MAX, options.seek_offset);  // beyond 32 bits the conversion holds at its limit
    EXPECT_EQ(-1, options.start_column);
    EXPECT_EQ(-999999999, settings.size_reference);
}

TEST_F(TextOptionLoader, ColumnsPastTheEndOfAShortLineAreEmpty)
{
    option_plugin_definition d = sample_option_plugin(12, 1);
    d.patterns.offset[0] = 1230000000;  // "01230000000": digits where the found score's columns lie
    std::vector<std::string> lines = lines_of(d);
    lines[index_of(lines, "FOUNDSC:200;")] = "FOUND";
    pattern_table table;
    ASSERT_EQ(1, read_text_pattern_table(nullptr, write_lines(lines).c_str(), &table));
    EXPECT_EQ(1230000000, table.offset[0]);
    EXPECT_EQ(0, table.found_score[0]);  // nothing left over from the longer line before it
}

// "KRVOPG", then `words` filler words ten to a line, then the marker line and the writer's section.
static std::string text_with_marker_after(int words, const char *marker, const std::vector<std::string> &section)
{
    std::string text = "KRVOPG\n";
    for (int i = 0; i < words; ++i) text += (i % 10 == 9 || i + 1 == words) ? "w\n" : "w ";
    text += std::string(marker) + "\n";
    for (const std::string &line : section) text += line + "\n";
    return text;
}

TEST_F(TextOptionLoader, MarkersMustLieWithinTheirWordLimits)
{
    option_plugin_definition d = sample_option_plugin(12, 3);
    std::vector<std::string> lines = lines_of(d);
    size_t bhals = index_of(lines, "/bhals/"), ulky = index_of(lines, "/ulky/");
    std::vector<std::string> score(lines.begin() + static_cast<long>(bhals) + 1, lines.begin() + static_cast<long>(ulky));
    std::vector<std::string> patterns(lines.begin() + static_cast<long>(ulky) + 1, lines.end());
    score_settings settings;
    pattern_table table;
    EXPECT_EQ(1, read_text_score_settings(nullptr, write_text(text_with_marker_after(69, "/bhals/", score)).c_str(), &settings));
    expect_same_settings(expected_settings(d.settings), settings);
    EXPECT_EQ(0, read_text_score_settings(nullptr, write_text(text_with_marker_after(70, "/bhals/", score)).c_str(), &settings));
    EXPECT_TRUE(all_zero(settings));
    EXPECT_EQ(1, read_text_pattern_table(nullptr, write_text(text_with_marker_after(99, "/ulky/", patterns)).c_str(), &table));
    expect_same_table(expected_table(d.patterns), table);
    EXPECT_EQ(0, read_text_pattern_table(nullptr, write_text(text_with_marker_after(100, "/ulky/", patterns)).c_str(), &table));
    EXPECT_TRUE(all_zero(table));
}

TEST_F(TextOptionLoader, AnOverLongWordCountsAsOneWord)
{
    option_plugin_definition d = sample_option_plugin(12, 0);
    std::vector<std::string> lines = lines_of(d);
    std::vector<std::string> score(lines.begin() + static_cast<long>(index_of(lines, "/bhals/")) + 1, lines.end());
    score_settings settings;
    // 68 short words, one of 150 characters: the marker is the 70th word.
    std::string text = text_with_marker_after(68, "x", {});
    text.replace(text.size() - 2, 1, std::string(150, 'L'));
    text += "/bhals/\n";
    for (const std::string &line : score) text += line + "\n";
    EXPECT_EQ(1, read_text_score_settings(nullptr, write_text(text).c_str(), &settings));
    EXPECT_EQ(1, settings.enabled);
    // A marker glued to a longer word is not the marker, even past 99 characters.
    std::string glued = "KRVOPG\n" + std::string(99, 'L') + "/bhals/\n";
    EXPECT_EQ(0, read_text_score_settings(nullptr, write_text(glued).c_str(), &settings));
}

TEST_F(TextOptionLoader, PatternTableEndsAtEndLineEndOfFileOrFiftyEntries)
{
    const struct {
        int entries;
        int end_line;
        int expected;
    } cases[] = {{0, 1, 0}, {0, 0, 0}, {3, 1, 3}, {3, 0, 3}, {50, 0, 50}, {50, 1, 50}};
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.entries << " entries, end line " << c.end_line);
        option_plugin_definition d = sample_option_plugin(12, c.entries);
        d.end_line = c.end_line;
        pattern_table table;
        ASSERT_EQ(1, read_text_pattern_table(nullptr, write_lines(lines_of(d)).c_str(), &table));
        EXPECT_EQ(c.expected, table.count);
        expect_same_table(expected_table(d.patterns), table);
    }
    // A 51st entry is never read.
    option_plugin_definition d = sample_option_plugin(12, 50);
    d.end_line = 0;
    std::vector<std::string> lines = lines_of(d);
    for (int i = 0; i < 7; ++i) lines.push_back(lines[lines.size() - 7]);
    pattern_table table;
    ASSERT_EQ(1, read_text_pattern_table(nullptr, write_lines(lines).c_str(), &table));
    EXPECT_EQ(50, table.count);
}

TEST_F(TextOptionLoader, ShortFilesReadAsEmptyLines)
{
    option_plugin_definition d = sample_option_plugin(12, 2);
    std::vector<std::string> lines = lines_of(d);
    option_record options;
    std::vector<std::string> head(lines.begin(), lines.begin() + LINE_PARAM_A + 1);
    ASSERT_EQ(1, read_text_options(nullptr, write_lines(head).c_str(), &options));
    EXPECT_EQ(12, options.definition_id);
    EXPECT_EQ(float_to_bits(1.5f), options.param_a);
    EXPECT_EQ(0u, options.param_b);
    EXPECT_EQ(0, options.seek_offset);
    EXPECT_STREQ("", options.terms[0]);
    EXPECT_STREQ("", options.notes[4]);

    ASSERT_EQ(1, read_text_options(nullptr, write_text("KRVOPG").c_str(), &options));
    EXPECT_TRUE(all_zero(options));

    // A file ending inside an entry keeps that entry with its missing lines empty.
    size_t cut = index_of(lines, "MAGIC:\"PK01\";");
    std::vector<std::string> part(lines.begin(), lines.begin() + static_cast<long>(cut) + 1);
    pattern_table table;
    ASSERT_EQ(1, read_text_pattern_table(nullptr, write_lines(part).c_str(), &table));
    EXPECT_EQ(2, table.count);
    EXPECT_STREQ("PK01", table.signature[1]);
    EXPECT_EQ(0, table.offset[1]);
    EXPECT_EQ(0, table.found_score[1]);
}

TEST_F(TextOptionLoader, MagicLineMustSpellKrvopg)
{
    const struct {
        const char *text;
        int loads;
    } cases[] = {{"KRVOPG\n", 1}, {"KRVOP\n", 0}, {"krvopg\n", 0}, {" KRVOPG\n", 0}, {"", 0}, {"KRVOPK\n", 0},
                 {"KRVPLG\n", 0}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        std::string path = write_text(c.text);
        option_record options;
        score_settings settings;
        pattern_table table;
        EXPECT_EQ(c.loads, read_text_options(nullptr, path.c_str(), &options));
        EXPECT_EQ(0, read_text_score_settings(nullptr, path.c_str(), &settings));  // no marker in any
        EXPECT_EQ(0, read_text_pattern_table(nullptr, path.c_str(), &table));
    }
}

TEST_F(TextOptionLoader, MissingMarkersOrFilesFailWithoutAMessage)
{
    option_plugin_definition d = sample_option_plugin(12, 2);
    d.with_score_settings = 0;
    d.with_pattern_table = 0;
    std::string path = write_lines(lines_of(d));
    HWND window = CreateWindowA("STATIC", "owner", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    box_answerer answerer;
    start_answering_boxes(&answerer, "ERROR", IDOK);
    option_record options;
    score_settings settings;
    pattern_table table;
    EXPECT_EQ(1, read_text_options(window, path.c_str(), &options));
    EXPECT_EQ(0, read_text_score_settings(window, path.c_str(), &settings));
    EXPECT_EQ(0, read_text_pattern_table(window, path.c_str(), &table));
    EXPECT_TRUE(all_zero(settings));
    EXPECT_TRUE(all_zero(table));
    std::string absent = folder + "absent.opg";
    EXPECT_EQ(0, read_text_options(window, absent.c_str(), &options));
    EXPECT_EQ(0, read_text_score_settings(window, absent.c_str(), &settings));
    EXPECT_EQ(0, read_text_pattern_table(window, absent.c_str(), &table));
    EXPECT_EQ(0, read_text_options(window, "", &options));
    EXPECT_EQ(0, read_text_options(window, nullptr, &options));
    stop_answering_boxes(&answerer);
    DestroyWindow(window);
    EXPECT_EQ(0, answerer.answered);
}

TEST_F(TextOptionLoader, OverLongAndBinaryLinesStayWithinTheirFields)
{
    std::vector<std::string> lines = lines_of(sample_option_plugin(12, 2));
    lines[LINE_NAME] = "NAME:\"" + std::string(5000, '\xFE') + "\";";
    std::string binary;
    for (int i = 0; i < 256; ++i) binary += static_cast<char>(i);
    lines.insert(lines.begin() + 20, binary);
    option_record options;
    read_text_options(nullptr, write_lines(lines).c_str(), &options);
    EXPECT_EQ(30u, strnlen(options.name, sizeof options.name));
    EXPECT_EQ(std::string(30, '\xFE'), options.name);
    for (int i = 0; i < DEFINITION_TERM_COUNT; ++i) EXPECT_LT(strnlen(options.terms[i], 21), 21u);
    for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i) EXPECT_LT(strnlen(options.notes[i], 31), 31u);
}

TEST(DecimalConversion, IntegersStopAtTheFirstCharacterThatCannotContinue)
{
    const struct {
        const char *text;
        int32_t value;
    } cases[] = {
        {"12", 12},          {"  12", 12},         {"+7", 7},           {"-0012", -12},     {"12ab", 12},
        {"", 0},             {"-", 0},             {"- 5", 0},          {"\n\t5", 5},       {"1 2", 1},
        {"2147483647", INT32_MAX}, {"2147483648", INT32_MAX}, {"99999999999", INT32_MAX},
        {"-2147483648", INT32_MIN}, {"-99999999999", INT32_MIN}, {"0x10", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value, parse_decimal_integer(c.text));
    }
}

TEST(DecimalConversion, FractionsTakeDigitsPointAndExponent)
{
    const struct {
        const char *text;
        double value;
    } cases[] = {
        {"1.5", 1.5},   {" -2.25", -2.25}, {"0.125", 0.125}, {".5", 0.5},     {"5.", 5.0},    {"1e2", 100.0},
        {"1E-2", 0.01}, {"2e", 2.0},       {"abc", 0.0},     {"", 0.0},       {"-", 0.0},     {"12.5x", 12.5},
        {"inf", 0.0},   {"0x1p3", 0.0},    {"+3", 3.0},      {"1.2.3", 1.2},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.value, parse_decimal_fraction(c.text));
    }
}

}  // namespace
