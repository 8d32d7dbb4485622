// The judge extension library interface, kept by the program's binding and by every judge library:
// the 80-byte identity record, the two entry points' types and their export names.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include "dataset_records.h"
#include "definition_records.h"

// Export names, decorated as the standard call convention decorates them on the 32-bit build; both builds
// export exactly these names.
const char JUDGE_ENTRY_EXPORT[] = "_KrvJudgextEntry@8";
const char JUDGE_CALCULATE_EXPORT[] = "_CalculateJudgeID@112";

const int JUDGE_LIBRARY_INFO_SIZE = 80;
const int JUDGE_DESCRIPTION_SIZE = 31;  // 30 characters + NUL
const int JUDGE_MAKER_SIZE = 33;        // 32 characters + NUL
const int JUDGE_RELEASE_TEXT_SIZE = 5;  // 4 characters + NUL
const int JUDGE_HEADER_WORDS = 22;      // the plugin_header travels as this many 32-bit words

// Filled by the identity call into a buffer of the caller's; the program reads only library_id.
struct judge_library_info {
    uint16_t library_id;  // compared with plugin_header.judge_library_id
    uint16_t zero;
    char description[JUDGE_DESCRIPTION_SIZE];
    char maker[JUDGE_MAKER_SIZE];
    float version;
    char release_text[JUDGE_RELEASE_TEXT_SIZE];
    uint8_t release_byte;
    uint16_t zero_tail;
};
static_assert(sizeof(judge_library_info) == JUDGE_LIBRARY_INFO_SIZE, "judge_library_info is 80 bytes");
static_assert(offsetof(judge_library_info, library_id) == 0, "library_id at 0");
static_assert(offsetof(judge_library_info, zero) == 2, "zero at 2");
static_assert(offsetof(judge_library_info, description) == 4, "description at 4");
static_assert(offsetof(judge_library_info, maker) == 35, "maker at 35");
static_assert(offsetof(judge_library_info, version) == 68, "version at 68");
static_assert(offsetof(judge_library_info, release_text) == 72, "release_text at 72");
static_assert(offsetof(judge_library_info, release_byte) == 77, "release_byte at 77");
static_assert(offsetof(judge_library_info, zero_tail) == 78, "zero_tail at 78");
static_assert(sizeof(float) == 4, "version is a 32-bit float");
static_assert(sizeof(plugin_header) == JUDGE_HEADER_WORDS * 4, "plugin_header is 22 words");

// _KrvJudgextEntry@8: (owner window, identity record); non-zero when the record is valid.
typedef int32_t(WINAPI *judge_entry_function)(HWND owner, judge_library_info *info);

// _CalculateJudgeID@112: (owner window, definition file path, the plugin_header as 22 words where word k holds
// header bytes 4k..4k+3, target path, judgement record, dictionary entry number (0 for a plug-in file),
// 1 for a dictionary entry / 0 for a plug-in file); non-zero when the file was judged.
typedef int32_t(WINAPI *judge_calculate_function)(
    HWND owner, const char *definition_path,
    uint32_t header_word_0, uint32_t header_word_1, uint32_t header_word_2, uint32_t header_word_3,
    uint32_t header_word_4, uint32_t header_word_5, uint32_t header_word_6, uint32_t header_word_7,
    uint32_t header_word_8, uint32_t header_word_9, uint32_t header_word_10, uint32_t header_word_11,
    uint32_t header_word_12, uint32_t header_word_13, uint32_t header_word_14, uint32_t header_word_15,
    uint32_t header_word_16, uint32_t header_word_17, uint32_t header_word_18, uint32_t header_word_19,
    uint32_t header_word_20, uint32_t header_word_21,
    const char *target_path, judgement_record *record, uint32_t entry_number, uint32_t dictionary_flag);

// Bytes of arguments a function type takes on the stack of the 32-bit build (each rounded to 4 bytes):
// the number after "@" in its decorated name.
template <typename F> struct judge_argument_bytes;
template <typename R, typename... A> struct judge_argument_bytes<R (*)(A...)> {
    static const size_t value = (0 + ... + ((sizeof(A) + 3) / 4 * 4));
};
#if defined(_WIN32) && !defined(_WIN64)
template <typename R, typename... A> struct judge_argument_bytes<R(WINAPI *)(A...)> {
    static const size_t value = (0 + ... + ((sizeof(A) + 3) / 4 * 4));
};
static_assert(judge_argument_bytes<judge_entry_function>::value == 8, "the identity call takes 8 bytes");
static_assert(judge_argument_bytes<judge_calculate_function>::value == 112, "the judgement call takes 112 bytes");
#endif

// The plugin_header as the 22 words the judgement call receives, and back.
inline void split_header_words(const plugin_header &header, uint32_t words[JUDGE_HEADER_WORDS])
{
    std::memcpy(words, &header, sizeof header);
}

inline void join_header_words(const uint32_t words[JUDGE_HEADER_WORDS], plugin_header *header)
{
    std::memcpy(header, words, sizeof *header);
}
