// The identification result dialog shown for each file given on the command line.
#pragma once
#include <windows.h>

// Runs dialog 115 modally without an owner for the last identification; returns the dialog's result.
INT_PTR show_result_dialog(HINSTANCE instance);
INT_PTR CALLBACK result_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
// The rename button's rule: 0 when the first candidate equals the file's own (upper-cased) extension,
// is "???" or "---"; 1 otherwise. Shared with the identification run's rename flag.
int first_candidate_differs(const char *target, const char *first_extension);
