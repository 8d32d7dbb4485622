// The add-in system's windows and reports: the view window, the state report, the details card window with
// its selector strip and closing animation, and the version dialog.
#include "addin_host.h"
#include "addin_card.h"
#include "owner_message.h"
#include "resource.h"
#include <cstdio>
#include <cstring>

namespace {

const char NOT_INSTALLED_TEXT[] = "WYROは導入されてません";
const char NOT_STARTED_CAPTION[] = "WYRO未起動";
const char DETAILS_TITLE[] = "アドインの詳細情報";
const int VIEW_WINDOW_X = 296;
const int VIEW_WINDOW_Y = 160;
const UINT CLOSING_PERIOD_MS = 50;
const int CLOSING_STEPS = 10;
const int CLOSING_STEP_WIDTH = 53;
const int CLOSING_STEP_HEIGHT = 42;

// The details state lives for the whole run; the first opening shows add-in 1.
addin_details_state details_state = {1, {}, 0};

HINSTANCE program_instance()
{
    return GetModuleHandleA(nullptr);
}

int host_count(const wyro_host *host)
{
    return host != nullptr && host->count != nullptr ? *host->count : 0;
}

// View window: a plain child dialog that add-ins may draw into.
INT_PTR CALLBACK view_window_proc(HWND window, UINT message, WPARAM, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_CLOSE:
        DestroyWindow(window);
        return TRUE;
    default:
        return FALSE;
    }
}

// Details window: per-opening drawing tools and the host it shows.
struct details_dialog {
    const wyro_host *host;
    card_tools tools;
    int tools_made;
};

details_dialog *details_of(HWND window)
{
    return reinterpret_cast<details_dialog *>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

void show_details_index(HWND window, int index)
{
    char text[16];
    std::snprintf(text, sizeof text, "%3d", index);
    SetDlgItemTextA(window, IDC_DETAILS_INDEX, text);
}

// Places the card's two controls in card pixels: the number left of the selector strip, "×" at the right.
void place_details_controls(HWND window)
{
    SetWindowPos(window, nullptr, 0, 0, CARD_WIDTH, CARD_HEIGHT, SWP_NOMOVE | SWP_NOZORDER);
    MoveWindow(GetDlgItem(window, IDC_DETAILS_INDEX), 4, 10, 34, 16, FALSE);
    MoveWindow(GetDlgItem(window, IDC_DETAILS_CLOSE), CARD_WIDTH - 34, 6, 26, 22, FALSE);
}

INT_PTR on_details_init(HWND window, details_dialog *dialog)
{
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(dialog));
    // A caption in the template would add a title bar to the card; the title is for the task list.
    SetWindowTextA(window, DETAILS_TITLE);
    place_details_controls(window);
    details_state.close_step = 0;
    if (host_count(dialog->host) <= 0) {
        show_details_index(window, 0);
    } else {
        details_state.current_index = 1;
        show_details_index(window, 1);
        load_displayed_info(window, dialog->host);
    }
    std::memset(&dialog->tools, 0, sizeof dialog->tools);
    dialog->tools_made = create_card_tools(&dialog->tools);
    return TRUE;
}

// The selector strip: a left-button press on a cell shows that add-in.
void on_details_selector(HWND window, details_dialog *dialog, LPARAM lparam)
{
    int x = static_cast<short>(LOWORD(lparam));
    int y = static_cast<short>(HIWORD(lparam));
    int cell = selector_cell_at(host_count(dialog->host), x, y);
    if (cell == 0) return;
    details_state.current_index = cell;
    show_details_index(window, cell);
    load_displayed_info(window, dialog->host);
    InvalidateRect(window, nullptr, FALSE);
}

void on_details_paint(HWND window, details_dialog *dialog)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    paint_addin_card(dc, &dialog->tools, host_count(dialog->host), details_state.current_index,
                     &details_state.displayed_info);
    EndPaint(window, &paint);
}

void draw_closing_step(HWND window, int step)
{
    if (step > CLOSING_STEPS - 2) return;
    int width = (CLOSING_STEPS - step) * CLOSING_STEP_WIDTH;
    int height = (CLOSING_STEPS - step) * CLOSING_STEP_HEIGHT;
    HDC dc = GetDC(window);
    RECT area = {0, 0, width, height};
    FillRect(dc, &area, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ReleaseDC(window, dc);
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void on_details_timer(HWND window)
{
    if (details_state.close_step < CLOSING_STEPS) {
        draw_closing_step(window, details_state.close_step);
        details_state.close_step++;
        return;
    }
    KillTimer(window, IDT_DETAILS_CLOSING);
    PostMessageA(window, WM_CLOSE, 0, 0);
}

void on_details_close(HWND window, details_dialog *dialog)
{
    KillTimer(window, IDT_DETAILS_CLOSING);
    delete_card_tools(&dialog->tools);
    EndDialog(window, 0);
}

INT_PTR CALLBACK details_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    if (message == WM_INITDIALOG) return on_details_init(window, reinterpret_cast<details_dialog *>(lparam));
    details_dialog *dialog = details_of(window);
    if (dialog == nullptr) return FALSE;
    switch (message) {
    case WM_LBUTTONDOWN:
        on_details_selector(window, dialog, lparam);
        return TRUE;
    case WM_RBUTTONDOWN:
        return TRUE;
    case WM_CTLCOLORSTATIC:
        // The add-in number sits on the white card.
        SetBkColor(reinterpret_cast<HDC>(wparam), RGB(255, 255, 255));
        return reinterpret_cast<INT_PTR>(GetStockObject(WHITE_BRUSH));
    case WM_PAINT:
        on_details_paint(window, dialog);
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wparam) == IDC_DETAILS_CLOSE) {
            details_state.close_step = 0;
            SetTimer(window, IDT_DETAILS_CLOSING, CLOSING_PERIOD_MS, nullptr);
        }
        return TRUE;
    case WM_TIMER:
        if (wparam == IDT_DETAILS_CLOSING) on_details_timer(window);
        return TRUE;
    case WM_CLOSE:
        on_details_close(window, dialog);
        return TRUE;
    default:
        return FALSE;
    }
}

