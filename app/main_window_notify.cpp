// The main window's notifications: the file list's click, double click, right click and key down, and
// the toolbar's tool tips.
#include "main_window_commands.h"
#include "bounded_text.h"
#include "engine_records.h"
#include "folder_list.h"
#include "identify.h"
#include "main_window_state.h"
#include "path_helpers.h"
#include "resource.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>

namespace {

struct tool_tip {
    UINT command;
    const char *text;
};

const tool_tip TOOL_TIPS[] = {
    {IDM_IDENTIFY, "対象ファイルを識別"},
    {IDM_SETTINGS, "設定画面を表示"},
    {IDM_PROPERTIES, "プロパティを表示"},
    {IDM_OPEN, "ファイルを開く(対象がフォルダの場合フォルダを開きます)"},
    {IDM_OPEN_FOLDER, "フォルダを開く"},
};

const char *tool_tip_text(UINT_PTR command)
{
    for (const tool_tip &tip : TOOL_TIPS) {
        if (tip.command == command) return tip.text;
    }
    return nullptr;
}

// The last row whose state has the focused bit; row 0 when none has.
int focused_file_row()
{
    int count = static_cast<int>(SendMessageA(g_file_list, LVM_GETITEMCOUNT, 0, 0));
    int row = 0;
    for (int i = 0; i < count; i++) {
        if (SendMessageA(g_file_list, LVM_GETITEMSTATE, static_cast<WPARAM>(i), LVIS_FOCUSED) & LVIS_FOCUSED) row = i;
    }
    return row;
}

// Sets the target edit box to the current folder + the name in row; the name goes into name.
void target_file_row(int row, char *name, size_t name_size, char *folder, size_t folder_size)
{
    name[0] = '\0';
    LVITEMA item = {};
    item.iSubItem = 0;
    item.pszText = name;
    item.cchTextMax = static_cast<int>(name_size);
    SendMessageA(g_file_list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    read_current_folder(folder, folder_size);
    char target[TARGET_TEXT_SIZE];
    // A name that would make the path too long leaves the target at the folder.
    if (!copy_text(target, sizeof target, folder) || !append_text(target, sizeof target, name))
        copy_text(target, sizeof target, folder);
    set_target_text(target);
}

// Click and right click alike: target, status text, and a rename button that goes dark on another row.
int take_clicked_row(HWND window)
{
    int row = focused_file_row();
    char name[FILE_ROW_SIZE];
    char folder[PATH_SIZE];
    target_file_row(row, name, sizeof name, folder, sizeof folder);

    // "[" + the current folder's own name + "/" + the file name + "]".
    char inner[PATH_SIZE];
    copy_text(inner, sizeof inner, folder);
    if (sjis_ends_with_one_of(inner, "\\")) inner[std::strlen(inner) - 1] = '\0';
    char last[PATH_SIZE] = "";
    if (inner[0] != '\0') file_name_of(nullptr, inner, last, sizeof last);
    char status[PATH_SIZE * 2 + 8];
    std::snprintf(status, sizeof status, "[%s/%s]", last, name);
    set_status_text(status);

    if (g_rename_possible == 1 && row != g_last_clicked_row) {
        g_rename_possible = 0;
        InvalidateRect(window, nullptr, FALSE);
    }
    return row;
}

void on_file_click(HWND window)
{
    int row = take_clicked_row(window);
    copy_target_to_addin_record();
    fire_addin_event(window, g_wyro_host, g_wyro_config, &g_wyro_io, WYRO_EVENT_LIST_CLICK);
    SetFocus(g_file_list);
    g_last_clicked_row = row;
}

void on_file_double_click(HWND window)
{
    copy_target_to_addin_record();
    fire_addin_event(window, g_wyro_host, g_wyro_config, &g_wyro_io, WYRO_EVENT_LIST_DOUBLE_CLICK);
    SetFocus(g_file_list);
}

void on_file_right_click(HWND window)
{
    g_last_clicked_row = take_clicked_row(window);
    EnableMenuItem(g_file_popup_menu, IDM_RENAME, MF_BYCOMMAND | (g_rename_possible == 1 ? MF_ENABLED : MF_GRAYED));
    POINT cursor = {};
    GetCursorPos(&cursor);
    TrackPopupMenu(g_file_popup_menu, TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, 0, window, nullptr);
}

void on_file_key_down()
{
    char name[FILE_ROW_SIZE];
    char folder[PATH_SIZE];
    target_file_row(focused_file_row(), name, sizeof name, folder, sizeof folder);
}

LRESULT on_file_list(HWND window, const NMHDR *header)
{
    switch (header->code) {
    case NM_CLICK:
        on_file_click(window);
        break;
    case NM_DBLCLK:
        on_file_double_click(window);
        break;
    case NM_RCLICK:
        on_file_right_click(window);
        break;
    case LVN_KEYDOWN:
        on_file_key_down();
        break;
    default:
        break;
    }
    return 0;
}

LRESULT on_tool_tip_a(NMHDR *header)
{
    NMTTDISPINFOA *info = reinterpret_cast<NMTTDISPINFOA *>(header);
    const char *text = tool_tip_text(header->idFrom);
    if (text != nullptr) info->lpszText = const_cast<char *>(text);
    return 0;
}

LRESULT on_tool_tip_w(NMHDR *header)
{
    // A tool tip that asks in UTF-16 gets the same text converted.
    static wchar_t wide[128];
    NMTTDISPINFOW *info = reinterpret_cast<NMTTDISPINFOW *>(header);
    const char *text = tool_tip_text(header->idFrom);
    if (text == nullptr) return 0;
    if (MultiByteToWideChar(932, 0, text, -1, wide, 128) > 0) info->lpszText = wide;
    return 0;
}

}  // namespace

LRESULT on_notify(HWND window, WPARAM, LPARAM lparam)
{
    NMHDR *header = reinterpret_cast<NMHDR *>(lparam);
    if (header == nullptr) return 0;
    if (header->idFrom == IDC_FILE_LIST && header->hwndFrom == g_file_list) return on_file_list(window, header);
    if (header->code == TTN_NEEDTEXTA) return on_tool_tip_a(header);
    if (header->code == TTN_NEEDTEXTW) return on_tool_tip_w(header);
    return 0;
}
