// The judge extension library binding. Libraries are probed by identity in folder listing order; the first
// with the wanted identity judges. A set kept by the caller holds the listing and the loaded libraries
// across many judgements; a call without one lists, loads and releases everything for that call.
#include "judge_binding.h"
#include "app_config.h"
#include "bounded_text.h"
#include "judge_interface.h"
#include "owner_message.h"
#include "path_helpers.h"
#include <shlwapi.h>
#include <cstdlib>
#include <cstring>

namespace {

const char LIBRARY_PATTERN[] = "*.dll";

template <typename F> F library_function(HMODULE library, const char *name)
{
    return reinterpret_cast<F>(reinterpret_cast<void *>(GetProcAddress(library, name)));
}

// A judge library may keep state from one call to the next (ours keep their read buffers), so no library is
// entered by two threads at once: each loaded module has a lock, made at its first call and kept for the
// process's life. Modules past the table's end share its last lock.
const int MODULE_LOCK_COUNT = 32;

struct module_lock {
    HMODULE module;
    CRITICAL_SECTION lock;
};

module_lock g_module_locks[MODULE_LOCK_COUNT];
int g_module_lock_count = 0;
volatile LONG g_module_table_busy = 0;

CRITICAL_SECTION *lock_of_module(HMODULE module)
{
    while (InterlockedCompareExchange(&g_module_table_busy, 1, 0) != 0) Sleep(0);
    int found = -1;
    for (int i = 0; i < g_module_lock_count && found < 0; i++)
        if (g_module_locks[i].module == module) found = i;
    if (found < 0 && g_module_lock_count < MODULE_LOCK_COUNT) {
        found = g_module_lock_count++;
        g_module_locks[found].module = module;
        InitializeCriticalSection(&g_module_locks[found].lock);
    }
    if (found < 0) found = MODULE_LOCK_COUNT - 1;
    InterlockedExchange(&g_module_table_busy, 0);
    return &g_module_locks[found].lock;
}

// Shown even in a quiet run: the user must learn why the library was not used.
void show_length_rule_warning(HWND owner)
{
    show_message_always(owner, "DLLが入っているフォルダまたはDLLの名前を短くしてください",
                        "DLL名の規則違反です。アドイン処理を中止します", MB_ICONWARNING);
}

// 1 when every listed name keeps the length rule; otherwise the warning is shown.
int names_keep_length_rule(HWND owner, const char *judge_folder, const char *names, int count)
{
    for (int i = 0; i < count; i++) {
        char rule_name[PATH_SIZE * 2];
        const char *name = names + static_cast<size_t>(i) * JUDGE_NAME_SLOT_SIZE;
        if (!judge_rule_name(program_folder(), judge_folder, name, rule_name, sizeof rule_name) ||
            std::strlen(rule_name) + 1 > static_cast<size_t>(JUDGE_NAME_SLOT_SIZE)) {
            show_length_rule_warning(owner);
            return 0;
        }
    }
    return 1;
}

// The listed file itself, whatever the current directory is: the judge folder's full path and the name.
int library_path(const char *judge_folder, const char *name, char *out, size_t out_size)
{
    char folder[PATH_SIZE];
    DWORD length = GetFullPathNameA(judge_folder, sizeof folder, folder, nullptr);
    if (length == 0 || length >= sizeof folder) return 0;
    if (!sjis_ends_with_one_of(folder, "\\/") && !append_text(folder, sizeof folder, "\\")) return 0;
    return copy_text(out, out_size, folder) && append_text(out, out_size, name);
}

// Asks the slot's library its identity once; the module stays loaded for the judgement.
void probe_library(HWND owner, judge_library_slot *slot)
{
    if (slot->probed) return;
    slot->probed = 1;
    slot->module = LoadLibraryA(slot->path);
    if (slot->module == nullptr) return;
    judge_entry_function entry = library_function<judge_entry_function>(slot->module, JUDGE_ENTRY_EXPORT);
    if (entry == nullptr) return;
    judge_library_info info;
    std::memset(&info, 0, sizeof info);
    CRITICAL_SECTION *lock = lock_of_module(slot->module);
    EnterCriticalSection(lock);
    slot->answered = entry(owner, &info) != 0;
    LeaveCriticalSection(lock);
    slot->library_id = info.library_id;
}

int judge_with_library(HWND owner, judge_library_slot *slot, const char *definition_path,
                       const plugin_header &header, const char *target_path, judgement_record *judgement,
                       int entry_number, int dictionary_flag)
{
    if (slot->module == nullptr) return JUDGE_LIBRARY_FAILED;
    judge_calculate_function calculate = library_function<judge_calculate_function>(slot->module, JUDGE_CALCULATE_EXPORT);
    if (calculate == nullptr) return JUDGE_LIBRARY_FAILED;
    uint32_t w[JUDGE_HEADER_WORDS];
    split_header_words(header, w);
    CRITICAL_SECTION *lock = lock_of_module(slot->module);
    EnterCriticalSection(lock);
    int32_t judged = calculate(owner, definition_path, w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9],
                               w[10], w[11], w[12], w[13], w[14], w[15], w[16], w[17], w[18], w[19], w[20], w[21],
                               target_path, judgement, static_cast<uint32_t>(entry_number),
                               static_cast<uint32_t>(dictionary_flag));
    LeaveCriticalSection(lock);
    if (judged == 0) return JUDGE_DECLINED;
    judgement->definition_id = header.definition_id;
    return JUDGE_JUDGED;
}

