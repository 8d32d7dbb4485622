// The result dialog as a user meets it: karvo.exe started with files, its dialog read and clicked through
// Win32 calls, and the files on disk checked afterwards.
#include "box_answerer.h"
#include "dataset_fixture.h"
#include "test_files.h"
#include <gtest/gtest.h>

namespace {

const char *DIALOG_CAPTION = "Quodra [識別D&Dダイアログ]";
const char *QUESTION_CAPTION = "拡張子の訂正";
const DWORD WAIT_MS = 30000;

const char *BASE_INI =
    "[DATASET]\r\nusedataset=0\r\n[ARCHIVE]\r\nextract=0\r\n[BASIC]\r\nnodanddlg=0\r\nattachext=0\r\ncomtofname=0\r\n";

// Three candidates for every file: PNG 55, GIF 65 and BMP 60 lpts, in this run-list order; key 13 has no
// key record.
program_fixture make_three_candidate_fixture(const std::string &tag, const std::string &ini)
{
    program_fixture fixture = make_program_fixture(tag, ini);
    write_fixed_dataset(fixture.folder, {{1, 0, 0, 10}, {1, 0, 0, 11}, {1, 0, 0, 12}},
                        {{10, "PNG", "PNG画像"}, {11, "GIF", "GIF画像"}, {12, "BMP", "ビットマップ"}});
    write_fixed_plugin(fixture.folder, "one.plg", make_scored_plugin(1, {{10, 70}, {11, 110}, {12, 90}}));
    return fixture;
}

struct dialog_texts {
    std::string name, first, second, third, first_score, second_score, third_score, comment;
    int rename_enabled;
};

dialog_texts read_dialog(HWND dialog)
{
    dialog_texts texts;
    texts.name = dialog_item_text(dialog, 1044);
    texts.first = dialog_item_text(dialog, 1005);
    texts.second = dialog_item_text(dialog, 1006);
    texts.third = dialog_item_text(dialog, 1007);
    texts.first_score = dialog_item_text(dialog, 1008);
    texts.second_score = dialog_item_text(dialog, 1009);
    texts.third_score = dialog_item_text(dialog, 1010);
    texts.comment = dialog_item_text(dialog, 1041);
    texts.rename_enabled = IsWindowEnabled(GetDlgItem(dialog, 40005)) ? 1 : 0;
    return texts;
}

// Starts karvo.exe on one new file of the fixture's folder and waits for its result dialog.
HWND start_on_new_file(const program_fixture &fixture, const std::string &name, HANDLE *process)
{
    std::string target = fixture.folder + name;
    write_file_text(target, "some bytes");
    *process = start_program(fixture, "\"" + target + "\"");
    return wait_for_dialog(DIALOG_CAPTION, WAIT_MS);
}

// Clicks the rename button and answers the confirmation with button; returns the boxes answered.
int press_rename(HWND dialog, int button, std::string *question = nullptr)
{
    box_answerer answerer;
    start_answering_boxes(&answerer, QUESTION_CAPTION, button);
    HWND rename = GetDlgItem(dialog, 40005);
    PostMessageA(rename, BM_CLICK, 0, 0);
    for (int i = 0; i < 400 && answerer.answered == 0; i++) Sleep(25);
    for (int i = 0; i < 40 && IsWindowEnabled(rename); i++) Sleep(25);
    stop_answering_boxes(&answerer);
    if (question != nullptr) *question = answerer.last_text;
    return answerer.answered;
}

void close_dialog(HWND dialog)
{
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    for (int i = 0; i < 400 && IsWindow(dialog); i++) Sleep(25);
}

}  // namespace

TEST(ResultDialog, ShowsThreeCandidatesAndRenamesOnYes)
{
    program_fixture fixture = make_three_candidate_fixture("dialog_three", BASE_INI);
    HANDLE process;
    HWND dialog = start_on_new_file(fixture, "picture.bin", &process);
    ASSERT_NE(nullptr, dialog);
    dialog_texts texts = read_dialog(dialog);
    EXPECT_EQ("picture.bin", texts.name);
    EXPECT_EQ("GIF", texts.first);
    EXPECT_EQ("BMP", texts.second);
    EXPECT_EQ("PNG", texts.third);
    EXPECT_EQ("65.000(+0.000)", texts.first_score);
    EXPECT_EQ("60.000(-5.000)", texts.second_score);
    EXPECT_EQ("55.000(-10.000)", texts.third_score);
    EXPECT_EQ("GIF画像", texts.comment);
    EXPECT_EQ(1, texts.rename_enabled);

    std::string question;
    EXPECT_EQ(1, press_rename(dialog, IDYES, &question));
    EXPECT_EQ("拡張子を[BIN]から[GIF]に変更しますか？", question);
    EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, 40005)));
    EXPECT_TRUE(file_exists(fixture.folder + "picture.gif"));
    EXPECT_FALSE(file_exists(fixture.folder + "picture.bin"));

    // Enter and Esc leave the dialog open; the close box ends the program with 0.
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    Sleep(300);
    EXPECT_TRUE(IsWindow(dialog));
    close_dialog(dialog);
    EXPECT_EQ(0, wait_for_exit(process, WAIT_MS));
}

