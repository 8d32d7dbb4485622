// Counting and cutting the command line into file arguments, in code page 932 and wide.
#include "command_line.h"
#include <windows.h>
#include <gtest/gtest.h>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::vector<std::string> all_arguments(const std::string &command_line)
{
    std::vector<std::string> arguments;
    int separators = count_argument_separators(command_line.c_str());
    for (int k = 0; k <= separators; k++) {
        char argument[260];
        EXPECT_EQ(1, cut_argument(command_line.c_str(), k, argument, sizeof argument)) << "argument " << k;
        arguments.push_back(argument);
    }
    return arguments;
}

struct cutting_case {
    const char *name;
    std::string command_line;
    std::vector<std::string> expected;
};

const cutting_case cutting_cases[] = {
    {"quoted path with a blank, then an unquoted one", "\"D:\\A B\\x.bin\" D:\\y.bin", {"D:\\A B\\x.bin", "D:\\y.bin"}},
    {"unquoted path with a blank is split", "D:\\A B\\x.bin", {"D:\\A", "B\\x.bin"}},
    {"missing closing quote loses the last character", "\"D:\\a b.bin", {"D:\\a b.bi"}},
    {"a lone blank gives two empty arguments", " ", {"", ""}},
    {"two blanks give three", "a  b", {"a", "", "b"}},
    {"trailing blank gives an empty last argument", "a ", {"a", ""}},
    {"quotes inside an argument stay", "D:\\a\"b c\"d.bin", {"D:\\a\"b c\"d.bin"}},
    {"a lone quote is an empty argument", "\"", {""}},
    {"two quotes are an empty argument", "\"\"", {""}},
    {"two quoted arguments", "\"x\" \"y\"", {"x", "y"}},
    {"a quoted argument loses its last byte whatever it is", "\"abc\"d", {"abc\""}},
    {"double-byte characters with second half 0x5C stay whole", "D:\\表\\ソ.bin E:\\能",
     {"D:\\表\\ソ.bin", "E:\\能"}},
    {"ideographic space is no separator", "a　b", {"a　b"}},
    {"full-width quote is no quote", "”a b", {"”a", "b"}},
    {"half-width kana stand alone", "ｱ ｲ", {"ｱ", "ｲ"}},
};

TEST(command_line, arguments_are_counted_and_cut_as_the_user_gave_them)
{
    for (const cutting_case &c : cutting_cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.expected, all_arguments(c.command_line));
    }
}

TEST(command_line, a_blank_or_quote_after_a_lead_byte_is_taken_as_itself_when_counting_and_cutting)
{
    // 0x20 and 0x22 can never be the second half of a double-byte character: after a lead byte they end
    // the double-byte state, so the count and the cutting agree and nothing is lost.
    EXPECT_EQ((std::vector<std::string>{"\x95", "b"}), all_arguments("\x95 b"));
    EXPECT_EQ((std::vector<std::string>{"\x95\"a b\""}), all_arguments("\x95\"a b\""));
    // A second half that looks like a separator byte elsewhere in the table (0x5C, 0x7C) does not split.
    EXPECT_EQ((std::vector<std::string>{"\x95\x5C\x83\x7C"}), all_arguments("\x95\x5C\x83\x7C"));
}

TEST(command_line, an_argument_of_259_bytes_fits_and_one_of_260_is_refused)
{
    char argument[260];
    const std::string fits(259, 'a');
    EXPECT_EQ(1, cut_argument(fits.c_str(), 0, argument, sizeof argument));
    EXPECT_EQ(fits, argument);

    const std::string too_long(260, 'b');
    std::memset(argument, 'x', sizeof argument);
    EXPECT_EQ(0, cut_argument(too_long.c_str(), 0, argument, sizeof argument));
    EXPECT_STREQ("", argument);

    // The quotes do not count: a quoted 259-byte path fits, a quoted 260-byte one does not.
    const std::string quoted_fits = "\"" + std::string(259, 'c') + "\"";
    EXPECT_EQ(1, cut_argument(quoted_fits.c_str(), 0, argument, sizeof argument));
    EXPECT_EQ(std::string(259, 'c'), argument);
    const std::string quoted_too_long = "\"" + std::string(260, 'd') + "\"";
    EXPECT_EQ(0, cut_argument(quoted_too_long.c_str(), 0, argument, sizeof argument));
}

TEST(command_line, a_refused_argument_does_not_disturb_the_next)
{
    const std::string line = std::string(5000, 'x') + " D:\\y.bin";
    ASSERT_EQ(1, count_argument_separators(line.c_str()));
    char argument[260];
    EXPECT_EQ(0, cut_argument(line.c_str(), 0, argument, sizeof argument));
    EXPECT_EQ(1, cut_argument(line.c_str(), 1, argument, sizeof argument));
    EXPECT_STREQ("D:\\y.bin", argument);
}

