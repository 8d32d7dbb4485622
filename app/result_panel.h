// The painted parts of the main window: the result panel with the last identification's three candidates,
// the folder-jump and shortcut buttons and the rename button, with their hover hints and clicks.
#pragma once
#include <windows.h>

const int PANEL_COMMENT_BYTES = 33;  // the first candidate's comment is cut to this many bytes

// Draws the four pictures and the seven result texts.
void paint_result_panel(HDC dc);
// Hover hints (mouse move), jumps, shortcuts and the rename button (left button down), shortcut
// registration (right button down); every other message is ignored.
void handle_painted_areas(HWND window, UINT message, LPARAM position);
