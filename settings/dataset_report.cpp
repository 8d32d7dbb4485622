// The identification data report: the dataset in use (DATASET/usedataset and its name) and how many kinds
// (key records of 100 bytes) and patterns (run-list records of 12 bytes) its files hold.
#include "settings.h"
#include "settings_pages.h"
#include "settings_store.h"
#include "app_config.h"
#include "resource.h"
#include <cstdio>

namespace {

const int KEY_RECORD_SIZE = 100;
const int DATASET_RECORD_SIZE = 12;
const int HIGHEST_SLOT = 5;

const char INVALID_SETTING_TEXT[] = "データセットの設定が不正、または未対応です";
const char MISSING_DATASET_TEXT[] = "データセットは存在しないか、未対応です";
const char FIXED_PATHS_TEXT[] = "データセットを使わない(パス固定)";

struct dataset_report_state {
    HFONT font;
};

// The size of a file opened for reading, or -1 when it cannot be opened (or is past what a count shows).
long long file_size_of(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    LARGE_INTEGER size = {};
    BOOL known = GetFileSizeEx(file, &size);
    CloseHandle(file);
    return known ? size.QuadPart : -1;
}

// The index file of the dataset (name empty for the fixed paths) with the given extension; 0 when it
// does not fit.
int index_file_path(const char *name, const char *extension, char *out, size_t size)
{
    int length = name[0] == '\0' ? std::snprintf(out, size, "%sdata/karvo%s", program_folder(), extension)
                                 : std::snprintf(out, size, "%s%s/%s%s", program_folder(), name, name, extension);
    return length >= 0 && static_cast<size_t>(length) < size;
}

// The number of whole records in the file, or -1 when it cannot be read or is not made of such records.
long long record_count(const char *name, const char *extension, int record_size)
{
    char path[MAX_PATH];
    if (!index_file_path(name, extension, path, sizeof path)) return -1;
    long long size = file_size_of(path);
    if (size < 0 || size % record_size != 0) return -1;
    return size / record_size;
}

void show_count(HWND dialog, int id, long long count, const char *unit)
{
    char text[64];
    std::snprintf(text, sizeof text, "%5lld　%s", count, unit);
    SetDlgItemTextA(dialog, id, text);
}

void fill_report(HWND dialog)
{
    int slot = static_cast<int>(GetPrivateProfileIntA("DATASET", "usedataset", 0, g_app_config.ini_path));
    if (slot < 0 || slot > HIGHEST_SLOT) {
        SetDlgItemTextA(dialog, IDC_REPORT_DATASET, INVALID_SETTING_TEXT);
        return;
    }
    char name[SETTING_SIZE] = "";
    if (slot != 0) {
        char key[32];
        std::snprintf(key, sizeof key, "datasetname%d", slot);
        read_setting_text("DATASET", key, name, sizeof name);
        if (name[0] == '\0') {
            SetDlgItemTextA(dialog, IDC_REPORT_DATASET, INVALID_SETTING_TEXT);
            return;
        }
    }
    SetDlgItemTextA(dialog, IDC_REPORT_DATASET, slot == 0 ? FIXED_PATHS_TEXT : name);
    long long kinds = record_count(name, ".key", KEY_RECORD_SIZE);
    if (kinds < 0) {
        SetDlgItemTextA(dialog, IDC_REPORT_DATASET, MISSING_DATASET_TEXT);
        return;
    }
    show_count(dialog, IDC_REPORT_KINDS, kinds, "種類");
    long long patterns = record_count(name, ".dat", DATASET_RECORD_SIZE);
    if (patterns < 0) {
        // The kinds already counted stay shown.
        SetDlgItemTextA(dialog, IDC_REPORT_DATASET, MISSING_DATASET_TEXT);
        return;
    }
    show_count(dialog, IDC_REPORT_PATTERNS, patterns, "パターン");
}

INT_PTR on_init(HWND dialog, dataset_report_state *state)
{
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->font = CreateFontA(22, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "ＭＳ ゴシック");
    SendDlgItemMessageA(dialog, IDC_REPORT_KINDS, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
    SendDlgItemMessageA(dialog, IDC_REPORT_PATTERNS, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
    fill_report(dialog);
    // The first focus goes to "OK", not to the read-only name box.
    SetFocus(GetDlgItem(dialog, IDOK));
    return FALSE;
}

INT_PTR on_command(HWND dialog, dataset_report_state *state, int id)
{
    if (state == nullptr || (id != IDOK && id != IDCANCEL)) return FALSE;
    if (state->font != nullptr) DeleteObject(state->font);
    state->font = nullptr;
    EndDialog(dialog, 1);
    return TRUE;
}

INT_PTR CALLBACK dataset_report_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    dataset_report_state *state = reinterpret_cast<dataset_report_state *>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    switch (message) {
    case WM_INITDIALOG:
        return on_init(dialog, reinterpret_cast<dataset_report_state *>(lparam));
    case WM_COMMAND:
        return on_command(dialog, state, LOWORD(wparam));
    default:
        return FALSE;
    }
}

}  // namespace

int run_dataset_report(HWND owner)
{
    dataset_report_state state = {nullptr};
    INT_PTR ended = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DATASET_REPORT), owner,
                                    dataset_report_proc, reinterpret_cast<LPARAM>(&state));
    if (state.font != nullptr) DeleteObject(state.font);
    return ended == 1;
}
