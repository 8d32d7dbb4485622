// The sheet "基本機能の設定": the general property-sheet builder, the five pages in tab order, and the
// helpers the pages share for writing quodra.ini whole.
#include "settings.h"
#include "settings_pages.h"
#include "app_config.h"
#include "bounded_text.h"
#include "owner_message.h"
#include "path_helpers.h"
#include "resource.h"
#include <commctrl.h>
#include <prsht.h>
#include <cstring>

namespace {

const char SETTINGS_SHEET_CAPTION[] = "基本機能の設定";

// The pages in tab order; a page is made only when it is first shown, so an unvisited page writes nothing.
const DLGPROC SETTINGS_PAGE_PROCEDURES[] = {basic_page_proc, folder_page_proc, view_page_proc, extraction_page_proc,
                                            shell_page_proc};
const int SETTINGS_PAGE_TEMPLATES[] = {IDD_BASIC_PAGE, IDD_FOLDER_PAGE, IDD_VIEW_PAGE, IDD_EXTRACTION_PAGE,
                                       IDD_SHELL_PAGE};
static_assert(countof(SETTINGS_PAGE_PROCEDURES) == countof(SETTINGS_PAGE_TEMPLATES), "one template per page");

HINSTANCE program_module()
{
    return GetModuleHandleA(nullptr);
}

}  // namespace

int show_property_sheet(HWND owner, const char *caption, const DLGPROC *page_procedures, const int *template_ids,
                        int page_count, DWORD sheet_flags)
{
    if (page_count <= 0) return 0;
    PROPSHEETPAGEA *pages = static_cast<PROPSHEETPAGEA *>(
        GlobalAlloc(GPTR, static_cast<SIZE_T>(page_count) * sizeof(PROPSHEETPAGEA)));
    if (pages == nullptr) {
        show_owned_message(owner, "メモリが足りません", "ERROR", MB_ICONWARNING);
        return 0;
    }
    for (int i = 0; i < page_count; i++) {
        pages[i].dwSize = sizeof(PROPSHEETPAGEA);
        pages[i].dwFlags = PSP_DEFAULT;
        pages[i].hInstance = program_module();
        pages[i].pszTemplate = MAKEINTRESOURCEA(template_ids[i]);
        pages[i].pfnDlgProc = page_procedures[i];
    }
    PROPSHEETHEADERA header = {};
    header.dwSize = sizeof header;
    header.dwFlags = sheet_flags | PSH_PROPSHEETPAGE;
    header.hwndParent = owner;
    header.hInstance = program_module();
    header.pszCaption = caption;
    header.nPages = static_cast<UINT>(page_count);
    header.ppsp = pages;
    PropertySheetA(&header);
    GlobalFree(pages);
    return 1;
}

int run_settings_sheet(HWND owner)
{
    // The sliders and the sample list are common controls.
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);
    return show_property_sheet(owner, SETTINGS_SHEET_CAPTION, SETTINGS_PAGE_PROCEDURES, SETTINGS_PAGE_TEMPLATES,
                               static_cast<int>(countof(SETTINGS_PAGE_TEMPLATES)), PSH_NOAPPLYNOW);
}

int write_setting(const char *section, const char *key, const char *value)
{
    return WritePrivateProfileStringA(section, key, value, g_app_config.ini_path) != 0;
}

int read_item_text(HWND dialog, int id, char *out, size_t size)
{
    if (out == nullptr || size == 0) return 0;
    out[0] = '\0';
    // Read with room to spare: a text that fills more than size - 1 bytes of it was too long, even when
    // the read stopped before a double-byte character it could not take whole.
    char text[2 * SETTING_SIZE + 2];
    GetDlgItemTextA(dialog, id, text, static_cast<int>(sizeof text));
    if (std::strlen(text) >= size || std::strlen(text) + 2 >= sizeof text) return 0;
    return copy_text(out, size, text);
}

int folder_setting_text(const char *text, char *out, size_t size)
{
    if (!copy_text(out, size, text)) {
        out[0] = '\0';
        return 0;
    }
    if (out[0] != '\0' && !sjis_ends_with_one_of(out, "\\") && !append_text(out, size, "\\")) {
        out[0] = '\0';
        return 0;
    }
    if (std::strlen(out) > LONGEST_SETTING) {
        out[0] = '\0';
        return 0;
    }
    return 1;
}

INT_PTR answer_notification(HWND page, LONG_PTR result)
{
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR refuse_long_text(HWND page)
{
    show_owned_message(GetParent(page), "入力された文字列が長すぎるため、保存できません。\n259バイト以内にしてください。", "ERROR",
                       MB_ICONWARNING);
    return answer_notification(page, PSNRET_INVALID);
}

void set_checked(HWND dialog, int id, int on)
{
    CheckDlgButton(dialog, id, on ? BST_CHECKED : BST_UNCHECKED);
}

int is_checked(HWND dialog, int id)
{
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}
