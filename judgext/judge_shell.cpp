// The two exports of a judge library, over the library's identity and its judgement of an opened file.
#include "judge_shell.h"
#include "bounded_text.h"
#include <cstring>
#include <type_traits>

namespace {

const uint8_t JUDGE_SWITCH_ON = 1;
const DWORD REPEAT_WINDOW_MS = 1000;  // how long after a judgement its answer may be repeated
// A file last written this long before a judgement cannot be written again without its time changing: the
// coarsest clocks that stamp files (FAT's two seconds) tick well within it. 100-ns units.
const ULONGLONG SETTLED_AGE = 4ull * 10000000ull;

// The last judgement, by the file it was made on.
struct last_judgement {
    int kept;
    char path[PATH_SIZE];
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    DWORD made_at;
    uint32_t code;
};

// One per calling thread: a caller identifying on several threads asks for each file from the same thread.
thread_local last_judgement g_last;

int same_attributes(const WIN32_FILE_ATTRIBUTE_DATA &a, const WIN32_FILE_ATTRIBUTE_DATA &b)
{
    return a.nFileSizeHigh == b.nFileSizeHigh && a.nFileSizeLow == b.nFileSizeLow &&
           CompareFileTime(&a.ftLastWriteTime, &b.ftLastWriteTime) == 0 &&
           CompareFileTime(&a.ftCreationTime, &b.ftCreationTime) == 0 &&
           a.dwFileAttributes == b.dwFileAttributes;
}

ULONGLONG ticks_of(const FILETIME &time)
{
    return (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

// Written long enough ago that a later writing would show in its time.
int settled(const WIN32_FILE_ATTRIBUTE_DATA &attributes)
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULONGLONG written = ticks_of(attributes.ftLastWriteTime);
    return ticks_of(now) > written && ticks_of(now) - written >= SETTLED_AGE;
}

// Opens and judges the target; 0 when it cannot be opened.
int judge_target(const char *target_path, uint32_t *code)
{
    WIN32_FILE_ATTRIBUTE_DATA attributes;
    int known = JUDGE_IDENTITY.repeat_last_answer &&
                GetFileAttributesExA(target_path, GetFileExInfoStandard, &attributes) &&
                std::strlen(target_path) < sizeof g_last.path;
    if (known && g_last.kept && std::strcmp(g_last.path, target_path) == 0 &&
        GetTickCount() - g_last.made_at < REPEAT_WINDOW_MS && same_attributes(g_last.attributes, attributes)) {
        *code = g_last.code;
        return 1;
    }
    g_last.kept = 0;
    HANDLE file = CreateFileA(target_path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              JUDGE_IDENTITY.open_flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    *code = judge_opened_target(file);
    CloseHandle(file);
    if (known && settled(attributes)) {
        copy_text(g_last.path, sizeof g_last.path, target_path);
        g_last.attributes = attributes;
        g_last.made_at = GetTickCount();
        g_last.code = *code;
        g_last.kept = 1;
    }
    return 1;
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}

// _KrvJudgextEntry@8: this library's identity record.
extern "C" int32_t WINAPI KrvJudgextEntry(HWND, judge_library_info *info)
{
    if (info == nullptr) return 0;
    std::memset(info, 0, sizeof *info);
    info->library_id = JUDGE_IDENTITY.library_id;
    copy_text(info->description, sizeof info->description, JUDGE_IDENTITY.description);
    copy_text(info->maker, sizeof info->maker, JUDGE_IDENTITY.maker);
    info->version = JUDGE_IDENTITY.version;
    copy_text(info->release_text, sizeof info->release_text, JUDGE_IDENTITY.release_text);
    info->release_byte = JUDGE_IDENTITY.release_byte;
    return 1;
}

// _CalculateJudgeID@112: writes (0, code) into the record when the header asks this library for a judgement.
extern "C" int32_t WINAPI CalculateJudgeID(
    HWND owner, const char *, uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3, uint32_t w4, uint32_t w5,
    uint32_t w6, uint32_t w7, uint32_t w8, uint32_t w9, uint32_t w10, uint32_t w11, uint32_t w12, uint32_t w13,
    uint32_t w14, uint32_t w15, uint32_t w16, uint32_t w17, uint32_t w18, uint32_t w19, uint32_t w20, uint32_t w21,
    const char *target_path, judgement_record *record, uint32_t, uint32_t)
{
    const uint32_t words[JUDGE_HEADER_WORDS] = {w0,  w1,  w2,  w3,  w4,  w5,  w6,  w7,  w8,  w9,  w10,
                                                w11, w12, w13, w14, w15, w16, w17, w18, w19, w20, w21};
    plugin_header header;
    join_header_words(words, &header);
    if (header.judge_library_id != JUDGE_IDENTITY.library_id) {
        // A library has no report sink of the program's: the owner window is all it is given.
        if (JUDGE_IDENTITY.warn_on_foreign_header) MessageBoxA(owner, "予期せぬエラーです", "ERROR", MB_OK);
        return 0;
    }
    if (header.option_mode != JUDGE_SWITCH_ON) return 1;  // judging switched off: the caller's cleared record stands
    if (target_path == nullptr || record == nullptr) return 0;
    uint32_t code = 0;
    if (!judge_target(target_path, &code)) return 0;
    record->result_a = 0;
    record->result_b = code;
    return 1;
}

// The exported functions are the interface's own types.
static_assert(std::is_same<decltype(&KrvJudgextEntry), judge_entry_function>::value, "identity call type");
static_assert(std::is_same<decltype(&CalculateJudgeID), judge_calculate_function>::value, "judgement call type");
