// The identification run. Every record of the run list names a definition; consecutive records of the same
// definition share one load and one judgement. A record whose expectation equals the judgement makes its
// key_id a candidate, scored in lpts; the run stops at the end of the list, at 100 candidates or at a
// conclusive score (exactly 0 or 100).
#include "identification_run.h"
#include "judge_binding.h"
#include "app_config.h"
#include "bounded_text.h"
#include "candidates.h"
#include "owner_message.h"
#include "dataset_index.h"
#include "dataset_snapshot.h"
#include "path_helpers.h"
#include "plugin_loader.h"
#include "scoring.h"
#include "signature.h"
#include "target_view.h"
#include "text_option_loader.h"
#include <cstdio>
#include <cstring>

namespace {

const int KIND_PLUGIN = 0;
const int KIND_DICTIONARY_ENTRY = 1;
const int KIND_OPTION_PLUGIN = 2;
static_assert(KIND_PLUGIN == CACHED_PLUGIN && KIND_DICTIONARY_ENTRY == CACHED_DICTIONARY_ENTRY &&
                  KIND_OPTION_PLUGIN == CACHED_OPTION_PLUGIN,
              "the run's kinds are the snapshot's");
const float UNREADABLE_TARGET_SCORE = 0.84f;
const int KIND_EXTENSION_SIZE = 6;

// The definition of the most recent successful step: what consecutive records of its id reuse. Only a
// step that loads and judges a definition replaces it, so a failed lookup leaves it whole.
struct loaded_definition {
    int loaded;
    uint16_t definition_id;
    int kind;
    char path[PATH_SIZE];
    int entry;
    int file;                       // the file's index in the snapshot
    judgement_record judgement;
};

struct run_state {
    dataset_snapshot *snapshot;
    cached_definition own_records;  // the loaded records when the snapshot has no slot for them
    int quiet;
    identification_result *result;
    const char *target;
    target_view view;               // the target, opened once when a definition first reads it
    int no_option_definitions;
    loaded_definition last;
    candidate_list candidates;
};

void report(const run_state *run, const char *text)
{
    if (run->quiet == 0) set_status_text(text);
}

// The first "-o" in the target ends it there and keeps option plug-ins out of the run.
int cut_at_option_mark(char *target)
{
    char *mark = std::strstr(target, "-o");
    if (mark == nullptr) return 0;
    *mark = '\0';
    return 1;
}

// The judging step of a plug-in or dictionary entry, chosen by its flags (value 2 before value 1).
void judge_plugin(run_state *run, const loaded_definition &next, const plugin_header &header,
                  const option_record &options, judgement_record *judgement)
{
    if (header.flags & DEFINITION_FLAG_SIGNATURE) {
        compute_signature_in(nullptr, &run->view, "", options, judgement, 1);
    } else if (header.flags & DEFINITION_FLAG_JUDGE_LIBRARY) {
        // The library opens the target as it likes: the run holds no handle of it meanwhile, but keeps the
        // bytes it has read.
        close_target_handles(&run->view);
        int dictionary = next.kind == KIND_DICTIONARY_ENTRY;
        // Only the record counts; the binding's result is not looked at.
        call_judge_library_in(&run->snapshot->judges, nullptr, g_app_config.addin_folder, next.path, header,
                              run->target, judgement, dictionary ? next.entry : 0, dictionary);
    } else {
        std::memset(judgement, 0, sizeof *judgement);
    }
}

// The loaded records of the definition, from the snapshot, or read now when it has no slot for them.
cached_definition *definition_records(run_state *run, const loaded_definition &definition)
{
    cached_definition *records = snapshot_definition(run->snapshot, definition.file, definition.entry, definition.kind);
    if (records != nullptr) return records;
    records = &run->own_records;
    load_cached_definition(definition.path, definition.entry, definition.kind, records);
    return records;
}

// Loads a plug-in file or dictionary entry (header and option block, or the header alone) and judges.
int load_plugin(run_state *run, loaded_definition *next)
{
    const cached_definition *records = definition_records(run, *next);
    if (!records->options_read && !records->header_read) {
        report(run, "ターゲットプラグインが無効。スキップします");
        return 0;
    }
    judge_plugin(run, *next, records->header, records->options, &next->judgement);
    return 1;
}

// Loads a text option plug-in and computes its signature; 0 when it is skipped.
int load_option_plugin(run_state *run, loaded_definition *next)
{
    if (run->no_option_definitions) return 0;
    const cached_definition *records = definition_records(run, *next);
    if (!records->options_read) {
        report(run, "ターゲットプラグインが無効。スキップします");
        return 0;
    }
    if (compute_signature_in(nullptr, &run->view, "", records->options, &next->judgement, 1) != 1) {
        report(run, "このファイルには無効なプラグインです。スキップします");
        return 0;
    }
    return 1;
}

// Finds, loads and judges the definition a record names; on success it becomes the run's last definition.
int load_definition(run_state *run, uint16_t definition_id)
{
    loaded_definition next;
    std::memset(&next, 0, sizeof next);
    next.definition_id = definition_id;
    if (!snapshot_find_definition(run->snapshot, definition_id, next.path, sizeof next.path, &next.entry,
                                  &next.file)) {
        char text[96];
        std::snprintf(text, sizeof text, "プラグイン[ID=%04d]は見つかりません。スキップします", definition_id);
        report(run, text);
        return 0;
    }
    // An extension of six or more characters does not fit and counts as none of the three kinds.
    char extension[KIND_EXTENSION_SIZE] = "";
    if (!extension_of(nullptr, next.path, extension, sizeof extension, 2)) extension[0] = '\0';
    int loaded = 0;
    if (std::strcmp(extension, "opg") == 0) {
        next.kind = KIND_OPTION_PLUGIN;
        loaded = load_option_plugin(run, &next);
    } else if (std::strcmp(extension, "plg") == 0 || std::strcmp(extension, "dic") == 0) {
        next.kind = extension[0] == 'p' ? KIND_PLUGIN : KIND_DICTIONARY_ENTRY;
        loaded = load_plugin(run, &next);
    } else {
        report(run, "プラグインの拡張子が不正です");
    }
    if (!loaded) return 0;
    next.loaded = 1;
    run->last = next;
    return 1;
}

// Scores the candidate with the last definition's matcher and adds it; 1 when its score is conclusive.
int add_scored_candidate(run_state *run, uint16_t key_id)
{
    const loaded_definition &definition = run->last;
    cached_definition *records = definition_records(run, definition);
    load_cached_matcher(definition.path, definition.entry, definition.kind, records);
    score_settings settings;
    // The matcher's result is not looked at: whatever it left in the settings is scored.
    evaluate_loaded_matcher(nullptr, &run->view, key_id, records->matcher, &settings);
    char extension[KEY_EXTENSION_SIZE] = "";
    key_record key;
    if (snapshot_key_record(run->snapshot, key_id, &key) && std::strlen(key.extension) < sizeof extension)
        copy_text(extension, sizeof extension, key.extension);
    float score = 0.0f;
    if (!score_attributes_in(nullptr, &run->view, extension, &score, settings)) score = UNREADABLE_TARGET_SCORE;
    add_candidate(&run->candidates, key_id, score);
    return score == 0.0f || score == 100.0f;
}

int key_record_in_snapshot(const void *snapshot, uint16_t key_id, key_record *record)
{
    return snapshot_key_record(static_cast<const dataset_snapshot *>(snapshot), key_id, record);
}

// Ranks into the caller's result and reports the end of the run.
void finish_run(const run_state *run)
{
    rank_candidates_from(&run->candidates, key_record_in_snapshot, run->snapshot, run->result);
    if (run->quiet == 0) {
        set_status_text("識別は終了しました");
        char text[32];
        std::snprintf(text, sizeof text, "[%d]", run->candidates.count);
        set_status_text(text);
    }
}

}  // namespace

