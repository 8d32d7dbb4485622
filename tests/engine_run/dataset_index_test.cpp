// The dataset's index files and the definition lookup: record reads at the end of the list, texts without
// terminators, the lookup order plug-in > dictionary entry > option plug-in, and the path-size rule.
#include "app_config.h"
#include "dataset_index.h"
#include "engine_fixtures.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>

TEST(DatasetRecords, ReadsFieldsAndEndsAtTheLastWholeRecord)
{
    dataset_fixture fixture = make_dataset_fixture("dat");
    write_run_list(fixture, {{7, 0, 0x9223, 1}, {0xFFFF, 0xFFFFFFFFu, 0x01020304u, 0xFFFE}});
    std::vector<unsigned char> bytes = read_file_bytes(fixture.dat_path);
    ASSERT_EQ(24u, bytes.size());
    bytes.resize(35, 0xAB);  // 35 bytes: two whole records and 11 stray bytes
    ASSERT_EQ(1, write_file_bytes(fixture.dat_path, bytes));

    dataset_record record;
    ASSERT_EQ(1, read_dataset_record(nullptr, fixture.dat_path.c_str(), &record, 0));
    EXPECT_EQ(7, record.definition_id);
    EXPECT_EQ(0u, record.expect_a);
    EXPECT_EQ(0x9223u, record.expect_b);
    EXPECT_EQ(1, record.key_id);
    ASSERT_EQ(1, read_dataset_record(nullptr, fixture.dat_path.c_str(), &record, 1));
    EXPECT_EQ(0xFFFF, record.definition_id);
    EXPECT_EQ(0xFFFFFFFFu, record.expect_a);
    EXPECT_EQ(0x01020304u, record.expect_b);
    EXPECT_EQ(0xFFFE, record.key_id);
    EXPECT_EQ(0, read_dataset_record(nullptr, fixture.dat_path.c_str(), &record, 2)) << "35 < 36";
    EXPECT_EQ(0, record.definition_id);
    EXPECT_EQ(0u, record.expect_b) << "cleared before the read";
    EXPECT_EQ(0, read_dataset_record(nullptr, fixture.dat_path.c_str(), &record, -1));
    EXPECT_EQ(0, read_dataset_record(nullptr, fixture.dat_path.c_str(), &record, 0x7FFFFFFF));
    EXPECT_EQ(0, read_dataset_record(nullptr, (fixture.folder + "none.dat").c_str(), &record, 0));
    EXPECT_EQ(0, read_dataset_record(nullptr, fixture.folder.c_str(), &record, 0));
    remove_folder_tree(fixture.folder);
}

TEST(KeyRecords, TextsWithoutTerminators)
{
    dataset_fixture fixture = make_dataset_fixture("key");
    std::string long_comment(93, 'c');
    write_keys(fixture, {{1, "ABCDE", long_comment}, {2, "txt", "テキスト"}, {1, "dup", "second"}});
    key_record key;
    ASSERT_EQ(1, read_key_record(nullptr, fixture.key_path.c_str(), &key, 0));
    EXPECT_EQ(1, key.key_id);
    EXPECT_STREQ("ABCDE", key.extension) << "a five-character extension";
    EXPECT_EQ(long_comment, key.comment);
    ASSERT_EQ(1, read_key_record(nullptr, fixture.key_path.c_str(), &key, 1));
    EXPECT_STREQ("txt", key.extension);
    EXPECT_STREQ("テキスト", key.comment);
    EXPECT_EQ(0, read_key_record(nullptr, fixture.key_path.c_str(), &key, 3));

    ASSERT_EQ(1, find_key_record(fixture.key_path.c_str(), 1, &key));
    EXPECT_STREQ("ABCDE", key.extension) << "the record nearest the start wins";
    ASSERT_EQ(1, find_key_record(fixture.key_path.c_str(), 2, &key));
    EXPECT_STREQ("txt", key.extension);
    EXPECT_EQ(0, find_key_record(fixture.key_path.c_str(), 3, &key));

    // A record of 100 bytes with no zero anywhere: both texts are cut at their field ends.
    std::vector<unsigned char> bytes(100, 'z');
    bytes[0] = 9;
    bytes[1] = 0;
    ASSERT_EQ(1, write_file_bytes(fixture.key_path, bytes));
    ASSERT_EQ(1, read_key_record(nullptr, fixture.key_path.c_str(), &key, 0));
    EXPECT_EQ(9, key.key_id);
    EXPECT_STREQ("zzzzz", key.extension);
    EXPECT_EQ(std::string(93, 'z'), key.comment);
    remove_folder_tree(fixture.folder);
}

