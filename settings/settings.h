// The settings dialogs: the sheet "基本機能の設定" with its five pages, the dataset settings, the
// identification data report and the folder chooser they share. Everything here reads and writes
// quodra.ini at the moment of use.
#pragma once
#include <windows.h>
#include <cstddef>

// Builds one page per (procedure, template) pair from the program's own templates and shows the sheet
// modally with the given flags; 1 after the sheet closed, 0 at once for no pages or when the page table
// cannot be had ("メモリが足りません").
int show_property_sheet(HWND owner, const char *caption, const DLGPROC *page_procedures, const int *template_ids,
                        int page_count, DWORD sheet_flags);

// Command 40006: the sheet "基本機能の設定" with its five pages, OK and Cancel only. The caller then
// re-applies the file list's colours and refreshes the list.
int run_settings_sheet(HWND owner);
// Command 40018 and the "C" button: the dataset settings dialog. The caller then refills its dataset
// selector and calls set_definition_paths.
int run_dataset_settings(HWND owner);
// Command 40019 and the "R" button: the identification data report.
int run_dataset_report(HWND owner);

// The system folder chooser starting at initial_folder; 1 with the chosen path in result, else 0. A result
// buffer below MAX_PATH is refused with a message (when an owner is given).
int browse_for_folder(HWND owner, char *result, size_t result_size, const char *title, const char *initial_folder);
