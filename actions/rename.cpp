// Extension correction and the rename primitives. A rename is always one MoveFileA: nothing is copied,
// deleted or overwritten (a move onto an existing name fails and the file keeps its name).
#include "rename.h"
#include "bounded_text.h"
#include "engine_records.h"
#include "path_helpers.h"
#include "settings_store.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void (*g_rename_refresher)() = nullptr;

const size_t CURRENT_EXTENSION_SIZE = 101;  // the target's extension, up to 100 characters
const size_t NEW_EXTENSION_MAX = 6;
const size_t FOLDER_EXTENSION_MAX = 12;

void apply_case(char *text, int case_mode)
{
    // Byte by byte on ASCII letters, as the extension is written.
    for (; *text != '\0'; text++) {
        if (case_mode == EXTENSION_CASE_UPPER && *text >= 'a' && *text <= 'z') *text = static_cast<char>(*text - 32);
        if (case_mode == EXTENSION_CASE_LOWER && *text >= 'A' && *text <= 'Z') *text = static_cast<char>(*text + 32);
    }
}

// The comment becomes the file name, in the target's own folder. A comment that would name a place
// outside the folder (it holds a separator or a drive colon) or a name that does not fit is skipped.
void rename_to_comment(identification_result *result)
{
    if (sjis_find_last_of(result->first_comment, "\\/:") >= 0) return;
    char folder[PATH_SIZE];
    folder_of(nullptr, result->target, folder, sizeof folder);
    char new_name[PATH_SIZE];
    if (!copy_text(new_name, sizeof new_name, folder) || !append_text(new_name, sizeof new_name, result->first_comment))
        return;
    MoveFileA(result->target, new_name);
    // The new name is the target from now on, whether or not the move went through.
    copy_text(result->target, sizeof result->target, new_name);
}

void finish_rename(HWND window, int mode)
{
    if (mode == RENAME_FROM_MAIN_WINDOW) {
        g_rename_possible = 0;
        if (window != nullptr) InvalidateRect(window, nullptr, FALSE);
        if (g_rename_refresher != nullptr) g_rename_refresher();
    } else if (mode == RENAME_FROM_RESULT_DIALOG) {
        if (window != nullptr) EnableWindow(GetDlgItem(window, 40005), FALSE);
    }
}

}  // namespace

void set_rename_refresher(void (*refresh)())
{
    g_rename_refresher = refresh;
}

int rename_to_first_candidate(HWND window, int mode)
{
    identification_result *result = &g_identification_result;
    char current[CURRENT_EXTENSION_SIZE] = "";
    extension_of(nullptr, result->target, current, sizeof current, EXTENSION_CASE_UPPER);
    if (std::strcmp(current, result->first_extension) == 0 || std::strcmp(result->first_extension, "???") == 0)
        return 1;

    char question[PATH_SIZE];
    std::snprintf(question, sizeof question, "拡張子を[%s]から[%s]に変更しますか？", current, result->first_extension);
    if (MessageBoxA(window, question, "拡張子の訂正", MB_ICONQUESTION | MB_YESNO) != IDYES) return 1;

    if (read_setting_flag("BASIC", "comtofname")) {
        if (result->first_comment[0] != '\0') {
            rename_to_comment(result);
        } else {
            MessageBoxA(nullptr, "コメントがないため、ファイル名は変更されません", "コメントをファイル名にする",
                        MB_ICONQUESTION | MB_OK);
        }
    }
    int upper = read_setting_flag("BASIC", "attachext");
    replace_extension(window, result->target, result->first_extension,
                      upper ? EXTENSION_CASE_UPPER : EXTENSION_CASE_LOWER);
    finish_rename(window, mode);
    return 1;
}

int replace_extension(HWND, const char *path, const char *new_extension, int case_mode)
{
    if (path == nullptr || path[0] == '\0') return 0;
    size_t work_size = std::strlen(path) + 10;
    char *work = static_cast<char *>(std::calloc(work_size, 1));
    if (work == nullptr) return 0;
    // A dot in a folder name is not the file's extension: such a file keeps its whole name and gains
    // the new extension in its own folder instead of moving one folder up.
    if (sjis_find_last_of(path, ".") < sjis_find_last_of(path, "\\/")) {
        copy_text(work, work_size, path);
    } else {
        strip_extension(nullptr, path, work, work_size, 1);
        size_t length = std::strlen(work);
        if (length > 0) work[length - 1] = '\0';
    }
    if (std::strlen(new_extension) > NEW_EXTENSION_MAX) {
        std::free(work);
        return 0;
    }
    char extension[NEW_EXTENSION_MAX + 1];
    copy_text(extension, sizeof extension, new_extension);
    apply_case(extension, case_mode);
    append_text(work, work_size, ".");
    append_text(work, work_size, extension);
    MoveFileA(path, work);
    std::free(work);
    return 1;
}

int replace_extension_in_folder(HWND window, const char *folder, const char *current_extension,
                                const char *new_extension, int all, int case_mode)
{
    if (folder == nullptr || current_extension == nullptr) return 0;
    if (std::strlen(current_extension) > FOLDER_EXTENSION_MAX) return 0;
    char pattern[20] = "*.*";
    if (!all) std::snprintf(pattern, sizeof pattern, "*.%s", current_extension);
    int count = count_folder_entries(window, folder, pattern, LIST_FILES);
    if (count == 0) return 1;
    char *slots = static_cast<char *>(std::calloc(static_cast<size_t>(count), PATH_SIZE));
    if (slots == nullptr) return 0;
    int listed = list_folder_paths(window, folder, slots, count, PATH_SIZE, pattern, LIST_FILES, 0);
    if (listed > count) listed = 0;  // an error code, not a count
    for (int i = 0; i < listed; i++)
        replace_extension(window, slots + static_cast<size_t>(i) * PATH_SIZE, new_extension, case_mode);
    std::free(slots);
    return 1;
}
