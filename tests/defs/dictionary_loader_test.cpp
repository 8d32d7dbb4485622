// Dictionary files: the header, the record count from the file size (kept in 8 bits), and every plug-in
// record of a dictionary read back through the plug-in loaders.
#include <gtest/gtest.h>
#include <cstring>
#include "defs_fixtures.h"
#include "definition_format.h"
#include "dictionary_loader.h"
#include "plugin_loader.h"
#include "test_files.h"

namespace {

class DictionaryLoader : public ::testing::Test {
protected:
    void SetUp() override { folder = make_test_folder("defs_dictionary"); }
    void TearDown() override { remove_folder_tree(folder); }
    std::string write(const std::string &name, const std::vector<unsigned char> &bytes)
    {
        std::string path = folder + name;
        EXPECT_EQ(1, write_file_bytes(path, bytes));
        return path;
    }
    std::string folder;
};

dictionary_info sample_info()
{
    dictionary_info info;
    std::memset(&info, 0, sizeof info);
    std::memset(info.dictionary_name, 'D', 30);  // full width, no terminator in the file
    info.carried_byte = 0xC3;
    std::strcpy(info.carried_text, "second text");
    info.carried_value_a = 0x01020304u;
    std::strcpy(info.carried_code, "ABCD");
    info.carried_value_b = 0xFFFFFFFEu;
    for (int i = 0; i < DICTIONARY_WORD_COUNT; ++i) info.carried_words[i] = static_cast<uint16_t>(0x1111 * (i + 1));
    info.carried_value_c = 7;
    info.carried_value_d = 0x80000000u;
    return info;
}

TEST_F(DictionaryLoader, RoundTripsTheHeaderFields)
{
    dictionary_info written = sample_info();
    std::vector<plugin_definition> records = {sample_plugin(1, 1, 0), sample_plugin(2, 1, 0)};
    dictionary_info info;
    ASSERT_EQ(1, read_dictionary_info(nullptr, write("a.dic", make_dictionary_file(written, records)).c_str(), &info));
    EXPECT_EQ(std::string(30, 'D'), info.dictionary_name);
    EXPECT_EQ(written.carried_byte, info.carried_byte);
    EXPECT_EQ(2, info.record_count);
    EXPECT_STREQ("second text", info.carried_text);
    EXPECT_EQ(written.carried_value_a, info.carried_value_a);
    EXPECT_STREQ("ABCD", info.carried_code);
    EXPECT_EQ(written.carried_value_b, info.carried_value_b);
    for (int i = 0; i < DICTIONARY_WORD_COUNT; ++i) EXPECT_EQ(written.carried_words[i], info.carried_words[i]);
    EXPECT_EQ(written.carried_value_c, info.carried_value_c);
    EXPECT_EQ(written.carried_value_d, info.carried_value_d);
}

TEST_F(DictionaryLoader, RecordCountComesFromTheFileSizeInEightBits)
{
    const struct {
        size_t size;
        int count;
    } cases[] = {
        {6, 0},
        {149, 0},
        {150, 0},
        {150 + 2999, 0},
        {150 + 3000, 1},
        {150 + 3000 * 3 + 100, 3},
        {150 + 3000 * 255, 255},
        {150 + 3000 * 256, 0},
        {150 + 3000 * 257 + 5, 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.size);
        std::vector<unsigned char> bytes(c.size, 0);
        std::memcpy(bytes.data(), "KRVDIC", 6);
        dictionary_info info;
        ASSERT_EQ(1, read_dictionary_info(nullptr, write("size.dic", bytes).c_str(), &info));
        EXPECT_EQ(c.count, info.record_count);
    }
}

TEST_F(DictionaryLoader, RefusesWrongMagicEmptyPathAndMissingFile)
{
    std::vector<unsigned char> bytes = make_dictionary_file(sample_info(), {sample_plugin(1, 1, 0)});
    dictionary_info info;
    bytes[5] = 'c';
    std::memset(&info, 0xAB, sizeof info);
    EXPECT_EQ(0, read_dictionary_info(nullptr, write("wrong.dic", bytes).c_str(), &info));
    EXPECT_TRUE(all_zero(info));
    std::vector<unsigned char> plugin = make_plugin_file(sample_plugin(1, 1, 0));
    EXPECT_EQ(0, read_dictionary_info(nullptr, write("plugin.dic", plugin).c_str(), &info));
    EXPECT_EQ(0, read_dictionary_info(nullptr, write("short.dic", {'K', 'R', 'V'}).c_str(), &info));
    EXPECT_EQ(0, read_dictionary_info(nullptr, "", &info));
    EXPECT_EQ(0, read_dictionary_info(nullptr, nullptr, &info));
    EXPECT_EQ(0, read_dictionary_info(nullptr, (folder + "absent.dic").c_str(), &info));
    EXPECT_TRUE(all_zero(info));
}

TEST_F(DictionaryLoader, EveryRecordReadsBackThroughThePluginLoaders)
{
    std::vector<plugin_definition> records;
    for (int n = 1; n <= 6; ++n) records.push_back(sample_plugin(static_cast<uint16_t>(100 + n), n * 8, n % 2));
    std::string path = write("six.dic", make_dictionary_file(sample_info(), records));
    dictionary_info info;
    ASSERT_EQ(1, read_dictionary_info(nullptr, path.c_str(), &info));
    ASSERT_EQ(6, info.record_count);
    for (int n = 1; n <= info.record_count; ++n) {
        SCOPED_TRACE(n);
        const plugin_definition &d = records[static_cast<size_t>(n - 1)];
        plugin_header header;
        score_settings settings;
        pattern_table table;
        option_record options;
        ASSERT_EQ(1, read_plugin_header(nullptr, path.c_str(), &header, n, 1));
        expect_same_header(d.header, header);
        ASSERT_EQ(1, read_score_settings(nullptr, path.c_str(), &settings, n, 1));
        expect_same_settings(expected_settings(d.settings), settings);
        ASSERT_EQ(1, read_pattern_table(nullptr, path.c_str(), &table, n, 1));
        expect_same_table(expected_table(d.patterns), table);
        EXPECT_EQ(d.with_options, read_plugin_options(nullptr, path.c_str(), &header, &options, n, 1));
        if (d.with_options) expect_same_options(expected_block_options(d), options);
    }
    plugin_header header;
    EXPECT_EQ(0, read_plugin_header(nullptr, path.c_str(), &header, 7, 1));
}

TEST_F(DictionaryLoader, TrailingBytesAfterTheLastRecordAreIgnored)
{
    std::vector<unsigned char> bytes =
        make_dictionary_file(sample_info(), {sample_plugin(1, 1, 0), sample_plugin(2, 1, 0), sample_plugin(3, 1, 0)});
    std::vector<unsigned char> tail = make_plugin_record(sample_plugin(4, 1, 0));
    bytes.insert(bytes.end(), tail.begin(), tail.begin() + 100);  // a partial fourth record
    std::string path = write("tail.dic", bytes);
    dictionary_info info;
    ASSERT_EQ(1, read_dictionary_info(nullptr, path.c_str(), &info));
    EXPECT_EQ(3, info.record_count);
    plugin_header header;
    ASSERT_EQ(1, read_plugin_header(nullptr, path.c_str(), &header, 3, 1));
    EXPECT_EQ(3, header.definition_id);
}

}  // namespace