// Lists the folder's libraries into the set: their full paths, and whether a name breaks the length rule.
// 0 when memory cannot be had (nothing is kept, the next call lists again).
int list_judge_libraries(HWND owner, judge_library_set *set, const char *judge_folder)
{
    copy_text(set->folder, sizeof set->folder, judge_folder);
    int count = count_folder_entries(nullptr, judge_folder, LIBRARY_PATTERN, LIST_FILES);
    if (count == 0) {
        set->outcome = JUDGE_NO_LIBRARY;
        set->listed = 1;
        return 1;
    }
    char *names = static_cast<char *>(std::calloc(static_cast<size_t>(count), JUDGE_NAME_SLOT_SIZE));
    if (names == nullptr) return 0;
    int listed = list_folder_paths(nullptr, judge_folder, names, count, JUDGE_NAME_SLOT_SIZE, LIBRARY_PATTERN,
                                   LIST_FILES, 1);
    if (listed == LIST_PATH_TOO_LONG) {
        // A file name too long for its slot breaks the length rule as a long folder does.
        show_length_rule_warning(owner);
        set->rule_broken = 1;
    } else if (listed > count) {  // the folder could not be listed after all
        set->outcome = JUDGE_NO_LIBRARY;
    } else if (!names_keep_length_rule(owner, judge_folder, names, listed)) {
        set->rule_broken = 1;
    } else {
        set->slots = static_cast<judge_library_slot *>(std::calloc(static_cast<size_t>(listed) + 1, sizeof *set->slots));
        if (set->slots == nullptr) {
            std::free(names);
            return 0;
        }
        for (int i = 0; i < listed; i++) {
            const char *name = names + static_cast<size_t>(i) * JUDGE_NAME_SLOT_SIZE;
            // A path that cannot be formed is a library that never answers.
            if (!library_path(judge_folder, name, set->slots[i].path, sizeof set->slots[i].path))
                set->slots[i].path[0] = '\0';
        }
        set->count = listed;
    }
    std::free(names);
    set->listed = 1;
    return 1;
}

}  // namespace

int judge_rule_name(const char *program_folder_path, const char *judge_folder, const char *file_name, char *out,
                    size_t out_size)
{
    char relative[MAX_PATH * 2] = "";
    if (!PathRelativePathToA(relative, program_folder_path, FILE_ATTRIBUTE_DIRECTORY, judge_folder,
                             FILE_ATTRIBUTE_DIRECTORY))
        return 0;
    // Windows writes a folder below as ".\name"; the rule counts it without that first dot, as "\name".
    // Some systems already leave the dot out.
    if (!copy_text(out, out_size, relative[0] == '.' ? relative + 1 : relative)) return 0;
    if (out[0] != '\0' && !sjis_ends_with_one_of(out, "\\/") && !append_text(out, out_size, "\\")) return 0;
    return append_text(out, out_size, file_name);
}

int call_judge_library_in(judge_library_set *set, HWND owner, const char *judge_folder,
                          const char *definition_path, plugin_header header, const char *target_path,
                          judgement_record *judgement, int entry_number, int dictionary_flag)
{
    std::memset(judgement, 0, sizeof *judgement);
    if ((header.flags & DEFINITION_FLAG_JUDGE_ALLOWED) == 0) return JUDGE_NOT_CALLED;
    if (judge_folder == nullptr || judge_folder[0] == '\0') return JUDGE_NOT_CALLED;

    if (set->listed && std::strcmp(set->folder, judge_folder) != 0) release_judge_library_set(set);
    if (!set->listed) {
        if (!list_judge_libraries(owner, set, judge_folder)) return JUDGE_NOT_CALLED;
        // The listing has just warned when a name broke the rule.
        if (set->rule_broken) return JUDGE_NOT_CALLED;
    } else if (set->rule_broken) {
        show_length_rule_warning(owner);
        return JUDGE_NOT_CALLED;
    }
    if (set->outcome != 0) return set->outcome;

    // The first library in listing order that answers with the wanted identity judges.
    for (int i = 0; i < set->count; i++) {
        judge_library_slot *slot = &set->slots[i];
        if (slot->path[0] == '\0') continue;
        probe_library(owner, slot);
        if (slot->answered && slot->library_id == header.judge_library_id)
            return judge_with_library(owner, slot, definition_path, header, target_path, judgement, entry_number,
                                      dictionary_flag);
    }
    return JUDGE_NO_LIBRARY;
}

int call_judge_library(HWND owner, const char *judge_folder, const char *definition_path, plugin_header header,
                       const char *target_path, judgement_record *judgement, int entry_number,
                       int dictionary_flag)
{
    judge_library_set set;
    std::memset(&set, 0, sizeof set);
    int result = call_judge_library_in(&set, owner, judge_folder, definition_path, header, target_path, judgement,
                                       entry_number, dictionary_flag);
    release_judge_library_set(&set);
    return result;
}

void release_judge_library_set(judge_library_set *set)
{
    for (int i = 0; i < set->count; i++)
        if (set->slots[i].module != nullptr) FreeLibrary(set->slots[i].module);
    std::free(set->slots);
    std::memset(set, 0, sizeof *set);
}
