// What the core's messages and status texts reach in karvo: message boxes by the owner rule, and the main
// window's status bar once it exists.
#pragma once
#include <windows.h>

// The main window's status bar; null until the main window creates it (and in the command-line run).
extern HWND g_status_bar;

// Installs karvo's report sink. Called first thing in both modes.
void install_program_reporting();
