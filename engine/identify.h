// The identification run: the active dataset's run list against one file, the candidates ranked into
// g_identification_result, and the status texts of the main window.
#pragma once
#include <windows.h>

// The main window's status bar; null until the main window creates it (and in the command-line run).
extern HWND g_status_bar;

// quiet: 0 shows status texts and repaints window at the end; any other value shows nothing.
// Returns 0 for a path of 260 bytes or more (nothing changed), otherwise 1, candidates or not.
int identify_file(HWND window, const char *path, int quiet);
// Puts text into the status bar as its simple-mode text; does nothing without a status bar. Returns 1.
int set_status_text(const char *text);
// 1 when the first candidate is a real extension ("???" and "---" are not) that differs from the target's own,
// upper-cased extension: what makes a rename possible.
int first_candidate_differs(const char *target, const char *first_extension);
