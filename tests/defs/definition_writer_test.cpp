// The writers' own bytes and lines, checked against the file layouts directly (not through the loaders):
// plug-in records, dictionaries, text option plug-ins and the dataset index files.
#include <gtest/gtest.h>
#include <cstring>
#include "defs_fixtures.h"
#include "definition_format.h"
#include "test_files.h"

namespace {

uint32_t le32(const std::vector<unsigned char> &b, size_t at)
{
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

uint16_t le16(const std::vector<unsigned char> &b, size_t at) { return static_cast<uint16_t>(b[at] | (b[at + 1] << 8)); }

std::string text_at(const std::vector<unsigned char> &b, size_t at, size_t size)
{
    return std::string(reinterpret_cast<const char *>(b.data() + at), size);
}

TEST(PluginWriter, PlacesEveryFieldAtItsOffset)
{
    plugin_definition d = sample_plugin(0xBEEF, 2, 1);
    std::vector<unsigned char> b = make_plugin_record(d);
    ASSERT_EQ(3000u, b.size());
    EXPECT_EQ("KRVPLG", text_at(b, 0, 6));
    EXPECT_EQ(std::string("plug-in 48879") + std::string(17, '\0'), text_at(b, 6, 30));
    EXPECT_EQ(0xBEEF, le16(b, 36));
    EXPECT_EQ(std::string(d.header.extra_text, 30), text_at(b, 38, 30));
    EXPECT_EQ(0x11223344u, le32(b, 68));
    EXPECT_EQ(0xFFEEDDCCu, le32(b, 72));
    EXPECT_EQ(0x5A, b[76]);
    EXPECT_EQ(6, b[77]);
    EXPECT_EQ(40001, le16(b, 78));
    EXPECT_EQ(3, b[80]);
    EXPECT_EQ(2, b[81]);
    EXPECT_EQ("KRVOPG", text_at(b, 108, 6));
    EXPECT_EQ(2, b[114]);
    EXPECT_EQ(static_cast<uint32_t>(-512), le32(b, 115));
    EXPECT_EQ(static_cast<uint16_t>(-3), le16(b, 119));
    EXPECT_EQ(static_cast<uint16_t>(-1), le16(b, 125));
    EXPECT_EQ(std::string("term-0") + std::string(14, '\0'), text_at(b, 127, 20));
    EXPECT_EQ(static_cast<uint32_t>(-200000), le32(b, 367));
    EXPECT_EQ(std::string(d.options.notes[4], 30), text_at(b, 387 + 4 * 30, 30));
    EXPECT_EQ(200, b[2112]);
    EXPECT_EQ(static_cast<uint32_t>(-123456), le32(b, 2116));
    EXPECT_EQ(4096u, le32(b, 2120));
    EXPECT_EQ(77, b[2124]);
    EXPECT_EQ(float_to_bits(0.25f), le32(b, 2125));
    EXPECT_EQ(1, b[2129]);
    EXPECT_EQ(0xBEEF * 10 % 65536 + 1, le16(b, 2220 + 14));
    EXPECT_EQ("PK01", text_at(b, 2220 + 14 + 4, 4));
    EXPECT_EQ(static_cast<uint32_t>(-1007), le32(b, 2220 + 14 + 9));
    EXPECT_EQ("END", text_at(b, 2220 + 28, 3));
}

TEST(PluginWriter, OmitsTheOptionBlockAndEndMarkWhenAsked)
{
    plugin_definition d = sample_plugin(1, 50, 0);
    std::vector<unsigned char> b = make_plugin_record(d);
    EXPECT_EQ(std::string(6, '\0'), text_at(b, 108, 6));
    EXPECT_EQ("END", text_at(b, 2920, 3));  // after fifty entries, still inside the record
    d.end_mark = 0;
    b = make_plugin_record(d);
    EXPECT_EQ(std::string(3, '\0'), text_at(b, 2920, 3));
    d.patterns.count = 200;  // never more than fifty
    EXPECT_EQ(3000u, make_plugin_record(d).size());
}

TEST(DictionaryWriter, WritesHeaderThenNumberedRecords)
{
    dictionary_info info;
    std::memset(&info, 0, sizeof info);
    std::strcpy(info.dictionary_name, "dict");
    info.record_count = 99;  // not stored: the size decides
    std::strcpy(info.carried_code, "WXYZ");
    info.carried_words[4] = 0x0102;
    info.carried_value_d = 0xA1B2C3D4u;
    std::vector<unsigned char> b = make_dictionary_file(info, {sample_plugin(1, 1, 0), sample_plugin(2, 1, 0)});
    ASSERT_EQ(150u + 2 * 3000u, b.size());
    EXPECT_EQ("KRVDIC", text_at(b, 0, 6));
    EXPECT_EQ("dict", std::string(reinterpret_cast<const char *>(b.data() + 6)));
    EXPECT_EQ("WXYZ", text_at(b, 71, 4));
    EXPECT_EQ(0x0102, le16(b, 79 + 8));
    EXPECT_EQ(0xA1B2C3D4u, le32(b, 93));
    EXPECT_EQ("KRVPLG", text_at(b, 150, 6));
    EXPECT_EQ(1, le16(b, 150 + 36));
    EXPECT_EQ("KRVPLG", text_at(b, 3150, 6));
    EXPECT_EQ(2, le16(b, 3150 + 36));
}

TEST(OptionPluginWriter, LinesFollowTheColumnLayout)
{
    std::vector<std::string> lines;
    ASSERT_EQ(1, make_option_plugin_lines(sample_option_plugin(321, 1), &lines));
    const struct {
        size_t index;
        const char *line;
    } expected[] = {
        {0, "KRVOPG"},       {2, "DEF_ID:0321;"},       {3, "EXTEXT:\"option plug-in 321\";"},
        {4, "PA:=1.500;"},   {5, "PARAM_B:=-2.25;"},    {6, "MOD:03/12;"},
        {8, "ORIGIN:2;"},    {9, "SEEK:-00123456789"},  {11, "SC:-12;"},
        {12, "SL:345;"},     {14, "EC:999;"},           {15, "EL:-99;"},
        {17, "X:\"a*b+c\";"}, {20, "a:\"T2\";"},         {31, "PRM0:-0246913578;"},
        {37, "NOTE1:\"note-0\";"},
    };
    for (const auto &e : expected) {
        SCOPED_TRACE(e.index);
        ASSERT_LT(e.index, lines.size());
        EXPECT_EQ(e.line, lines[e.index]);
    }
    // Fixed lines of the score settings and pattern sections have exactly their widths.
    std::vector<std::string> tail(lines.begin() + 42, lines.end());
    const char *sections[] = {"/bhals/", "ENABLE:1;", "#extension #text #size #checks", "EXTC:1;", "EXTSC:200;",
                              "TXTC:1;", "TXTSC:125;", "SIZC:1;", "SIZRF:-123456789;", "SIZST:02147483647;",
                              "SIZBS:077;", "SIZPN:-0.1250;", "PATCHK:1;", "/ulky/", "KEYID:03210;",
                              "BASESCR:255;", "SEARCH:0;", "MAGIC:\"PK00\";", "ORIGIN:0;", "OFFSET:00000001000;",
                              "FOUNDSC:200;", ":---end----:"};
    ASSERT_EQ(sizeof sections / sizeof sections[0], tail.size());
    for (size_t i = 0; i < tail.size(); ++i) EXPECT_EQ(sections[i], tail[i]);
}

TEST(OptionPluginWriter, JoinsWithTheChosenLineEnd)
{
    EXPECT_EQ("a\r\nb\r\n", join_text_lines({"a", "b"}, TEXT_LINE_END_CRLF));
    EXPECT_EQ("a\nb\n", join_text_lines({"a", "b"}, TEXT_LINE_END_LF));
}

TEST(OptionPluginWriter, RefusesValuesThatDoNotFitOrBreakTheLayout)
{
    std::vector<std::string> lines;
    const struct {
        const char *what;
        void (*change)(option_plugin_definition *);
    } cases[] = {
        {"id of five digits", [](option_plugin_definition *d) { d->options.definition_id = 65535; }},
        {"mode of three digits", [](option_plugin_definition *d) { d->options.option_mode = 100; }},
        {"origin of two digits", [](option_plugin_definition *d) { d->options.seek_origin = 10; }},
        {"column of four", [](option_plugin_definition *d) { d->options.start_column = -100; }},
        {"fraction too wide", [](option_plugin_definition *d) { d->options.param_a = float_to_bits(123456.0f); }},
        {"enabled of two digits", [](option_plugin_definition *d) { d->settings.enabled = 10; }},
        {"size reference of eleven", [](option_plugin_definition *d) { d->settings.size_reference = INT32_MIN; }},
        {"newline in a name", [](option_plugin_definition *d) { std::strcpy(d->options.name, "a\nb"); }},
        {"marker word in a note", [](option_plugin_definition *d) { std::strcpy(d->options.notes[0], "x /bhals/ y"); }},
        {"marker beyond 70 words", [](option_plugin_definition *d) {
             for (int i = 0; i < DEFINITION_NOTE_COUNT; ++i) std::strcpy(d->options.notes[i], "a b c d e f g h");
         }},
        {"probe of two digits", [](option_plugin_definition *d) { d->patterns.probe[0] = 12; }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        option_plugin_definition d = sample_option_plugin(1, 1);
        ASSERT_EQ(1, make_option_plugin_lines(d, &lines));
        c.change(&d);
        EXPECT_EQ(0, make_option_plugin_lines(d, &lines));
    }
}

TEST(OptionPluginWriter, FractionsTakeAsManyDecimalsAsFit)
{
    const struct {
        float value;
        const char *line;
    } cases[] = {{0.0f, "PA:=0.000;"}, {5.0f, "PA:=5.000;"}, {-0.5f, "PA:=-0.50;"}, {12345.0f, "PA:=12345;"},
                 {1234.25f, "PA:=01234;"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.line);
        option_plugin_definition d = sample_option_plugin(1, 0);
        d.options.param_a = float_to_bits(c.value);
        std::vector<std::string> lines;
        ASSERT_EQ(1, make_option_plugin_lines(d, &lines));
        EXPECT_EQ(c.line, lines[4]);
    }
}

TEST(DatasetWriter, WritesTwelveByteRunListRecords)
{
    std::vector<unsigned char> b = make_dataset_file({{7, 0, 0x9223, 12}, {0xFFFF, 0xA0B0C0D0u, 1, 65535}});
    ASSERT_EQ(24u, b.size());
    EXPECT_EQ(7, le16(b, 0));
    EXPECT_EQ(0x9223u, le32(b, 6));
    EXPECT_EQ(12, le16(b, 10));
    EXPECT_EQ(0xFFFF, le16(b, 12));
    EXPECT_EQ(0xA0B0C0D0u, le32(b, 14));
    EXPECT_EQ(1u, le32(b, 18));
    EXPECT_EQ(65535, le16(b, 22));
    EXPECT_TRUE(make_dataset_file({}).empty());
}

TEST(DatasetWriter, WritesHundredByteKeyRecords)
{
    std::vector<unsigned char> b;
    std::string comment(93, 'c');
    ASSERT_EQ(1, make_key_file({{3, "avi", "AVI movie"}, {4, "tiffx", comment}}, &b));
    ASSERT_EQ(200u, b.size());
    EXPECT_EQ(3, le16(b, 0));
    EXPECT_EQ(std::string("avi\0\0", 5), text_at(b, 2, 5));
    EXPECT_EQ("AVI movie", std::string(reinterpret_cast<const char *>(b.data() + 7)));
    EXPECT_EQ("tiffx", text_at(b, 102, 5));  // five characters: no terminator in the file
    EXPECT_EQ(comment, text_at(b, 107, 93));
    EXPECT_EQ(0, make_key_file({{1, "toolong", ""}}, &b));
    EXPECT_EQ(0, make_key_file({{1, "ok", std::string(94, 'c')}}, &b));
}

TEST(DefinitionFiles, WriteBytesAndTextToAPath)
{
    std::string folder = make_test_folder("defs_writer");
    std::vector<unsigned char> bytes = make_plugin_file(sample_plugin(1, 1, 1));
    ASSERT_EQ(1, write_definition_file(folder + "a.plg", bytes));
    EXPECT_EQ(bytes, read_file_bytes(folder + "a.plg"));
    ASSERT_EQ(1, write_definition_text(folder + "a.opg", "KRVOPG\r\n"));
    EXPECT_EQ(8u, read_file_bytes(folder + "a.opg").size());
    EXPECT_EQ(0, write_definition_file(folder + "no\\such\\folder\\a.plg", bytes));
    remove_folder_tree(folder);
}

}  // namespace
