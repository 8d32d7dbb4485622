// The identification result dialog shown for each file given on the command line.
#pragma once
#include <windows.h>

// Runs dialog 115 modally without an owner for the last identification; returns the dialog's result.
INT_PTR show_result_dialog(HINSTANCE instance);
INT_PTR CALLBACK result_dialog_proc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
