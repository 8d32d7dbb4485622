// The main window's lasting state: its controls, fonts, popup menu and the row last clicked in the file
// list. Globals of the user-interface thread, made when the window is created and released when it closes.
#pragma once
#include "addin_host.h"
#include <windows.h>

extern HWND g_main_window;
extern HWND g_addin_view;
extern HWND g_folder_list;
extern HWND g_file_list;
extern HWND g_target_edit;
extern HWND g_dataset_combo;
extern HWND g_toolbar;

// All "ＭＳ ゴシック", Shift-JIS character set.
extern HFONT g_small_font;         // 12, normal: folder list, dataset selector, panel comment and scores
extern HFONT g_large_bold_font;    // 17, semi-bold: first candidate's lpts
extern HFONT g_large_font;         // 17, normal: first candidate's extension
extern HFONT g_second_small_font;  // 12, normal: second and third candidates' extensions

// The add-in host: null when it did not start. Its configuration is filled once at window creation; the i/o
// record's target_path mirrors the target edit box at the start of every message.
extern wyro_host *g_wyro_host;
extern wyro_config g_wyro_config;
extern wyro_io_record g_wyro_io;

extern HMENU g_file_popup_menu;
extern int g_last_clicked_row;

const int TARGET_TEXT_SIZE = 260;

// The target edit box's text (the current folder, or it and the file last clicked), cut to size - 1 bytes.
void read_target_text(char *out, int size);
void set_target_text(const char *text);
// Copies the target edit box's text into the i/o record's target_path.
void copy_target_to_addin_record();