TEST(command_line, nothing_is_written_past_a_small_buffer)
{
    struct {
        char argument[8];
        char after[8];
    } buffers;
    std::memset(buffers.after, 'Z', sizeof buffers.after);
    EXPECT_EQ(1, cut_argument("1234567", 0, buffers.argument, sizeof buffers.argument));
    EXPECT_STREQ("1234567", buffers.argument);
    EXPECT_EQ(0, cut_argument("12345678901234", 0, buffers.argument, sizeof buffers.argument));
    EXPECT_STREQ("", buffers.argument);
    EXPECT_EQ(0, cut_argument("\"12345678901234\"", 0, buffers.argument, sizeof buffers.argument));
    EXPECT_EQ(std::string(8, 'Z'), std::string(buffers.after, sizeof buffers.after));
}

TEST(command_line, an_argument_number_past_the_last_is_empty)
{
    char argument[260] = "old";
    EXPECT_EQ(1, cut_argument("a b", 5, argument, sizeof argument));
    EXPECT_STREQ("", argument);
}

// The wide command line is cut by the same rules: every case of the table, given wide, gives the same
// arguments; a name outside code page 932 arrives whole.
std::vector<std::wstring> all_wide_arguments(const std::wstring &command_line)
{
    std::vector<std::wstring> arguments;
    int separators = count_wide_argument_separators(command_line.c_str());
    for (int k = 0; k <= separators; k++) {
        wchar_t argument[260];
        EXPECT_EQ(1, cut_wide_argument(command_line.c_str(), k, argument, 260)) << "argument " << k;
        arguments.push_back(argument);
    }
    return arguments;
}

std::wstring wide_of(const std::string &text)
{
    wchar_t wide[6000] = L"";
    MultiByteToWideChar(932, 0, text.c_str(), -1, wide, 6000);
    return wide;
}

TEST(command_line, the_wide_command_line_is_cut_by_the_same_rules)
{
    for (const cutting_case &c : cutting_cases) {
        SCOPED_TRACE(c.name);
        std::vector<std::wstring> expected;
        for (const std::string &argument : c.expected) expected.push_back(wide_of(argument));
        EXPECT_EQ(expected, all_wide_arguments(wide_of(c.command_line)));
    }
    EXPECT_EQ((std::vector<std::wstring>{L"C:\\caf\u00e9.dat", L"\U0001F600 \u7b80\u4f53", L""}),
              all_wide_arguments(L"C:\\caf\u00e9.dat \"\U0001F600 \u7b80\u4f53\" "));
}

TEST(command_line, a_wide_argument_of_259_characters_fits_and_one_of_260_is_refused)
{
    wchar_t argument[260];
    EXPECT_EQ(1, cut_wide_argument(std::wstring(259, L'\u00e9').c_str(), 0, argument, 260));
    EXPECT_EQ(std::wstring(259, L'\u00e9'), argument);
    EXPECT_EQ(1, cut_wide_argument((L"\"" + std::wstring(259, L'c') + L"\"").c_str(), 0, argument, 260));
    EXPECT_EQ(std::wstring(259, L'c'), argument);
    argument[0] = L'x';
    EXPECT_EQ(0, cut_wide_argument(std::wstring(260, L'b').c_str(), 0, argument, 260));
    EXPECT_EQ(L'\0', argument[0]);
    EXPECT_EQ(0, cut_wide_argument((L"\"" + std::wstring(260, L'd') + L"\"").c_str(), 0, argument, 260));
    // A small buffer: the fitting argument and nothing past it.
    struct {
        wchar_t argument[8];
        wchar_t after[8];
    } buffers;
    std::wmemset(buffers.after, L'Z', 8);
    EXPECT_EQ(1, cut_wide_argument(L"1234567", 0, buffers.argument, 8));
    EXPECT_EQ(0, cut_wide_argument(L"12345678", 0, buffers.argument, 8));
    EXPECT_EQ(std::wstring(8, L'Z'), std::wstring(buffers.after, 8));
}

TEST(command_line, the_program_name_and_the_blanks_after_it_are_skipped)
{
    const struct {
        const wchar_t *whole;
        const wchar_t *arguments;
    } cases[] = {
        {L"\"C:\\p q\\karvo.exe\" a b", L"a b"},
        {L"karvo.exe  \"caf\u00e9.dat\"", L"\"caf\u00e9.dat\""},
        {L"karvo.exe\tx", L"x"},
        {L"karvo.exe", L""},
        {L"\"karvo.exe\"", L""},
        {L"\"karvo.exe\"   ", L""},
        {L"\"C:\\unclosed", L""},
        {L"", L""},
    };
    for (const auto &c : cases) EXPECT_EQ(std::wstring(c.arguments), arguments_of_command_line(c.whole));
    EXPECT_EQ(std::wstring(), arguments_of_command_line(nullptr));
}

}  // namespace
