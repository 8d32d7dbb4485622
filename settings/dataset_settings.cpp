// The dataset settings dialog: the datasets found beside the program (a folder S holding S\S.dat and
// S\S.key) and the five slots DATASET/datasetname1-5 they can be put into; closing writes every slot.
#include "settings.h"
#include "settings_pages.h"
#include "settings_store.h"
#include "app_config.h"
#include "bounded_text.h"
#include "owner_message.h"
#include "path_helpers.h"
#include "resource.h"
#include <cstdio>
#include <cstring>

namespace {

const int SLOT_COUNT = 5;
const int SLOT_BOXES[SLOT_COUNT] = {IDC_DATASET_SLOT1, IDC_DATASET_SLOT2, IDC_DATASET_SLOT3, IDC_DATASET_SLOT4,
                                    IDC_DATASET_SLOT5};
const int TAKE_BUTTONS[SLOT_COUNT] = {IDC_DATASET_TAKE1, IDC_DATASET_TAKE2, IDC_DATASET_TAKE3, IDC_DATASET_TAKE4,
                                      IDC_DATASET_TAKE5};

const char NOT_SET[] = "未設定";
const char NO_DATASET[] = "(なし)";

// The available-dataset list, made by the dialog.
const int LIST_X = 220;
const int LIST_Y = 50;
const int LIST_WIDTH = 175;
const int LIST_HEIGHT = 277;

const int NAME_SLOT_SIZE = 260;

struct dataset_settings_state {
    HFONT font;
    HWND list;
    int has_datasets;  // 0 while the list holds only "(なし)" (or nothing)
};

void slot_key(int index, char *key, size_t size)
{
    std::snprintf(key, size, "datasetname%d", index + 1);
}

// Opens a file for reading and writing (others may read) and closes it again: 1 when that worked.
int opens_for_writing(const char *path)
{
    HANDLE file = CreateFileA(path, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    CloseHandle(file);
    return 1;
}

int dataset_file(const char *name, const char *extension, char *out, size_t size)
{
    return copy_text(out, size, program_folder()) && append_text(out, size, name) && append_text(out, size, "\\") &&
           append_text(out, size, name) && append_text(out, size, extension);
}

int is_dataset_folder(const char *name)
{
    char path[MAX_PATH];
    if (!dataset_file(name, ".dat", path, sizeof path) || !opens_for_writing(path)) return 0;
    return dataset_file(name, ".key", path, sizeof path) && opens_for_writing(path);
}

// Fills the list with the datasets beside the program; "(なし)" when there are none.
void fill_available(HWND dialog, dataset_settings_state *state)
{
    const char *folder = program_folder();
    int count = count_folder_entries(dialog, folder, "*", LIST_FOLDERS);
    if (count > 0 && count < LIST_PATH_TOO_LONG) {
        char *names = static_cast<char *>(GlobalAlloc(GPTR, static_cast<SIZE_T>(count) * NAME_SLOT_SIZE));
        if (names == nullptr) {
            show_owned_message(dialog, "メモリが不足しているため、処理を中断しました", "ERROR", MB_ICONWARNING);
            return;
        }
        int listed = list_folder_paths(dialog, folder, names, count, NAME_SLOT_SIZE, "*", LIST_FOLDERS, 1);
        // A folder that came or went between counting and listing makes the listing untrustworthy.
        if (listed == count) {
            for (int i = 0; i < count; i++) {
                const char *name = names + static_cast<size_t>(i) * NAME_SLOT_SIZE;
                if (!is_dataset_folder(name)) continue;
                SendMessageA(state->list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
                state->has_datasets = 1;
            }
        }
        GlobalFree(names);
    }
    if (!state->has_datasets) SendMessageA(state->list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(NO_DATASET));
    SendMessageA(state->list, LB_SETCURSEL, 0, 0);
}

INT_PTR on_init(HWND dialog, dataset_settings_state *state)
{
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->list = CreateWindowExA(WS_EX_CLIENTEDGE, "LISTBOX", "",
                                  WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                                  LIST_X, LIST_Y, LIST_WIDTH, LIST_HEIGHT, dialog,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_DATASET_AVAILABLE)),
                                  GetModuleHandleA(nullptr), nullptr);
    state->font = CreateFontA(22, 0, 0, 0, 900, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "ＭＳ ゴシック");
    for (int box : SLOT_BOXES) SendDlgItemMessageA(dialog, box, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
    SendMessageA(state->list, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);

    char key[32];
    char name[SETTING_SIZE];
    for (int i = 0; i < SLOT_COUNT; i++) {
        slot_key(i, key, sizeof key);
        read_setting_text("DATASET", key, name, sizeof name);
        SetDlgItemTextA(dialog, SLOT_BOXES[i], name[0] != '\0' ? name : NOT_SET);
    }
    fill_available(dialog, state);
    // The first focus goes to the list, not to a slot box (which would show its name selected).
    SetFocus(state->list);
    return FALSE;
}

void on_take(HWND dialog, const dataset_settings_state *state, int index)
{
    LRESULT row = SendMessageA(state->list, LB_GETCURSEL, 0, 0);
    if (!state->has_datasets || row == LB_ERR) {
        SetDlgItemTextA(dialog, SLOT_BOXES[index], NOT_SET);
        return;
    }
    char name[NAME_SLOT_SIZE];
    LRESULT length = SendMessageA(state->list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR || length >= static_cast<LRESULT>(sizeof name)) return;
    SendMessageA(state->list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(name));
    if (std::strcmp(name, NO_DATASET) == 0) return;
    SetDlgItemTextA(dialog, SLOT_BOXES[index], name);
}

// Every slot is written: "未設定" clears it, a name is stored, an empty box leaves the key alone.
void on_close(HWND dialog, dataset_settings_state *state)
{
    char key[32];
    char name[SETTING_SIZE];
    for (int i = 0; i < SLOT_COUNT; i++) {
        if (!read_item_text(dialog, SLOT_BOXES[i], name, sizeof name) || name[0] == '\0') continue;
        slot_key(i, key, sizeof key);
        write_setting("DATASET", key, std::strcmp(name, NOT_SET) == 0 ? "" : name);
    }
    if (state->font != nullptr) DeleteObject(state->font);
    state->font = nullptr;
    if (state->list != nullptr) DestroyWindow(state->list);
    state->list = nullptr;
    EndDialog(dialog, 1);
}

INT_PTR on_command(HWND dialog, dataset_settings_state *state, int id, int code)
{
    if (state == nullptr) return FALSE;
    // The caption's close box arrives as IDCANCEL and closes like "閉じる".
    if (id == IDC_DATASET_CLOSE || id == IDCANCEL) {
        on_close(dialog, state);
        return TRUE;
    }
    if (code != BN_CLICKED) return FALSE;
    for (int i = 0; i < SLOT_COUNT; i++) {
        if (id == TAKE_BUTTONS[i]) {
            on_take(dialog, state, i);
            return TRUE;
        }
    }
    return FALSE;
}

INT_PTR CALLBACK dataset_settings_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    dataset_settings_state *state =
        reinterpret_cast<dataset_settings_state *>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    switch (message) {
    case WM_INITDIALOG:
        return on_init(dialog, reinterpret_cast<dataset_settings_state *>(lparam));
    case WM_COMMAND:
        return on_command(dialog, state, LOWORD(wparam), HIWORD(wparam));
    default:
        return FALSE;
    }
}

}  // namespace

int run_dataset_settings(HWND owner)
{
    dataset_settings_state state = {nullptr, nullptr, 0};
    INT_PTR ended = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_DATASET_SETTINGS), owner,
                                    dataset_settings_proc, reinterpret_cast<LPARAM>(&state));
    // A dialog that ended another way still gives its font back.
    if (state.font != nullptr) DeleteObject(state.font);
    return ended == 1;
}
