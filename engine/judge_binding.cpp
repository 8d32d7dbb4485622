// The judge extension library binding. Libraries are probed by identity in folder listing order, each
// loaded for one look and released; the match is loaded again to judge and released before returning.
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

int library_has_identity(HWND owner, const char *path, uint16_t wanted)
{
    HMODULE library = LoadLibraryA(path);
    if (library == nullptr) return 0;
    int match = 0;
    judge_entry_function entry = library_function<judge_entry_function>(library, JUDGE_ENTRY_EXPORT);
    if (entry != nullptr) {
        judge_library_info info;
        std::memset(&info, 0, sizeof info);
        match = entry(owner, &info) != 0 && info.library_id == wanted;
    }
    FreeLibrary(library);
    return match;
}

int judge_with_library(HWND owner, const char *path, const char *definition_path, const plugin_header &header,
                       const char *target_path, judgement_record *judgement, int entry_number, int dictionary_flag)
{
    HMODULE library = LoadLibraryA(path);
    if (library == nullptr) return JUDGE_LIBRARY_FAILED;
    judge_calculate_function calculate = library_function<judge_calculate_function>(library, JUDGE_CALCULATE_EXPORT);
    if (calculate == nullptr) {
        FreeLibrary(library);
        return JUDGE_LIBRARY_FAILED;
    }
    uint32_t w[JUDGE_HEADER_WORDS];
    split_header_words(header, w);
    int32_t judged = calculate(owner, definition_path, w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9],
                               w[10], w[11], w[12], w[13], w[14], w[15], w[16], w[17], w[18], w[19], w[20], w[21],
                               target_path, judgement, static_cast<uint32_t>(entry_number),
                               static_cast<uint32_t>(dictionary_flag));
    FreeLibrary(library);
    if (judged == 0) return JUDGE_DECLINED;
    judgement->definition_id = header.definition_id;
    return JUDGE_JUDGED;
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

int call_judge_library(HWND owner, const char *judge_folder, const char *definition_path, plugin_header header,
                       const char *target_path, judgement_record *judgement, int entry_number,
                       int dictionary_flag)
{
    std::memset(judgement, 0, sizeof *judgement);
    if ((header.flags & DEFINITION_FLAG_JUDGE_ALLOWED) == 0) return JUDGE_NOT_CALLED;
    if (judge_folder == nullptr || judge_folder[0] == '\0') return JUDGE_NOT_CALLED;

    int count = count_folder_entries(nullptr, judge_folder, LIBRARY_PATTERN, LIST_FILES);
    if (count == 0) return JUDGE_NO_LIBRARY;
    char *names = static_cast<char *>(std::calloc(static_cast<size_t>(count), JUDGE_NAME_SLOT_SIZE));
    if (names == nullptr) return JUDGE_NOT_CALLED;
    int listed = list_folder_paths(nullptr, judge_folder, names, count, JUDGE_NAME_SLOT_SIZE, LIBRARY_PATTERN,
                                   LIST_FILES, 1);
    if (listed == LIST_PATH_TOO_LONG) {
        // A file name too long for its slot breaks the length rule as a long folder does.
        show_length_rule_warning(owner);
        std::free(names);
        return JUDGE_NOT_CALLED;
    }
    if (listed > count) {  // the folder could not be listed after all
        std::free(names);
        return JUDGE_NO_LIBRARY;
    }
    if (!names_keep_length_rule(owner, judge_folder, names, listed)) {
        std::free(names);
        return JUDGE_NOT_CALLED;
    }

    char match[PATH_SIZE] = "";
    for (int i = 0; i < listed && match[0] == '\0'; i++) {
        char path[PATH_SIZE];
        const char *name = names + static_cast<size_t>(i) * JUDGE_NAME_SLOT_SIZE;
        if (library_path(judge_folder, name, path, sizeof path) &&
            library_has_identity(owner, path, header.judge_library_id))
            copy_text(match, sizeof match, path);
    }
    std::free(names);
    if (match[0] == '\0') return JUDGE_NO_LIBRARY;
    return judge_with_library(owner, match, definition_path, header, target_path, judgement, entry_number,
                              dictionary_flag);
}