TEST(ResultDialog, AnsweredNoChangesNothingAndUpperCaseWhenAsked)
{
    program_fixture fixture = make_three_candidate_fixture("dialog_no", std::string(BASE_INI) + "attachext=1\r\n");
    WritePrivateProfileStringA("BASIC", "attachext", "1", (fixture.folder + "quodra.ini").c_str());
    HANDLE process;
    HWND dialog = start_on_new_file(fixture, "picture.bin", &process);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(1, press_rename(dialog, IDNO));
    EXPECT_TRUE(file_exists(fixture.folder + "picture.bin"));
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, 40005)));
    EXPECT_EQ(1, press_rename(dialog, IDYES));
    EXPECT_TRUE(file_exists(fixture.folder + "picture.GIF"));
    close_dialog(dialog);
    EXPECT_EQ(0, wait_for_exit(process, WAIT_MS));
}

TEST(ResultDialog, CommentBecomesTheName)
{
    program_fixture fixture = make_three_candidate_fixture("dialog_comment", BASE_INI);
    WritePrivateProfileStringA("BASIC", "comtofname", "1", (fixture.folder + "quodra.ini").c_str());
    HANDLE process;
    HWND dialog = start_on_new_file(fixture, "picture.bin", &process);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(1, press_rename(dialog, IDYES));
    EXPECT_TRUE(file_exists(fixture.folder + "GIF画像.gif"));
    close_dialog(dialog);
    EXPECT_EQ(0, wait_for_exit(process, WAIT_MS));
}

TEST(ResultDialog, MarksForNoCandidateMissingKeyAndCertainty)
{
    program_fixture fixture = make_program_fixture("dialog_marks", BASE_INI);
    // Definition 1 gives key 13 (no key record) 55 lpts; definition 2 only applies to nothing.
    write_fixed_dataset(fixture.folder, {{1, 0, 0, 13}, {1, 0, 0, 20}}, {{20, "TXT", "テキスト"}});
    write_fixed_plugin(fixture.folder, "one.plg", make_scored_plugin(1, {{13, 110}, {20, 255}}));
    std::string target = fixture.folder + "note.txt";
    write_file_text(target, "x");
    std::string missing = fixture.folder + "missing.bin";
    HANDLE process = start_program(fixture, "\"" + target + "\" \"" + missing + "\"");

    // First file: key 20 is certain (100 lpts) and ends the run; TXT is the file's own extension.
    HWND dialog = wait_for_dialog(DIALOG_CAPTION, WAIT_MS);
    ASSERT_NE(nullptr, dialog);
    dialog_texts texts = read_dialog(dialog);
    EXPECT_EQ("TXT", texts.first);
    EXPECT_EQ("100.000(+0.000)", texts.first_score);
    EXPECT_EQ("---", texts.second);
    EXPECT_EQ("テキスト", texts.comment);
    EXPECT_EQ(0, texts.rename_enabled);
    close_dialog(dialog);

    // Second file does not exist: the dialog still comes, in order, with what the run found without it.
    dialog = wait_for_dialog(DIALOG_CAPTION, WAIT_MS);
    ASSERT_NE(nullptr, dialog);
    texts = read_dialog(dialog);
    EXPECT_EQ("", texts.name);
    close_dialog(dialog);
    EXPECT_EQ(0, wait_for_exit(process, WAIT_MS));
}

TEST(ResultDialog, NoCandidateShowsQuestionMarks)
{
    program_fixture fixture = make_program_fixture("dialog_none", BASE_INI);
    write_fixed_dataset(fixture.folder, {}, {{20, "TXT", "テキスト"}});
    HANDLE process;
    HWND dialog = start_on_new_file(fixture, "empty.bin", &process);
    ASSERT_NE(nullptr, dialog);
    dialog_texts texts = read_dialog(dialog);
    EXPECT_EQ("???", texts.first);
    EXPECT_EQ("???", texts.second);
    EXPECT_EQ("???", texts.third);
    EXPECT_EQ("None", texts.comment);
    EXPECT_EQ("00.000(+0.000)", texts.first_score);
    EXPECT_EQ(0, texts.rename_enabled);
    close_dialog(dialog);
    EXPECT_EQ(0, wait_for_exit(process, WAIT_MS));
}

TEST(ResultDialog, MissingKeyRecordReadsError)
{
    program_fixture fixture = make_program_fixture("dialog_error", BASE_INI);
    write_fixed_dataset(fixture.folder, {{1, 0, 0, 13}}, {{20, "TXT", "テキスト"}});
    write_fixed_plugin(fixture.folder, "one.plg", make_scored_plugin(1, {{13, 110}}));
    HANDLE process;
    HWND dialog = start_on_new_file(fixture, "a.bin", &process);
    ASSERT_NE(nullptr, dialog);
    dialog_texts texts = read_dialog(dialog);
    EXPECT_EQ("---", texts.first);
    EXPECT_EQ("read error", texts.comment);
    EXPECT_EQ(0, texts.rename_enabled);
    close_dialog(dialog);
    EXPECT_EQ(0, wait_for_exit(process, WAIT_MS));
}

TEST(ResultDialog, NoDialogWhenDroppedFilesAreRenamedAtOnce)
{
    program_fixture fixture = make_three_candidate_fixture("dialog_direct", BASE_INI);
    WritePrivateProfileStringA("BASIC", "nodanddlg", "1", (fixture.folder + "quodra.ini").c_str());
    std::string target = fixture.folder + "picture.bin";
    write_file_text(target, "x");
    box_answerer answerer;
    start_answering_boxes(&answerer, QUESTION_CAPTION, IDYES);
    HANDLE process = start_program(fixture, "\"" + target + "\"");
    EXPECT_EQ(0, wait_for_exit(process, WAIT_MS));
    stop_answering_boxes(&answerer);
    EXPECT_EQ(1, answerer.answered);
    EXPECT_EQ(nullptr, find_dialog_box(DIALOG_CAPTION));
    EXPECT_TRUE(file_exists(fixture.folder + "picture.gif"));
}
