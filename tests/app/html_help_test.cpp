// HTML Help found through the control's class registration and loaded on first use.
#include "html_help.h"
#include <gtest/gtest.h>
#include <cctype>
#include <cstring>
#include <string>

namespace {

std::string lower(std::string text)
{
    for (char &c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

TEST(html_help, the_control_is_found_through_its_class_registration)
{
    char library[260];
    ASSERT_EQ(1, find_html_help_control(library, sizeof library));
    std::string name = lower(library);
    EXPECT_EQ("hhctrl.ocx", name.substr(name.size() - 10));
    // An expanded path, not a variable.
    EXPECT_EQ(std::string::npos, name.find('%'));
}

TEST(html_help, a_registration_too_long_for_the_buffer_is_refused)
{
    struct {
        char library[4];
        char after[8];
    } buffers;
    std::memset(buffers.after, 'Z', sizeof buffers.after);
    EXPECT_EQ(0, find_html_help_control(buffers.library, sizeof buffers.library));
    EXPECT_STREQ("", buffers.library);
    EXPECT_EQ(std::string(8, 'Z'), std::string(buffers.after, sizeof buffers.after));
}

TEST(html_help, initialises_leaves_ordinary_messages_alone_and_uninitialises)
{
    DWORD cookie = 0;
    html_help(nullptr, nullptr, HH_INITIALIZE_COMMAND, reinterpret_cast<DWORD_PTR>(&cookie));
    // A message HTML Help does not own must come back for the window: the loop dispatches it itself.
    MSG message = {};
    message.message = WM_MOUSEMOVE;
    EXPECT_EQ(nullptr, html_help(nullptr, nullptr, HH_PRETRANSLATEMESSAGE_COMMAND, reinterpret_cast<DWORD_PTR>(&message)));
    html_help(nullptr, nullptr, HH_CLOSE_ALL_COMMAND, 0);
    html_help(nullptr, nullptr, HH_UNINITIALIZE_COMMAND, cookie);
}

}  // namespace
