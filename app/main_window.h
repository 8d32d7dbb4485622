// The main window's procedure: a switch that hands each message to a small handler.
#pragma once
#include <windows.h>

LRESULT CALLBACK main_window_proc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
