// The painted result panel and buttons. Mouse areas are exclusive on all four sides: a point on an edge
// belongs to no area.
#include "result_panel.h"
#include "app_config.h"
#include "bounded_text.h"
#include "config.h"
#include "engine_records.h"
#include "folder_list.h"
#include "identify.h"
#include "main_window_state.h"
#include "path_helpers.h"
#include "resource.h"
#include "settings_store.h"
#include "text_cut.h"
#include "window_mode.h"
#include <shlobj.h>
#include <cstdio>

namespace {

struct area {
    int left, top, right, bottom;
};

int area_contains(const area &a, int x, int y)
{
    return a.left < x && x < a.right && a.top < y && y < a.bottom;
}

const int SHORTCUT_COUNT = 5;
const area SHORTCUT_AREAS[SHORTCUT_COUNT] = {
    {172, 231, 189, 248}, {190, 231, 208, 248}, {209, 231, 226, 248}, {227, 231, 243, 248}, {243, 231, 261, 248}};
const area DESKTOP_AREA = {10, 231, 35, 248};
const area MY_DOCUMENTS_AREA = {35, 231, 57, 248};
const area ROOT_AREA = {57, 231, 67, 248};
const area PROGRAM_FOLDER_AREA = {68, 231, 79, 248};
const area RENAME_AREA = {246, 155, 276, 184};

struct hinted_area {
    area where;
    const char *hint;
};

// Tested in this order; the first match wins. The last one is the whole panel.
const hinted_area PANEL_AREAS[] = {
    {{275, 52, 365, 71}, "識別結果(第一候補)の拡張子がここに表示されます"},
    {{460, 59, 490, 71}, "Logical Points(lpts)"},
    {{368, 52, 493, 71}, "第一候補のlptsが表示されます"},
    {{289, 73, 492, 87}, "拡張子についての詳細情報が表示されます"},
    {{281, 105, 371, 119}, "第二候補の[拡張子/LPTS]"},
    {{396, 105, 487, 119}, "第三候補の[拡張子/LPTS]"},
    {{253, 36, 513, 139}, "識別結果を表示するウィンドウです"},
};

const char RENAME_OFF_HINT[] = "リネームボタン[OFF] 拡張子がリネーム可能の時は赤になります。";
const char RENAME_ON_HINT[] = "リネームボタン[ON] 拡張子がリネーム可能です。";

// Pictures.

void draw_picture(HDC dc, int bitmap_id, int x, int y)
{
    HBITMAP bitmap = LoadBitmapA(g_instance, MAKEINTRESOURCEA(bitmap_id));
    if (bitmap == nullptr) return;
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
}

void draw_text(HDC dc, int x, int y, HFONT font, COLORREF text, COLORREF background, const char *value)
{
    HGDIOBJ old = SelectObject(dc, font);
    SetTextColor(dc, text);
    SetBkColor(dc, background);
    SetBkMode(dc, OPAQUE);
    TextOutA(dc, x, y, value, lstrlenA(value));
    SelectObject(dc, old);
}

// Folder moves.

void show_status_with(const char *format, const char *value)
{
    char text[PATH_SIZE + 40];
    std::snprintf(text, sizeof text, format, value);
    set_status_text(text);
}

// Makes folder the current folder; status is the text shown, or null for "MOVED=<folder>".
void make_current_folder(const char *folder, const char *status)
{
    char value[PATH_SIZE];
    if (!copy_text(value, sizeof value, folder)) return;
    // Every writer of targetdir leaves a trailing backslash; a hand-written shortcut may lack it.
    if (value[0] != '\0' && !sjis_ends_with_one_of(value, "\\") && !append_text(value, sizeof value, "\\")) return;
    write_path_setting("targetdir", value);
    set_target_text(value);
    if (status != nullptr) {
        set_status_text(status);
    } else {
        show_status_with("MOVED=%s", value);
    }
    refresh_file_list();
    refresh_folder_list();
}

void go_to_shortcut(int number)
{
    char key[16];
    std::snprintf(key, sizeof key, "shortcut%d", number);
    char stored[PATH_SIZE + 2] = "";
    // A value too long to be a path is not followed.
    if (read_setting_text("PATH", key, stored, sizeof stored) >= PATH_SIZE) return;
    make_current_folder(stored, nullptr);
}

void register_shortcut(int number)
{
    char target[TARGET_TEXT_SIZE];
    read_target_text(target, sizeof target);
    char folder[PATH_SIZE] = "";
    folder_of(nullptr, target, folder, sizeof folder);
    char key[16];
    std::snprintf(key, sizeof key, "shortcut%d", number);
    write_path_setting(key, folder);
    show_status_with("WRITE=%s", folder);
}

void go_to_special_folder(int csidl, const char *status)
{
    char folder[PATH_SIZE];
    if (!shell_folder_with_backslash(csidl, folder, sizeof folder)) return;
    make_current_folder(folder, status);
}

void go_to_drive_list()
{
    write_path_setting("targetdir", nullptr);
    set_target_text("");
    set_status_text("MOVED=ROOT");
    refresh_file_list();
    refresh_folder_list();
}

void on_mouse_move(int x, int y)
{
    int matched = 0;
    for (int n = 0; n < SHORTCUT_COUNT; n++) {
        if (!area_contains(SHORTCUT_AREAS[n], x, y)) continue;
        char hint[200];
        std::snprintf(hint, sizeof hint, "[ショートカット%d] 左クリック-フォルダ移動　右クリック-現在のフォルダを登録",
                      n + 1);
        set_status_text(hint);
        matched = 1;
    }
    for (const hinted_area &panel : PANEL_AREAS) {
        if (!area_contains(panel.where, x, y)) continue;
        set_status_text(panel.hint);
        matched = 1;
        break;
    }
    const hinted_area JUMPS[] = {{PROGRAM_FOLDER_AREA, "カレントディレクトリに移動します。"},
                                 {ROOT_AREA, "ルートディレクトリに移動します。"},
                                 {DESKTOP_AREA, "デスクトップに移動します。"},
                                 {MY_DOCUMENTS_AREA, "マイドキュメントに移動します。"}};
    for (const hinted_area &jump : JUMPS) {
        if (!area_contains(jump.where, x, y)) continue;
        set_status_text(jump.hint);
        matched = 1;
    }
    if (area_contains(RENAME_AREA, x, y)) {
        if (g_rename_possible == 1) {
            set_status_text(RENAME_ON_HINT);
            return;
        }
        set_status_text(RENAME_OFF_HINT);
        matched = 1;
    }
    if (!matched) set_status_text("");
}

void on_left_button_down(HWND window, int x, int y)
{
    for (int n = 0; n < SHORTCUT_COUNT; n++) {
        if (area_contains(SHORTCUT_AREAS[n], x, y)) go_to_shortcut(n + 1);
    }
    if (area_contains(PROGRAM_FOLDER_AREA, x, y)) make_current_folder(program_folder(), nullptr);
    if (area_contains(ROOT_AREA, x, y)) go_to_drive_list();
    if (area_contains(DESKTOP_AREA, x, y)) go_to_special_folder(CSIDL_DESKTOPDIRECTORY, "MOVED=DESKTOP");
    if (area_contains(MY_DOCUMENTS_AREA, x, y)) go_to_special_folder(CSIDL_PERSONAL, "MOVED=MY DOCUMENTS");
    if (area_contains(RENAME_AREA, x, y) && g_rename_possible == 1)
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDM_RENAME, 0), 0);
}

