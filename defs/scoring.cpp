// Pattern and attribute scoring of one candidate. All arithmetic is single precision; every intermediate
// is rounded to a 32-bit float so that the x87 build and the SSE build give the same lpts.
#include "scoring.h"
#include "bounded_text.h"
#include "owner_message.h"
#include "sjis_text.h"
#include "plugin_loader.h"
#include "text_option_loader.h"
#include <climits>
#include <cstring>

namespace {

const char OPEN_FAILED_TEXT[] = "対象のファイルが開けません";
const char PATH_TOO_LONG_TEXT[] = "ファイル名はMAX_PATH-1以内にしてください。";
const float NEUTRAL_SCORE = 50.0f;
const float ONE_THIRD = 0.33333334f;
const size_t LONGEST_TARGET_PATH = 259;
const size_t EXTENSION_WORK_SIZE = 260;

// Rounds a result to single precision (the x87 unit would otherwise keep extra bits between steps).
float single(float value)
{
    volatile float rounded = value;
    return rounded;
}

float verdict_or(uint8_t score_byte, float otherwise)
{
    if (score_byte == SCORE_CERTAIN) return 100.0f;
    if (score_byte == SCORE_EXCLUDED) return 0.0f;
    return otherwise;
}

HANDLE open_target(const char *path)
{
    if (path == nullptr) return INVALID_HANDLE_VALUE;
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN,
                       nullptr);
}

// Reads up to size bytes from the current position; the number read.
int read_up_to(HANDLE file, unsigned char *buffer, int size)
{
    int total = 0;
    while (total < size) {
        DWORD got = 0;
        if (!ReadFile(file, buffer + total, static_cast<DWORD>(size - total), &got, nullptr) || got == 0) break;
        total += static_cast<int>(got);
    }
    return total;
}

// Opens the target and reads its first bytes; 0 (after the message) when it cannot be opened.
int read_target_start(HWND window, const char *target_path, unsigned char *buffer, int *got)
{
    HANDLE file = open_target(target_path);
    if (file == INVALID_HANDLE_VALUE) {
        show_owned_message(window, OPEN_FAILED_TEXT, "ERROR", MB_ICONWARNING);
        return 0;
    }
    *got = read_up_to(file, buffer, PROBE_WINDOW_BYTES);
    CloseHandle(file);
    return 1;
}

// Searches the probe window; starts 0 .. 49 - length are tried (the window ending on the last byte is not).
int signature_in_window(const unsigned char *window_bytes, const char *signature, int length)
{
    for (int start = 0; start <= PROBE_WINDOW_BYTES - 1 - length; start++) {
        if (std::memcmp(window_bytes + start, signature, static_cast<size_t>(length)) == 0) return 1;
    }
    return 0;
}

float probe_target(HWND window, const char *target_path, const pattern_table *table, int i)
{
    float base = static_cast<float>(table->base_score[i]);
    float not_found = single(single(base + NEUTRAL_SCORE) * 0.5f);
    HANDLE file = open_target(target_path);
    if (file == INVALID_HANDLE_VALUE) {
        show_owned_message(window, OPEN_FAILED_TEXT, "ERROR", MB_ICONWARNING);
        return not_found;
    }
    // A move that fails (before the start, or an unknown origin) leaves the position at the start.
    if (table->origin[i] <= FILE_END)
        SetFilePointer(file, table->offset[i], nullptr, table->origin[i]);
    unsigned char window_bytes[PROBE_WINDOW_BYTES] = {};
    int got = read_up_to(file, window_bytes, PROBE_WINDOW_BYTES);
    CloseHandle(file);
    int length = static_cast<int>(strnlen(table->signature[i], 4));
    if (got == 0 || length == 0) return not_found;
    if (!signature_in_window(window_bytes, table->signature[i], length)) return not_found;
    uint8_t found = table->found_score[i];
    return verdict_or(found, single(single(base + static_cast<float>(found)) * 0.5f));
}

