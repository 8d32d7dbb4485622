// The entry of karvo. Static initialisation reads (or first creates) quodra.ini before WinMain runs;
// WinMain then picks the mode: with a command line every argument is a file to handle, without one the
// main window opens.
//
// Folders: app/ the shell (entry, configuration, command-line run, main window); engine/ identification
// and the path helpers; defs/ definition files; actions/ result dialog and renames; archive/ extraction;
// addin/ the add-in host; settings/ settings dialogs; resources/ the .rc script, its ids and artwork.
#include "command_line_run.h"
#include "config.h"
#include "window_mode.h"
#include <windows.h>

// Runs before WinMain in both modes: the settings file exists and the dataset paths are set before any
// argument is looked at.
[[maybe_unused]] static const int g_config_loaded = (load_config(), 1);

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int)
{
    g_instance = instance;
    if (command_line == nullptr || command_line[0] == '\0') return run_window_mode(instance);
    return run_command_line(command_line);
}
