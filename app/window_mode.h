// Window mode: the main window's class, the window itself and the message loop.
#pragma once
#include <windows.h>

// The program's instance handle, used wherever resources are loaded.
extern HINSTANCE g_instance;
// The grey background of the main window's class and client area.
extern HBRUSH g_background_brush;

extern const char MAIN_WINDOW_CLASS[];
extern const char MAIN_WINDOW_TITLE[];
const int MAIN_WINDOW_WIDTH = 530;
const int MAIN_WINDOW_HEIGHT = 440;

// Registers the class, creates and shows the main window, and runs the message loop until the quit
// message; returns its code.
int run_window_mode(HINSTANCE instance);
