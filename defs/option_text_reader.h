// Reading primitives of the text option plug-in (.opg). The file is read as the program has always read
// it: text mode (a carriage return directly before a newline is dropped), fixed lines read as at most W
// characters followed by a one-character read that takes the line end, variable lines read whole, label
// words skipped by whitespace. Every read is bounded; a file that ends early reads as empty lines.
#pragma once
#include <windows.h>
#include <cstdint>
#include "definition_format.h"

const int OPTION_TEXT_BUFFER_SIZE = 4096;
const int OPTION_LINE_SIZE = 64;   // longer than any line the format reads (41 characters + NUL)

struct option_text_stream {
    HANDLE file;
    unsigned char buffer[OPTION_TEXT_BUFFER_SIZE];
    int length;      // bytes in buffer
    int position;    // next byte in buffer
    int ended;       // the file has no more bytes
    int pushed;      // a character given back by a word read, or -1
};

// A fixed line as read: its characters (NULs included, terminated after them) and how many were read.
struct fixed_line_text {
    char text[OPTION_LINE_SIZE];
    int length;
};

// Opens path for reading; 0 on an empty path or an unopenable file (never a message).
int open_option_text(option_text_stream *stream, const char *path);
void close_option_text(option_text_stream *stream);

// The next character in text mode, or -1 at the end of the file.
int read_text_char(option_text_stream *stream);
// Reads at most `limit` characters into line (size > limit), stopping after a newline, which is kept;
// terminates the text; returns the count read (0 at the end of the file).
int read_text_line(option_text_stream *stream, char *line, int size, int limit);
// Reads one whitespace-separated word; its first size - 1 characters are kept, the rest of an over-long
// word is read and dropped. Returns 0 when the file ended before a word began.
int read_text_word(option_text_stream *stream, char *word, int size);

// The first line read as at most six characters, then the one-character read; 1 when it is "KRVOPG".
int read_option_magic(option_text_stream *stream, int take_line_end);
// Looks for marker among the next `limit` words; on finding it, the line end after it is taken by a
// one-character read. Returns 1 when found.
int find_option_marker(option_text_stream *stream, const char *marker, int limit);
// Skips count label words, then the one-character read takes the end of their line.
void skip_label_words(option_text_stream *stream, int count);
// A fixed line of layout.width characters, then the one-character read.
void read_fixed_line(option_text_stream *stream, const fixed_line_layout &layout, fixed_line_text *line);
// A variable line: the value between the prefix and the last three characters read, into dst.
void read_variable_line(option_text_stream *stream, const variable_line_layout &layout, char *dst, int size);

// The value columns of a fixed line as a number: leading blanks and a sign allowed, ending at the first
// character that cannot continue it. Columns past the characters read count as empty.
int32_t fixed_line_integer(const fixed_line_text &line, const fixed_line_layout &layout);
float fixed_line_fraction(const fixed_line_text &line, const fixed_line_layout &layout);

// The conversions themselves, on a terminated text. Integers out of the 32-bit range are held at its
// limits; fractions take digits, a point, digits and an exponent.
int32_t parse_decimal_integer(const char *text);
double parse_decimal_fraction(const char *text);
