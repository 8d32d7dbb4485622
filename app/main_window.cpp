// The main window's procedure: each message goes to its own handler; what is not handled here goes
// to the default window procedure.
#include "main_window.h"
#include "app_config.h"
#include "html_help.h"
#include "resource.h"
#include "settings.h"

namespace {

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
