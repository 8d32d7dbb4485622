// The dataset paths derived from DATASET/usedataset and the slot's name.
#include "app_config.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {

class definition_paths_test : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = make_test_folder("dataset");
        ini = folder + "quodra.ini";
        std::strcpy(config.ini_path, ini.c_str());
        // Previous paths, to see whether they are kept.
        std::strcpy(config.key_path, "old.key");
        std::strcpy(config.dat_path, "old.dat");
        std::strcpy(config.plugin_folder, "old-plug-in\\");
        std::strcpy(config.addin_folder, "old-add-in\\");
    }
    void TearDown() override { remove_folder_tree(folder); }

    void write(const char *key, const char *value)
    {
        WritePrivateProfileStringA("DATASET", key, value, ini.c_str());
    }
    void expect_paths(const std::string &key, const std::string &dat, const std::string &plugin,
                      const std::string &addin)
    {
        EXPECT_EQ(key, config.key_path);
        EXPECT_EQ(dat, config.dat_path);
        EXPECT_EQ(plugin, config.plugin_folder);
        EXPECT_EQ(addin, config.addin_folder);
    }

    std::string folder;
    std::string ini;
    app_config config = {};
};

TEST_F(definition_paths_test, slot_0_uses_the_fixed_paths_beside_the_program)
{
    write("usedataset", "0");
    write("datasetname1", "abc");
    EXPECT_EQ(1, set_definition_paths_in(&config, folder.c_str()));
    EXPECT_EQ(0, g_active_dataset);
    expect_paths(folder + "data\\karvo.key", folder + "data\\karvo.dat", folder + "plug-in\\", folder + "add-in\\");
}

TEST_F(definition_paths_test, slot_3_uses_the_folder_named_by_datasetname3)
{
    write("usedataset", "3");
    write("datasetname1", "one");
    write("datasetname3", "abc");
    EXPECT_EQ(1, set_definition_paths_in(&config, folder.c_str()));
    EXPECT_EQ(3, g_active_dataset);
    expect_paths(folder + "abc\\abc.key", folder + "abc\\abc.dat", folder + "abc\\plug-in\\", folder + "abc\\add-in\\");
}

TEST_F(definition_paths_test, slot_6_and_above_keep_the_previous_paths)
{
    for (const char *slot : {"6", "7", "100"}) {
        SCOPED_TRACE(slot);
        write("usedataset", slot);
        EXPECT_EQ(0, set_definition_paths_in(&config, folder.c_str()));
        EXPECT_EQ(std::atoi(slot), g_active_dataset);
        expect_paths("old.key", "old.dat", "old-plug-in\\", "old-add-in\\");
    }
}

TEST_F(definition_paths_test, a_negative_slot_is_taken_like_1_to_5)
{
    write("usedataset", "-1");
    EXPECT_EQ(1, set_definition_paths_in(&config, folder.c_str()));
    EXPECT_EQ(-1, g_active_dataset);
    // datasetname-1 is missing, so the name is empty.
    expect_paths(folder + "\\.key", folder + "\\.dat", folder + "\\plug-in\\", folder + "\\add-in\\");
    write("datasetname-1", "neg");
    EXPECT_EQ(1, set_definition_paths_in(&config, folder.c_str()));
    expect_paths(folder + "neg\\neg.key", folder + "neg\\neg.dat", folder + "neg\\plug-in\\", folder + "neg\\add-in\\");
}

TEST_F(definition_paths_test, an_empty_slot_name_gives_paths_without_a_name)
{
    write("usedataset", "5");
    EXPECT_EQ(1, set_definition_paths_in(&config, folder.c_str()));
    expect_paths(folder + "\\.key", folder + "\\.dat", folder + "\\plug-in\\", folder + "\\add-in\\");
}

TEST_F(definition_paths_test, a_missing_usedataset_reads_as_0)
{
    write("datasetname1", "abc");
    EXPECT_EQ(1, set_definition_paths_in(&config, folder.c_str()));
    EXPECT_EQ(0, g_active_dataset);
    EXPECT_EQ(folder + "data\\karvo.key", config.key_path);
}

TEST_F(definition_paths_test, a_name_too_long_for_the_paths_keeps_the_previous_ones)
{
    // The key path holds the name twice: with a 200-byte name it cannot fit 260 bytes.
    write("usedataset", "2");
    write("datasetname2", std::string(200, 'n').c_str());
    EXPECT_EQ(0, set_definition_paths_in(&config, folder.c_str()));
    expect_paths("old.key", "old.dat", "old-plug-in\\", "old-add-in\\");
}

TEST_F(definition_paths_test, the_product_entry_uses_the_program_folder)
{
    write("usedataset", "0");
    EXPECT_EQ(1, set_definition_paths(&config));
    EXPECT_EQ(std::string(program_folder()) + "data\\karvo.key", config.key_path);
}

}  // namespace
