// The page "解凍設定": what happens to archives handed to the program on its command line (section
// ARCHIVE: extract, extdir, extdirpath, opendir, createdir).
#include "settings.h"
#include "settings_pages.h"
#include "settings_store.h"
#include "resource.h"
#include <prsht.h>
#include <cstdlib>

namespace {

int read_number(const char *key)
{
    char value[SETTING_SIZE];
    read_setting_text("ARCHIVE", key, value, sizeof value);
    return std::atoi(value);
}

// The folder box and its browse button are usable only with "指定場所".
void apply_enabling(HWND page)
{
    int to_folder = is_checked(page, IDC_EXTRACT_TO_FOLDER);
    SendDlgItemMessageA(page, IDC_EXTRACT_FOLDER, EM_SETREADONLY, to_folder ? FALSE : TRUE, 0);
    EnableWindow(GetDlgItem(page, IDC_EXTRACT_BROWSE), to_folder);
}

INT_PTR on_init(HWND page)
{
    set_checked(page, read_number("extract") == 1 ? IDC_EXTRACT_ARCHIVES : IDC_EXTRACT_IDENTIFY_ALL, 1);
    int destination = read_number("extdir");
    int radio = destination == 0 ? IDC_EXTRACT_TO_FOLDER : destination == 2 ? IDC_EXTRACT_BESIDE : IDC_EXTRACT_TO_DESKTOP;
    set_checked(page, radio, 1);
    apply_enabling(page);
    char folder[SETTING_SIZE];
    read_setting_text("ARCHIVE", "extdirpath", folder, sizeof folder);
    SendDlgItemMessageA(page, IDC_EXTRACT_FOLDER, EM_LIMITTEXT, LONGEST_SETTING, 0);
    SetDlgItemTextA(page, IDC_EXTRACT_FOLDER, folder);
    set_checked(page, IDC_EXTRACT_OPEN_FOLDER, read_setting_flag("ARCHIVE", "opendir"));
    set_checked(page, IDC_EXTRACT_SUBFOLDER, read_setting_flag("ARCHIVE", "createdir"));
    return TRUE;
}

void on_browse(HWND page)
{
    // The chooser starts at the stored folder, not at what the box holds now.
    char initial[SETTING_SIZE];
    read_setting_text("ARCHIVE", "extdirpath", initial, sizeof initial);
    char chosen[MAX_PATH];
    if (browse_for_folder(page, chosen, sizeof chosen, "解凍先フォルダの選択", initial))
        SetDlgItemTextA(page, IDC_EXTRACT_FOLDER, chosen);
}

INT_PTR on_command(HWND page, int id, int code)
{
    if (code != BN_CLICKED) return FALSE;
    switch (id) {
    case IDC_EXTRACT_TO_DESKTOP:
    case IDC_EXTRACT_BESIDE:
    case IDC_EXTRACT_TO_FOLDER:
        apply_enabling(page);
        return TRUE;
    case IDC_EXTRACT_BROWSE:
        on_browse(page);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR on_apply(HWND page)
{
    // The folder is checked first: the page writes all five keys or none.
    char text[SETTING_SIZE];
    char folder[SETTING_SIZE];
    if (!read_item_text(page, IDC_EXTRACT_FOLDER, text, sizeof text) || !folder_setting_text(text, folder, sizeof folder))
        return refuse_long_text(page);
    write_setting("ARCHIVE", "extract", is_checked(page, IDC_EXTRACT_ARCHIVES) ? "1" : "0");
    const char *destination = is_checked(page, IDC_EXTRACT_TO_DESKTOP) ? "1" : is_checked(page, IDC_EXTRACT_BESIDE) ? "2" : "0";
    write_setting("ARCHIVE", "extdir", destination);
    write_setting("ARCHIVE", "extdirpath", folder);
    write_setting("ARCHIVE", "opendir", is_checked(page, IDC_EXTRACT_OPEN_FOLDER) ? "1" : "0");
    write_setting("ARCHIVE", "createdir", is_checked(page, IDC_EXTRACT_SUBFOLDER) ? "1" : "0");
    return answer_notification(page, PSNRET_NOERROR);
}

INT_PTR on_notify(HWND page, const NMHDR *header)
{
    if (header->code == PSN_APPLY) return on_apply(page);
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK extraction_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
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
