// The main window's lasting state.
#include "main_window_state.h"

HWND g_main_window = nullptr;
HWND g_addin_view = nullptr;
HWND g_folder_list = nullptr;
HWND g_file_list = nullptr;
HWND g_target_edit = nullptr;
HWND g_dataset_combo = nullptr;
HWND g_toolbar = nullptr;

HFONT g_small_font = nullptr;
HFONT g_large_bold_font = nullptr;
HFONT g_large_font = nullptr;
HFONT g_second_small_font = nullptr;

wyro_host *g_wyro_host = nullptr;
wyro_config g_wyro_config = {};
wyro_io_record g_wyro_io = {};

HMENU g_file_popup_menu = nullptr;
int g_last_clicked_row = -1;

void read_target_text(char *out, int size)
{
    if (size <= 0) return;
    out[0] = '\0';
    if (g_target_edit != nullptr) GetWindowTextA(g_target_edit, out, size);
}

void set_target_text(const char *text)
{
    if (g_target_edit != nullptr) SetWindowTextA(g_target_edit, text);
}

void copy_target_to_addin_record()
{
    read_target_text(g_wyro_io.target_path, sizeof g_wyro_io.target_path);
}
