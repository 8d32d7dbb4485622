// The one way the program shows a message box: only when an owner window is given, so the
// "messages only with an owner" rule lives here. Texts and captions are code page 932.
#pragma once
#include <windows.h>

// Shows text with caption and icon (MB_ICONWARNING, MB_ICONINFORMATION, ...) when owner is not null;
// returns the box's answer, or 0 when nothing was shown.
int show_owned_message(HWND owner, const char *text, const char *caption, UINT icon);
// Shows the box whatever the owner (some warnings appear even in a quiet run); owner may be null.
int show_message_always(HWND owner, const char *text, const char *caption, UINT icon);
