// Command-line mode: each argument, in order, is converted to its long path and then handed to the
// steps below; no main window is created and the run ends with exit code 0.
#include "command_line_run.h"
#include "bounded_text.h"
#include "command_line.h"
#include <windows.h>
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

namespace {

// One argument from cutting to its end. The argument buffer is reused by the extraction step for its
// request text.
void run_one_argument(const char *command_line, int number)
{
    char argument[PATH_SIZE];
    // An argument too long for the buffer is refused: a cut one would name another file.
    if (!cut_argument(command_line, number, argument, countof(argument))) return;
    convert_to_long_path(argument, g_long_path, countof(g_long_path));

    // Extraction step (ARCHIVE/extract is 1): the request text is built in argument and offered to
    // extract_archive; an argument it extracts is finished here.

    // Identification step: identify_file with no window, g_long_path and the quiet flag.

    // Result step (BASIC/nodanddlg): rename_to_first_candidate, or the modal result dialog.
}

}  // namespace

int run_command_line(const char *command_line)
{
    int separators = count_argument_separators(command_line);
    for (int number = 0; number <= separators; number++) run_one_argument(command_line, number);
    return 0;
}
