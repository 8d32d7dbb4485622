// Names from the system (UTF-16) as the program's paths, which are ANSI text (code page 932). One rule for
// every name: it is taken when it converts exactly (no default character, no best-fit character); otherwise
// its short (8.3) form, when the volume keeps one; otherwise it is refused. A lossy conversion would name
// another file: café.dat becomes cafe.dat, which may well exist.
#pragma once
#include <windows.h>
#include <cstddef>

// text in the ANSI code page, only when every character converts exactly and the whole fits out (terminated).
// Returns 1, or 0 with out empty.
int exact_system_text(const wchar_t *text, char *out, size_t out_size);
// One entry of a folder listing: name by the rule, short_name (may be empty or null) standing in for it.
// Returns 1, or 0 with out empty when the entry is refused.
int system_name_from_wide(const wchar_t *name, const wchar_t *short_name, char *out, size_t out_size);
// A whole path, component by component: a component that does not convert exactly is replaced by its short
// form, found through the folder listing. Returns 1, or 0 with out empty when a component is refused or the
// path does not fit.
int system_path_from_wide(const wchar_t *path, char *out, size_t out_size);
// A program path as UTF-16 (every ANSI text has one); 0 with out empty when it does not fit or is not valid.
int wide_from_system_text(const char *text, wchar_t *out, size_t out_count);
