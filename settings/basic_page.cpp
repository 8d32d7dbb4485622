// The page "基本設定": three flags of section BASIC, each a check box.
#include "settings_pages.h"
#include "settings_store.h"
#include "resource.h"
#include <prsht.h>

namespace {

struct basic_flag {
    int control;
    const char *key;
};

// In the order they are written.
const basic_flag BASIC_FLAGS[] = {
    {IDC_BASIC_UPPER_CASE, "attachext"},
    {IDC_BASIC_NO_RESULT_DIALOG, "nodanddlg"},
    {IDC_BASIC_COMMENT_AS_NAME, "comtofname"},
};

INT_PTR on_init(HWND page)
{
    for (const basic_flag &flag : BASIC_FLAGS) set_checked(page, flag.control, read_setting_flag("BASIC", flag.key));
    return TRUE;
}

INT_PTR on_apply(HWND page)
{
    for (const basic_flag &flag : BASIC_FLAGS) write_setting("BASIC", flag.key, is_checked(page, flag.control) ? "1" : "0");
    return answer_notification(page, PSNRET_NOERROR);
}

INT_PTR on_notify(HWND page, const NMHDR *header)
{
    if (header->code == PSN_APPLY) return on_apply(page);
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK basic_page_proc(HWND page, UINT message, WPARAM, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return on_init(page);
    case WM_NOTIFY:
        return on_notify(page, reinterpret_cast<const NMHDR *>(lparam));
    default:
        return FALSE;
    }
}
