// The main window's commands (menu bar, toolbar, popup menu, buttons and painted areas all send the same
// ids) and the notifications of its file list and toolbar.
#pragma once
#include <windows.h>

LRESULT on_command(HWND window, WPARAM wparam, LPARAM lparam);
LRESULT on_notify(HWND window, WPARAM wparam, LPARAM lparam);