void on_right_button_down(int x, int y)
{
    for (int n = 0; n < SHORTCUT_COUNT; n++) {
        if (area_contains(SHORTCUT_AREAS[n], x, y)) register_shortcut(n + 1);
    }
}

}  // namespace

void paint_result_panel(HDC dc)
{
    draw_picture(dc, IDB_FOLDER_JUMPS, 10, 230);
    draw_picture(dc, IDB_SHORTCUTS, 100, 230);
    draw_picture(dc, IDB_RESULT_PANEL, 253, 35);
    draw_picture(dc, g_rename_possible == 1 ? IDB_RENAME_LIT : IDB_RENAME_DARK, 246, 155);

    const identification_result *result = &g_identification_result;
    const COLORREF BLACK = RGB(0, 0, 0);
    const COLORREF YELLOW = RGB(255, 255, 0);
    char text[64];
    draw_text(dc, 300, 53, g_large_font, BLACK, RGB(102, 204, 51), result->first_extension);
    std::snprintf(text, sizeof text, "%06.2f", static_cast<double>(result->first_score));
    draw_text(dc, 388, 53, g_large_bold_font, RGB(0, 0, 255), RGB(255, 204, 153), text);
    char comment[PANEL_COMMENT_BYTES + 1];
    sjis_cut(result->first_comment, PANEL_COMMENT_BYTES, comment, sizeof comment);
    draw_text(dc, 291, 74, g_small_font, YELLOW, RGB(112, 156, 255), comment);
    draw_text(dc, 296, 106, g_second_small_font, BLACK, RGB(153, 204, 204), result->second_extension);
    std::snprintf(text, sizeof text, "%05.1f", static_cast<double>(result->second_score));
    draw_text(dc, 341, 106, g_small_font, YELLOW, RGB(255, 153, 51), text);
    draw_text(dc, 413, 106, g_second_small_font, BLACK, RGB(153, 204, 204), result->third_extension);
    std::snprintf(text, sizeof text, "%05.1f", static_cast<double>(result->third_score));
    draw_text(dc, 457, 106, g_small_font, YELLOW, RGB(255, 153, 51), text);
}

void handle_painted_areas(HWND window, UINT message, LPARAM position)
{
    int x = static_cast<int>(static_cast<short>(LOWORD(position)));
    int y = static_cast<int>(static_cast<short>(HIWORD(position)));
    switch (message) {
    case WM_MOUSEMOVE:
        on_mouse_move(x, y);
        break;
    case WM_LBUTTONDOWN:
        on_left_button_down(window, x, y);
        break;
    case WM_RBUTTONDOWN:
        on_right_button_down(x, y);
        break;
    default:
        break;
    }
}
