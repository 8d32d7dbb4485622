// The bulk extension change: dialog 131 over the folder of the main window's target, giving the selected
// files one typed extension or identifying each one and offering the rename to its first candidate.
// The walk over the selected entries is a plain function; the dialog only feeds it and shows its progress.
#pragma once
#include <windows.h>
#include <cstddef>

// What the walk tells the one who runs it. Every hook may be null.
struct bulk_run_hooks {
    void *context;
    // One step of the progress bar.
    void (*step)(void *context);
    // The remaining-time text, after every file from the second on.
    void (*show_remaining)(void *context, const char *text);
    // A millisecond clock; GetTickCount when null.
    DWORD (*now_ms)(void *context);
    // Called after every file (window messages are handled here); 0 ends the walk before the next file.
    int (*keep_going)(void *context);
};

// "残り %d時間%d分%d秒", "残り %d分%d秒" or "残り %d秒" for seconds. Returns 1.
int format_remaining_time(char *out, size_t out_size, unsigned long seconds);
// Seconds left for files_left more files when files_done took elapsed_ms: the average per file so far,
// rounded to the nearest second.
unsigned long estimate_remaining_seconds(unsigned long elapsed_ms, int files_done, int files_left);

// The folder the dialog works on (the target text's folder part, with its separator) and the name shown
// for it (the innermost folder's name; a drive gains "\"). Each returns 0 and an empty text when the
// target text names no folder.
int bulk_target_folder(const char *target_text, char *out, size_t out_size);
int bulk_folder_display_name(const char *target_text, char *out, size_t out_size);

// Lists the entries of folder that pattern and type (as in the folder listing) select, as full paths in
// slots of PATH_SIZE bytes, taken once before any of them is touched. Returns the count and the slots
// (to be released with std::free); 0 and null when there is nothing or the folder cannot be listed.
int select_bulk_entries(const char *folder, const char *pattern, int type, char **slots);
// Identifies each of the count paths in slots and offers every file whose first candidate differs the
// rename to it (one confirmation each). Folders are identified but never renamed. Clears rename_possible
// at the end. Returns the number of entries identified.
int bulk_identify_entries(const char *slots, int count, const bulk_run_hooks *hooks);

// Runs dialog 131 modally, owned by owner, on the folder of target_text; returns the dialog's result.
INT_PTR run_bulk_change_dialog(HINSTANCE instance, HWND owner, const char *target_text);
INT_PTR CALLBACK bulk_change_dialog(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);
