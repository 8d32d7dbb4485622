// The dataset snapshot. The two index files are read whole; the plug-in folder is listed kind by kind with
// the same listings and the same header reads the lookup makes, once, and the first definition found for
// each identifier is noted in the lookup's order (plug-ins, dictionary entries, option plug-ins; listing
// order within a kind). Every stamp is taken before what it stands for is read, so a change made while the
// snapshot is taken shows at the next check.
#include "dataset_snapshot.h"
#include "bounded_text.h"
#include "dataset_index.h"
#include "dictionary_loader.h"
#include "owner_message.h"
#include "path_helpers.h"
#include "plugin_loader.h"
#include "sjis_text.h"
#include "text_option_loader.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int LISTING_COUNT_LIMIT = 100000;  // above this a "count" is one of the listing's error codes
const size_t DEFAULT_FILE_LIMIT = 256u * 1024u * 1024u;
const char *const KIND_PATTERNS[SNAPSHOT_KIND_COUNT] = {"*.plg", "*.dic", "*.opg"};

size_t g_file_limit = DEFAULT_FILE_LIMIT;
dataset_snapshot *g_current = nullptr;

void stamp_file(const char *path, file_stamp *stamp)
{
    std::memset(stamp, 0, sizeof *stamp);
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return;
    stamp->present = 1;
    stamp->size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp->written = data.ftLastWriteTime;
}

int same_stamp(const file_stamp &a, const file_stamp &b)
{
    return a.present == b.present && a.size == b.size && a.written.dwLowDateTime == b.written.dwLowDateTime &&
           a.written.dwHighDateTime == b.written.dwHighDateTime;
}

