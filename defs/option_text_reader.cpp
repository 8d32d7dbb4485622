// Bounded text-mode reading of the text option plug-in: characters, lines, words and value columns.
#include "option_text_reader.h"
#include <cmath>
#include <cstring>

int open_option_text(option_text_stream *stream, const char *path)
{
    std::memset(stream, 0, sizeof *stream);
    stream->file = INVALID_HANDLE_VALUE;
    stream->pushed = -1;
    if (path == nullptr || path[0] == '\0') return 0;
    stream->file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    return stream->file != INVALID_HANDLE_VALUE;
}

void close_option_text(option_text_stream *stream)
{
    if (stream->file != INVALID_HANDLE_VALUE) CloseHandle(stream->file);
    stream->file = INVALID_HANDLE_VALUE;
}

// The next byte of the file without text-mode translation, or -1; `take` 0 only looks at it.
static int next_file_byte(option_text_stream *stream, int take)
{
    if (stream->position >= stream->length) {
        if (stream->ended) return -1;
        DWORD got = 0;
        if (!ReadFile(stream->file, stream->buffer, sizeof stream->buffer, &got, nullptr) || got == 0) {
            stream->ended = 1;
            stream->length = stream->position = 0;
            return -1;
        }
        stream->length = static_cast<int>(got);
        stream->position = 0;
    }
    int byte = stream->buffer[stream->position];
    if (take) ++stream->position;
    return byte;
}

int read_text_char(option_text_stream *stream)
{
    if (stream->pushed >= 0) {
        int c = stream->pushed;
        stream->pushed = -1;
        return c;
    }
    int c = next_file_byte(stream, 1);
    // Text mode: CR LF reads as one newline; a CR anywhere else stays.
    if (c == '\r' && next_file_byte(stream, 0) == '\n') c = next_file_byte(stream, 1);
    return c;
}

// fgets with room for `limit` characters: stops after `limit` characters or after a newline.
int read_text_line(option_text_stream *stream, char *line, int size, int limit)
{
    if (limit > size - 1) limit = size - 1;
    int count = 0;
    while (count < limit) {
        int c = read_text_char(stream);
        if (c < 0) break;
        line[count++] = static_cast<char>(c);
        if (c == '\n') break;
    }
    line[count] = '\0';
    return count;
}

static int is_text_space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

// A "%s" read: skip whitespace, take the word, give back the whitespace that ended it.
int read_text_word(option_text_stream *stream, char *word, int size)
{
    word[0] = '\0';
    int c = read_text_char(stream);
    while (c >= 0 && is_text_space(c)) c = read_text_char(stream);
    if (c < 0) return 0;
    int count = 0;
    while (c >= 0 && !is_text_space(c)) {
        if (count < size - 1) word[count++] = static_cast<char>(c);
        c = read_text_char(stream);
    }
    word[count] = '\0';
    if (c >= 0) stream->pushed = c;
    return 1;
}

int read_option_magic(option_text_stream *stream, int take_line_end)
{
    char line[OPTION_LINE_SIZE];
    read_text_line(stream, line, sizeof line, DEFINITION_MAGIC_SIZE);
    if (take_line_end) read_text_char(stream);
    return std::strcmp(line, OPTION_MAGIC) == 0;
}

int find_option_marker(option_text_stream *stream, const char *marker, int limit)
{
    char word[OPTION_WORD_SIZE];
    for (int i = 0; i < limit; ++i) {
        if (!read_text_word(stream, word, sizeof word)) return 0;
        // Compared as text, so the word counts up to a NUL inside it, as it always has.
        if (std::strcmp(word, marker) == 0) {
            read_text_char(stream);
            return 1;
        }
    }
    return 0;
}

void skip_label_words(option_text_stream *stream, int count)
{
    char word[OPTION_WORD_SIZE];
    for (int i = 0; i < count; ++i)
        if (!read_text_word(stream, word, sizeof word)) break;
    read_text_char(stream);
}

