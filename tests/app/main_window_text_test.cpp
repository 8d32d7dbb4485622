// The main window's texts built from data: the Shift-JIS cut of the panel comment and the list's extension
// column, the size column, and the change-extension dialog's two lines.
#include "change_extension_dialog.h"
#include "folder_list.h"
#include "result_panel.h"
#include "text_cut.h"
#include <gtest/gtest.h>
#include <string>

namespace {

struct cut_case {
    std::string text;
    size_t max_bytes;
    std::string kept;
};

TEST(main_window_text, sjis_cut_keeps_whole_characters_only)
{
    const std::string a32(32, 'a');
    const std::string a33(33, 'a');
    const std::string a31(31, 'a');
    const cut_case CASES[] = {
        {"", 33, ""},
        {"short", 33, "short"},
        {a32, 33, a32},
        {a33 + "b", 33, a33},                  // one past: cut
        {a32 + "表", 33, a32},                 // a lead byte at byte 33 goes with its pair
        {a31 + "表", 33, a31 + "表"},          // the pair ends at byte 33: kept
        {a31 + "表x", 33, a31 + "表"},
        {a32 + "ｱ", 33, a32 + "ｱ"},            // half-width kana is one byte
        {"表示表示表示", 5, "表示"},
        {"\\表\\", 3, "\\表"},                                       // a 0x5C second byte is not a separator
    };
    for (const cut_case &c : CASES) {
        SCOPED_TRACE(c.text);
        char out[64];
        sjis_cut(c.text.c_str(), c.max_bytes, out, sizeof out);
        EXPECT_EQ(c.kept, out);
    }
    // The output buffer bounds the cut as well.
    char small[4];
    sjis_cut("abcdef", 33, small, sizeof small);
    EXPECT_STREQ("abc", small);
    sjis_cut("a表", 33, small, sizeof small);
    EXPECT_STREQ("a表", small);
    sjis_cut("ab表", 33, small, sizeof small);
    EXPECT_STREQ("ab", small);
    EXPECT_EQ(33, PANEL_COMMENT_BYTES);
}

TEST(main_window_text, file_size_column_is_the_signed_low_32_bits)
{
    struct size_case { unsigned long long size; const char *text; };
    const size_case CASES[] = {{0, "       0 byte"},
                               {99999999, "99999999 byte"},
                               {2147483647ULL, "2147483647 byte"},
                               {2147483648ULL, "-2147483648 byte"},
                               {3000000000ULL, "-1294967296 byte"},
                               {4294967295ULL, "      -1 byte"},
                               {4294967296ULL, "       0 byte"},
                               {5ULL << 30, "1073741824 byte"}};
    for (const size_case &c : CASES) {
        char text[32];
        format_file_size(c.size, text, sizeof text);
        EXPECT_STREQ(c.text, text) << c.size;
    }
}

TEST(main_window_text, extension_column_case_and_length)
{
    struct extension_case { std::string name; const char *viewext; std::string shown; };
    const std::string e18(18, 'e'), e19(19, 'e'), e20(20, 'e');
    const extension_case CASES[] = {
        {"a.txt", "0", "txt"}, {"a.txt", "1", "TXT"}, {"a.txt", "", "TXT"}, {"a.txt", "00", "TXT"},
        {"a.TxT", "0", "txt"}, {"noext", "0", ""}, {"a.b.c", "0", "c"}, {"表.Dat", "1", "DAT"},
        {"a.表x", "1", "表X"},
        {"n." + e18, "0", e18}, {"n." + e19, "0", e19},
        {"n." + e20, "0", e19},        // cut to what the 20-byte column holds
        {"n." + e18 + "表", "0", e18},  // never half a character
    };
    for (const extension_case &c : CASES) {
        SCOPED_TRACE(c.name + " / " + c.viewext);
        char shown[20];
        format_list_extension(c.name.c_str(), c.viewext, shown, sizeof shown);
        EXPECT_EQ(c.shown, shown);
    }
}

TEST(main_window_text, change_extension_dialog_lines)
{
    struct line_case { const char *target; const char *file_line; const char *folder_line; };
    const line_case CASES[] = {
        {"E:\\dir\\file.txt", "<<対象ファイル=file.txt>>", "<<対象フォルダ=dir>>"},
        {"E:\\file.txt", "<<対象ファイル=file.txt>>", "<<対象フォルダ=E:\\>>"},
        {"E:\\dir\\12345678901234567890.txt", "<<対象ファイル=12345678901234567890…>>", "<<対象フォルダ=dir>>"},
        {"E:\\12345678901234567890\\a", "<<対象ファイル=a>>", "<<対象フォルダ=12345678901234567890>>"},
        {"E:\\123456789012345678901\\a", "<<対象ファイル=a>>", "<<対象フォルダ=12345678901234567890…>>"},
        {"E:\\d\\1234567890123456789表.txt", "<<対象ファイル=1234567890123456789…>>", "<<対象フォルダ=d>>"},
        {"E:\\表\\x.txt", "<<対象ファイル=x.txt>>", "<<対象フォルダ=表>>"},
        {"E:\\dir\\", "<<対象ファイル=>>", "<<対象フォルダ=dir>>"},
    };
    for (const line_case &c : CASES) {
        SCOPED_TRACE(c.target);
        char line[300];
        change_extension_file_line(c.target, line, sizeof line);
        EXPECT_STREQ(c.file_line, line);
        change_extension_folder_line(c.target, line, sizeof line);
        EXPECT_STREQ(c.folder_line, line);
    }
}

}  // namespace