// Every entry of the folder in enumeration order; 0 when memory cannot be had. A folder that cannot be
// listed has no entries.
int stamp_listing(const char *folder, listing_stamp_entry **entries, int *count)
{
    *entries = nullptr;
    *count = 0;
    char search[PATH_SIZE + 4];
    if (!copy_text(search, sizeof search, folder)) return 1;
    if (!sjis_ends_with_one_of(search, "\\/") && !append_text(search, sizeof search, "\\")) return 1;
    if (!append_text(search, sizeof search, "*")) return 1;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(search, &data);
    if (find == INVALID_HANDLE_VALUE) return 1;
    int capacity = 0;
    int ok = 1;
    do {
        if (*count == capacity) {
            int grown = capacity == 0 ? 64 : capacity * 2;
            void *more = std::realloc(*entries, static_cast<size_t>(grown) * sizeof **entries);
            if (more == nullptr) {
                ok = 0;
                break;
            }
            *entries = static_cast<listing_stamp_entry *>(more);
            capacity = grown;
        }
        listing_stamp_entry &entry = (*entries)[*count];
        copy_text(entry.name, sizeof entry.name, data.cFileName);
        entry.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        entry.written = data.ftLastWriteTime;
        (*count)++;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    if (!ok) {
        std::free(*entries);
        *entries = nullptr;
        *count = 0;
    }
    return ok;
}

int same_listing(const listing_stamp_entry *a, int a_count, const listing_stamp_entry *b, int b_count)
{
    if (a_count != b_count) return 0;
    for (int i = 0; i < a_count; i++) {
        if (std::strcmp(a[i].name, b[i].name) != 0 || a[i].size != b[i].size ||
            a[i].written.dwLowDateTime != b[i].written.dwLowDateTime ||
            a[i].written.dwHighDateTime != b[i].written.dwHighDateTime)
            return 0;
    }
    return 1;
}

// The whole file, or null with size 0 when it cannot be opened, read or held (a failed read).
unsigned char *read_whole_file(const char *path, size_t *size)
{
    *size = 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    LARGE_INTEGER length = {};
    unsigned char *bytes = nullptr;
    size_t total = 0;
    if (GetFileSizeEx(file, &length) && length.QuadPart >= 0 &&
        static_cast<unsigned long long>(length.QuadPart) <= g_file_limit) {
        size_t wanted = static_cast<size_t>(length.QuadPart);
        bytes = static_cast<unsigned char *>(std::malloc(wanted + 1));
        while (bytes != nullptr && total < wanted) {
            DWORD got = 0;
            if (!ReadFile(file, bytes + total, static_cast<DWORD>(wanted - total), &got, nullptr) || got == 0) break;
            total += got;
        }
    }
    CloseHandle(file);
    *size = total;
    return bytes;
}

// Full paths of the files of one kind, as the lookup lists them; -1 when the listing fails.
int list_kind(const char *folder, const char *pattern, char **slots)
{
    *slots = nullptr;
    int count = count_folder_entries(nullptr, folder, pattern, LIST_FILES);
    if (count <= 0) return 0;
    if (count > LISTING_COUNT_LIMIT) return -1;
    *slots = static_cast<char *>(std::calloc(static_cast<size_t>(count), PATH_SIZE));
    if (*slots == nullptr) return -1;
    int listed = list_folder_paths(nullptr, folder, *slots, count, PATH_SIZE, pattern, LIST_FILES, 0);
    if (listed != count) {
        std::free(*slots);
        *slots = nullptr;
        return -1;
    }
    return count;
}

// Notes (file, entry) for the identifier unless an earlier definition carries it already.
void claim_identifier(dataset_snapshot *snapshot, uint16_t id, int file, int entry)
{
    if (snapshot->id_file[id] >= 0) return;
    snapshot->id_file[id] = file;
    snapshot->id_entry[id] = static_cast<uint8_t>(entry);
}

// Reads one file's identifiers as the lookup does; 0 when memory for a note cannot be had.
int index_file(dataset_snapshot *snapshot, int file)
{
    snapshot_definition_file &definition = snapshot->files[file];
    definition.entry_count = 1;
    if (definition.kind == 0) {
        plugin_header header;
        if (read_plugin_header(nullptr, definition.path, &header, 0, 0))
            claim_identifier(snapshot, header.definition_id, file, 0);
    } else if (definition.kind == 1) {
        dictionary_info info;
        if (!read_dictionary_info(nullptr, definition.path, &info)) {
            definition.entry_count = 0;
            snapshot->unreadable_dictionaries[snapshot->unreadable_count++] = file;
            return 1;
        }
        definition.entry_count = info.record_count;
        for (int n = 1; n <= info.record_count; n++) {
            plugin_header header;
            if (read_plugin_header(nullptr, definition.path, &header, n, 1))
                claim_identifier(snapshot, header.definition_id, file, n);
        }
    } else {
        option_record options;
        if (read_text_options(nullptr, definition.path, &options))
            claim_identifier(snapshot, options.definition_id, file, 0);
    }
    return 1;
}

// Lists the three kinds and notes every identifier; 0 when memory cannot be had.
int index_definitions(dataset_snapshot *snapshot)
{
    snapshot->id_file = static_cast<int32_t *>(std::malloc(DEFINITION_ID_COUNT * sizeof(int32_t)));
    snapshot->id_entry = static_cast<uint8_t *>(std::calloc(DEFINITION_ID_COUNT, 1));
    if (snapshot->id_file == nullptr || snapshot->id_entry == nullptr) return 0;
    for (int i = 0; i < DEFINITION_ID_COUNT; i++) snapshot->id_file[i] = -1;
    for (int kind = 0; kind < SNAPSHOT_KIND_COUNT; kind++) {
        char *slots = nullptr;
        int count = list_kind(snapshot->plugin_folder, KIND_PATTERNS[kind], &slots);
        if (count < 0) {
            snapshot->failed_kind = kind;
            return 1;
        }
        if (count == 0) continue;
        size_t total = static_cast<size_t>(snapshot->file_count) + static_cast<size_t>(count);
        void *files = std::realloc(snapshot->files, total * sizeof *snapshot->files);
        void *unreadable = kind == 1 ? std::malloc(static_cast<size_t>(count) * sizeof(int)) : nullptr;
        if (files != nullptr) snapshot->files = static_cast<snapshot_definition_file *>(files);
        if (files == nullptr || (kind == 1 && unreadable == nullptr)) {
            std::free(unreadable);
            std::free(slots);
            return 0;
        }
        if (kind == 1) snapshot->unreadable_dictionaries = static_cast<int *>(unreadable);
        for (int i = 0; i < count; i++) {
            int file = snapshot->file_count++;
            snapshot_definition_file &definition = snapshot->files[file];
            std::memset(&definition, 0, sizeof definition);
            copy_text(definition.path, sizeof definition.path, slots + static_cast<size_t>(i) * PATH_SIZE);
            definition.kind = kind;
            index_file(snapshot, file);
        }
        std::free(slots);
    }
    return 1;
}

}  // namespace

