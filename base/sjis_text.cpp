// Shift-JIS scanning and the letter-case rules.
#include "sjis_text.h"
#include <cstring>

int is_sjis_lead_byte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

void sjis_reset(sjis_scanner *scanner) { scanner->in_double_byte = 0; }

int sjis_byte_stands_alone(sjis_scanner *scanner, unsigned char byte)
{
    if (!scanner->in_double_byte && is_sjis_lead_byte(byte)) {
        scanner->in_double_byte = 1;
        return 1;
    }
    if (byte < 0x40 || byte > 0xFC) {
        scanner->in_double_byte = 0;
        return 1;
    }
    if (scanner->in_double_byte) {
        scanner->in_double_byte = 0;
        return 0;
    }
    return 1;
}

int sjis_find_last_of(const char *text, const char *set)
{
    sjis_scanner scanner;
    sjis_reset(&scanner);
    int found = -1;
    for (int i = 0; text[i] != '\0'; i++) {
        unsigned char byte = static_cast<unsigned char>(text[i]);
        if (sjis_byte_stands_alone(&scanner, byte) && std::strchr(set, text[i]) != nullptr) found = i;
    }
    return found;
}

int sjis_ends_with_one_of(const char *text, const char *set)
{
    size_t length = std::strlen(text);
    if (length == 0) return 0;
    return sjis_find_last_of(text, set) == static_cast<int>(length - 1);
}

int sjis_word_strictly_inside(unsigned int word)
{
    return (word > 0x8140 && word < 0x9FFC) || (word > 0xE040 && word < 0xFCFC);
}

int sjis_word_within(unsigned int word)
{
    return (word >= 0x8140 && word <= 0x9FFC) || (word >= 0xE040 && word <= 0xFCFC);
}

char convert_letter(char c, int mode)
{
    int upper = c >= 'A' && c <= 'Z';
    int lower = c >= 'a' && c <= 'z';
    if (lower && (mode == LETTER_CASE_UPPER || mode == LETTER_CASE_SWAP)) return static_cast<char>(c - 'a' + 'A');
    if (upper && (mode == LETTER_CASE_LOWER || mode == LETTER_CASE_SWAP)) return static_cast<char>(c - 'A' + 'a');
    return c;
}

void convert_letter_case(char *text, int mode, int double_byte_aware)
{
    int in_double_byte = 0;
    for (char *p = text; *p != '\0'; p++) {
        if (double_byte_aware) {
            if (in_double_byte) {
                in_double_byte = 0;
                continue;
            }
            if (is_sjis_lead_byte(static_cast<unsigned char>(*p))) {
                in_double_byte = 1;
                continue;
            }
        }
        *p = convert_letter(*p, mode);
    }
}
