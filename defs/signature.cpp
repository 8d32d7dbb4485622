// Signature computation: the target is read once, sequentially, through the C runtime's streams (text mode
// for the text-line source), and the selected bytes are folded or summed into result_a and result_b.
#include "signature.h"
#include "sjis_text.h"
#include "text_option_loader.h"
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const int LINE_BUFFER_SIZE = 999;   // a line of at most 998 characters; a longer one continues as the next
const int BYTE_BLOCK_SIZE = 1000;
const int FOLD_POSITIONS = 8;
const uint32_t SUM_MODULUS = 0xFFFFFF00u;
const int TERM_LETTER_COUNT = 10;   // a .. j name terms[2] .. terms[11]

struct signature_accumulator {
    int32_t method;                        // 0 fold, 1 sum, anything else takes nothing
    unsigned char fold[FOLD_POSITIONS];    // positions 1..8: result_a from the top byte down, then result_b
    int position;                          // 0..7, carried over lines and blocks
    uint32_t sum;
};

void start_accumulator(signature_accumulator *acc, int32_t method)
{
    std::memset(acc, 0, sizeof *acc);
    acc->method = method;
}

void accumulate(signature_accumulator *acc, unsigned char byte)
{
    if (acc->method == 0) {
        acc->fold[acc->position] = static_cast<unsigned char>(acc->fold[acc->position] + byte);
        acc->position = (acc->position + 1) % FOLD_POSITIONS;
    } else if (acc->method == 1) {
        acc->sum = acc->sum % SUM_MODULUS + byte;
    }
}

