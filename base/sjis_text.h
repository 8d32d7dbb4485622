// Shift-JIS text: which bytes start a double-byte character, a scanner that tells a byte standing for
// itself from the second half of a pair, and the letter-case rules. Plain C++.
#pragma once

// 1 for 0x81-0x9F and 0xE0-0xFC: the byte and the one after it form one character.
int is_sjis_lead_byte(unsigned char byte);

// Feed every byte of a text in order. It answers 1 when the byte stands for itself (and may be a
// separator, dot, quote or blank), 0 when it is the second half of a double-byte character and must not
// be taken for any of those.
struct sjis_scanner {
    int in_double_byte;
};
void sjis_reset(sjis_scanner *scanner);
int sjis_byte_stands_alone(sjis_scanner *scanner, unsigned char byte);
// Offset of the last byte of text that stands alone and is one of the bytes in set, or -1.
int sjis_find_last_of(const char *text, const char *set);
// 1 when the text's last character is a single-byte character in set (a trail byte 0x5C does not count).
int sjis_ends_with_one_of(const char *text, const char *set);

// A 16-bit word (first byte high) as a double-byte character of the text tests: strictly inside
// 0x8140..0x9FFC or 0xE040..0xFCFC (the end words themselves do not count), or, for the other test,
// within those ranges, ends included.
int sjis_word_strictly_inside(unsigned int word);
int sjis_word_within(unsigned int word);

// Letter-case modes.
const int LETTER_CASE_KEEP = 0;
const int LETTER_CASE_UPPER = 1;
const int LETTER_CASE_LOWER = 2;
const int LETTER_CASE_SWAP = 3;

// One ASCII letter in the given mode; any other byte unchanged.
char convert_letter(char c, int mode);
// Converts the ASCII letters of text in place. double_byte_aware: the second byte of a double-byte
// character is left alone; 0 converts byte by byte, as extensions are written by the rename.
void convert_letter_case(char *text, int mode, int double_byte_aware);
