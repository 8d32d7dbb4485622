// The change-extension dialog: renames one file, or every file of its extension in its folder, to an
// extension the user types.
#pragma once
#include <windows.h>

const int TYPED_EXTENSION_MAX = 5;  // longer typed extensions are refused with a warning

// Runs dialog 127 modally over owner for target (the main window's target text); returns the dialog's result.
INT_PTR run_change_extension_dialog(HINSTANCE instance, HWND owner, const char *target);
INT_PTR CALLBACK change_extension_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// The dialog's two lines: "<<対象ファイル=...>>" and "<<対象フォルダ=...>>" for a target path, with names
// over 20 bytes cut to 20 bytes and "…" added.
void change_extension_file_line(const char *target, char *out, size_t out_size);
void change_extension_folder_line(const char *target, char *out, size_t out_size);