uint32_t fold_word(const unsigned char *bytes)
{
    return (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
           (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
}

// Writes the accumulated words; 0 when both are zero (a signature of nothing is no signature).
int finish_accumulator(const signature_accumulator *acc, judgement_record *result)
{
    if (acc->method == 0) {
        result->result_a = fold_word(acc->fold);
        result->result_b = fold_word(acc->fold + 4);
    } else if (acc->method == 1) {
        result->result_b = acc->sum;
    }
    return result->result_a != 0 || result->result_b != 0;
}

// Feeds one byte through the character class; previous is -1 at the first position of a line or block.
void take_byte(signature_accumulator *acc, int character_class, unsigned char c, int previous)
{
    unsigned w = previous < 0 ? c : static_cast<unsigned>(previous) * 256 + c;
    if (byte_in_class(character_class, c, w)) accumulate(acc, c);
}

// Initial positioning; an unknown origin fails like a failing seek.
int position_stream(FILE *file, const option_record &options)
{
    if (options.seek_origin > SEEK_END) return 0;
    return std::fseek(file, options.seek_offset, options.seek_origin) == 0;
}

// Passes over one whitespace-separated word, leaving the character after it unread.
void skip_word(FILE *file)
{
    int c;
    do {
        c = std::fgetc(file);
    } while (c != EOF && std::isspace(static_cast<unsigned char>(c)));
    while (c != EOF && !std::isspace(static_cast<unsigned char>(c))) c = std::fgetc(file);
    if (c != EOF) std::ungetc(c, file);
}

// Length of the line after the optional removal of its line end.
int stripped_length(const char *line, const option_record &options)
{
    int n = static_cast<int>(std::strlen(line));
    if (options.params[1] != 1) return n;
    signed char last = n >= 1 ? static_cast<signed char>(line[n - 1]) : 0;
    if (options.option_source == SIGNATURE_SOURCE_TEXT_LINES) {
        if (n >= 1 && (last == options.params[2] || last == options.params[3])) n--;
    } else if (n >= 2 && static_cast<signed char>(line[n - 2]) == options.params[2] && last == options.params[3]) {
        n -= 2;
    }
    return n;
}

void read_region(FILE *file, const option_record &options, signature_accumulator *acc)
{
    int line_end_characters = options.option_source == SIGNATURE_SOURCE_TEXT_LINES ? 1 : 2;
    for (int skipped = 0; skipped < options.start_line; skipped++) {
        skip_word(file);
        for (int i = 0; i < line_end_characters; i++) std::fgetc(file);
    }
    char line[LINE_BUFFER_SIZE];
    int last = options.end_line - options.start_line;
    for (int l = 0; l <= last; l++) {
        if (std::fgets(line, sizeof line, file) == nullptr) line[0] = '\0';
        int n = stripped_length(line, options);
        // A negative start column takes the line from its first byte: nothing lies before it.
        int col = (l == 0 && options.start_column > 0) ? options.start_column : 0;
        for (; col < n; col++) {
            if (l == last && col > options.end_column) break;
            int previous = col > 0 ? static_cast<unsigned char>(line[col - 1]) : -1;
            take_byte(acc, options.params[4], static_cast<unsigned char>(line[col]), previous);
        }
    }
}

int region_of_lines(const char *target_path, const option_record &options, judgement_record *result)
{
    FILE *file = std::fopen(target_path, options.option_source == SIGNATURE_SOURCE_TEXT_LINES ? "r" : "rb");
    if (file == nullptr) return 0;
    int ordered = options.end_line > options.start_line ||
                  (options.end_line == options.start_line && options.end_column >= options.start_column);
    if (!position_stream(file, options) || !ordered) {
        std::fclose(file);
        return 0;
    }
    signature_accumulator acc;
    start_accumulator(&acc, options.params[0]);
    read_region(file, options, &acc);
    std::fclose(file);
    return finish_accumulator(&acc, result);
}

// Blocks 0 .. q of 1000 bytes are read; only bytes 0 .. r - 1 of block q are taken.
int run_of_bytes(const char *target_path, const option_record &options, judgement_record *result)
{
    if (options.params[0] < 1) return 0;
    FILE *file = std::fopen(target_path, "rb");
    if (file == nullptr) return 0;
    if (!position_stream(file, options)) {
        std::fclose(file);
        return 0;
    }
    int32_t wanted_block = options.params[0] / BYTE_BLOCK_SIZE;
    int wanted_bytes = options.params[0] % BYTE_BLOCK_SIZE;
    signature_accumulator acc;
    start_accumulator(&acc, options.params[2]);
    unsigned char block[BYTE_BLOCK_SIZE];
    for (int32_t b = 0; b <= wanted_block; b++) {
        size_t got = std::fread(block, 1, sizeof block, file);
        if (b == wanted_block) {
            size_t taken = got < static_cast<size_t>(wanted_bytes) ? got : static_cast<size_t>(wanted_bytes);
            for (size_t i = 0; i < taken; i++) take_byte(&acc, options.params[4], block[i], i > 0 ? block[i - 1] : -1);
        }
        if (got < sizeof block) break;
    }
    std::fclose(file);
    return finish_accumulator(&acc, result);
}

int term_index(char letter)
{
    return (letter >= 'a' && letter < 'a' + TERM_LETTER_COUNT) ? letter - 'a' : -1;
}

// Swaps the case of single-byte letters in place; double-byte characters stay whole.
void swap_letter_case(char *term)
{
    convert_letter_case(term, LETTER_CASE_SWAP, 1);
}

// Term a..j (index 0..9) in the data up to its first zero byte; with the retry, also in swapped case.
int term_found(const char *data, option_record *options, int index)
{
    char *term = options->terms[index + 2];
    term[DEFINITION_TERM_SIZE - 1] = '\0';
    if (term[0] == '\0') return 0;
    if (std::strstr(data, term) != nullptr) return 1;
    if (options->params[1] != 1) return 0;
    swap_letter_case(term);
    return std::strstr(data, term) != nullptr;
}

// One alternative of the expression: 1 holds, 0 does not, -1 a character before "&" names no term.
int alternative_holds(const char *alt, size_t length, const char *data, option_record *options)
{
    if (length == 0) return 0;
    if (std::memchr(alt, '&', length) == nullptr) {
        int index = term_index(alt[0]);
        return index >= 0 && term_found(data, options, index);
    }
    for (size_t i = 0; i < length; i++) {
        if (alt[i] != '&') continue;
        int before = i > 0 ? term_index(alt[i - 1]) : -1;
        if (before < 0) return -1;
        if (!term_found(data, options, before)) return 0;
        int after = i + 1 < length ? term_index(alt[i + 1]) : -1;
        if (after < 0) after = before;
        if (!term_found(data, options, after)) return 0;
    }
    return 1;
}

// The expression terms[0], alternatives split at "|", the first that holds deciding; -1 for an invalid one.
int expression_holds(const char *data, option_record *options)
{
    char expression[DEFINITION_TERM_SIZE + 1];
    size_t length = strnlen(options->terms[0], DEFINITION_TERM_SIZE);
    std::memcpy(expression, options->terms[0], length);
    expression[length] = '\0';
    size_t start = 0;
    for (;;) {
        size_t end = start;
        while (expression[end] != '\0' && expression[end] != '|') end++;
        int holds = alternative_holds(expression + start, end - start, data, options);
        if (holds != 0) return holds;
        if (expression[end] == '\0') return 0;
        start = end + 1;
    }
}

int term_expression(const char *target_path, option_record *options, judgement_record *result)
{
    int32_t wanted = options->params[0];
    if (wanted < 1 || options->params[2] == options->params[3]) return 0;
    if (wanted > SIGNATURE_TERM_BUFFER_LIMIT) return 0;
    FILE *file = std::fopen(target_path, "rb");
    if (file == nullptr) return 0;
    char *data = nullptr;
    if (position_stream(file, *options))
        data = static_cast<char *>(std::calloc(static_cast<size_t>(wanted) + 1, 1));
    if (data == nullptr) {
        std::fclose(file);
        return 0;
    }
    std::fread(data, 1, static_cast<size_t>(wanted), file);
    std::fclose(file);
    int holds = expression_holds(data, options);
    std::free(data);
    if (holds < 0) return 0;
    if (holds && options->params[2] == 0) return 0;
    result->result_b = static_cast<uint32_t>(holds ? options->params[2] : options->params[3]);
    return 1;
}

int constant_signature(const option_record &options, judgement_record *result)
{
    if (options.option_source != 0 || options.params[0] == 0 || options.params[1] == 0) return 0;
    result->result_a = static_cast<uint32_t>(options.params[0]);
    result->result_b = static_cast<uint32_t>(options.params[1]);
    return 1;
}

int run_method(const char *target_path, option_record *options, judgement_record *result)
{
    if (options->option_mode == SIGNATURE_MODE_CONSTANT) return constant_signature(*options, result);
    if (target_path == nullptr) return 0;
    if (options->option_mode == SIGNATURE_MODE_REGION) {
        if (options->option_source == SIGNATURE_SOURCE_TEXT_LINES ||
            options->option_source == SIGNATURE_SOURCE_BINARY_LINES)
            return region_of_lines(target_path, *options, result);
        if (options->option_source == SIGNATURE_SOURCE_BYTES) return run_of_bytes(target_path, *options, result);
        return 0;
    }
    if (options->option_mode == SIGNATURE_MODE_TERMS && options->option_source == 0)
        return term_expression(target_path, options, result);
    return 0;
}

int outside_double_byte(unsigned w)
{
    return !sjis_word_within(w);
}

}  // namespace

int byte_in_class(int character_class, unsigned char c, unsigned w)
{
    switch (character_class) {
    case 0: return 1;
    case 1: return byte_in_class(7, c, w) || byte_in_class(3, c, w) || byte_in_class(8, c, w);
    case 2: return byte_in_class(3, c, w) || byte_in_class(8, c, w);
    case 3: return c >= 0x01 && c <= 0x7E && outside_double_byte(w);
    case 4: return byte_in_class(5, c, w) || byte_in_class(6, c, w);
    case 5: return c >= 0x41 && c <= 0x5A && outside_double_byte(w);
    case 6: return c >= 0x61 && c <= 0x7A && outside_double_byte(w);
    case 7: return sjis_word_strictly_inside(w);
    case 8: return c >= 0xA2 && c <= 0xDE && outside_double_byte(w);
    case 9: return c >= 0x30 && c <= 0x39 && outside_double_byte(w);
    default: return 0;
    }
}

int compute_signature(HWND window, const char *target_path, const char *definition_path, option_record options,
                      judgement_record *result, int options_given)
{
    std::memset(result, 0, sizeof *result);
    if (options_given == 0) {
        if (target_path == nullptr || target_path[0] == '\0' || definition_path == nullptr ||
            definition_path[0] == '\0')
            return 0;
        if (!read_text_options(window, definition_path, &options)) return 0;
    }
    if (!run_method(target_path, &options, result)) {
        result->result_a = 0;
        result->result_b = 0;
        return 0;
    }
    result->definition_id = options.definition_id;
    return 1;
}
