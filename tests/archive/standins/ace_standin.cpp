// Stand-in for UnAceV2.dll: logs ACEExtract's archive and every field of the extraction record.
#include "archiver_calls.h"
#include "standin_support.h"
#include <cstdio>

namespace {

int all_zero(const uint32_t *words, size_t count)
{
    for (size_t i = 0; i < count; i++) {
        if (words[i] != 0) return 0;
    }
    return 1;
}

}  // namespace

extern "C" int WINAPI ACEExtract(LPCSTR archive, ace_extract_record *record)
{
    char details[1024];
    if (record == nullptr) {
        std::snprintf(details, sizeof details, "archive=%s|record=null", standin_text(archive));
        standin_log("ACEExtract", details);
        return 1;
    }
    std::snprintf(details, sizeof details,
                  "archive=%s|source=%s|files=%s|exclude=%s|full_match=%u|recurse=%u|reserved_a=%s|"
                  "destination=%s|exclude_path=%u|password=%s|reserved_b=%s",
                  standin_text(archive), standin_text(record->source_folder), standin_text(record->file_list),
                  standin_text(record->exclude_list), record->full_match, record->recurse_subfolders,
                  all_zero(record->reserved_a, 15) ? "zero" : "set", standin_text(record->destination_folder),
                  record->exclude_path, standin_text(record->password),
                  all_zero(record->reserved_b, 16) ? "zero" : "set");
    standin_log("ACEExtract", details);
    if (record->destination_folder != nullptr) standin_mark(record->destination_folder, standin_text(archive));
    return 0;
}
