// The candidates of one identification run and their ranking into the first, second and third places of
// an identification_result.
#pragma once
#include "engine_records.h"
#include <cstdint>

const int CANDIDATE_MAX = 100;

struct candidate_list {
    uint16_t key_ids[CANDIDATE_MAX];   // in the order the run added them
    float scores[CANDIDATE_MAX];       // lpts, same index
    int count;                         // 0..100; the run stops adding at 100
};

// Empties the list.
void clear_candidates(candidate_list *list);
// Adds a candidate; 0 when the list is already full.
int add_candidate(candidate_list *list, uint16_t key_id, float score);

// Indexes of the first, second and third candidates (-1 for an empty slot); ties go to the later one.
void select_candidates(const candidate_list *list, int places[3]);
// Fills result's extensions, scores and first comment from the list and the key file.
void rank_candidates(const candidate_list *list, const char *key_path, identification_result *result);
