// The settings library's entry points called directly, for what needs no running program: the refusals
// that come before any dialog.
#include "box_answerer.h"
#include "owner_message.h"
#include "settings.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <prsht.h>

namespace {

TEST(settings_calls, the_folder_chooser_refuses_a_result_buffer_below_max_path_with_a_message)
{
    install_report_sink(message_box_report_sink());
    HWND owner = CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, owner);
    char small[MAX_PATH - 1] = "untouched";
    box_answerer answerer;
    start_answering_boxes(&answerer, "ERROR", IDOK);
    EXPECT_EQ(0, browse_for_folder(owner, small, sizeof small, "title", "C:\\"));
    stop_answering_boxes(&answerer);
    EXPECT_EQ(1, answerer.answered);
    EXPECT_EQ("バッファのサイズはMAX_PATH以上でなければなりません", answerer.last_text);
    // Without an owner nothing is shown, and the answer is the same.
    EXPECT_EQ(0, browse_for_folder(nullptr, small, sizeof small, "title", "C:\\"));
    DestroyWindow(owner);
    install_report_sink(nullptr);
}

TEST(settings_calls, a_sheet_of_no_pages_is_not_shown)
{
    EXPECT_EQ(0, show_property_sheet(nullptr, "基本機能の設定", nullptr, nullptr, 0, PSH_NOAPPLYNOW));
    EXPECT_EQ(0, show_property_sheet(nullptr, "基本機能の設定", nullptr, nullptr, -1, PSH_NOAPPLYNOW));
}

}  // namespace
