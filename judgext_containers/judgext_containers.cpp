// judgext_containers: the container judge (identity 40002). Tells the program which kind of file a
// container holds, for the kinds that share one: ZIP, OLE2 compound files, ASF and PE programs.
#include "container_kinds.h"
#include "judge_shell.h"

namespace {

const uint16_t CONTAINER_JUDGE_ID = 40002;

}  // namespace

// A header meant for another library is declined without a message: this library has no window to show one.
const judge_identity JUDGE_IDENTITY = {CONTAINER_JUDGE_ID, "Container Judge for KRVFB", "Quodra", 1.0f, "", 1, 0,
                                      FILE_ATTRIBUTE_NORMAL, 0};

uint32_t judge_opened_target(HANDLE file)
{
    return judge_container_kind(file);
}
