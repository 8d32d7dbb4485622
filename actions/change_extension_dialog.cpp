// The change-extension dialog. The typed extension replaces the target's own (case kept as typed); with
// the check box set, every file of the target's extension in its folder is renamed.
#include "change_extension_dialog.h"
#include "bounded_text.h"
#include "engine_records.h"
#include "owner_message.h"
#include "path_helpers.h"
#include "rename.h"
#include "resource.h"
#include "text_cut.h"
#include <cstdio>
#include <cstring>

namespace {

const size_t LINE_NAME_BYTES = 20;  // the lines cut names at 20 bytes (bytes, not characters)
const size_t CURRENT_EXTENSION_SIZE = 101;

struct change_extension_state {
    char target[PATH_SIZE];
    HFONT edit_font;
};

change_extension_state *state_of(HWND dialog)
{
    return reinterpret_cast<change_extension_state *>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
}

// "<<prefix name>>", or "<<prefix first-20-bytes…>>" when the name is longer than 20 bytes.
void format_line(const char *prefix, const char *name, char *out, size_t out_size)
{
    // Cut at 20 bytes; a double-byte character split by the cut is left out whole.
    char shown[LINE_NAME_BYTES + 1];
    sjis_cut(name, LINE_NAME_BYTES, shown, sizeof shown);
    const char *ellipsis = std::strlen(name) > LINE_NAME_BYTES ? "…" : "";
    std::snprintf(out, out_size, "<<%s%s%s>>", prefix, shown, ellipsis);
}

INT_PTR on_init_dialog(HWND dialog, LPARAM lparam)
{
    change_extension_state *state = reinterpret_cast<change_extension_state *>(lparam);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->edit_font = CreateFontA(24, 0, 0, 0, 900, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                                   CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "ＭＳ Ｐ明朝");
    SendDlgItemMessageA(dialog, IDC_CHANGE_CURRENT_EXTENSION, WM_SETFONT, reinterpret_cast<WPARAM>(state->edit_font),
                        FALSE);
    SendDlgItemMessageA(dialog, IDC_CHANGE_NEW_EXTENSION, WM_SETFONT, reinterpret_cast<WPARAM>(state->edit_font),
                        FALSE);
    char line[PATH_SIZE];
    change_extension_file_line(state->target, line, sizeof line);
    SetDlgItemTextA(dialog, IDC_CHANGE_FILE_LINE, line);
    change_extension_folder_line(state->target, line, sizeof line);
    SetDlgItemTextA(dialog, IDC_CHANGE_FOLDER_LINE, line);
    char current[CURRENT_EXTENSION_SIZE] = "";
    extension_of(nullptr, state->target, current, sizeof current, EXTENSION_CASE_KEEP);
    SetDlgItemTextA(dialog, IDC_CHANGE_CURRENT_EXTENSION, current);
    return TRUE;
}

void end_change_extension(HWND dialog, INT_PTR result)
{
    change_extension_state *state = state_of(dialog);
    if (state != nullptr && state->edit_font != nullptr) {
        DeleteObject(state->edit_font);
        state->edit_font = nullptr;
    }
    EndDialog(dialog, result);
}

void on_execute(HWND dialog)
{
    change_extension_state *state = state_of(dialog);
    char typed[PATH_SIZE] = "";
    GetDlgItemTextA(dialog, IDC_CHANGE_NEW_EXTENSION, typed, sizeof typed);
    if (std::strlen(typed) > static_cast<size_t>(TYPED_EXTENSION_MAX)) {
        show_owned_message(dialog, "6文字以上の拡張子には対応していません", "エラー", MB_ICONWARNING);
        return;
    }
    if (IsDlgButtonChecked(dialog, IDC_CHANGE_WHOLE_FOLDER) == BST_CHECKED) {
        char folder[PATH_SIZE] = "";
        char current[CURRENT_EXTENSION_SIZE] = "";
        folder_of(nullptr, state->target, folder, sizeof folder);
        extension_of(nullptr, state->target, current, sizeof current, EXTENSION_CASE_KEEP);
        replace_extension_in_folder(dialog, folder, current, typed, 0, EXTENSION_CASE_KEEP);
    } else {
        replace_extension(dialog, state->target, typed, EXTENSION_CASE_KEEP);
    }
    end_change_extension(dialog, IDOK);
}

INT_PTR on_command(HWND dialog, WPARAM wparam)
{
    switch (LOWORD(wparam)) {
    case IDC_CHANGE_EXECUTE:
        on_execute(dialog);
        return TRUE;
    case IDC_CHANGE_CANCEL:
    case IDCANCEL:
        end_change_extension(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

}  // namespace

void change_extension_file_line(const char *target, char *out, size_t out_size)
{
    char name[PATH_SIZE] = "";
    file_name_of(nullptr, target, name, sizeof name);
    format_line("対象ファイル=", name, out, out_size);
}

void change_extension_folder_line(const char *target, char *out, size_t out_size)
{
    char folder[PATH_SIZE];
    copy_text(folder, sizeof folder, target);
    int separator = sjis_find_last_of(folder, "\\/");
    if (separator >= 0) folder[separator] = '\0';
    char name[PATH_SIZE] = "";
    file_name_of(nullptr, folder, name, sizeof name);
    if (std::strlen(name) >= 2 && name[1] == ':') {
        std::snprintf(out, out_size, "<<対象フォルダ=%s\\>>", name);
        return;
    }
    format_line("対象フォルダ=", name, out, out_size);
}

INT_PTR CALLBACK change_extension_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_INITDIALOG:
        return on_init_dialog(dialog, lparam);
    case WM_COMMAND:
        return on_command(dialog, wparam);
    case WM_CLOSE:
        end_change_extension(dialog, IDCANCEL);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR run_change_extension_dialog(HINSTANCE instance, HWND owner, const char *target)
{
    change_extension_state state = {};
    copy_text(state.target, sizeof state.target, target);
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_CHANGE_EXTENSION), owner, change_extension_dialog,
                           reinterpret_cast<LPARAM>(&state));
}
