// Shift-JIS scanning at every edge of its ranges (lead bytes, trail bytes, the double-byte words of the text
// tests), the letter-case rules and the little-endian fields.
#include "byte_order.h"
#include "path_split.h"
#include "sjis_text.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct byte_case {
    unsigned char byte;
    int lead;
};

// Both ends of each lead range and one past each.
const byte_case lead_cases[] = {{0x80, 0}, {0x81, 1}, {0x9F, 1}, {0xA0, 0},
                                {0xDF, 0}, {0xE0, 1}, {0xFC, 1}, {0xFD, 0}};

TEST(SjisLeadBytes, RangeEnds)
{
    for (const byte_case &c : lead_cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        EXPECT_EQ(c.lead, is_sjis_lead_byte(c.byte));
    }
}

// A lead byte before 0x5C makes the backslash the second half of a character: the path's folder ends one
// separator earlier.
TEST(SjisLeadBytes, BackslashAfterThemIsNoSeparator)
{
    for (const byte_case &c : lead_cases) {
        SCOPED_TRACE(static_cast<int>(c.byte));
        std::string path = std::string("D:\\") + static_cast<char>(c.byte) + "\\x.txt";
        char folder[260];
        char name[260];
        ASSERT_EQ(1, folder_of(nullptr, path.c_str(), folder, sizeof folder));
        ASSERT_EQ(1, file_name_of(nullptr, path.c_str(), name, sizeof name));
        if (c.lead) {
            EXPECT_STREQ("D:\\", folder);
            EXPECT_EQ(path.substr(3), name);
        } else {
            EXPECT_EQ(path.substr(0, 5), folder);
            EXPECT_STREQ("x.txt", name);
        }
    }
}

// After a lead byte, 0x40..0xFC is its second half; 0x3F and 0xFD stand for themselves.
TEST(SjisTrailBytes, RangeEnds)
{
    struct trail_case {
        char trail;
        int found;
    };
    const trail_case cases[] = {{'\x3F', 1}, {'\x40', -1}, {'\xFC', -1}, {'\xFD', 1}};
    for (const trail_case &c : cases) {
        SCOPED_TRACE(static_cast<int>(static_cast<unsigned char>(c.trail)));
        const char text[] = {'\x81', c.trail, '\0'};
        const char set[] = {c.trail, '\0'};
        EXPECT_EQ(c.found, sjis_find_last_of(text, set));
    }
}

TEST(SjisWords, RangeEnds)
{
    struct word_case {
        unsigned int word;
        int strictly_inside;
        int within;
    };
    const word_case cases[] = {
        {0x813F, 0, 0}, {0x8140, 0, 1}, {0x8141, 1, 1}, {0x9FFB, 1, 1}, {0x9FFC, 0, 1}, {0x9FFD, 0, 0},
        {0xE03F, 0, 0}, {0xE040, 0, 1}, {0xE041, 1, 1}, {0xFCFB, 1, 1}, {0xFCFC, 0, 1}, {0xFCFD, 0, 0},
    };
    for (const word_case &c : cases) {
        SCOPED_TRACE(c.word);
        EXPECT_EQ(c.strictly_inside, sjis_word_strictly_inside(c.word));
        EXPECT_EQ(c.within, sjis_word_within(c.word));
    }
}

TEST(LetterCase, AsciiLettersOnlyAtTheirEnds)
{
    char text[] = "@AZ[`az{";
    convert_letter_case(text, LETTER_CASE_LOWER, 0);
    EXPECT_STREQ("@az[`az{", text);
    convert_letter_case(text, LETTER_CASE_UPPER, 0);
    EXPECT_STREQ("@AZ[`AZ{", text);
    char mixed[] = "aZ";
    convert_letter_case(mixed, LETTER_CASE_SWAP, 0);
    EXPECT_STREQ("Az", mixed);
    convert_letter_case(mixed, LETTER_CASE_KEEP, 0);
    EXPECT_STREQ("Az", mixed);
}

// 0x83 0x61 is one character whose second byte is 'a': only the byte-by-byte rule changes it.
TEST(LetterCase, DoubleByteAwareLeavesSecondHalves)
{
    char aware[] = "\x83" "a" "b";
    convert_letter_case(aware, LETTER_CASE_UPPER, 1);
    EXPECT_STREQ("\x83" "a" "B", aware);
    char bytewise[] = "\x83" "a" "b";
    convert_letter_case(bytewise, LETTER_CASE_UPPER, 0);
    EXPECT_STREQ("\x83" "A" "B", bytewise);
}

TEST(ByteOrder, LittleEndianRoundTrip)
{
    unsigned char bytes[4];
    write_le32(bytes, 0x80FF0102u);
    EXPECT_EQ(0x02, bytes[0]);
    EXPECT_EQ(0x80, bytes[3]);
    EXPECT_EQ(0x80FF0102u, read_le32(bytes));
    write_le16(bytes, 0xFFFE);
    EXPECT_EQ(0xFFFEu, read_le16(bytes));
}

}  // namespace