// The text after the last dot of the whole path, the first character not counting; null without one.
const char *attribute_extension(const char *path)
{
    for (size_t i = std::strlen(path); i > 1; i--) {
        if (path[i - 1] == '.') return path + i;
    }
    return nullptr;
}

// Converts single-byte letters only; the second byte of a double-byte character is left alone.
void convert_letters(const char *text, char *out, size_t out_size, int upper)
{
    copy_text(out, out_size, text);
    convert_letter_case(out, upper ? LETTER_CASE_UPPER : LETTER_CASE_LOWER, 1);
}

int extension_matches(const char *candidate_ext, const char *extension)
{
    char converted[EXTENSION_WORK_SIZE];
    if (std::strcmp(candidate_ext, extension) == 0) return 1;
    convert_letters(extension, converted, sizeof converted, 1);
    if (std::strcmp(candidate_ext, converted) == 0) return 1;
    convert_letters(extension, converted, sizeof converted, 0);
    return std::strcmp(candidate_ext, converted) == 0;
}

// Size sub-score: d = size - reference in 32-bit arithmetic that wraps around, as the record's signed
// fields are meant; the one quotient that does not fit (most negative d by -1) wraps as well.
float size_sub_score(HANDLE file, const score_settings &settings)
{
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    uint32_t size_low = static_cast<uint32_t>(size.QuadPart & 0xFFFFFFFFu);
    int32_t d = static_cast<int32_t>(size_low - static_cast<uint32_t>(settings.size_reference));
    int32_t step = settings.size_step;
    float score = static_cast<float>(settings.size_base_score);
    if ((d >= 0 && step > 0) || (d < 0 && step < 0)) {
        int32_t q = (d == INT32_MIN && step == -1) ? INT32_MIN : d / step;
        score = single(score - single(static_cast<float>(q) * settings.size_step_penalty));
    }
    if (score < 0.0f) score = 0.0f;
    return score;
}

}  // namespace

int count_text_bytes(const unsigned char *bytes, int count)
{
    int text = 0;
    for (int k = 0; k < count / 2; k++) {
        unsigned h = bytes[2 * k];
        unsigned l = bytes[2 * k + 1];
        unsigned w = h * 256 + l;
        if (sjis_word_strictly_inside(w)) {
            text += 2;
        } else if (h >= 0x01 && h <= 0x7E) {
            text += 1 + ((l >= 0x01 && l <= 0x7E) ? 1 : 0);
        } else if (h >= 0xA2 && h <= 0xDE) {
            text += 1 + ((l >= 0xA2 && l <= 0xDE) ? 1 : 0);
        }
    }
    if (count % 2 == 1) {
        unsigned last = bytes[count - 1];
        if ((last >= 0x01 && last <= 0x7E) || (last >= 0xA2 && last <= 0xDE)) text++;
    }
    return text;
}

int looks_like_text(const unsigned char *bytes, int count)
{
    return count_text_bytes(bytes, count) == count;
}

int evaluate_patterns(HWND window, const char *target_path, uint16_t key, const pattern_table *table,
                      float *score_out)
{
    *score_out = 0.0f;
    int count = table->count > PATTERN_ENTRY_MAX ? PATTERN_ENTRY_MAX : table->count;
    int i = 0;
    while (i < count && table->key_id[i] != key) i++;
    if (i == count) {
        *score_out = NEUTRAL_SCORE;
        return 1;
    }
    uint8_t base = table->base_score[i];
    if (base == SCORE_CERTAIN || base == SCORE_EXCLUDED) {
        *score_out = verdict_or(base, 0.0f);
        return 1;
    }
    if (table->probe[i] != 1) {
        *score_out = single(single(static_cast<float>(base) + NEUTRAL_SCORE) * 0.5f);
        return 1;
    }
    *score_out = probe_target(window, target_path, table, i);
    return 1;
}

