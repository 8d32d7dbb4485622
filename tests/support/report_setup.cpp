// The test programs report as karvo does: message boxes by the owner rule, which the tests answer.
#include "owner_message.h"

namespace {

[[maybe_unused]] const int g_boxes_installed = (install_report_sink(message_box_report_sink()), 1);

}  // namespace
