// The page "フォルダ設定": the start-up folder rule (PATH/wakeupdir) and the folders of the five shortcut
// buttons (PATH/shortcut1-5), each with its folder chooser.
#include "settings.h"
#include "settings_pages.h"
#include "settings_store.h"
#include "bounded_text.h"
#include "resource.h"
#include <prsht.h>
#include <cstdio>
#include <cstdlib>

namespace {

const int SHORTCUT_COUNT = 5;
const int SHORTCUT_BOXES[SHORTCUT_COUNT] = {IDC_FOLDER_SHORTCUT1, IDC_FOLDER_SHORTCUT2, IDC_FOLDER_SHORTCUT3,
                                            IDC_FOLDER_SHORTCUT4, IDC_FOLDER_SHORTCUT5};
const int BROWSE_BUTTONS[SHORTCUT_COUNT] = {IDC_FOLDER_BROWSE1, IDC_FOLDER_BROWSE2, IDC_FOLDER_BROWSE3,
                                            IDC_FOLDER_BROWSE4, IDC_FOLDER_BROWSE5};
// The radio of wakeupdir 0, 1, 2 and 3.
const int WAKEUP_RADIOS[] = {IDC_FOLDER_WAKEUP_LAST, IDC_FOLDER_WAKEUP_DESKTOP, IDC_FOLDER_WAKEUP_DOCUMENTS,
                             IDC_FOLDER_WAKEUP_PROGRAM};
const char *const WAKEUP_VALUES[] = {"0", "1", "2", "3"};

void shortcut_key(int index, char *key, size_t size)
{
    std::snprintf(key, size, "shortcut%d", index + 1);
}

INT_PTR on_init(HWND page)
{
    char key[16];
    char value[SETTING_SIZE];
    for (int i = 0; i < SHORTCUT_COUNT; i++) {
        shortcut_key(i, key, sizeof key);
        read_setting_text("PATH", key, value, sizeof value);
        SendDlgItemMessageA(page, SHORTCUT_BOXES[i], EM_LIMITTEXT, LONGEST_SETTING, 0);
        SetDlgItemTextA(page, SHORTCUT_BOXES[i], value);
    }
    // Any value but 0-3 selects no radio, and then the key is left as it is.
    read_setting_text("PATH", "wakeupdir", value, sizeof value);
    int rule = std::atoi(value);
    if (rule >= 0 && rule < static_cast<int>(countof(WAKEUP_RADIOS))) set_checked(page, WAKEUP_RADIOS[rule], 1);
    return TRUE;
}

void on_browse(HWND page, int index)
{
    // The chooser starts at the stored folder, not at what the box holds now.
    char key[16];
    char initial[SETTING_SIZE];
    shortcut_key(index, key, sizeof key);
    read_setting_text("PATH", key, initial, sizeof initial);
    char title[64];
    std::snprintf(title, sizeof title, "ショートカット%dの場所を選んでください", index + 1);
    char chosen[MAX_PATH];
    if (browse_for_folder(page, chosen, sizeof chosen, title, initial)) SetDlgItemTextA(page, SHORTCUT_BOXES[index], chosen);
}

INT_PTR on_apply(HWND page)
{
    // Every box is checked before anything is written, so the page writes all of its values or none.
    char values[SHORTCUT_COUNT][SETTING_SIZE];
    for (int i = 0; i < SHORTCUT_COUNT; i++) {
        char text[SETTING_SIZE];
        if (!read_item_text(page, SHORTCUT_BOXES[i], text, sizeof text) ||
            !folder_setting_text(text, values[i], sizeof values[i]))
            return refuse_long_text(page);
    }
    char key[16];
    for (int i = 0; i < SHORTCUT_COUNT; i++) {
        shortcut_key(i, key, sizeof key);
        write_setting("PATH", key, values[i]);
    }
    for (size_t rule = 0; rule < countof(WAKEUP_RADIOS); rule++) {
        if (is_checked(page, WAKEUP_RADIOS[rule])) write_setting("PATH", "wakeupdir", WAKEUP_VALUES[rule]);
    }
    return answer_notification(page, PSNRET_NOERROR);
}

INT_PTR on_command(HWND page, int id, int code)
{
    if (code != BN_CLICKED) return FALSE;
    for (int i = 0; i < SHORTCUT_COUNT; i++) {
        if (id == BROWSE_BUTTONS[i]) {
            on_browse(page, i);
            return TRUE;
        }
    }
    return FALSE;
}

INT_PTR on_notify(HWND page, const NMHDR *header)
{
    if (header->code == PSN_APPLY) return on_apply(page);
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK folder_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return on_init(page);
    case WM_COMMAND:
        return on_command(page, LOWORD(wparam), HIWORD(wparam));
    case WM_NOTIFY:
        return on_notify(page, reinterpret_cast<const NMHDR *>(lparam));
    default:
        return FALSE;
    }
}
