// Extension correction: renaming a file to its first candidate's extension (or its comment as the name),
// and the two rename primitives shared with the change-extension dialog and the bulk change.
#pragma once
#include <windows.h>

// Who asks for the rename: the main window, the result dialog, or the command-line run / bulk change.
const int RENAME_FROM_MAIN_WINDOW = 0;
const int RENAME_FROM_RESULT_DIALOG = 1;
const int RENAME_WITHOUT_WINDOW = 2;

// Case modes of replace_extension.
const int EXTENSION_CASE_KEEP = 0;
const int EXTENSION_CASE_UPPER = 1;
const int EXTENSION_CASE_LOWER = 2;

// Asks and renames identification_result.target to the first candidate; always returns 1.
int rename_to_first_candidate(HWND window, int mode);
// Moves path to the same name with new_extension; 1 when the move was attempted.
int replace_extension(HWND window, const char *path, const char *new_extension, int case_mode);
// replace_extension on every file of folder with current_extension (or every file when all is set).
int replace_extension_in_folder(HWND window, const char *folder, const char *current_extension,
                                const char *new_extension, int all, int case_mode);

// The main window's file-list refill, run after a rename asked for from the main window; null when there
// is no main window.
void set_rename_refresher(void (*refresh)());
