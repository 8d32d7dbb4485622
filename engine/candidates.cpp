// Ranking of the candidates: one pass that keeps the three best (the later of two equal scores ranks
// higher), then the extensions and the first comment from the key file, with the marks for missing ones.
#include "candidates.h"
#include "bounded_text.h"
#include "dataset_index.h"
#include <cstring>

namespace {

const char NO_CANDIDATE_MARK[] = "???";
const char MISSING_KEY_MARK[] = "---";
const char NO_COMMENT_MARK[] = "None";
const char READ_ERROR_MARK[] = "read error";

// Extension (and, when comment is given, comment) of the place's candidate, or the marks.
void fill_place(const candidate_list *list, int index, const char *key_path, char *extension, size_t extension_size,
                float *score, char *comment, size_t comment_size)
{
    if (index < 0) {
        copy_text(extension, extension_size, NO_CANDIDATE_MARK);
        *score = 0.0f;
        if (comment != nullptr) copy_text(comment, comment_size, NO_COMMENT_MARK);
        return;
    }
    key_record key;
    if (find_key_record(key_path, list->key_ids[index], &key)) {
        copy_text(extension, extension_size, key.extension);
        if (comment != nullptr) copy_text(comment, comment_size, key.comment);
    } else {
        copy_text(extension, extension_size, MISSING_KEY_MARK);
        if (comment != nullptr) copy_text(comment, comment_size, READ_ERROR_MARK);
    }
    *score = list->scores[index];
}

}  // namespace

void clear_candidates(candidate_list *list)
{
    std::memset(list, 0, sizeof *list);
}

int add_candidate(candidate_list *list, uint16_t key_id, float score)
{
    if (list->count >= CANDIDATE_MAX) return 0;
    list->key_ids[list->count] = key_id;
    list->scores[list->count] = score;
    list->count++;
    return 1;
}

void select_candidates(const candidate_list *list, int places[3])
{
    places[0] = places[1] = places[2] = -1;
    int count = list->count > CANDIDATE_MAX ? CANDIDATE_MAX : list->count;
    for (int i = 0; i < count; i++) {
        float s = list->scores[i];
        if (places[0] < 0 || s >= list->scores[places[0]]) {
            places[2] = places[1];
            places[1] = places[0];
            places[0] = i;
        } else if (places[1] < 0 || s >= list->scores[places[1]]) {
            places[2] = places[1];
            places[1] = i;
        } else if (places[2] < 0 || s >= list->scores[places[2]]) {
            places[2] = i;
        }
    }
}

void rank_candidates(const candidate_list *list, const char *key_path, identification_result *out)
{
    int places[3];
    select_candidates(list, places);
    identification_result &result = *out;
    fill_place(list, places[0], key_path, result.first_extension, sizeof result.first_extension,
               &result.first_score, result.first_comment, sizeof result.first_comment);
    fill_place(list, places[1], key_path, result.second_extension, sizeof result.second_extension,
               &result.second_score, nullptr, 0);
    fill_place(list, places[2], key_path, result.third_extension, sizeof result.third_extension,
               &result.third_score, nullptr, 0);
}
