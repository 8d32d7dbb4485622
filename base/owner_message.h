// How the core reports: messages, status texts and diagnostics go to the one report sink the program
// installs at start. The window program shows message boxes (only with an owner window, as the rules
// say) and puts status texts into its status bar; the console identifier writes problems to standard
// error. Nothing is shown or written before a sink is installed. Texts and captions are code page 932.
#pragma once
#include <windows.h>

struct report_sink {
    // A message with caption and icon (MB_ICONWARNING, ...); always: shown even without an owner.
    // Returns the answer of a box, or 0 when nothing was shown.
    int (*message)(HWND owner, const char *text, const char *caption, UINT icon, int always);
    // A short status text (the main window's status bar).
    void (*status)(const char *text);
    // A diagnostic line that a windowed program does not show.
    void (*diagnostic)(const char *text);
};

// Installs the sink (copied); null uninstalls it. Any member may be null.
void install_report_sink(const report_sink *sink);

// The message-box sink: boxes only with an owner window (or when always is set); no status texts.
// The window program and the tests that answer boxes install it.
const report_sink *message_box_report_sink();

// Shows text with caption and icon when owner is not null; returns the box's answer, or 0.
int show_owned_message(HWND owner, const char *text, const char *caption, UINT icon);
// Shows the box whatever the owner (some warnings appear even in a quiet run); owner may be null.
int show_message_always(HWND owner, const char *text, const char *caption, UINT icon);
// Puts text into the status bar when the program has one. Returns 1.
int set_status_text(const char *text);
// A diagnostic line (no line end in text).
void report_diagnostic(const char *text);