int evaluate_plugin(HWND window, const char *definition_path, const char *target_path, uint16_t key,
                    score_settings *settings, int n, int mode)
{
    std::memset(settings, 0, sizeof *settings);
    if (!read_score_settings(window, definition_path, settings, n, mode)) return 0;
    if (settings->pattern_check == 0) return 1;
    pattern_table table;
    if (!read_pattern_table(window, definition_path, &table, n, mode)) return 0;
    evaluate_patterns(window, target_path, key, &table, &settings->pattern_score);
    return 1;
}

int evaluate_option_plugin(HWND window, const char *definition_path, const char *target_path, uint16_t key,
                           score_settings *settings)
{
    std::memset(settings, 0, sizeof *settings);
    if (!read_text_score_settings(window, definition_path, settings)) return 0;
    if (settings->pattern_check == 0) return 1;
    pattern_table table;
    if (!read_text_pattern_table(window, definition_path, &table)) return 0;
    evaluate_patterns(window, target_path, key, &table, &settings->pattern_score);
    return 1;
}

namespace {

// Extension sub-score; 0 for an over-long path, 2 when a verdict already decided the final score.
int extension_sub_score(HWND window, const char *target_path, const char *candidate_ext,
                        const score_settings &settings, float *sub_score, float *score_out)
{
    if (std::strlen(target_path) > LONGEST_TARGET_PATH) {
        show_owned_message(window, PATH_TOO_LONG_TEXT, "ERROR", MB_ICONWARNING);
        return 0;
    }
    const char *extension = attribute_extension(target_path);
    if (extension == nullptr || !extension_matches(candidate_ext, extension)) return 1;
    if (settings.ext_score == SCORE_CERTAIN || settings.ext_score == SCORE_EXCLUDED) {
        *score_out = verdict_or(settings.ext_score, 0.0f);
        return 2;
    }
    *sub_score = static_cast<float>(settings.ext_score);
    return 1;
}

// Text sub-score, with the same results as the extension's.
int text_sub_score(HWND window, const char *target_path, const score_settings &settings, float *sub_score,
                   float *score_out)
{
    unsigned char sample[PROBE_WINDOW_BYTES] = {};
    int got = 0;
    if (!read_target_start(window, target_path, sample, &got)) return 0;
    if (!looks_like_text(sample, got)) return 1;
    if (settings.text_score == SCORE_CERTAIN || settings.text_score == SCORE_EXCLUDED) {
        *score_out = verdict_or(settings.text_score, 0.0f);
        return 2;
    }
    *sub_score = static_cast<float>(settings.text_score);
    return 1;
}

}  // namespace

int score_attributes(HWND window, const char *target_path, const char *candidate_ext, float *score_out,
                     score_settings settings)
{
    *score_out = 0.0f;
    if (settings.enabled == 0) {
        *score_out = NEUTRAL_SCORE;
        return 1;
    }
    if (target_path == nullptr) return 0;
    if (candidate_ext == nullptr) candidate_ext = "";
    float e = NEUTRAL_SCORE, t = NEUTRAL_SCORE, s = NEUTRAL_SCORE;
    if (settings.ext_check != 0) {
        int step = extension_sub_score(window, target_path, candidate_ext, settings, &e, score_out);
        if (step != 1) return step == 2;
    }
    if (settings.text_check != 0) {
        int step = text_sub_score(window, target_path, settings, &t, score_out);
        if (step != 1) return step == 2;
    }
    if (settings.size_check != 0) {
        HANDLE file = open_target(target_path);
        if (file == INVALID_HANDLE_VALUE) {
            show_owned_message(window, OPEN_FAILED_TEXT, "ERROR", MB_ICONWARNING);
            return 0;
        }
        s = size_sub_score(file, settings);
        CloseHandle(file);
    }
    float attributes = single(single(single(e + t) + s) * ONE_THIRD);
    if (settings.pattern_check == 0) {
        *score_out = single(single(attributes + NEUTRAL_SCORE) * 0.5f);
    } else if (settings.pattern_score == 100.0f || settings.pattern_score == 0.0f) {
        *score_out = settings.pattern_score;
    } else {
        *score_out = single(single(settings.pattern_score + attributes) * 0.5f);
    }
    return 1;
}