TEST(DefinitionLookup, OrderOfKinds)
{
    dataset_fixture fixture = make_dataset_fixture("lookup");
    const std::string &plugins = fixture.plugin_folder;
    write_plugin(plugins + "p.plg", plain_plugin(10, 0));
    write_dictionary(plugins + "d.dic", {plain_plugin(10, 0), plain_plugin(11, 0), plain_plugin(12, 0)});
    write_option_plugin(plugins + "o.opg", constant_option_plugin(11, 1, 1));
    write_option_plugin(plugins + "q.opg", constant_option_plugin(13, 1, 1));
    ASSERT_EQ(1, write_file_text(plugins + "bad.plg", "not a plug-in"));
    ASSERT_EQ(1, write_file_text(plugins + "bad.dic", "KRV"));

    struct lookup_case {
        uint16_t id;
        int found;
        const char *file;
        int entry;
    } cases[] = {
        {10, 1, "p.plg", 0},   // a plug-in beats a dictionary entry
        {11, 1, "d.dic", 2},   // a dictionary entry beats an option plug-in
        {12, 1, "d.dic", 3},
        {13, 1, "q.opg", 0},
        {14, 0, "", 0},
        {0, 0, "", 0},
    };
    for (const lookup_case &c : cases) {
        SCOPED_TRACE(c.id);
        char path[PATH_SIZE] = "unchanged";
        int entry = -1;
        EXPECT_EQ(c.found, find_definition_by_id(nullptr, plugins.c_str(), c.id, path, sizeof path, &entry));
        EXPECT_EQ(c.entry, entry);
        if (c.found) {
            EXPECT_EQ(plugins + c.file, path);
        }
    }
    char path[PATH_SIZE];
    EXPECT_EQ(0, find_definition_by_id(nullptr, (fixture.folder + "none\\").c_str(), 10, path, sizeof path, nullptr));
    remove_folder_tree(fixture.folder);
}

TEST(DefinitionLookup, PathMustFitItsBuffer)
{
    dataset_fixture fixture = make_dataset_fixture("lookup_size");
    write_plugin(fixture.plugin_folder + "p.plg", plain_plugin(10, 0));
    std::string expected = fixture.plugin_folder + "p.plg";
    std::vector<char> buffer(expected.size() + 1, 'x');
    int entry = 5;
    EXPECT_EQ(1, find_definition_by_id(nullptr, fixture.plugin_folder.c_str(), 10, buffer.data(), buffer.size(),
                                       &entry));
    EXPECT_EQ(expected, buffer.data()) << "size - 1 characters fit";
    EXPECT_EQ(0, entry);
    EXPECT_EQ(0, find_definition_by_id(nullptr, fixture.plugin_folder.c_str(), 10, buffer.data(), buffer.size() - 1,
                                       &entry));
    remove_folder_tree(fixture.folder);
}

TEST(DefinitionLookup, OptionPluginIdentifierLimit)
{
    dataset_fixture fixture = make_dataset_fixture("lookup_4095");
    write_option_plugin(fixture.plugin_folder + "max.opg", constant_option_plugin(4095, 1, 1));
    char path[PATH_SIZE];
    EXPECT_EQ(1, find_definition_by_id(nullptr, fixture.plugin_folder.c_str(), 4095, path, sizeof path, nullptr));
    remove_folder_tree(fixture.folder);
}
