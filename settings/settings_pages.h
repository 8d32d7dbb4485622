// What the settings pages share: their procedures and the whole-or-nothing writes to quodra.ini.
#pragma once
#include <windows.h>
#include <cstddef>

INT_PTR CALLBACK basic_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK folder_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK view_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK extraction_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);
INT_PTR CALLBACK shell_page_proc(HWND page, UINT message, WPARAM wparam, LPARAM lparam);

// Every reader of quodra.ini takes values into 260 bytes, so no value longer than this is ever written.
const size_t LONGEST_SETTING = 259;
// Room for a setting and its terminator.
const size_t SETTING_SIZE = LONGEST_SETTING + 1;

// Writes one value to quodra.ini; 1 when the file took it.
int write_setting(const char *section, const char *key, const char *value);
// The text of a dialog item whole into out; 0 (out empty) when it is longer than size - 1 bytes.
int read_item_text(HWND dialog, int id, char *out, size_t size);
// A folder text as stored: a backslash appended when it is not empty and does not end in one (a trail
// byte 0x5C is no separator). 0 when the result would be longer than a setting may be.
int folder_setting_text(const char *text, char *out, size_t size);
// Tells the user a text is too long to be saved, and keeps the sheet open on this page.
INT_PTR refuse_long_text(HWND page);
// Answers a sheet notification with result.
INT_PTR answer_notification(HWND page, LONG_PTR result);
// Ticks a check box or radio button when on is not 0, clears it otherwise.
void set_checked(HWND dialog, int id, int on);
int is_checked(HWND dialog, int id);
