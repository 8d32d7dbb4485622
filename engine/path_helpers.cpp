// The counted folder listings.
#include "path_helpers.h"
#include "bounded_text.h"
#include "owner_message.h"
#include "sjis_text.h"
#include "system_names.h"
#include <cstdlib>
#include <cstring>

namespace {

const size_t LISTING_FOLDER_SIZE = 400;  // the listing works on a copy of the folder of this size

// Builds the search text: the folder, a "/" when it ends in no separator, then the pattern.
int build_search_text(const char *folder, const char *pattern, int type, char *search, size_t size)
{
    if (!copy_text(search, size, folder)) return 0;
    if (!sjis_ends_with_one_of(search, "\\/") && !append_text(search, size, "/")) return 0;
    const char *what = (type == LIST_FILES || type == LIST_MATCHES_THEN_FOLDERS) ? pattern : "*.*";
    return append_text(search, size, what);
}

int is_dot_entry(const char *name)
{
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// name: the entry's name by the rule; an entry without one is never taken.
int entry_is_taken(const WIN32_FIND_DATAW *data, const char *name, int type)
{
    if (name[0] == '\0' || is_dot_entry(name)) return 0;
    int is_folder = (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if (type == LIST_FILES && is_folder) return 0;
    if (type == LIST_FOLDERS && !is_folder) return 0;
    return 1;
}

// Appends one taken entry in its delimited form; 0 when it does not fit.
int append_delimited(char *out, size_t out_size, const WIN32_FIND_DATAW *data, const char *name)
{
    int is_folder = (data->dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    size_t used = std::strlen(out);
    size_t needed = std::strlen(name) + 2 + 1;
    if (used + needed > out_size) return 0;
    append_text(out, out_size, is_folder ? "<" : "\"");
    append_text(out, out_size, name);
    append_text(out, out_size, is_folder ? ">" : "\"");
    return 1;
}

void report_no_find_handle(HWND owner)
{
    show_owned_message(owner, "FindHandleが取得出来ません", "ERROR", MB_ICONWARNING);
}

// One pass over the folder; out may be null when only counting. Returns the count taken, or an error code.
// The folder is searched with the wide API, so that every name comes as it is and goes through the rule.
int walk_folder(HWND owner, const char *search, int type, char *out, size_t out_size, int *taken)
{
    wchar_t wide_search[LISTING_FOLDER_SIZE];
    if (!wide_from_system_text(search, wide_search, countof(wide_search))) return LIST_NO_FIND_HANDLE;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(wide_search, &data);
    if (find == INVALID_HANDLE_VALUE) return LIST_NO_FIND_HANDLE;
    do {
        char name[PATH_SIZE];
        listed_name_of(&data, name, sizeof name);
        if (!entry_is_taken(&data, name, type)) continue;
        if (out != nullptr && !append_delimited(out, out_size, &data, name)) {
            show_owned_message(owner, "メモリ確保が足りません", "ERROR", MB_ICONWARNING);
            FindClose(find);
            return LIST_TEXT_TOO_SMALL;
        }
        (*taken)++;
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return 0;
}

int list_or_count(HWND owner, const char *folder, char *out, size_t out_size, const char *pattern, int type)
{
    char search[LISTING_FOLDER_SIZE];
    if (out != nullptr && out_size > 0) out[0] = '\0';
    if (!build_search_text(folder, pattern, type, search, sizeof search)) {
        report_no_find_handle(owner);
        return LIST_NO_FIND_HANDLE;
    }
    int taken = 0;
    int failure = walk_folder(owner, search, type, out, out_size, &taken);
    if (failure == LIST_NO_FIND_HANDLE) {
        report_no_find_handle(owner);
        return failure;
    }
    if (failure != 0) return failure;
    if (type == LIST_MATCHES_THEN_FOLDERS) {
        // Second pass: every folder again.
        if (!build_search_text(folder, "*.*", LIST_FOLDERS, search, sizeof search)) return taken;
        failure = walk_folder(owner, search, LIST_FOLDERS, out, out_size, &taken);
        if (failure == LIST_TEXT_TOO_SMALL) return failure;
    }
    return taken;
}

}  // namespace

int listed_name_of(const WIN32_FIND_DATAW *entry, char *name, size_t name_size)
{
    return system_name_from_wide(entry->cFileName, entry->cAlternateFileName, name, name_size);
}

int count_folder_entries(HWND owner, const char *folder, const char *pattern, int type)
{
    int result = list_or_count(owner, folder, nullptr, 0, pattern, type);
    return result == LIST_NO_FIND_HANDLE ? 0 : result;
}

int list_folder_entries(HWND owner, const char *folder, char *out, size_t out_size, const char *pattern, int type)
{
    if (out == nullptr) return LIST_TEXT_TOO_SMALL;
    return list_or_count(owner, folder, out, out_size, pattern, type);
}

int list_folder_paths(HWND owner, const char *folder, char *slots, int slot_count, int slot_size,
                      const char *pattern, int type, int names_only)
{
    if (slot_count < 0 || slot_size <= 0) return 0;
    size_t scratch_size = static_cast<size_t>(slot_count) * (static_cast<size_t>(slot_size) + 3);
    char *scratch = static_cast<char *>(std::calloc(scratch_size + 1, 1));
    if (scratch == nullptr) return 0;
    char prefix[LISTING_FOLDER_SIZE];
    if (!copy_text(prefix, sizeof prefix, folder) ||
        (!sjis_ends_with_one_of(prefix, "\\") && !append_text(prefix, sizeof prefix, "\\"))) {
        std::free(scratch);
        return LIST_NO_FIND_HANDLE;
    }
    int listed = list_folder_entries(owner, prefix, scratch, scratch_size, pattern, type);
    if (listed == 0 || listed == LIST_TEXT_TOO_SMALL || listed == LIST_NO_FIND_HANDLE) {
        std::free(scratch);
        return listed;
    }
    int written = 0;
    const char *cursor = scratch;
    while (*cursor == '"' || *cursor == '<') {
        char closing = *cursor == '"' ? '"' : '>';
        const char *name = cursor + 1;
        const char *end = std::strchr(name, closing);
        if (end == nullptr) break;
        if (written == slot_count) {
            std::free(scratch);
            show_owned_message(owner, "確保メモリ不足により、途中まで出力。", "ERROR", MB_ICONWARNING);
            return written;
        }
        size_t name_length = static_cast<size_t>(end - name);
        size_t prefix_length = names_only ? 0 : std::strlen(prefix);
        if (prefix_length + name_length + 1 > static_cast<size_t>(slot_size)) {
            std::free(scratch);
            show_owned_message(owner, "確保メモリが足りません。-パス名が確保したメモリより長い。-", "ERROR",
                               MB_ICONWARNING);
            return LIST_PATH_TOO_LONG;
        }
        char *slot = slots + static_cast<size_t>(written) * static_cast<size_t>(slot_size);
        std::memcpy(slot, prefix, prefix_length);
        std::memcpy(slot + prefix_length, name, name_length);
        slot[prefix_length + name_length] = '\0';
        written++;
        cursor = end + 1;
    }
    std::free(scratch);
    return written;
}
