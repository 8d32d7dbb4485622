// Dataset and definition fixtures written by the definition writers.
#include "engine_fixtures.h"
#include "app_config.h"
#include "bounded_text.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <cstring>

dataset_fixture make_dataset_fixture(const std::string &tag)
{
    dataset_fixture fixture;
    fixture.folder = make_test_folder(tag);
    fixture.dat_path = fixture.folder + "test.dat";
    fixture.key_path = fixture.folder + "test.key";
    fixture.plugin_folder = fixture.folder + "plug-in\\";
    CreateDirectoryA(fixture.plugin_folder.c_str(), nullptr);
    CreateDirectoryA((fixture.folder + "add-in\\").c_str(), nullptr);
    use_dataset(fixture);
    return fixture;
}

void use_dataset(const dataset_fixture &fixture)
{
    copy_text(g_app_config.dat_path, sizeof g_app_config.dat_path, fixture.dat_path.c_str());
    copy_text(g_app_config.key_path, sizeof g_app_config.key_path, fixture.key_path.c_str());
    copy_text(g_app_config.plugin_folder, sizeof g_app_config.plugin_folder, fixture.plugin_folder.c_str());
    copy_text(g_app_config.addin_folder, sizeof g_app_config.addin_folder, (fixture.folder + "add-in\\").c_str());
}

void write_run_list(const dataset_fixture &fixture, const std::vector<dataset_entry> &records)
{
    ASSERT_EQ(1, write_definition_file(fixture.dat_path, make_dataset_file(records)));
}

void write_keys(const dataset_fixture &fixture, const std::vector<key_entry> &keys)
{
    std::vector<unsigned char> bytes;
    ASSERT_EQ(1, make_key_file(keys, &bytes));
    ASSERT_EQ(1, write_definition_file(fixture.key_path, bytes));
}

plugin_definition plain_plugin(uint16_t definition_id, uint8_t flags)
{
    plugin_definition definition;
    clear_plugin_definition(&definition);
    copy_text(definition.header.name, sizeof definition.header.name, "test plug-in");
    definition.header.definition_id = definition_id;
    definition.header.flags = flags;
    return definition;
}

plugin_definition constant_plugin(uint16_t definition_id, int32_t a, int32_t b)
{
    plugin_definition definition = plain_plugin(definition_id, DEFINITION_FLAG_SIGNATURE);
    definition.header.option_mode = 99;
    definition.with_options = 1;
    definition.options.params[0] = a;
    definition.options.params[1] = b;
    return definition;
}

option_plugin_definition constant_option_plugin(uint16_t definition_id, int32_t a, int32_t b)
{
    option_plugin_definition definition;
    clear_option_plugin_definition(&definition);
    copy_text(definition.options.name, sizeof definition.options.name, "test option");
    definition.options.definition_id = definition_id;
    definition.options.option_mode = 99;
    definition.options.params[0] = a;
    definition.options.params[1] = b;
    return definition;
}

void write_plugin(const std::string &path, const plugin_definition &definition)
{
    ASSERT_EQ(1, write_definition_file(path, make_plugin_file(definition)));
}

void write_dictionary(const std::string &path, const std::vector<plugin_definition> &records)
{
    dictionary_info info;
    std::memset(&info, 0, sizeof info);
    copy_text(info.dictionary_name, sizeof info.dictionary_name, "test dictionary");
    ASSERT_EQ(1, write_definition_file(path, make_dictionary_file(info, records)));
}

void write_option_plugin(const std::string &path, const option_plugin_definition &definition)
{
    std::string text;
    ASSERT_EQ(1, make_option_plugin_text(definition, TEXT_LINE_END_CRLF, &text));
    ASSERT_EQ(1, write_definition_text(path, text));
}

score_settings size_only_settings(int32_t reference, int32_t step, uint8_t base, float penalty)
{
    score_settings settings;
    std::memset(&settings, 0, sizeof settings);
    settings.enabled = 1;
    settings.size_check = 1;
    settings.size_reference = reference;
    settings.size_step = step;
    settings.size_base_score = base;
    settings.size_step_penalty = penalty;
    settings.pattern_score = 50.0f;
    return settings;
}

void clear_identification_state()
{
    std::memset(&g_identification_result, 0, sizeof g_identification_result);
    g_rename_possible = 0;
}

std::vector<unsigned char> bytes_of(const std::string &text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}
