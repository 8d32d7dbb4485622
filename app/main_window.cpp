// The main window's procedure: each message goes to its own handler; what is not handled here goes
// to the default window procedure.
#include "main_window.h"
#include "app_config.h"
#include "bulk_change.h"
#include "engine_records.h"
#include "html_help.h"
#include "resource.h"
#include "settings.h"
#include "settings_store.h"
#include "window_mode.h"

namespace {

const int TARGET_EDIT_ID = 392;  // the target edit box

// The target text: the target edit box's text. Until the window has the box, the current folder it
// would hold (PATH/targetdir).
void read_target_text(HWND window, char *out, int out_size)
{
    out[0] = '\0';
    HWND edit = GetDlgItem(window, TARGET_EDIT_ID);
    if (edit != nullptr) {
        GetWindowTextA(edit, out, out_size);
        return;
    }
    read_setting_text("PATH", "targetdir", out, static_cast<size_t>(out_size));
}

LRESULT on_bulk_change(HWND window)
{
    char target[PATH_SIZE];
    read_target_text(window, target, PATH_SIZE);
    run_bulk_change_dialog(g_instance, window, target);
    // Names may have changed: repaint at once.
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    return 0;
}

LRESULT on_command(HWND window, WPARAM wparam, LPARAM lparam)
{
    switch (LOWORD(wparam)) {
    case IDM_EXIT:
        SendMessageA(window, WM_CLOSE, 0, 0);
        return 0;
    case IDM_SETTINGS:
        run_settings_sheet(window);
        return 0;
    case IDM_DATASET_SETTINGS:
        run_dataset_settings(window);
        set_definition_paths(&g_app_config);
        return 0;
    case IDM_DATASET_REPORT:
        run_dataset_report(window);
        return 0;
    case IDM_BULK_CHANGE:
        return on_bulk_change(window);
    default:
        return DefWindowProcA(window, WM_COMMAND, wparam, lparam);
    }
}

LRESULT on_close(HWND window)
{
    DestroyWindow(window);
    return 0;
}

LRESULT on_destroy()
{
    // The counterpart of the initialisation in the message loop's set-up.
    html_help(nullptr, nullptr, HH_CLOSE_ALL_COMMAND, 0);
    html_help(nullptr, nullptr, HH_UNINITIALIZE_COMMAND, g_html_help_cookie);
    PostQuitMessage(0);
    return 0;
}

}  // namespace

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_COMMAND:
        return on_command(window, wparam, lparam);
    case WM_CLOSE:
        return on_close(window);
    case WM_DESTROY:
        return on_destroy();
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}
