// Extension correction and the rename primitives. A rename is always one MoveFileA: nothing is copied,
// deleted or overwritten (a move onto an existing name fails and the file keeps its name).
#include "rename.h"
#include "bounded_text.h"
#include "identify.h"
#include "path_helpers.h"
#include "settings_store.h"
#include "system_names.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>

namespace {

void (*g_rename_refresher)() = nullptr;

const size_t CURRENT_EXTENSION_SIZE = 101;  // the target's extension, up to 100 characters
const size_t NEW_EXTENSION_MAX = 6;
const size_t FOLDER_EXTENSION_MAX = 12;

void apply_case(char *text, int case_mode)
{
    // Byte by byte on ASCII letters, as the extension is written.
    if (case_mode == EXTENSION_CASE_UPPER) convert_letter_case(text, LETTER_CASE_UPPER, 0);
    if (case_mode == EXTENSION_CASE_LOWER) convert_letter_case(text, LETTER_CASE_LOWER, 0);
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
    // Only a move that went through makes the new name the target: when the name is taken, the file
    // that holds it is another file, and the extension change that follows must not touch it.
    if (!MoveFileA(result->target, new_name)) return;
    copy_text(result->target, sizeof result->target, new_name);
}

const size_t LONG_PATH_COUNT = 1024;  // a long form may be longer than the short path it came from

// The long path of a file that the program knows by its short form: one whose own long name has no exact
// ANSI form. 0 for every other path (the file's name is its own, or the file does not exist).
int long_path_of_short_known(const char *path, wchar_t *long_path, size_t long_count, const wchar_t **name)
{
    wchar_t wide_path[PATH_SIZE];
    if (!wide_from_system_text(path, wide_path, countof(wide_path))) return 0;
    DWORD length = GetLongPathNameW(wide_path, long_path, static_cast<DWORD>(long_count));
    if (length == 0 || length >= long_count) return 0;
    const wchar_t *last = long_path;
    for (const wchar_t *c = long_path; *c != L'\0'; c++)
        if (*c == L'\\' || *c == L'/') last = c + 1;
    char exact[PATH_SIZE];
    if (exact_system_text(last, exact, sizeof exact)) return 0;
    *name = last;
    return 1;
}

// Where a long name's extension starts (at its last dot), or its end when it has none.
wchar_t *long_extension_start(wchar_t *name)
{
    wchar_t *dot = std::wcsrchr(name, L'.');
    return dot != nullptr ? dot : name + std::wcslen(name);
}

// The current extension of a file known by its short form, from its long name: the short form's extension
// may be cut (café.jpeg is CAF_~XXX.JPE). Upper-cased; an extension without an exact ANSI form is shown
// with default characters, and can equal no candidate.
int long_extension_of(const char *path, char *out, size_t out_size)
{
    wchar_t long_path[LONG_PATH_COUNT];
    const wchar_t *name = nullptr;
    if (!long_path_of_short_known(path, long_path, countof(long_path), &name)) return 0;
    wchar_t *start = long_extension_start(const_cast<wchar_t *>(name));
    const wchar_t *extension = *start == L'.' ? start + 1 : start;
    if (!exact_system_text(extension, out, out_size)) {
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, extension, -1, out, static_cast<int>(out_size), nullptr,
                            nullptr);
        out[out_size - 1] = '\0';
        // Never the same as a candidate: a lossy form stands for an extension no candidate has.
        if (std::strchr(out, '?') == nullptr) append_text(out, out_size, "?");
    }
    convert_letter_case(out, LETTER_CASE_UPPER, 0);
    return 1;
}

// The rename of a file known by its short form keeps its long name, character for character, with the new
// extension: the move is made with the wide API. 0 when the path is not such a file (the ANSI move is made).
int replace_long_name_extension(const char *path, const char *extension)
{
    wchar_t long_path[LONG_PATH_COUNT];
    const wchar_t *name = nullptr;
    if (!long_path_of_short_known(path, long_path, countof(long_path), &name)) return 0;
    wchar_t wide_extension[PATH_SIZE];
    if (!wide_from_system_text(extension, wide_extension, countof(wide_extension))) return 0;
    wchar_t new_path[LONG_PATH_COUNT];
    std::wcscpy(new_path, long_path);
    wchar_t *start = long_extension_start(new_path + (name - long_path));
    size_t kept = static_cast<size_t>(start - new_path);
    if (kept + 1 + std::wcslen(wide_extension) + 1 > countof(new_path)) return 1;
    new_path[kept] = L'.';
    std::wcscpy(new_path + kept + 1, wide_extension);
    MoveFileW(long_path, new_path);
    return 1;
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
    if (!long_extension_of(result->target, current, sizeof current))
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
    if (!replace_long_name_extension(path, extension)) {
        append_text(work, work_size, ".");
        append_text(work, work_size, extension);
        MoveFileA(path, work);
    }
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
