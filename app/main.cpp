// The entry of karvo. Static initialisation reads (or first creates) quodra.ini before WinMain runs;
// WinMain then picks the mode: with a command line every argument is a file to handle, without one the
// main window opens.
//
// Folders, lowest first; each includes only from the folders below it (tests/layering checks it):
//   base/     bounded text, Shift-JIS scanning and letter case, little-endian fields, path splitters, and
//             the report sink through which everything below app/ shows messages and status texts
//   defs/     definition file layouts, loaders, writers, scoring, signatures; the judge interface
//   engine/   the identification run, dataset and lookup, candidates, judge binding, folder listings,
//             the configuration record and the settings store
//   actions/  the program's identification result, result dialog, renames
//   archive/  extraction of dropped archives
//   addin/    the Wyro add-in host and its displays
//   settings/ the settings sheet, the dataset dialogs, shortcuts and the association
//   app/      entry, quodra.ini at start-up (app/config, shared with karvoc), command-line run, main window
//   console/  karvoc, the console identifier, on the engine and app/config only
//   judgext/, judgext_containers/, judgext_text/  the judge libraries, on base and the judge interface only
//   resources/ the .rc scripts, their ids, the version and artwork; help/ the help file's sources
#include "command_line.h"
#include "command_line_run.h"
#include "config.h"
#include "program_reporting.h"
#include "window_mode.h"
#include <windows.h>

// Runs before WinMain in both modes: the settings file exists and the dataset paths are set before any
// argument is looked at.
// The report sink comes first, so that whatever start-up reports reaches a person.
[[maybe_unused]] static const int g_reporting_installed = (install_program_reporting(), 1);
[[maybe_unused]] static const int g_config_loaded = (load_config(), 1);

// The arguments are taken from the wide command line: the ANSI one has already lost every name outside
// code page 932 (café.dat arrives as cafe.dat, another file).
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    g_instance = instance;
    const wchar_t *command_line = arguments_of_command_line(GetCommandLineW());
    if (command_line[0] == L'\0') return run_window_mode(instance);
    return run_wide_command_line(command_line);
}
