// The bulk extension change. The selection is listed once, before anything is renamed, so a file renamed
// during the run is never met again under its new name; every rename is one move that never overwrites.
#include "bulk_change.h"
#include "bounded_text.h"
#include "engine_records.h"
#include "identify.h"
#include "path_helpers.h"
#include "rename.h"
#include "resource.h"
#include <commctrl.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const size_t TYPED_EXTENSION_MAX = 5;  // typed extensions: 5 bytes, a sixth is refused
const int QUIET_BULK = 2;              // identify_file's quiet value for the bulk change
const int FILL_STEPS = 100;            // the progress bar's steps for a typed extension

const char TOO_LONG_TEXT[] = "6文字以上の拡張子には対応していません";
const char TOO_LONG_CAPTION[] = "エラー";

DWORD clock_now(const bulk_run_hooks *hooks)
{
    if (hooks != nullptr && hooks->now_ms != nullptr) return hooks->now_ms(hooks->context);
    return GetTickCount();
}

// A rename is offered only for a file, and only when the identification was of this very entry (the
// run shortens a path holding "-o", which would otherwise rename another file).
int may_rename(const char *path)
{
    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return 0;
    return std::strcmp(g_identification_result.target, path) == 0;
}

void report_after_file(const bulk_run_hooks *hooks, int index, int count, DWORD start)
{
    if (hooks == nullptr) return;
    if (hooks->step != nullptr) hooks->step(hooks->context);
    if (index == 0 || hooks->show_remaining == nullptr) return;
    // Unsigned difference: right across the 49-day wrap of the tick count.
    DWORD elapsed = clock_now(hooks) - start;
    char text[64];
    format_remaining_time(text, sizeof text, estimate_remaining_seconds(elapsed, index + 1, count - index - 1));
    hooks->show_remaining(hooks->context, text);
}

// ---- The dialog ----

struct bulk_dialog_state {
    char target_text[PATH_SIZE];
    HWND dialog;
    int running;         // a bulk identification is under way
    int stop_requested;  // "やめとく" or the close box during the run
};

const int CHOICE_CONTROLS[] = {IDC_BULK_RUN, IDC_BULK_ALL_ENTRIES, IDC_BULK_GIVEN_EXTENSION,
                               IDC_BULK_GIVEN_EXTENSION_TEXT, IDC_BULK_SPECIFY, IDC_BULK_NEW_EXTENSION,
                               IDC_BULK_IDENTIFY};

