// The dataset's two index files, the run list (.dat, 12-byte records) and the candidate table (.key,
// 100-byte records), and the lookup of a definition file by its definition_id in the plug-in folder.
#pragma once
#include "engine_records.h"
#include <windows.h>
#include <cstddef>
#include <cstdint>

// Record n of the run list; 0 when it does not exist (the end of the list) or the file cannot be opened
// (a box only with an owner window).
int read_dataset_record(HWND owner, const char *dat_path, dataset_record *record, int n);
// Record n of the candidate table, texts terminated; 0 as above.
int read_key_record(HWND owner, const char *key_path, key_record *record, int n);
// One record's fields from its 12 (run list) or 100 (candidate table) bytes as they lie in the file.
void decode_dataset_record(const unsigned char *bytes, dataset_record *record);
void decode_key_record(const unsigned char *bytes, key_record *record);
// The first key record, from record 0 upward, that carries key_id; 0 when none does.
int find_key_record(const char *key_path, uint16_t key_id, key_record *record);

// Full path of the definition carrying definition_id: plug-ins (*.plg) first, then dictionary entries
// (*.dic, entry number from 1 into *entry_out), then text option plug-ins (*.opg); within a kind the
// folder's enumeration order. 0 when none carries it or the path does not fit path_size bytes.
int find_definition_by_id(HWND owner, const char *plugin_folder, uint16_t definition_id, char *path_out,
                          size_t path_size, int *entry_out);
