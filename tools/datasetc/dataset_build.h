// From parsed sources to the dataset's files: checks what the engine cannot check at run time, then builds
// the run list, the candidate table and the dictionary of definitions with the project's writers.
#pragma once
#include "dataset_source.h"
#include "definition_writer.h"
#include <string>
#include <vector>

// The extension sub-score a candidate gets when the file already carries its extension: a small lift
// (final lpts + 4), never a verdict.
const int EXTENSION_MATCH_SCORE = 74;

struct compiled_dataset {
    std::string name;
    std::vector<plugin_definition> definitions;  // run order; entry n of the dictionary is definitions[n-1]
    std::vector<dataset_entry> records;
    std::vector<key_entry> keys;
};

// Resolves readers and values, converts comments and works out the score bytes; all problems to errors.
void resolve_dataset(dataset_source *source, source_errors *errors);
// The run-order checks: a type that is a special case of another is tried before the other can end the run
// at 100, and a certain match on some bytes never hides a later match that looks at more bytes.
void check_run_order(const dataset_source &source, source_errors *errors);
// Builds the files' contents from resolved sources (call only when there were no errors).
void build_dataset(const dataset_source &source, compiled_dataset *out);
// Records of one definition must be consecutive (the run reuses a definition only for the next record);
// returns the index of the first record that breaks this, or -1.
int find_split_definition(const std::vector<dataset_entry> &records);

// The final lpts the engine computes for a candidate from its pattern score and the attribute
// sub-scores (extension, text, size), in the engine's single-precision steps.
float final_score(float pattern_score, float extension, float text, float size);
// The pattern score of an entry with base score base and, when probed and found, found score found.
float pattern_score_of(int base, int probe_found, int found);

// Writes NAME.dat, NAME.key, plug-in/NAME.dic and an add-in folder under folder; 0 on a write failure.
int write_dataset(const compiled_dataset &dataset, const std::string &folder);
