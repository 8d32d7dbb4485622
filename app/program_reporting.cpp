// karvo's report sink.
#include "program_reporting.h"
#include "owner_message.h"
#include <commctrl.h>

HWND g_status_bar = nullptr;

namespace {

void show_in_status_bar(const char *text)
{
    if (g_status_bar != nullptr) SendMessageA(g_status_bar, SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
}

}  // namespace

void install_program_reporting()
{
    // Diagnostics have nowhere to go in a windowed program.
    report_sink sink = *message_box_report_sink();
    sink.status = show_in_status_bar;
    install_report_sink(&sink);
}
