// Text out of the console identifier: the program's code page 932 text turned into UTF-8 (or UTF-16 for a
// Windows console), so Japanese reads right in a Windows console and in a UTF-8 terminal alike.
#pragma once
#include <string>
#include <windows.h>

// CP932 text as UTF-8; bytes that are not CP932 come out as U+FFFD.
std::string cp932_to_utf8(const std::string &text);
// Writes CP932 text to the handle: WriteConsoleW when it is a console, UTF-8 bytes otherwise. 1 when written.
int write_console_text(HANDLE handle, const std::string &cp932_text);
// UTF-16 text as UTF-8, and back (invalid UTF-8 comes out as U+FFFD).
std::string wide_to_utf8(const std::wstring &text);
std::wstring utf8_to_wide(const std::string &text);
// Writes UTF-8 text to the handle as write_console_text does. 1 when written.
int write_console_utf8(HANDLE handle, const std::string &utf8_text);
