// Run-list and candidate-table records, read one at a time (each read opens and closes its file), and the
// definition lookup, which enumerates the plug-in folder and reads every header it passes.
#include "dataset_index.h"
#include "bounded_text.h"
#include "byte_order.h"
#include "dictionary_loader.h"
#include "owner_message.h"
#include "path_helpers.h"
#include "plugin_loader.h"
#include "text_option_loader.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int LISTING_COUNT_LIMIT = 100000;  // above this a "count" is one of the listing's error codes

// Reads record n of record_size bytes into bytes; 0 when the file is shorter than (n + 1) records.
int read_index_record(HWND owner, const char *path, int n, unsigned char *bytes, int record_size)
{
    if (path == nullptr || n < 0) return 0;
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        show_owned_message(owner, "対象のファイルが開けません。", "ERROR", MB_ICONWARNING);
        return 0;
    }
    LARGE_INTEGER size = {};
    LARGE_INTEGER start = {};
    start.QuadPart = static_cast<LONGLONG>(n) * record_size;
    DWORD got = 0;
    int read = GetFileSizeEx(file, &size) && size.QuadPart >= start.QuadPart + record_size &&
               SetFilePointerEx(file, start, nullptr, FILE_BEGIN) &&
               ReadFile(file, bytes, static_cast<DWORD>(record_size), &got, nullptr) &&
               got == static_cast<DWORD>(record_size);
    CloseHandle(file);
    return read;
}

}  // namespace

int read_dataset_record(HWND owner, const char *dat_path, dataset_record *record, int n)
{
    std::memset(record, 0, sizeof *record);
    unsigned char bytes[DATASET_FILE_RECORD_SIZE];
    if (!read_index_record(owner, dat_path, n, bytes, DATASET_FILE_RECORD_SIZE)) return 0;
    record->definition_id = read_le16(bytes);
    record->expect_a = read_le32(bytes + 2);
    record->expect_b = read_le32(bytes + 6);
    record->key_id = read_le16(bytes + 10);
    return 1;
}

int read_key_record(HWND owner, const char *key_path, key_record *record, int n)
{
    std::memset(record, 0, sizeof *record);
    unsigned char bytes[KEY_FILE_RECORD_SIZE];
    if (!read_index_record(owner, key_path, n, bytes, KEY_FILE_RECORD_SIZE)) return 0;
    record->key_id = read_le16(bytes);
    // A five-character extension and a 93-character comment have no terminator in the file.
    std::memcpy(record->extension, bytes + 2, KEY_FILE_EXTENSION_SIZE);
    record->extension[KEY_FILE_EXTENSION_SIZE] = '\0';
    std::memcpy(record->comment, bytes + 2 + KEY_FILE_EXTENSION_SIZE, KEY_FILE_COMMENT_SIZE);
    record->comment[KEY_FILE_COMMENT_SIZE] = '\0';
    return 1;
}

int find_key_record(const char *key_path, uint16_t key_id, key_record *record)
{
    for (int n = 0; read_key_record(nullptr, key_path, record, n); n++) {
        if (record->key_id == key_id) return 1;
    }
    std::memset(record, 0, sizeof *record);
    return 0;
}

namespace {

// Full paths of the files of one kind in 260-byte slots (caller frees *slots). Returns the count, 0 when
// there are none, -1 when the listing disagrees with the count or memory cannot be had.
int list_definition_files(const char *folder, const char *pattern, char **slots)
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

// Searches one kind; 1 with the match's slot and entry number, 0 without a match, -1 on failure.
int search_plugins(const char *slots, int count, uint16_t id, int *match, int *)
{
    for (int i = 0; i < count; i++) {
        plugin_header header;
        if (read_plugin_header(nullptr, slots + i * PATH_SIZE, &header, 0, 0) && header.definition_id == id) {
            *match = i;
            return 1;
        }
    }
    return 0;
}

int search_dictionaries(const char *slots, int count, uint16_t id, int *match, int *entry)
{
    for (int i = 0; i < count; i++) {
        const char *path = slots + i * PATH_SIZE;
        dictionary_info info;
        if (!read_dictionary_info(nullptr, path, &info)) {
            char line[16];
            std::snprintf(line, sizeof line, "[%d]", info.record_count);
            report_diagnostic(line);
            continue;
        }
        for (int n = 1; n <= info.record_count; n++) {
            plugin_header header;
            if (read_plugin_header(nullptr, path, &header, n, 1) && header.definition_id == id) {
                *match = i;
                *entry = n;
                return 1;
            }
        }
    }
    return 0;
}

int search_option_plugins(const char *slots, int count, uint16_t id, int *match, int *)
{
    for (int i = 0; i < count; i++) {
        option_record options;
        if (read_text_options(nullptr, slots + i * PATH_SIZE, &options) && options.definition_id == id) {
            *match = i;
            return 1;
        }
    }
    return 0;
}

typedef int (*kind_search)(const char *slots, int count, uint16_t id, int *match, int *entry);

}  // namespace

int find_definition_by_id(HWND, const char *plugin_folder, uint16_t definition_id, char *path_out,
                          size_t path_size, int *entry_out)
{
    static const char *const patterns[] = {"*.plg", "*.dic", "*.opg"};
    static const kind_search searches[] = {search_plugins, search_dictionaries, search_option_plugins};
    if (entry_out != nullptr) *entry_out = 0;
    if (plugin_folder == nullptr || path_out == nullptr) return 0;
    for (size_t kind = 0; kind < countof(patterns); kind++) {
        char *slots = nullptr;
        int count = list_definition_files(plugin_folder, patterns[kind], &slots);
        if (count < 0) return 0;
        int match = -1;
        int entry = 0;
        int found = count > 0 && searches[kind](slots, count, definition_id, &match, &entry);
        if (!found) {
            std::free(slots);
            continue;
        }
        const char *path = slots + match * PATH_SIZE;
        int fits = std::strlen(path) + 1 <= path_size;
        if (fits) {
            copy_text(path_out, path_size, path);
            if (entry_out != nullptr) *entry_out = entry;
        }
        std::free(slots);
        return fits;
    }
    return 0;
}
