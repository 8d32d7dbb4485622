// Command-line mode: each argument, in order, is converted to its long path and then handed to the
// steps below; no main window is created and the run ends with exit code 0.
#include "command_line_run.h"
#include "archive_extract.h"
#include "bounded_text.h"
#include "command_line.h"
#include "extraction_request.h"
#include "identify.h"
#include "rename.h"
#include "result_dialog.h"
#include "settings_store.h"
#include "system_names.h"
#include "window_mode.h"
#include <windows.h>
#include <cstdlib>
#include <cstring>

char g_long_path[PATH_SIZE];

int convert_to_long_path(const char *path, char *out, size_t out_size)
{
    std::memset(out, 0, out_size);
    DWORD length = GetLongPathNameA(path, out, static_cast<DWORD>(out_size));
    // 0 is a path that does not exist; a length of out_size or more is one that did not fit.
    if (length == 0 || length >= out_size) {
        std::memset(out, 0, out_size);
        return 0;
    }
    return 1;
}

int convert_wide_to_long_path(const wchar_t *path, char *out, size_t out_size)
{
    std::memset(out, 0, out_size);
    wchar_t long_path[PATH_SIZE];
    DWORD length = GetLongPathNameW(path, long_path, PATH_SIZE);
    if (length == 0 || length >= PATH_SIZE) return 0;
    if (!system_path_from_wide(long_path, out, out_size)) {
        std::memset(out, 0, out_size);
        return 0;
    }
    return 1;
}

namespace {

// After an identification: rename at once when dropped files skip the dialog, else show the result.
void show_result_or_rename()
{
    // The setting is read into the long-path buffer; the identified path lives in the result from here on.
    read_setting_text("BASIC", "nodanddlg", g_long_path, countof(g_long_path));
    if (std::atoi(g_long_path) == 1) {
        rename_to_first_candidate(nullptr, RENAME_WITHOUT_WINDOW);
    } else {
        show_result_dialog(g_instance);
    }
}

// The steps after the long-path conversion. argument is the argument buffer, reused by the extraction step
// for its request text.
void handle_long_path(char *argument, size_t argument_size)
{
    // Extraction step (ARCHIVE/extract is 1): the request text is built in argument and offered to
    // extract_archive; an argument it extracts is finished here. A request that would not fit the buffer
    // is not offered, and the file is identified instead.
    if (read_setting_flag("ARCHIVE", "extract") &&
        build_extraction_request(g_long_path, argument, argument_size) && extract_archive(nullptr, argument) == 1)
        return;

    identify_file(nullptr, g_long_path, 1);
    show_result_or_rename();
}

// One argument from cutting to its end.
void run_one_argument(const char *command_line, int number)
{
    char argument[PATH_SIZE];
    // An argument too long for the buffer is refused: a cut one would name another file.
    if (!cut_argument(command_line, number, argument, countof(argument))) return;
    convert_to_long_path(argument, g_long_path, countof(g_long_path));
    handle_long_path(argument, countof(argument));
}

// One wide argument. One without a path by the rule leaves the long path empty, which is identified as a
// file that cannot be read.
void run_one_wide_argument(const wchar_t *command_line, int number)
{
    wchar_t wide_argument[PATH_SIZE];
    if (!cut_wide_argument(command_line, number, wide_argument, countof(wide_argument))) return;
    convert_wide_to_long_path(wide_argument, g_long_path, countof(g_long_path));
    char argument[PATH_SIZE];
    handle_long_path(argument, countof(argument));
}

}  // namespace

int run_command_line(const char *command_line)
{
    int separators = count_argument_separators(command_line);
    for (int number = 0; number <= separators; number++) run_one_argument(command_line, number);
    return 0;
}

int run_wide_command_line(const wchar_t *command_line)
{
    int separators = count_wide_argument_separators(command_line);
    for (int number = 0; number <= separators; number++) run_one_wide_argument(command_line, number);
    return 0;
}
