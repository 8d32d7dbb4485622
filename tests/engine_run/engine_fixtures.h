// Fixtures for the identification engine's tests: datasets, plug-ins, dictionaries and option plug-ins, all
// written with the project's definition writers into fresh folders, and target files.
#pragma once
#include "definition_writer.h"
#include "identify.h"
#include <string>
#include <vector>

// A dataset folder: <folder>test.dat, <folder>test.key, <folder>plug-in\, <folder>add-in\.
struct dataset_fixture {
    std::string folder;
    std::string dat_path;
    std::string key_path;
    std::string plugin_folder;
};

// Makes the folders and points g_app_config's four dataset paths at them.
dataset_fixture make_dataset_fixture(const std::string &tag);
void use_dataset(const dataset_fixture &fixture);
void write_run_list(const dataset_fixture &fixture, const std::vector<dataset_entry> &records);
void write_keys(const dataset_fixture &fixture, const std::vector<key_entry> &keys);

// A plug-in with the given id and flags: no option block, score settings disabled, no patterns.
plugin_definition plain_plugin(uint16_t definition_id, uint8_t flags);
// A plug-in whose option block computes a constant signature (a, b) (flags value 2).
plugin_definition constant_plugin(uint16_t definition_id, int32_t a, int32_t b);
// An option plug-in with the constant method (a, b); no score or pattern sections.
option_plugin_definition constant_option_plugin(uint16_t definition_id, int32_t a, int32_t b);

void write_plugin(const std::string &path, const plugin_definition &definition);
void write_dictionary(const std::string &path, const std::vector<plugin_definition> &records);
void write_option_plugin(const std::string &path, const option_plugin_definition &definition);

// Score settings that take only the size into account: reference, step, base and penalty.
score_settings size_only_settings(int32_t reference, int32_t step, uint8_t base, float penalty);

// Resets the shared result to the command-line start state (all texts empty, scores 0, flag 0).
void clear_identification_state();

std::vector<unsigned char> bytes_of(const std::string &text);
