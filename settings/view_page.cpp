// The page "表示設定": the file list's background colour (OPTION/viewbkcolor_r, _g, _b) with a slider, a
// box and a hex text per part and a sample list that shows the effect, and the case of the extension
// column (OPTION/viewext).
#include "settings_pages.h"
#include "settings_store.h"
#include "bounded_text.h"
#include "resource.h"
#include <commctrl.h>
#include <commdlg.h>
#include <prsht.h>
#include <cstdio>
#include <cstdlib>

namespace {

struct colour_part {
    int box;
    int slider;
    const char *key;
};

// Red, green, blue.
const colour_part COLOUR_PARTS[] = {
    {IDC_VIEW_RED, IDC_VIEW_RED_SLIDER, "viewbkcolor_r"},
    {IDC_VIEW_GREEN, IDC_VIEW_GREEN_SLIDER, "viewbkcolor_g"},
    {IDC_VIEW_BLUE, IDC_VIEW_BLUE_SLIDER, "viewbkcolor_b"},
};
const int COLOUR_PART_COUNT = static_cast<int>(countof(COLOUR_PARTS));
const int HIGHEST_PART = 255;

// The sample list: where the page makes it, and its two columns.
const int SAMPLE_X = 192;
const int SAMPLE_Y = 53;
const int SAMPLE_WIDTH = 138;
const int SAMPLE_HEIGHT = 100;
const int SAMPLE_NAME_WIDTH = 90;
const int SAMPLE_EXTENSION_WIDTH = 48;

// A box's value as every reader of the file takes it: the leading decimal number, 0 for anything else.
int box_value(HWND page, int box)
{
    char text[SETTING_SIZE];
    GetDlgItemTextA(page, box, text, static_cast<int>(sizeof text));
    return std::atoi(text);
}

void fill_sample_row(HWND page)
{
    HWND sample = GetDlgItem(page, IDC_VIEW_SAMPLE);
    if (sample == nullptr) return;
    SendMessageA(sample, LVM_DELETEALLITEMS, 0, 0);
    char name[] = "mihon.txt";
    char upper[] = "TXT";
    char lower[] = "txt";
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.pszText = name;
    SendMessageA(sample, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    item.iSubItem = 1;
    item.pszText = is_checked(page, IDC_VIEW_UPPER) ? upper : lower;
    SendMessageA(sample, LVM_SETITEMTEXTA, 0, reinterpret_cast<LPARAM>(&item));
}

void add_sample_column(HWND sample, int index, const char *title, int width)
{
    char text[32];
    copy_text(text, sizeof text, title);
    LVCOLUMNA column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = text;
    column.cx = width;
    column.iSubItem = index;
    SendMessageA(sample, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void make_sample_list(HWND page)
{
    HWND sample = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_NOSORTHEADER,
                                  SAMPLE_X, SAMPLE_Y, SAMPLE_WIDTH, SAMPLE_HEIGHT, page,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_VIEW_SAMPLE)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (sample == nullptr) return;
    SendMessageA(sample, WM_SETFONT, SendMessageA(page, WM_GETFONT, 0, 0), FALSE);
    add_sample_column(sample, 0, "ファイル名", SAMPLE_NAME_WIDTH);
    add_sample_column(sample, 1, "拡張子", SAMPLE_EXTENSION_WIDTH);
    fill_sample_row(page);
}

// After any change of a box: the sliders follow the boxes, the sample takes the colour, the hex text shows
// it. Each part counts with its low 8 bits, as the file list does.
void show_colour(HWND page)
{
    int parts[COLOUR_PART_COUNT];
    for (int i = 0; i < COLOUR_PART_COUNT; i++) {
        int value = box_value(page, COLOUR_PARTS[i].box);
        // Worked out wide and held to the slider's range, so no typed number overflows it.
        long long position = static_cast<long long>(HIGHEST_PART) - value;
        if (position < 0) position = 0;
        if (position > HIGHEST_PART) position = HIGHEST_PART;
        SendDlgItemMessageA(page, COLOUR_PARTS[i].slider, TBM_SETPOS, TRUE, static_cast<LPARAM>(position));
        parts[i] = value & 0xFF;
    }
    COLORREF colour = RGB(parts[0], parts[1], parts[2]);
    HWND sample = GetDlgItem(page, IDC_VIEW_SAMPLE);
    if (sample != nullptr) {
        SendMessageA(sample, LVM_SETBKCOLOR, 0, static_cast<LPARAM>(colour));
        SendMessageA(sample, LVM_SETTEXTBKCOLOR, 0, static_cast<LPARAM>(colour));
    }
    InvalidateRect(page, nullptr, TRUE);
    char hex[16];
    std::snprintf(hex, sizeof hex, "%06X", parts[0] * 65536 + parts[1] * 256 + parts[2]);
    SetDlgItemTextA(page, IDC_VIEW_HEX, hex);
}

INT_PTR on_init(HWND page)
{
    for (const colour_part &part : COLOUR_PARTS) {
        SendDlgItemMessageA(page, part.slider, TBM_SETRANGE, TRUE, MAKELPARAM(0, HIGHEST_PART));
        SendDlgItemMessageA(page, part.box, EM_LIMITTEXT, LONGEST_SETTING, 0);
    }
    set_checked(page, read_setting_flag("OPTION", "viewext") ? IDC_VIEW_UPPER : IDC_VIEW_LOWER, 1);
    make_sample_list(page);
    // Filling the boxes raises their change notifications, which set the sliders, the sample and the hex.
    char value[SETTING_SIZE];
    for (const colour_part &part : COLOUR_PARTS) {
        read_setting_text("OPTION", part.key, value, sizeof value);
        SetDlgItemTextA(page, part.box, value);
    }
    show_colour(page);
    return TRUE;
}

// A slider moved: its box takes 255 minus the position.
void on_slider(HWND page, HWND slider)
{
    for (const colour_part &part : COLOUR_PARTS) {
        if (GetDlgItem(page, part.slider) != slider) continue;
        int position = static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0));
        char text[16];
        std::snprintf(text, sizeof text, "%d", HIGHEST_PART - position);
        SetDlgItemTextA(page, part.box, text);
    }
}

void on_pick_colour(HWND page)
{
    COLORREF custom[16] = {};
    CHOOSECOLORA chooser = {};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = page;
    chooser.rgbResult = RGB(0, 0, 0);
    chooser.lpCustColors = custom;
    chooser.Flags = CC_RGBINIT;
    if (!ChooseColorA(&chooser)) return;
    const int parts[COLOUR_PART_COUNT] = {GetRValue(chooser.rgbResult), GetGValue(chooser.rgbResult),
                                          GetBValue(chooser.rgbResult)};
    for (int i = 0; i < COLOUR_PART_COUNT; i++) {
        char text[16];
        std::snprintf(text, sizeof text, "%d", parts[i]);
        SetDlgItemTextA(page, COLOUR_PARTS[i].box, text);
    }
}

INT_PTR on_command(HWND page, int id, int code)
{
    for (const colour_part &part : COLOUR_PARTS) {
        if (id == part.box) {
            show_colour(page);
            return TRUE;
        }
    }
    if (code != BN_CLICKED) return FALSE;
    switch (id) {
    case IDC_VIEW_PICK_COLOUR:
        on_pick_colour(page);
        return TRUE;
    case IDC_VIEW_UPPER:
    case IDC_VIEW_LOWER:
        fill_sample_row(page);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR on_apply(HWND page)
{
    // The boxes' texts are saved as they stand, but only whole: all three are read before any is written.
    char texts[COLOUR_PART_COUNT][SETTING_SIZE];
    for (int i = 0; i < COLOUR_PART_COUNT; i++) {
        if (!read_item_text(page, COLOUR_PARTS[i].box, texts[i], sizeof texts[i])) return refuse_long_text(page);
    }
    for (int i = 0; i < COLOUR_PART_COUNT; i++) write_setting("OPTION", COLOUR_PARTS[i].key, texts[i]);
    write_setting("OPTION", "viewext", is_checked(page, IDC_VIEW_UPPER) ? "1" : "0");
    return answer_notification(page, PSNRET_NOERROR);
}

INT_PTR on_notify(HWND page, const NMHDR *header)
{
    if (header->code == PSN_APPLY) return on_apply(page);
    return FALSE;
}

INT_PTR on_destroy(HWND page)
{
    HWND sample = GetDlgItem(page, IDC_VIEW_SAMPLE);
    if (sample != nullptr) DestroyWindow(sample);
    return FALSE;
}

}  // namespace

INT_PTR CALLBACK view_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return on_init(page);
    case WM_COMMAND:
        return on_command(page, LOWORD(wparam), HIWORD(wparam));
    case WM_VSCROLL:
        on_slider(page, reinterpret_cast<HWND>(lparam));
        return TRUE;
    case WM_NOTIFY:
        return on_notify(page, reinterpret_cast<const NMHDR *>(lparam));
    case WM_DESTROY:
        return on_destroy(page);
    default:
        return FALSE;
    }
}