void set_snapshot_file_limit(size_t bytes)
{
    g_file_limit = bytes;
}

size_t snapshot_file_limit()
{
    return g_file_limit;
}

dataset_snapshot *take_dataset_snapshot(const app_config &config)
{
    dataset_snapshot *snapshot = static_cast<dataset_snapshot *>(std::calloc(1, sizeof(dataset_snapshot)));
    if (snapshot == nullptr) return nullptr;
    snapshot->failed_kind = -1;
    copy_text(snapshot->dat_path, sizeof snapshot->dat_path, config.dat_path);
    copy_text(snapshot->key_path, sizeof snapshot->key_path, config.key_path);
    copy_text(snapshot->plugin_folder, sizeof snapshot->plugin_folder, config.plugin_folder);
    copy_text(snapshot->addin_folder, sizeof snapshot->addin_folder, config.addin_folder);
    stamp_file(snapshot->dat_path, &snapshot->dat_stamp);
    stamp_file(snapshot->key_path, &snapshot->key_stamp);
    if (!stamp_listing(snapshot->addin_folder, &snapshot->addin_listing, &snapshot->addin_listing_count) ||
        !stamp_listing(snapshot->plugin_folder, &snapshot->listing, &snapshot->listing_count) ||
        !index_definitions(snapshot)) {
        release_dataset_snapshot(snapshot);
        return nullptr;
    }
    snapshot->dat_bytes = read_whole_file(snapshot->dat_path, &snapshot->dat_size);
    snapshot->key_bytes = read_whole_file(snapshot->key_path, &snapshot->key_size);
    return snapshot;
}

void release_dataset_snapshot(dataset_snapshot *snapshot)
{
    if (snapshot == nullptr) return;
    release_judge_library_set(&snapshot->judges);
    std::free(snapshot->addin_listing);
    for (int i = 0; i < snapshot->file_count; i++) std::free(snapshot->files[i].entries);
    std::free(snapshot->files);
    std::free(snapshot->listing);
    std::free(snapshot->dat_bytes);
    std::free(snapshot->key_bytes);
    std::free(snapshot->id_file);
    std::free(snapshot->id_entry);
    std::free(snapshot->unreadable_dictionaries);
    std::free(snapshot);
}

int snapshot_is_current(const dataset_snapshot *snapshot, const app_config &config)
{
    if (snapshot == nullptr || std::strcmp(snapshot->dat_path, config.dat_path) != 0 ||
        std::strcmp(snapshot->key_path, config.key_path) != 0 ||
        std::strcmp(snapshot->plugin_folder, config.plugin_folder) != 0 ||
        std::strcmp(snapshot->addin_folder, config.addin_folder) != 0)
        return 0;
    file_stamp stamp;
    stamp_file(config.dat_path, &stamp);
    if (!same_stamp(stamp, snapshot->dat_stamp)) return 0;
    stamp_file(config.key_path, &stamp);
    if (!same_stamp(stamp, snapshot->key_stamp)) return 0;
    listing_stamp_entry *listing = nullptr;
    int count = 0;
    if (!stamp_listing(config.plugin_folder, &listing, &count)) return 0;
    int same = same_listing(listing, count, snapshot->listing, snapshot->listing_count);
    std::free(listing);
    if (!same || !stamp_listing(config.addin_folder, &listing, &count)) return 0;
    same = same_listing(listing, count, snapshot->addin_listing, snapshot->addin_listing_count);
    std::free(listing);
    return same;
}

dataset_snapshot *current_dataset_snapshot()
{
    if (g_current != nullptr && snapshot_is_current(g_current, g_app_config)) return g_current;
    forget_current_dataset_snapshot();
    g_current = take_dataset_snapshot(g_app_config);
    return g_current;
}

void forget_current_dataset_snapshot()
{
    release_dataset_snapshot(g_current);
    g_current = nullptr;
}