int first_candidate_differs(const char *target, const char *first_extension)
{
    if (std::strcmp(first_extension, "???") == 0 || std::strcmp(first_extension, "---") == 0) return 0;
    // An own extension of six or more characters does not fit and differs from every candidate's.
    char own[KIND_EXTENSION_SIZE] = "";
    if (!extension_of(nullptr, target, own, sizeof own, 1)) return 1;
    return std::strcmp(first_extension, own) != 0;
}

int identify_target(const char *path, int quiet, identification_result *result)
{
    if (path == nullptr || result == nullptr || std::strlen(path) >= static_cast<size_t>(PATH_SIZE)) return 0;
    return identify_target_in(current_dataset_snapshot(), path, quiet, result);
}

int identify_target_in(dataset_snapshot *snapshot, const char *path, int quiet, identification_result *result)
{
    if (path == nullptr || result == nullptr || std::strlen(path) >= static_cast<size_t>(PATH_SIZE)) return 0;
    // Without a snapshot the dataset is refused as one that cannot be read: no records, no candidates.
    static dataset_snapshot empty_snapshot = {};
    if (snapshot == nullptr) snapshot = &empty_snapshot;
    run_state run;
    std::memset(&run, 0, sizeof run);
    run.snapshot = snapshot;
    run.quiet = quiet;
    run.result = result;
    copy_text(result->target, sizeof result->target, path);
    run.target = result->target;
    run.no_option_definitions = cut_at_option_mark(result->target);
    start_target_view(&run.view, run.target);
    clear_candidates(&run.candidates);
    for (int n = 0; run.candidates.count < CANDIDATE_MAX; n++) {
        dataset_record record;
        if (!snapshot_dataset_record(run.snapshot, n, &record)) break;
        // Reuse needs a loaded definition: a first record naming id 0 is looked up like any other.
        int reuse = run.last.loaded && record.definition_id == run.last.definition_id;
        if (!reuse && !load_definition(&run, record.definition_id)) continue;
        const judgement_record &judgement = run.last.judgement;
        if (judgement.result_a != record.expect_a || judgement.result_b != record.expect_b) continue;
        if (add_scored_candidate(&run, record.key_id)) break;
    }
    result->target_opened = target_view_open_outcome(&run.view);
    end_target_view(&run.view);
    finish_run(&run);
    return 1;
}
