// Stand-in for Unrar.dll: logs the open record, the process call and the close. QUODRA_STANDIN_RAR_OPEN_RESULT
// sets the open result (0 when not set); QUODRA_STANDIN_RAR_HANDLE_ON_FAILURE=1 returns a handle even then.
#include "archiver_calls.h"
#include "standin_support.h"
#include <cstdio>

namespace {

char archive_name[MAX_PATH];  // what the open record named, for the marker
int handle_target;            // the handle given out is this object's address

}  // namespace

extern "C" HANDLE WINAPI RAROpenArchive(rar_open_record *record)
{
    char details[1024];
    int result = standin_setting("QUODRA_STANDIN_RAR_OPEN_RESULT", 0);
    std::snprintf(details, sizeof details, "name=%s|mode=%u|result=%u|comment=%s|comment_size=%u|%u|%u",
                  standin_text(record->archive_name), record->open_mode, record->open_result,
                  record->comment_buffer == nullptr ? "null" : "set", record->comment_buffer_size,
                  record->comment_size, record->comment_state);
    standin_log("RAROpenArchive", details);
    std::snprintf(archive_name, sizeof archive_name, "%s", standin_text(record->archive_name));
    record->open_result = static_cast<uint32_t>(result);
    if (result != 0 && standin_setting("QUODRA_STANDIN_RAR_HANDLE_ON_FAILURE", 0) != 1) return nullptr;
    return &handle_target;
}

extern "C" int WINAPI RARProcessFile(HANDLE archive, int operation, char *destination_path, char *destination_name)
{
    char details[1024];
    std::snprintf(details, sizeof details, "handle=%s|operation=%d|destination=%s|name=%s",
                  archive == &handle_target ? "ours" : "other", operation, standin_text(destination_path),
                  standin_text(destination_name));
    standin_log("RARProcessFile", details);
    if (destination_path != nullptr) standin_mark(destination_path, archive_name);
    return 0;
}

extern "C" int WINAPI RARCloseArchive(HANDLE archive)
{
    standin_log("RARCloseArchive", archive == &handle_target ? "handle=ours" : "handle=other");
    return 0;
}
