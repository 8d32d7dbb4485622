// The main window's procedure. Every message first mirrors the target text into the add-in i/o record,
// passes the add-in host and the painted areas, and is then handed to its own handler; what is not handled
// here goes to the default window procedure.
#include "main_window.h"
#include "bounded_text.h"
#include "engine_records.h"
#include "folder_list.h"
#include "html_help.h"
#include "identify.h"
#include "program_reporting.h"
#include "main_window_commands.h"
#include "main_window_state.h"
#include "rename.h"
#include "resource.h"
#include "result_panel.h"
#include "window_mode.h"
#include <commctrl.h>

namespace {

const char START_UP_TEXT[] = "Start Up - OK";
const char HOST_ERROR_TEXT[] = "Velmar Easy ADD-IN -wyro-[error]";
const int WYRO_EVENT_CODE_STARTUP = WYRO_EVENT_STARTUP;

HFONT create_gothic_font(int height, int weight)
{
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "ＭＳ ゴシック");
}

HWND create_child(DWORD extended, const char *class_name, const char *text, DWORD style, int x, int y, int width,
                  int height, HWND parent, int id)
{
    return CreateWindowExA(extended, class_name, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), g_instance, nullptr);
}

void set_font(HWND control, HFONT font)
{
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
}

void create_fonts()
{
    g_small_font = create_gothic_font(12, 400);
    g_large_bold_font = create_gothic_font(17, 600);
    g_large_font = create_gothic_font(17, 400);
    g_second_small_font = create_gothic_font(12, 400);
}