bulk_dialog_state *state_of(HWND dialog)
{
    return reinterpret_cast<bulk_dialog_state *>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

void step_progress(void *context)
{
    bulk_dialog_state *state = static_cast<bulk_dialog_state *>(context);
    SendDlgItemMessageA(state->dialog, IDC_BULK_PROGRESS, PBM_STEPIT, 0, 0);
}

void show_remaining(void *context, const char *text)
{
    bulk_dialog_state *state = static_cast<bulk_dialog_state *>(context);
    SetDlgItemTextA(state->dialog, IDC_BULK_REMAINING, text);
}

// Handles what is waiting for this thread, so the dialog and the main window repaint and the dialog
// answers between files. A quit message is put back for the program's own loop and ends the run.
int pump_messages(void *context)
{
    bulk_dialog_state *state = static_cast<bulk_dialog_state *>(context);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            state->stop_requested = 1;
            break;
        }
        if (!IsDialogMessageA(state->dialog, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return !state->stop_requested;
}

void show_too_long(HWND dialog)
{
    MessageBoxA(dialog, TOO_LONG_TEXT, TOO_LONG_CAPTION, MB_ICONWARNING | MB_OK);
}

void fill_progress(HWND dialog)
{
    SendDlgItemMessageA(dialog, IDC_BULK_PROGRESS, PBM_SETRANGE32, 0, FILL_STEPS);
    SendDlgItemMessageA(dialog, IDC_BULK_PROGRESS, PBM_SETSTEP, 1, 0);
    for (int i = 0; i < FILL_STEPS; i++) SendDlgItemMessageA(dialog, IDC_BULK_PROGRESS, PBM_STEPIT, 0, 0);
}

void finish(HWND dialog)
{
    g_rename_possible = 0;
    EndDialog(dialog, 1);
}

void run_bulk_identification(bulk_dialog_state *state, const char *folder, const char *pattern, int type)
{
    HWND dialog = state->dialog;
    char *slots = nullptr;
    int count = select_bulk_entries(folder, pattern, type, &slots);
    if (count > 0) {
        state->running = 1;
        for (int id : CHOICE_CONTROLS) EnableWindow(GetDlgItem(dialog, id), FALSE);
        SendDlgItemMessageA(dialog, IDC_BULK_PROGRESS, PBM_SETRANGE32, 0, count + 1);
        SendDlgItemMessageA(dialog, IDC_BULK_PROGRESS, PBM_SETSTEP, 1, 0);
        SendDlgItemMessageA(dialog, IDC_BULK_PROGRESS, PBM_STEPIT, 0, 0);
        bulk_run_hooks hooks = {state, step_progress, show_remaining, nullptr, pump_messages};
        bulk_identify_entries(slots, count, &hooks);
        std::free(slots);
        state->running = 0;
    }
    finish(dialog);
}

INT_PTR on_init_dialog(HWND dialog, LPARAM lparam)
{
    bulk_dialog_state *state = reinterpret_cast<bulk_dialog_state *>(lparam);
    state->dialog = dialog;
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    char name[PATH_SIZE];
    bulk_folder_display_name(state->target_text, name, sizeof name);
    SetDlgItemTextA(dialog, IDC_BULK_FOLDER, name);
    // Typed extensions are read into path-sized buffers; longer than 5 bytes is refused when "実行" is pressed.
    SendDlgItemMessageA(dialog, IDC_BULK_GIVEN_EXTENSION_TEXT, EM_LIMITTEXT, PATH_SIZE - 1, 0);
    SendDlgItemMessageA(dialog, IDC_BULK_NEW_EXTENSION, EM_LIMITTEXT, PATH_SIZE - 1, 0);
    CheckDlgButton(dialog, IDC_BULK_GIVEN_EXTENSION, BST_CHECKED);
    CheckDlgButton(dialog, IDC_BULK_SPECIFY, BST_CHECKED);
    // The caret starts where the user types first.
    SetFocus(GetDlgItem(dialog, IDC_BULK_GIVEN_EXTENSION_TEXT));
    return FALSE;
}

INT_PTR on_run(HWND dialog)
{
    bulk_dialog_state *state = state_of(dialog);
    // The confirmations and the message handling between files can deliver "実行" again: a second
    // run never starts inside the first.
    if (state == nullptr || state->running) return TRUE;
    char folder[PATH_SIZE];
    // Without a folder there is nothing to select (an empty folder would list the drive's root).
    int has_folder = bulk_target_folder(state->target_text, folder, sizeof folder);
    int all = IsDlgButtonChecked(dialog, IDC_BULK_ALL_ENTRIES) == BST_CHECKED;
    int identify = IsDlgButtonChecked(dialog, IDC_BULK_IDENTIFY) == BST_CHECKED;
    char given[PATH_SIZE] = "";
    char fresh[PATH_SIZE] = "";
    GetDlgItemTextA(dialog, IDC_BULK_GIVEN_EXTENSION_TEXT, given, sizeof given);
    GetDlgItemTextA(dialog, IDC_BULK_NEW_EXTENSION, fresh, sizeof fresh);

    if (!all && std::strlen(given) > TYPED_EXTENSION_MAX) {
        show_too_long(dialog);
        return TRUE;
    }
    if (!identify && std::strlen(fresh) > TYPED_EXTENSION_MAX) {
        show_too_long(dialog);
        return TRUE;
    }
    if (identify) {
        char pattern[PATH_SIZE] = "*.*";
        if (!all) std::snprintf(pattern, sizeof pattern, "*.%s", given);
        if (has_folder) {
            run_bulk_identification(state, folder, pattern, all ? LIST_FILES_AND_FOLDERS : LIST_FILES);
        } else {
            finish(dialog);
        }
        return TRUE;
    }
    if (has_folder) replace_extension_in_folder(nullptr, folder, all ? "" : given, fresh, all, EXTENSION_CASE_KEEP);
    fill_progress(dialog);
    finish(dialog);
    return TRUE;
}

INT_PTR on_cancel(HWND dialog)
{
    bulk_dialog_state *state = state_of(dialog);
    // During a run the dialog closes when the file in hand is done; the rest are left as they are.
    if (state != nullptr && state->running) {
        state->stop_requested = 1;
        return TRUE;
    }
    EndDialog(dialog, 0);
    return TRUE;
}

INT_PTR on_command(HWND dialog, WPARAM wparam)
{
    switch (LOWORD(wparam)) {
    case IDC_BULK_RUN:
        return on_run(dialog);
    case IDC_BULK_CANCEL:
        return on_cancel(dialog);
    default:
        // Enter and Esc (IDOK, IDCANCEL) do nothing here.
        return TRUE;
    }
}

}  // namespace

int format_remaining_time(char *out, size_t out_size, unsigned long seconds)
{
    unsigned long hours = seconds / 3600;
    unsigned long minutes = (seconds % 3600) / 60;
    unsigned long rest = seconds % 60;
    if (hours >= 1) {
        std::snprintf(out, out_size, "残り %lu時間%lu分%lu秒", hours, minutes, rest);
    } else if (minutes >= 1) {
        std::snprintf(out, out_size, "残り %lu分%lu秒", minutes, rest);
    } else {
        std::snprintf(out, out_size, "残り %lu秒", rest);
    }
    return 1;
}

unsigned long estimate_remaining_seconds(unsigned long elapsed_ms, int files_done, int files_left)
{
    if (files_done <= 0 || files_left <= 0) return 0;
    unsigned long long done = static_cast<unsigned long long>(files_done);
    unsigned long long total_ms = static_cast<unsigned long long>(elapsed_ms) * static_cast<unsigned>(files_left);
    return static_cast<unsigned long>((total_ms + done * 500) / (done * 1000));
}

int bulk_target_folder(const char *target_text, char *out, size_t out_size)
{
    if (out_size > 0) out[0] = '\0';
    if (target_text == nullptr || out_size == 0) return 0;
    if (!folder_of(nullptr, target_text, out, out_size)) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

int bulk_folder_display_name(const char *target_text, char *out, size_t out_size)
{
    if (out_size > 0) out[0] = '\0';
    if (target_text == nullptr || out_size == 0) return 0;
    char rest[PATH_SIZE];
    copy_text(rest, sizeof rest, target_text);
    int separator = sjis_find_last_of(rest, "\\/");
    if (separator >= 0) rest[separator] = '\0';
    if (rest[0] == '\0' || !file_name_of(nullptr, rest, out, out_size)) {
        out[0] = '\0';
        return 0;
    }
    if (std::strlen(out) == 2 && out[1] == ':') append_text(out, out_size, "\\");
    return 1;
}

int select_bulk_entries(const char *folder, const char *pattern, int type, char **slots)
{
    *slots = nullptr;
    if (folder == nullptr || folder[0] == '\0') return 0;
    int count = count_folder_entries(nullptr, folder, pattern, type);
    if (count <= 0) return 0;
    char *list = static_cast<char *>(std::calloc(static_cast<size_t>(count), PATH_SIZE));
    if (list == nullptr) return 0;
    int listed = list_folder_paths(nullptr, folder, list, count, PATH_SIZE, pattern, type, 0);
    // Error codes stand in the place of a count.
    if (listed <= 0 || listed > count) {
        std::free(list);
        return 0;
    }
    *slots = list;
    return listed;
}

int bulk_identify_entries(const char *slots, int count, const bulk_run_hooks *hooks)
{
    int identified = 0;
    DWORD start = 0;
    for (int i = 0; slots != nullptr && i < count; i++) {
        const char *path = slots + static_cast<size_t>(i) * PATH_SIZE;
        if (i == 0) start = clock_now(hooks);
        g_rename_possible = 0;
        identify_file(nullptr, path, QUIET_BULK);
        identified++;
        if (g_rename_possible == 1 && may_rename(path)) rename_to_first_candidate(nullptr, RENAME_WITHOUT_WINDOW);
        report_after_file(hooks, i, count, start);
        if (hooks != nullptr && hooks->keep_going != nullptr && !hooks->keep_going(hooks->context)) break;
    }
    g_rename_possible = 0;
    return identified;
}

INT_PTR CALLBACK bulk_change_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return on_init_dialog(dialog, lparam);
    case WM_COMMAND:
        return on_command(dialog, wparam);
    case WM_CLOSE:
        return on_cancel(dialog);
    default:
        return FALSE;
    }
}

INT_PTR run_bulk_change_dialog(HINSTANCE instance, HWND owner, const char *target_text)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&controls);
    bulk_dialog_state state = {};
    copy_text(state.target_text, sizeof state.target_text, target_text != nullptr ? target_text : "");
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_BULK_CHANGE), owner, bulk_change_dialog,
                           reinterpret_cast<LPARAM>(&state));
}