int snapshot_dataset_record(const dataset_snapshot *snapshot, int n, dataset_record *record)
{
    std::memset(record, 0, sizeof *record);
    if (n < 0 || snapshot->dat_bytes == nullptr) return 0;
    size_t records = snapshot->dat_size / DATASET_FILE_RECORD_SIZE;
    if (static_cast<size_t>(n) >= records) return 0;
    decode_dataset_record(snapshot->dat_bytes + static_cast<size_t>(n) * DATASET_FILE_RECORD_SIZE, record);
    return 1;
}

int snapshot_key_record(const dataset_snapshot *snapshot, uint16_t key_id, key_record *record)
{
    if (snapshot->key_bytes != nullptr) {
        size_t records = snapshot->key_size / KEY_FILE_RECORD_SIZE;
        for (size_t n = 0; n < records; n++) {
            const unsigned char *bytes = snapshot->key_bytes + n * KEY_FILE_RECORD_SIZE;
            // The key_id leads the record, little-endian.
            if (static_cast<uint16_t>(bytes[0] | (bytes[1] << 8)) != key_id) continue;
            std::memset(record, 0, sizeof *record);
            decode_key_record(bytes, record);
            return 1;
        }
    }
    std::memset(record, 0, sizeof *record);
    return 0;
}

int snapshot_find_definition(const dataset_snapshot *snapshot, uint16_t definition_id, char *path_out,
                             size_t path_size, int *entry_out, int *file_out)
{
    if (entry_out != nullptr) *entry_out = 0;
    *file_out = -1;
    if (snapshot->id_file == nullptr) return 0;
    int file = snapshot->id_file[definition_id];
    // The lookup passes every unreadable dictionary listed before the match (all of them when the match is
    // no dictionary entry), and says so for each.
    int matched_kind = file >= 0 ? snapshot->files[file].kind : SNAPSHOT_KIND_COUNT;
    if (matched_kind >= 1 && (snapshot->failed_kind < 0 || snapshot->failed_kind > 1)) {
        for (int i = 0; i < snapshot->unreadable_count; i++) {
            if (matched_kind == 1 && snapshot->unreadable_dictionaries[i] > file) break;
            report_diagnostic("[0]");
        }
    }
    if (file < 0) return 0;
    const char *path = snapshot->files[file].path;
    if (std::strlen(path) + 1 > path_size) return 0;
    copy_text(path_out, path_size, path);
    if (entry_out != nullptr) *entry_out = snapshot->id_entry[definition_id];
    *file_out = file;
    return 1;
}

void load_cached_definition(const char *path, int entry, int kind, cached_definition *definition)
{
    std::memset(definition, 0, sizeof *definition);
    definition->loaded = 1;
    if (kind == CACHED_OPTION_PLUGIN) {
        definition->options_read = read_text_options(nullptr, path, &definition->options);
        return;
    }
    int mode = kind == CACHED_DICTIONARY_ENTRY ? 1 : 0;
    definition->options_read = read_plugin_options(nullptr, path, &definition->header, &definition->options, entry,
                                                   mode);
    if (definition->options_read) return;
    std::memset(&definition->options, 0, sizeof definition->options);
    definition->header_read = read_plugin_header(nullptr, path, &definition->header, entry, mode);
}

void load_cached_matcher(const char *path, int entry, int kind, cached_definition *definition)
{
    if (definition->matcher_loaded) return;
    if (kind == CACHED_OPTION_PLUGIN) load_option_plugin_matcher(nullptr, path, &definition->matcher);
    else load_plugin_matcher(nullptr, path, entry, kind == CACHED_DICTIONARY_ENTRY ? 1 : 0, &definition->matcher);
    definition->matcher_loaded = 1;
}

cached_definition *snapshot_definition(dataset_snapshot *snapshot, int file, int entry, int kind)
{
    if (snapshot == nullptr || file < 0 || file >= snapshot->file_count) return nullptr;
    snapshot_definition_file &definition = snapshot->files[file];
    int slot = entry > 0 ? entry - 1 : 0;
    if (slot >= definition.entry_count) return nullptr;
    if (definition.entries == nullptr) {
        definition.entries = static_cast<cached_definition *>(
            std::calloc(static_cast<size_t>(definition.entry_count), sizeof(cached_definition)));
        if (definition.entries == nullptr) return nullptr;
    }
    cached_definition *cached = &definition.entries[slot];
    if (!cached->loaded) load_cached_definition(definition.path, entry, kind, cached);
    return cached;
}
