// judgext_text: the text judge (identity 40003). Tells the program which kind of text a file holds, for
// the kinds that have no magic number: program sources, data texts, XML dialects, catalogs and the like.
#include "text_kinds.h"
#include "judge_interface.h"
#include <type_traits>

namespace {

const uint16_t TEXT_JUDGE_ID = 40003;
const uint8_t JUDGE_SWITCH_ON = 1;
const char DESCRIPTION[] = "Text Judge for KRVFB";
const char MAKER[] = "Quodra";

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    (void)instance;
    (void)reason;
    (void)reserved;
    return TRUE;
}

// _KrvJudgextEntry@8: this library's identity record.
extern "C" int32_t WINAPI KrvJudgextEntry(HWND owner, judge_library_info *info)
{
    (void)owner;
    if (info == nullptr) return 0;
    std::memset(info, 0, sizeof *info);
    info->library_id = TEXT_JUDGE_ID;
    std::memcpy(info->description, DESCRIPTION, sizeof DESCRIPTION);
    std::memcpy(info->maker, MAKER, sizeof MAKER);
    info->version = 1.0f;
    info->release_byte = 1;
    return 1;
}

// _CalculateJudgeID@112: writes (0, kind code) into the record when the header asks for a judgement. A
// header meant for another library is declined without a message: this library has no window to show one.
extern "C" int32_t WINAPI CalculateJudgeID(
    HWND owner, const char *definition_path,
    uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3, uint32_t w4, uint32_t w5, uint32_t w6, uint32_t w7,
    uint32_t w8, uint32_t w9, uint32_t w10, uint32_t w11, uint32_t w12, uint32_t w13, uint32_t w14, uint32_t w15,
    uint32_t w16, uint32_t w17, uint32_t w18, uint32_t w19, uint32_t w20, uint32_t w21,
    const char *target_path, judgement_record *record, uint32_t entry_number, uint32_t dictionary_flag)
{
    (void)owner;
    (void)definition_path;
    (void)entry_number;
    (void)dictionary_flag;
    const uint32_t words[JUDGE_HEADER_WORDS] = {w0,  w1,  w2,  w3,  w4,  w5,  w6,  w7,  w8,  w9,  w10,
                                                w11, w12, w13, w14, w15, w16, w17, w18, w19, w20, w21};
    plugin_header header;
    join_header_words(words, &header);
    if (header.judge_library_id != TEXT_JUDGE_ID) return 0;
    if (header.option_mode != JUDGE_SWITCH_ON) return 1;  // judging switched off: the cleared record stands
    if (target_path == nullptr || record == nullptr) return 0;
    HANDLE file = CreateFileA(target_path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    uint32_t kind = judge_text_kind(file);
    CloseHandle(file);
    record->result_a = 0;
    record->result_b = kind;
    return 1;
}

// The exported functions are the interface's own types.
static_assert(std::is_same<decltype(&KrvJudgextEntry), judge_entry_function>::value, "identity call type");
static_assert(std::is_same<decltype(&CalculateJudgeID), judge_calculate_function>::value, "judgement call type");