void create_toolbar(HWND window)
{
    const TBBUTTON BUTTONS[] = {
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {0, IDM_IDENTIFY, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {4, IDM_OPEN, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {3, IDM_OPEN_FOLDER, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {1, IDM_PROPERTIES, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {0, 0, TBSTATE_ENABLED, TBSTYLE_SEP, {}, 0, 0},
        {2, IDM_SETTINGS, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, 0},
    };
    g_toolbar = CreateToolbarEx(window, WS_CHILD | WS_VISIBLE | TBSTYLE_TOOLTIPS, IDC_TOOLBAR, TOOLBAR_IMAGE_COUNT,
                                g_instance, IDB_TOOLBAR, BUTTONS, static_cast<int>(sizeof BUTTONS / sizeof BUTTONS[0]),
                                16, 15, 16, 15, sizeof(TBBUTTON));
    if (g_toolbar == nullptr) return;
    LONG_PTR style = GetWindowLongPtrA(g_toolbar, GWL_STYLE);
    SetWindowLongPtrA(g_toolbar, GWL_STYLE, style | TBSTYLE_FLAT);
}

void create_status_bar(HWND window)
{
    g_status_bar = CreateWindowExA(0, STATUSCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | CCS_BOTTOM, 0, 0, 0, 0, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_STATUS_BAR)), g_instance, nullptr);
    if (g_status_bar == nullptr) return;
    SendMessageA(g_status_bar, SB_SIMPLE, TRUE, 0);
    HICON icon = static_cast<HICON>(LoadImageA(g_instance, MAKEINTRESOURCEA(IDI_STATUS), IMAGE_ICON, 16, 16, 0));
    // Part -1 is the simple part for the icon.
    SendMessageA(g_status_bar, SB_SETICON, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(icon));
    set_status_text(START_UP_TEXT);
}

void create_children(HWND window)
{
    g_addin_view = create_addin_view_window(window);
    g_folder_list = create_child(WS_EX_WINDOWEDGE, "LISTBOX", "", WS_BORDER | WS_VSCROLL | LBS_NOTIFY, 7, 253, 270,
                                 100, window, IDC_FOLDER_LIST);
    set_font(g_folder_list, g_small_font);
    refresh_folder_list();

    g_file_list = create_child(0, WC_LISTVIEWA, "", WS_BORDER | LVS_REPORT, 7, 35, 220, 165, window, IDC_FILE_LIST);
    apply_list_colours();
    add_file_list_columns();
    refresh_file_list();

    g_target_edit = create_child(0, "EDIT", "対象ファイル", WS_BORDER | ES_AUTOHSCROLL, 7, 205, 270, 20, window,
                                 IDC_TARGET_EDIT);
    SendMessageA(g_target_edit, EM_LIMITTEXT, TARGET_TEXT_SIZE - 1, 0);
    char folder[PATH_SIZE];
    read_current_folder(folder, sizeof folder);
    set_target_text(folder);

    g_dataset_combo = create_child(0, "COMBOBOX", "", CBS_DROPDOWN, 10, 344, 225, 200, window, IDC_DATASET_COMBO);
    set_font(g_dataset_combo, g_small_font);
    fill_dataset_combo();
    create_child(0, "BUTTON", "C", 0, 240, 344, 15, 20, window, IDM_DATASET_SETTINGS);
    create_child(0, "BUTTON", "R", 0, 260, 344, 15, 20, window, IDM_DATASET_REPORT);

    create_status_bar(window);
    create_toolbar(window);
}

void clear_identification_result()
{
    identification_result *result = &g_identification_result;
    copy_text(result->first_extension, sizeof result->first_extension, "None");
    copy_text(result->second_extension, sizeof result->second_extension, "None");
    copy_text(result->third_extension, sizeof result->third_extension, "None");
    result->first_score = 0.0f;
    result->second_score = 0.0f;
    result->third_score = 0.0f;
    copy_text(result->first_comment, sizeof result->first_comment, "None");
}

void start_addins(HWND window)
{
    fill_main_window_wyro_config(&g_wyro_config);
    g_wyro_io.view_window = wyro_window_value(g_addin_view);
    g_wyro_host = start_addin_host(window, g_wyro_config);
    if (g_wyro_host == nullptr) set_status_text(HOST_ERROR_TEXT);
    build_addin_menu(window, GetMenu(window), g_wyro_host, g_wyro_config, WYRO_EVENT_MENU_BAR);

    g_file_popup_menu = CreatePopupMenu();
    AppendMenuA(g_file_popup_menu, MF_STRING, IDM_IDENTIFY, "識別(&J)");
    AppendMenuA(g_file_popup_menu, MF_STRING, IDM_RENAME, "リネーム(&R)");
    build_addin_menu(window, g_file_popup_menu, g_wyro_host, g_wyro_config, WYRO_EVENT_CONTEXT_MENU);
    AppendMenuA(g_file_popup_menu, MF_STRING, IDM_CHANGE_EXTENSION, "拡張子の変更(&E)");
    AppendMenuA(g_file_popup_menu, MF_STRING, IDM_BULK_CHANGE, "拡張子の一括変更(&M)");
    AppendMenuA(g_file_popup_menu, MF_STRING, IDM_OPEN, "開く(&O)");
    AppendMenuA(g_file_popup_menu, MF_STRING, IDM_OPEN_FOLDER, "フォルダを開く(&F)");
    AppendMenuA(g_file_popup_menu, MF_STRING, IDM_DELETE, "削除(&D)");
    AppendMenuA(g_file_popup_menu, MF_STRING, IDM_PROPERTIES, "プロパティ(&R)");

    build_addin_menu(window, GetSystemMenu(window, FALSE), g_wyro_host, g_wyro_config, WYRO_EVENT_SYSTEM_MENU);
    fire_addin_event(window, g_wyro_host, g_wyro_config, &g_wyro_io, WYRO_EVENT_CODE_STARTUP);
}

LRESULT on_create(HWND window)
{
    g_main_window = window;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    create_fonts();
    create_children(window);
    clear_identification_result();
    g_rename_possible = 0;
    g_last_clicked_row = -1;
    set_rename_refresher(refresh_file_list);
    start_addins(window);
    return 0;
}

LRESULT on_paint(HWND window)
{
    const HWND CHILDREN[] = {g_addin_view, g_folder_list, g_file_list, g_target_edit, g_dataset_combo};
    for (HWND child : CHILDREN) {
        if (child != nullptr) UpdateWindow(child);
    }
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    paint_result_panel(dc);
    EndPaint(window, &paint);
    return 0;
}

LRESULT on_menu_select(HWND window)
{
    UINT state = g_rename_possible == 1 ? MF_ENABLED : MF_GRAYED;
    EnableMenuItem(GetMenu(window), IDM_RENAME, MF_BYCOMMAND | state);
    return 0;
}

void destroy_child(HWND *child)
{
    if (*child != nullptr) DestroyWindow(*child);
    *child = nullptr;
}

void delete_font(HFONT *font)
{
    if (*font != nullptr) DeleteObject(*font);
    *font = nullptr;
}

LRESULT on_close(HWND window)
{
    set_rename_refresher(nullptr);
    if (g_background_brush != nullptr) {
        // The class still names the brush; it must not paint with a deleted one.
        SetClassLongPtrA(window, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(GetStockObject(GRAY_BRUSH)));
        DeleteObject(g_background_brush);
        g_background_brush = nullptr;
    }
    HWND *CHILDREN[] = {&g_addin_view, &g_status_bar, &g_folder_list, &g_file_list,
                        &g_target_edit, &g_dataset_combo, &g_toolbar};
    for (HWND *child : CHILDREN) destroy_child(child);
    DestroyWindow(window);
    delete_font(&g_small_font);
    delete_font(&g_large_bold_font);
    delete_font(&g_large_font);
    delete_font(&g_second_small_font);
    if (g_file_popup_menu != nullptr) DestroyMenu(g_file_popup_menu);
    g_file_popup_menu = nullptr;
    if (g_wyro_host != nullptr) end_addin_host(window, g_wyro_host);
    g_wyro_host = nullptr;
    return 0;
}

LRESULT on_destroy()
{
    g_main_window = nullptr;
    // The counterpart of the initialisation in the message loop's set-up.
    html_help(nullptr, nullptr, HH_CLOSE_ALL_COMMAND, 0);
    html_help(nullptr, nullptr, HH_UNINITIALIZE_COMMAND, g_html_help_cookie);
    PostQuitMessage(0);
    return 0;
}

// What runs for every message before the message itself.
void before_every_message(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    copy_target_to_addin_record();
    dispatch_addin_command(window, g_wyro_host, g_wyro_config, &g_wyro_io, message, wparam, lparam);
    handle_painted_areas(window, message, lparam);
}

}  // namespace

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    before_every_message(window, message, wparam, lparam);
    switch (message) {
    case WM_CREATE:
        return on_create(window);
    case WM_PAINT:
        return on_paint(window);
    case WM_COMMAND:
        return on_command(window, wparam, lparam);
    case WM_NOTIFY:
        return on_notify(window, wparam, lparam);
    case WM_MENUSELECT:
        return on_menu_select(window);
    case WM_CLOSE:
        return on_close(window);
    case WM_DESTROY:
        return on_destroy();
    default:
        return DefWindowProcA(window, message, wparam, lparam);
    }
}
