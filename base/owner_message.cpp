// The report sink and the message-box sink.
#include "owner_message.h"

namespace {

report_sink g_sink = {nullptr, nullptr, nullptr};

int message_box(HWND owner, const char *text, const char *caption, UINT icon, int always)
{
    if (owner == nullptr && !always) return 0;
    return MessageBoxA(owner, text, caption, icon);
}

const report_sink MESSAGE_BOX_SINK = {message_box, nullptr, nullptr};

}  // namespace

void install_report_sink(const report_sink *sink)
{
    if (sink == nullptr) {
        g_sink = report_sink{nullptr, nullptr, nullptr};
        return;
    }
    g_sink = *sink;
}

const report_sink *message_box_report_sink() { return &MESSAGE_BOX_SINK; }

int show_owned_message(HWND owner, const char *text, const char *caption, UINT icon)
{
    return g_sink.message != nullptr ? g_sink.message(owner, text, caption, icon, 0) : 0;
}

int show_message_always(HWND owner, const char *text, const char *caption, UINT icon)
{
    return g_sink.message != nullptr ? g_sink.message(owner, text, caption, icon, 1) : 0;
}

int set_status_text(const char *text)
{
    if (g_sink.status != nullptr) g_sink.status(text);
    return 1;
}

void report_diagnostic(const char *text)
{
    if (g_sink.diagnostic != nullptr) g_sink.diagnostic(text);
}
