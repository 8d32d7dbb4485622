// A dataset held in memory for many identifications: the run list and the candidate table read whole, the
// definition found for every definition_id from one listing of each kind in the plug-in folder (the
// lookup's own listings, so the system's pattern matching decides as it always has), and each definition's
// loaded records kept once they have been read. What an identification finds in it is what the file-by-file
// reads of the same files on disk give; the stamps tell when the files on disk are no longer those.
#pragma once
#include "engine_records.h"
#include "app_config.h"
#include "definition_records.h"
#include "judge_binding.h"
#include "scoring.h"
#include <windows.h>
#include <cstddef>
#include <cstdint>

const int SNAPSHOT_KIND_COUNT = 3;           // *.plg, *.dic, *.opg: the lookup's order
const int DEFINITION_ID_COUNT = 65536;

// What a file on disk was when it was read: present or not, its size and last-write time.
struct file_stamp {
    int present;
    unsigned long long size;
    FILETIME written;
};

// One entry of the plug-in folder's listing, for telling a changed folder.
struct listing_stamp_entry {
    char name[PATH_SIZE];
    unsigned long long size;
    FILETIME written;
};

// A loaded definition: what the run's loaders gave for one (file, entry), kept for the snapshot's life.
struct cached_definition {
    int loaded;                    // the definition records were read
    int options_read;              // plug-in record: header and option block; option plug-in: its option section
    int header_read;               // plug-in record without option block: the header alone
    plugin_header header;
    option_record options;
    int matcher_loaded;            // the matcher's records were read
    loaded_matcher matcher;
};

// A definition file of the listing: its path, its kind by listing and, per entry, its loaded records.
struct snapshot_definition_file {
    char path[PATH_SIZE];
    int kind;                      // 0 *.plg, 1 *.dic, 2 *.opg
    int entry_count;               // 1, or the dictionary's record count
    cached_definition *entries;    // entry_count slots (a dictionary's entry n in slot n - 1), taken on first use
};

struct dataset_snapshot {
    char dat_path[PATH_SIZE];
    char key_path[PATH_SIZE];
    char plugin_folder[PATH_SIZE];
    file_stamp dat_stamp;
    file_stamp key_stamp;
    listing_stamp_entry *listing;  // the plug-in folder as it was listed
    int listing_count;
    unsigned char *dat_bytes;      // the run list, whole (null when it could not be read)
    size_t dat_size;
    unsigned char *key_bytes;      // the candidate table, whole
    size_t key_size;
    snapshot_definition_file *files;
    int file_count;
    int failed_kind;               // the first kind whose listing failed (a lookup reaching it fails), or -1
    int32_t *id_file;              // definition_id -> index into files, -1 for none
    uint8_t *id_entry;             // definition_id -> dictionary entry number (0 for a file of its own)
    int *unreadable_dictionaries;  // indexes into files of dictionaries whose header cannot be read
    int unreadable_count;
    char addin_folder[PATH_SIZE];
    listing_stamp_entry *addin_listing;  // the add-in folder as it was listed
    int addin_listing_count;
    judge_library_set judges;      // the add-in folder's judge libraries, loaded on first use
};

// Takes a snapshot of the dataset config names. Null only when the snapshot's own records cannot be had;
// a data or key file that cannot be read (or held) reads as one without records, as a failed read does.
dataset_snapshot *take_dataset_snapshot(const app_config &config);
void release_dataset_snapshot(dataset_snapshot *snapshot);
// 1 while config names the same files and folders and the data file, the key file and the listings of the
// plug-in and add-in folders (names, sizes, last-write times) are as they were when the snapshot was taken.
int snapshot_is_current(const dataset_snapshot *snapshot, const app_config &config);
// The snapshot of g_app_config's dataset, kept between calls and taken anew when it is no longer current;
// null when none can be had.
dataset_snapshot *current_dataset_snapshot();
// Releases the kept snapshot (the next current_dataset_snapshot takes a new one).
void forget_current_dataset_snapshot();

// The largest data or key file a snapshot holds; a larger one is refused as a failed read. For tests.
void set_snapshot_file_limit(size_t bytes);
size_t snapshot_file_limit();

// Record n of the run list; 0 when the list has no record n.
int snapshot_dataset_record(const dataset_snapshot *snapshot, int n, dataset_record *record);
// The first key record, from record 0 upward, that carries key_id; 0 (record cleared) when none does.
int snapshot_key_record(const dataset_snapshot *snapshot, uint16_t key_id, key_record *record);
// The lookup of find_definition_by_id over the snapshot, with its diagnostics; *file_out is the index of
// the file in snapshot->files.
int snapshot_find_definition(const dataset_snapshot *snapshot, uint16_t definition_id, char *path_out,
                             size_t path_size, int *entry_out, int *file_out);
// Kinds of a loaded definition, as the run dispatches them by the file's extension.
const int CACHED_PLUGIN = 0;             // a *.plg: the record at offset 0
const int CACHED_DICTIONARY_ENTRY = 1;   // record `entry` of a *.dic
const int CACHED_OPTION_PLUGIN = 2;      // a *.opg

// The loaded records of (file, entry), read on first use as the kind says. Null when no slot can be had;
// the caller then loads them into a record of its own.
cached_definition *snapshot_definition(dataset_snapshot *snapshot, int file, int entry, int kind);
// Reads the definition records of path into *definition: the same loads the run makes.
void load_cached_definition(const char *path, int entry, int kind, cached_definition *definition);
// Reads the matcher's records into *definition when they are not loaded yet.
void load_cached_matcher(const char *path, int entry, int kind, cached_definition *definition);
