// The main window's commands. Shell actions (open, properties, delete) report nothing when they fail.
#include "main_window_commands.h"
#include "app_config.h"
#include "bounded_text.h"
#include "bulk_change.h"
#include "change_extension_dialog.h"
#include "engine_records.h"
#include "folder_list.h"
#include "html_help.h"
#include "identify.h"
#include "main_window_state.h"
#include "owner_message.h"
#include "path_helpers.h"
#include "rename.h"
#include "resource.h"
#include "settings.h"
#include "settings_store.h"
#include "window_mode.h"
#include <shellapi.h>
#include <cstdio>
#include <cstring>

namespace {

const UINT HH_DISPLAY_TOC_COMMAND = 1;
const char HELP_TOPIC[] = "quodra.chm::/表紙？.html";

// Folder list: a double click goes up ("<..>"), down (a subfolder or a drive), or nowhere.
void on_folder_list(int notification)
{
    if (notification != LBN_DBLCLK) return;
    int count = static_cast<int>(SendMessageA(g_folder_list, LB_GETCOUNT, 0, 0));
    int row = 0;
    for (int i = 0; i < count; i++) {
        if (SendMessageA(g_folder_list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) row = i;
    }
    int length = static_cast<int>(SendMessageA(g_folder_list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0));
    if (length < 0 || length >= PATH_SIZE) return;
    char text[PATH_SIZE] = "";
    SendMessageA(g_folder_list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
    if (std::strcmp(text, NO_FOLDERS_ROW) == 0 || std::strcmp(text, SEARCH_ERROR_ROW) == 0) return;

    char current[PATH_SIZE + 2] = "";
    read_setting_text("PATH", "targetdir", current, sizeof current);
    char next[PATH_SIZE] = "";
    if (std::strcmp(text, FOLDER_UP_ROW) == 0) {
        // Drop the trailing backslash and keep the folder part: empty above a drive, the drive list.
        size_t used = std::strlen(current);
        if (used > 0) current[used - 1] = '\0';
        folder_of(nullptr, current, next, sizeof next);
    } else {
        // A folder name that would not fit a path is not entered.
        if (std::strlen(current) >= static_cast<size_t>(PATH_SIZE)) return;
        if (!copy_text(next, sizeof next, current) || !append_text(next, sizeof next, text)) return;
        if (!sjis_ends_with_one_of(next, "\\") && !append_text(next, sizeof next, "\\")) return;
    }
    write_path_setting("targetdir", next);
    refresh_folder_list();
    refresh_file_list();
    set_target_text(next);
}

// Dataset selector: rows 0-4 are datasets 1-5, row 5 and no selection are dataset 0, rows past 5 nothing.
void on_dataset_combo()
{
    int row = static_cast<int>(SendMessageA(g_dataset_combo, CB_GETCURSEL, 0, 0));
    if (row > DATASET_SLOT_COUNT) return;
    int dataset = (row < 0 || row == DATASET_SLOT_COUNT) ? 0 : row + 1;
    char text[16];
    std::snprintf(text, sizeof text, "%d", dataset);
    WritePrivateProfileStringA("DATASET", "usedataset", text, g_app_config.ini_path);
    set_definition_paths(&g_app_config);
}

void on_change_extension(HWND window)
{
    char target[TARGET_TEXT_SIZE];
    read_target_text(target, sizeof target);
    run_change_extension_dialog(g_instance, window, target);
    refresh_file_list();
}

void on_bulk_change(HWND window)
{
    char target[TARGET_TEXT_SIZE];
    read_target_text(target, sizeof target);
    run_bulk_change_dialog(g_instance, window, target);
    refresh_file_list();
    // Names may have changed: repaint at once.
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

void on_settings(HWND window)
{
    run_settings_sheet(window);
    apply_list_colours();
    refresh_file_list();
}

void on_dataset_settings(HWND window)
{
    run_dataset_settings(window);
    fill_dataset_combo();
    set_definition_paths(&g_app_config);
}

void on_delete(HWND window)
{
    char target[TARGET_TEXT_SIZE];
    read_target_text(target, sizeof target);
    char name[PATH_SIZE] = "";
    file_name_of(nullptr, target, name, sizeof name);
    char question[PATH_SIZE + 64];
    std::snprintf(question, sizeof question, "ファイル\"%s\"を削除しますか？", name);
    if (show_owned_message(window, question, "ファイルの削除", MB_ICONINFORMATION | MB_YESNO) == IDYES) {
        DeleteFileA(target);
        refresh_file_list();
    }
}

void on_identify(HWND window)
{
    g_rename_possible = 0;
    copy_target_to_addin_record();
    fire_addin_event(window, g_wyro_host, g_wyro_config, &g_wyro_io, WYRO_EVENT_BEFORE_IDENTIFY);
    // An add-in may have changed the target.
    g_wyro_io.target_path[sizeof g_wyro_io.target_path - 1] = '\0';
    identify_file(window, g_wyro_io.target_path, 0);
    fire_addin_event(window, g_wyro_host, g_wyro_config, &g_wyro_io, WYRO_EVENT_AFTER_IDENTIFY);
}

void on_rename(HWND window)
{
    read_target_text(g_identification_result.target, sizeof g_identification_result.target);
    rename_to_first_candidate(window, RENAME_FROM_MAIN_WINDOW);
}

void on_help(HWND window)
{
    char help[PATH_SIZE];
    if (!copy_text(help, sizeof help, program_folder()) || !append_text(help, sizeof help, HELP_TOPIC)) return;
    html_help(window, help, HH_DISPLAY_TOC_COMMAND, 0);
}

void on_properties(HWND window)
{
    char target[TARGET_TEXT_SIZE];
    read_target_text(target, sizeof target);
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.hwnd = window;
    info.lpVerb = "properties";
    info.lpFile = target;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&info);
    if (info.hProcess != nullptr) CloseHandle(info.hProcess);
}

void on_open(HWND window, int folder_only)
{
    char target[TARGET_TEXT_SIZE];
    read_target_text(target, sizeof target);
    char what[PATH_SIZE] = "";
    if (folder_only) {
        folder_of(nullptr, target, what, sizeof what);
    } else {
        copy_text(what, sizeof what, target);
    }
    ShellExecuteA(window, "open", what, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace

LRESULT on_command(HWND window, WPARAM wparam, LPARAM)
{
    switch (LOWORD(wparam)) {
    case IDC_FOLDER_LIST:
        on_folder_list(HIWORD(wparam));
        break;
    case IDC_DATASET_COMBO:
        on_dataset_combo();
        break;
    case IDM_CHANGE_EXTENSION:
        on_change_extension(window);
        break;
    case IDM_DELETE:
        on_delete(window);
        break;
    case IDM_BULK_CHANGE:
        on_bulk_change(window);
        break;
    case IDM_SETTINGS:
        on_settings(window);
        break;
    case IDM_DATASET_SETTINGS:
        on_dataset_settings(window);
        break;
    case IDM_DATASET_REPORT:
        run_dataset_report(window);
        break;
    case IDM_IDENTIFY:
        on_identify(window);
        break;
    case IDM_EXIT:
        SendMessageA(window, WM_CLOSE, 0, 0);
        break;
    case IDM_RENAME:
        on_rename(window);
        break;
    case IDM_HELP:
        on_help(window);
        break;
    case IDM_PROPERTIES:
        on_properties(window);
        break;
    case IDM_OPEN:
        on_open(window, 0);
        break;
    case IDM_OPEN_FOLDER:
        on_open(window, 1);
        break;
    case IDM_ADDIN_STATUS:
        show_addin_state(window, g_wyro_host);
        break;
    case IDM_ADDIN_DETAILS:
        show_addin_details(window, g_wyro_host);
        break;
    case IDM_VERSION:
        show_addin_version(window, &g_wyro_io, g_wyro_config);
        break;
    default:
        break;
    }
    return 0;
}