void read_fixed_line(option_text_stream *stream, const fixed_line_layout &layout, fixed_line_text *line)
{
    line->length = read_text_line(stream, line->text, sizeof line->text, layout.width);
    read_text_char(stream);
}

// The value is what lies between the prefix and the last three characters of the text read (the two
// closing characters and the line end); a line too short for that gives an empty value.
void read_variable_line(option_text_stream *stream, const variable_line_layout &layout, char *dst, int size)
{
    char line[OPTION_LINE_SIZE];
    read_text_line(stream, line, sizeof line, layout.prefix + layout.length + 3);
    int length = static_cast<int>(std::strlen(line)) - layout.prefix - 3;
    if (length < 0) length = 0;
    if (length > size - 1) length = size - 1;
    std::memset(dst, 0, static_cast<size_t>(size));
    if (length > 0) std::memcpy(dst, line + layout.prefix, static_cast<size_t>(length));
}

// The value columns as a terminated text: the characters this read stored, never leftovers.
static void fixed_line_columns(const fixed_line_text &line, const fixed_line_layout &layout, char *dst, int size)
{
    int count = 0;
    for (int column = layout.first; column <= layout.last && column < line.length && count < size - 1; ++column)
        dst[count++] = line.text[column];
    dst[count] = '\0';
}

int32_t fixed_line_integer(const fixed_line_text &line, const fixed_line_layout &layout)
{
    char columns[OPTION_LINE_SIZE];
    fixed_line_columns(line, layout, columns, sizeof columns);
    return parse_decimal_integer(columns);
}

float fixed_line_fraction(const fixed_line_text &line, const fixed_line_layout &layout)
{
    char columns[OPTION_LINE_SIZE];
    fixed_line_columns(line, layout, columns, sizeof columns);
    return static_cast<float>(parse_decimal_fraction(columns));
}

static const char *skip_sign(const char *p, int *negative)
{
    while (is_text_space(static_cast<unsigned char>(*p))) ++p;
    *negative = 0;
    if (*p == '+' || *p == '-') *negative = *p++ == '-';
    return p;
}

static int is_digit(char c) { return c >= '0' && c <= '9'; }

int32_t parse_decimal_integer(const char *text)
{
    int negative;
    const char *p = skip_sign(text, &negative);
    long long value = 0;
    for (; is_digit(*p); ++p) {
        value = value * 10 + (*p - '0');
        if (value > 0x80000000LL) value = 0x80000000LL;  // held at the limit
    }
    if (negative) value = -value;
    if (value > 0x7FFFFFFFLL) value = 0x7FFFFFFFLL;
    return static_cast<int32_t>(value);
}

double parse_decimal_fraction(const char *text)
{
    int negative;
    const char *p = skip_sign(text, &negative);
    const int kept_digits = 18;  // beyond these a digit only moves the point
    double mantissa = 0.0;
    int digits = 0, scale = 0;
    for (; is_digit(*p); ++p, ++digits) {
        if (digits < kept_digits) mantissa = mantissa * 10.0 + (*p - '0');
        else ++scale;
    }
    if (*p == '.') {
        for (++p; is_digit(*p); ++p, ++digits) {
            if (digits >= kept_digits) continue;
            mantissa = mantissa * 10.0 + (*p - '0');
            --scale;
        }
    }
    if (digits == 0) return 0.0;
    if (*p == 'e' || *p == 'E') {
        int exponent_negative;
        const char *q = p + 1;
        exponent_negative = *q == '-';
        if (*q == '+' || *q == '-') ++q;
        if (is_digit(*q)) {
            int exponent = 0;
            for (; is_digit(*q); ++q)
                if (exponent < 1000) exponent = exponent * 10 + (*q - '0');
            scale += exponent_negative ? -exponent : exponent;
        }
    }
    if (mantissa == 0.0) return negative ? -0.0 : 0.0;
    // Dividing by an exact power of ten keeps short decimals correctly rounded.
    double value = scale < 0 ? mantissa / std::pow(10.0, -scale) : mantissa * std::pow(10.0, scale);
    return negative ? -value : value;
}