// Version dialog: the program's version and the add-in system's configuration.
struct version_dialog {
    const wyro_io_record *io;
    wyro_config config;
};

INT_PTR on_version_init(HWND window, const version_dialog *dialog)
{
    SetDlgItemTextA(window, IDC_VERSION_NUMBER, "Ver1.04");
    char text[260];
    std::snprintf(text, sizeof text,
                  "[wyro i/o system]\r\nsupport version=%d\r\n\r\n[wyro configration]\r\nview window=exist\r\n"
                  "max include=%d \r\nmax root=%d",
                  static_cast<int>(static_cast<int8_t>(dialog->io != nullptr ? dialog->io->version : 0)),
                  static_cast<int>(dialog->config.max_include), static_cast<int>(dialog->config.max_root));
    SetDlgItemTextA(window, IDC_VERSION_CONFIGURATION, text);
    return TRUE;
}

INT_PTR CALLBACK version_dialog_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return on_version_init(window, reinterpret_cast<const version_dialog *>(lparam));
    case WM_COMMAND:
        if (LOWORD(wparam) == IDC_VERSION_OK || LOWORD(wparam) == IDCANCEL) EndDialog(window, 0);
        return TRUE;
    case WM_CLOSE:
        EndDialog(window, 0);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

addin_details_state *addin_details()
{
    return &details_state;
}

int load_displayed_info(HWND owner, const wyro_host *host)
{
    if (host == nullptr || host->count == nullptr) return 0;
    int index = details_state.current_index;
    // An index outside 0..count (the add-in set changed since it was chosen) reads nothing.
    if (index > *host->count || index < 0) return 0;
    if (index == 0) {
        std::memset(&details_state.displayed_info, 0, sizeof details_state.displayed_info);
        return 0;
    }
    char path[MAX_PATH];
    if (!addin_library_path(host, index - 1, path, sizeof path)) return 0;
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path);
    SetErrorMode(previous);
    if (module == nullptr) return 0;
    wyro_declare_function declare =
        reinterpret_cast<wyro_declare_function>(reinterpret_cast<void *>(GetProcAddress(module, WYRO_DECLARE_EXPORT)));
    if (declare == nullptr) {
        FreeLibrary(module);
        return 0;
    }
    declare(owner, &details_state.displayed_info);
    FreeLibrary(module);
    return 1;
}

HWND create_addin_view_window(HWND parent)
{
    HWND view = CreateDialogParamA(program_instance(), MAKEINTRESOURCEA(IDD_ADDIN_VIEW), parent, view_window_proc, 0);
    if (view == nullptr) return nullptr;
    SetWindowPos(view, nullptr, VIEW_WINDOW_X, VIEW_WINDOW_Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(view, SW_SHOW);
    return view;
}

int show_addin_state(HWND owner, const wyro_host *host)
{
    if (host == nullptr || host->count == nullptr) {
        show_owned_message(owner, NOT_INSTALLED_TEXT, NOT_STARTED_CAPTION, MB_ICONINFORMATION);
        return 1;
    }
    char text[96];
    std::snprintf(text, sizeof text, "現在アクティブなアドインの数=%d", static_cast<int>(*host->count));
    show_owned_message(owner, text, "正常動作中", MB_ICONINFORMATION);
    return 1;
}

int show_addin_details(HWND owner, const wyro_host *host)
{
    if (host == nullptr || host->count == nullptr) {
        show_owned_message(owner, NOT_INSTALLED_TEXT, NOT_STARTED_CAPTION, MB_ICONINFORMATION);
        return 1;
    }
    if (*host->count == 0) {
        show_owned_message(owner, "アクティブなアドインが1つもありません", "wyro詳細情報表示不可", MB_ICONINFORMATION);
        return 1;
    }
    details_dialog dialog;
    std::memset(&dialog, 0, sizeof dialog);
    dialog.host = host;
    DialogBoxParamA(program_instance(), MAKEINTRESOURCEA(IDD_ADDIN_DETAILS), owner, details_window_proc,
                    reinterpret_cast<LPARAM>(&dialog));
    delete_card_tools(&dialog.tools);
    return 1;
}

int show_addin_version(HWND owner, const wyro_io_record *io, wyro_config config)
{
    version_dialog dialog = {io, config};
    DialogBoxParamA(program_instance(), MAKEINTRESOURCEA(IDD_VERSION), owner, version_dialog_proc,
                    reinterpret_cast<LPARAM>(&dialog));
    return 1;
}
