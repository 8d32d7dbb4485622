// The identification result dialog: the file name, three candidates with scores and distances, the first
// comment, and a rename button. Only the caption's close box ends it.
#include "result_dialog.h"
#include "identify.h"
#include "path_helpers.h"
#include "rename.h"
#include "resource.h"
#include <cstdio>
#include <cstring>

namespace {

struct result_dialog_state {
    HFONT extension_font;
    HFONT score_font;
};

HFONT create_heavy_font(int height)
{
    return CreateFontA(height, 0, 0, 0, 900, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "ＭＳ ゴシック");
}

void set_score_text(HWND dialog, int control, float score, float first_score)
{
    char text[64];
    float distance = score - first_score;
    std::snprintf(text, sizeof text, "%06.3f(%+06.3f)", static_cast<double>(score), static_cast<double>(distance));
    SetDlgItemTextA(dialog, control, text);
}

void fill_result_controls(HWND dialog)
{
    const identification_result *result = &g_identification_result;
    char name[PATH_SIZE] = "";
    file_name_of(nullptr, result->target, name, sizeof name);
    SetDlgItemTextA(dialog, IDC_RESULT_FILE_NAME, name);
    SetDlgItemTextA(dialog, IDC_RESULT_FIRST_EXTENSION, result->first_extension);
    SetDlgItemTextA(dialog, IDC_RESULT_SECOND_EXTENSION, result->second_extension);
    SetDlgItemTextA(dialog, IDC_RESULT_THIRD_EXTENSION, result->third_extension);
    SetDlgItemTextA(dialog, IDC_RESULT_COMMENT, result->first_comment);
    set_score_text(dialog, IDC_RESULT_FIRST_SCORE, result->first_score, result->first_score);
    set_score_text(dialog, IDC_RESULT_SECOND_SCORE, result->second_score, result->first_score);
    set_score_text(dialog, IDC_RESULT_THIRD_SCORE, result->third_score, result->first_score);
    // The same rule that lets the identification run offer a rename.
    EnableWindow(GetDlgItem(dialog, IDC_RESULT_RENAME),
                 first_candidate_differs(result->target, result->first_extension));
}

INT_PTR on_init_dialog(HWND dialog)
{
    result_dialog_state *state = new result_dialog_state;
    state->extension_font = create_heavy_font(24);
    state->score_font = create_heavy_font(20);
    SetWindowLongPtrA(dialog, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    SendDlgItemMessageA(dialog, IDC_RESULT_FIRST_EXTENSION, WM_SETFONT,
                        reinterpret_cast<WPARAM>(state->extension_font), FALSE);
    SendDlgItemMessageA(dialog, IDC_RESULT_FIRST_SCORE, WM_SETFONT, reinterpret_cast<WPARAM>(state->score_font),
                        FALSE);
    fill_result_controls(dialog);
    return TRUE;
}

INT_PTR on_command(HWND dialog, WPARAM wparam)
{
    // Enter and Esc arrive as IDOK and IDCANCEL: they do not close this dialog.
    if (LOWORD(wparam) == IDC_RESULT_RENAME) rename_to_first_candidate(dialog, RENAME_FROM_RESULT_DIALOG);
    return TRUE;
}

INT_PTR on_close(HWND dialog)
{
    result_dialog_state *state =
        reinterpret_cast<result_dialog_state *>(GetWindowLongPtrA(dialog, GWLP_USERDATA));
    if (state != nullptr) {
        DeleteObject(state->extension_font);
        DeleteObject(state->score_font);
        delete state;
        SetWindowLongPtrA(dialog, GWLP_USERDATA, 0);
    }
    EndDialog(dialog, 0);
    return TRUE;
}

}  // namespace

INT_PTR CALLBACK result_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        return on_init_dialog(dialog);
    case WM_COMMAND:
        return on_command(dialog, wparam);
    case WM_CLOSE:
        return on_close(dialog);
    default:
        return FALSE;
    }
}

INT_PTR show_result_dialog(HINSTANCE instance)
{
    return DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_RESULT_DIALOG), nullptr, result_dialog_proc, 0);
}
