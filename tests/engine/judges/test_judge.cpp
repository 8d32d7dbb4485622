// A judge library for the binding's tests. Each build of this file answers with its own identity and mark
// and writes what happens to it (loads, releases, calls with their arguments) to the log named by
// QUODRA_JUDGE_LOG, so a test sees how the program used it.
#include "judge_interface.h"
#include <cstdio>
#include <cstdarg>
#include <cstdlib>

namespace {

void log_line(const char *format, ...)
{
    // The process environment itself: the test sets the variable after this library's runtime started.
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("QUODRA_JUDGE_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    FILE *log = std::fopen(path, "ab");
    if (log == nullptr) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(log, format, args);
    va_end(args);
    std::fputc('\n', log);
    std::fclose(log);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) log_line("load %X", JUDGE_MARK);
    if (reason == DLL_PROCESS_DETACH) log_line("release %X", JUDGE_MARK);
    return TRUE;
}

extern "C" int32_t WINAPI TestJudgeEntry(HWND, judge_library_info *info)
{
    log_line("identity %X", JUDGE_MARK);
    info->library_id = JUDGE_IDENTITY;
    return JUDGE_ENTRY_RESULT;
}

#if JUDGE_HAS_CALCULATE
extern "C" int32_t WINAPI TestJudgeCalculate(
    HWND, const char *definition_path, uint32_t w0, uint32_t w1, uint32_t w2, uint32_t w3, uint32_t w4, uint32_t w5,
    uint32_t w6, uint32_t w7, uint32_t w8, uint32_t w9, uint32_t w10, uint32_t w11, uint32_t w12, uint32_t w13,
    uint32_t w14, uint32_t w15, uint32_t w16, uint32_t w17, uint32_t w18, uint32_t w19, uint32_t w20, uint32_t w21,
    const char *target_path, judgement_record *record, uint32_t entry_number, uint32_t dictionary_flag)
{
    // A call that finds another inside is logged; QUODRA_JUDGE_HOLD_MS keeps each call inside that long.
    static volatile LONG inside = 0;
    if (InterlockedIncrement(&inside) > 1) log_line("overlap %X", JUDGE_MARK);
    char hold[16];
    DWORD held = GetEnvironmentVariableA("QUODRA_JUDGE_HOLD_MS", hold, sizeof hold);
    if (held > 0 && held < sizeof hold) Sleep(static_cast<DWORD>(std::atoi(hold)));
    const uint32_t words[JUDGE_HEADER_WORDS] = {w0, w1, w2, w3, w4, w5, w6, w7, w8, w9, w10,
                                                w11, w12, w13, w14, w15, w16, w17, w18, w19, w20, w21};
    plugin_header header;
    join_header_words(words, &header);
    log_line("judge %X|%s|%s|%u|%u|id=%u|mode=%u|name=%s", JUDGE_MARK, definition_path, target_path,
             entry_number, dictionary_flag, header.definition_id, header.option_mode, header.name);
    record->result_a = JUDGE_MARK;
    record->result_b = 0x1234;
    InterlockedDecrement(&inside);
    return JUDGE_CALCULATE_RESULT;
}
#endif
