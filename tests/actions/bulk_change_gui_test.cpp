// The bulk extension change as a user meets it: karvo.exe's main window opens dialog 131 (command 432)
// on the folder of its target, the dialog is filled and pressed through Win32 calls from here, and the
// folder is looked at afterwards.
#include "box_answerer.h"
#include "bulk_change.h"
#include "dataset_fixture.h"
#include "signature.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {

const char *BULK_CAPTION = "拡張子の一括変更";
const char *QUESTION_CAPTION = "拡張子の訂正";
const char *ERROR_CAPTION = "エラー";
const DWORD WAIT_MS = 30000;

// Ids of dialog 131 and the main window's command, as the program has them.
const int BULK_COMMAND = 432, TARGET_EDIT = 392;
// The root of the drive the test_drive fixture maps to a folder of the build.
const char *TEST_DRIVE_ROOT = "Q:\\";
const int FOLDER_NAME = 1081, ALL_ENTRIES = 1083, GIVEN_EXTENSION = 1084, GIVEN_TEXT = 1086, SPECIFY = 1087,
          NEW_EXTENSION = 1088, IDENTIFY = 1089, RUN = 1060, CANCEL = 1061, PROGRESS = 1092, REMAINING = 1094;

struct process_window_search {
    DWORD process_id;
    HWND found;
};

BOOL CALLBACK find_main_window(HWND window, LPARAM lparam)
{
    process_window_search *search = reinterpret_cast<process_window_search *>(lparam);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char class_name[64] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (owner == search->process_id && std::string(class_name) == "Karvo Window" && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::string ini_for(const std::string &target_folder, const std::string &dataset_lines)
{
    return "[PATH]\r\ntargetdir=" + target_folder + "\r\nwakeupdir=0\r\n[ARCHIVE]\r\nextract=0\r\n" +
           "[BASIC]\r\nnodanddlg=0\r\nattachext=0\r\ncomtofname=0\r\n[DATASET]\r\n" + dataset_lines;
}

// karvo.exe in a folder of its own with the files to work on in files\ (the main window's target).
struct bulk_program {
    program_fixture fixture;
    std::string files;
    HANDLE process = nullptr;
    HWND window = nullptr;
};

bulk_program make_bulk_program(const std::string &tag, const std::string &dataset_lines = "usedataset=0\r\n")
{
    bulk_program program;
    program.fixture = make_program_fixture(tag, "");
    program.files = program.fixture.folder + "files\\";
    CreateDirectoryA(program.files.c_str(), nullptr);
    write_file_text(program.fixture.folder + "quodra.ini", ini_for(program.files, dataset_lines));
    return program;
}

// GIF 65, BMP 60, PNG 55 lpts for every entry.
void write_three_candidates(const bulk_program &program)
{
    write_fixed_dataset(program.fixture.folder, {{1, 0, 0, 10}, {1, 0, 0, 11}, {1, 0, 0, 12}},
                        {{10, "PNG", "PNG画像"}, {11, "GIF", "GIF画像"}, {12, "BMP", "ビットマップ"}});
    write_fixed_plugin(program.fixture.folder, "one.plg", make_scored_plugin(1, {{10, 70}, {11, 110}, {12, 90}}));
}

// The same first candidate GIF, but each identification first looks up a missing definition lookups
// times among a folder of plug-ins: a run slow enough to watch.
// A slow dataset: every file is a GIF by definition 1, after which the run goes on through `passes` records
// that alternate between two definitions summing every text line of the file, so each of them reads the
// whole file again. With files of slow_target_text() an identification takes a good part of a second.
void write_slow_dataset(const bulk_program &program, int passes)
{
    std::vector<dataset_entry> records = {{1, 0, 0, 11}};
    for (int i = 0; i < passes; i++) records.push_back({static_cast<uint16_t>(2 + i % 2), 0, 0, 11});
    write_fixed_dataset(program.fixture.folder, records, {{11, "GIF", "GIF画像"}});
    write_fixed_plugin(program.fixture.folder, "one.plg", make_scored_plugin(1, {{11, 110}}));
    for (uint16_t id = 2; id <= 3; id++) {
        plugin_definition reader = make_scored_plugin(id, {});
        reader.header.flags = DEFINITION_FLAG_SIGNATURE;
        reader.header.option_mode = SIGNATURE_MODE_REGION;
        reader.header.option_source = SIGNATURE_SOURCE_TEXT_LINES;
        reader.with_options = 1;
        reader.options.option_mode = SIGNATURE_MODE_REGION;
        reader.options.option_source = SIGNATURE_SOURCE_TEXT_LINES;
        reader.options.start_line = 0;
        reader.options.start_column = 0;
        reader.options.end_line = 30000;
        reader.options.end_column = 999;
        reader.options.params[0] = 1;
        write_fixed_plugin(program.fixture.folder, "p" + std::to_string(id) + ".plg", reader);
    }
}

// Text of many lines that the slow dataset's readers read whole.
std::string slow_target_text()
{
    std::string line(79, 'x');
    line += "\r\n";
    std::string text;
    for (int i = 0; i < 12000; i++) text += line;
    return text;
}

int start_window(bulk_program *program)
{
    program->process = start_program(program->fixture, "");
    if (program->process == nullptr) return 0;
    process_window_search search = {GetProcessId(program->process), nullptr};
    for (DWORD waited = 0; waited < WAIT_MS && search.found == nullptr; waited += 50) {
        EnumWindows(find_main_window, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) Sleep(50);
    }
    program->window = search.found;
    return program->window != nullptr;
}

HWND open_bulk_dialog(const bulk_program &program)
{
    PostMessageA(program.window, WM_COMMAND, BULK_COMMAND, 0);
    return wait_for_dialog(BULK_CAPTION, WAIT_MS);
}

int wait_closed(HWND dialog, DWORD timeout_ms = WAIT_MS)
{
    for (DWORD waited = 0; waited < timeout_ms && IsWindow(dialog); waited += 20) Sleep(20);
    return !IsWindow(dialog);
}

// Closes the main window; the program must end with 0.
int close_program(bulk_program *program)
{
    PostMessageA(program->window, WM_CLOSE, 0, 0);
    int code = wait_for_exit(program->process, WAIT_MS);
    program->process = nullptr;
    return code;
}

void set_text(HWND dialog, int id, const std::string &text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void choose(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

int checked(HWND dialog, int id)
{
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void press(HWND dialog, int id)
{
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Fills the dialog: which files ("" for all) and which new extension ("" for a bulk identification).
void fill(HWND dialog, const char *given, const char *fresh)
{
    if (given == nullptr) {
        choose(dialog, ALL_ENTRIES);
    } else {
        choose(dialog, GIVEN_EXTENSION);
        set_text(dialog, GIVEN_TEXT, given);
    }
    if (fresh == nullptr) {
        choose(dialog, IDENTIFY);
    } else {
        choose(dialog, SPECIFY);
        set_text(dialog, NEW_EXTENSION, fresh);
    }
}

// Presses "実行" answering every rename confirmation with button; returns the confirmations answered
// once the dialog has closed (-1 when it did not).
int run_answering(HWND dialog, int button)
{
    box_answerer answerer;
    start_answering_boxes(&answerer, QUESTION_CAPTION, button);
    press(dialog, RUN);
    int closed = wait_closed(dialog, 600000);
    stop_answering_boxes(&answerer);
    return closed ? answerer.answered : -1;
}

// Names in folder (files and folders), sorted.
std::vector<std::string> names_in(const std::string &folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = data.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::string file_text(const std::string &path)
{
    std::vector<unsigned char> bytes = read_file_bytes(path);
    return std::string(bytes.begin(), bytes.end());
}

void copy_tree(const std::string &from, const std::string &to)
{
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((from + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) copy_tree(from + name + "\\", to + name + "\\");
        else CopyFileA((from + name).c_str(), (to + name).c_str(), FALSE);
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

}  // namespace

TEST(BulkChangeDialog, OpensOnTheTargetFolderWithItsDefaults)
{
    bulk_program program = make_bulk_program("bulk_open");
    write_file_text(program.files + "a.txt", "a");
    ASSERT_TRUE(start_window(&program));
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("files", dialog_item_text(dialog, FOLDER_NAME));
    EXPECT_TRUE(checked(dialog, GIVEN_EXTENSION));
    EXPECT_TRUE(checked(dialog, SPECIFY));
    EXPECT_FALSE(checked(dialog, ALL_ENTRIES));
    EXPECT_FALSE(checked(dialog, IDENTIFY));
    // The main window waits while the dialog is open.
    EXPECT_FALSE(IsWindowEnabled(program.window));
    // Enter and Esc leave it open; "やめとく" closes it and changes nothing.
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    Sleep(300);
    EXPECT_TRUE(IsWindow(dialog));
    set_text(dialog, NEW_EXTENSION, "png");
    press(dialog, CANCEL);
    EXPECT_TRUE(wait_closed(dialog));
    EXPECT_EQ((std::vector<std::string>{"a.txt"}), names_in(program.files));
    // The close box closes it too, and it opens again.
    dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_closed(dialog));
    EXPECT_EQ(0, close_program(&program));
}

TEST(BulkChangeDialog, OpensOnADriveRoot)
{
    bulk_program program = make_bulk_program("bulk_root");
    write_file_text(program.fixture.folder + "quodra.ini", ini_for("C:\\", "usedataset=0\r\n"));
    ASSERT_TRUE(start_window(&program));
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("C:\\", dialog_item_text(dialog, FOLDER_NAME));
    press(dialog, CANCEL);
    EXPECT_TRUE(wait_closed(dialog));
    EXPECT_EQ(0, close_program(&program));
}

// The main window's target box names a file: the dialog works on the file's folder.
void set_target(const bulk_program &program, const std::string &target)
{
    SendMessageA(GetDlgItem(program.window, TARGET_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(target.c_str()));
}

// Starts the program, names target in its target box, opens the dialog, expects `shown` as its folder and
// changes the *.bin files of that folder to *.png.
void change_bin_to_png_from(bulk_program *program, const std::string &target, const std::string &shown)
{
    ASSERT_TRUE(start_window(program));
    set_target(*program, target);
    HWND dialog = open_bulk_dialog(*program);
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ(shown, dialog_item_text(dialog, FOLDER_NAME));
    fill(dialog, "bin", "png");
    press(dialog, RUN);
    EXPECT_TRUE(wait_closed(dialog));
    EXPECT_EQ(0, close_program(program));
}

TEST(BulkChangeDialog, OpensOnATargetFileAndWorksOnItsFolder)
{
    bulk_program program = make_bulk_program("bulk_on_file");
    write_file_text(program.files + "a.bin", "a");
    write_file_text(program.files + "b.bin", "b");
    write_file_text(program.files + "c.txt", "c");
    change_bin_to_png_from(&program, program.files + "a.bin", "files");
    EXPECT_EQ((std::vector<std::string>{"a.png", "b.png", "c.txt"}), names_in(program.files));
}

// A file at the root of a drive: the folder shown is the drive with its "\", and the run changes the
// root's files but not its folders. The drive is the test drive the test_drive fixture maps to a folder
// of the build.
TEST(BulkChangeDialog, OpensOnAFileAtADriveRootAndWorksOnTheRoot)
{
    ASSERT_EQ(static_cast<UINT>(DRIVE_FIXED), GetDriveTypeA(TEST_DRIVE_ROOT))
        << "the drive " << TEST_DRIVE_ROOT << " is mapped by the ctest fixture test_drive";
    std::string root = TEST_DRIVE_ROOT;
    for (const std::string &name : names_in(root)) {
        std::string path = root + name;
        if (!DeleteFileA(path.c_str())) remove_folder_tree(path + "\\");
    }
    write_file_text(root + "a.bin", "a");
    write_file_text(root + "b.bin", "b");
    write_file_text(root + "c.txt", "c");
    CreateDirectoryA((root + "d.bin").c_str(), nullptr);
    bulk_program program = make_bulk_program("bulk_drive_root");
    change_bin_to_png_from(&program, root + "a.bin", root);
    EXPECT_EQ((std::vector<std::string>{"a.png", "b.png", "c.txt", "d.bin"}), names_in(root));
}

TEST(BulkChangeDialog, ExtensionsOfSixCharactersAreRefusedAndFiveAreTaken)
{
    bulk_program program = make_bulk_program("bulk_six");
    write_file_text(program.files + "x.abcde", "x");
    write_file_text(program.files + "y.abcdef", "y");
    write_file_text(program.files + "z.txt", "z");
    ASSERT_TRUE(start_window(&program));
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);

    const struct {
        const char *given, *fresh;  // null: "すべて" / "一括識別した結果"
    } refused[] = {
        {"abcdef", "png"},   // a given extension of six
        {"abcdef", nullptr}, // refused before anything is selected, also for an identification
        {"abcde", "fghijk"}, // a new extension of six
        {nullptr, "fghijk"}, // the same for every entry
    };
    for (const auto &row : refused) {
        SCOPED_TRACE(std::string(row.given ? row.given : "(all)") + " " + (row.fresh ? row.fresh : "(identify)"));
        fill(dialog, row.given, row.fresh);
        box_answerer answerer;
        start_answering_boxes(&answerer, ERROR_CAPTION, IDOK);
        press(dialog, RUN);
        for (int i = 0; i < 400 && answerer.answered == 0; i++) Sleep(25);
        stop_answering_boxes(&answerer);
        EXPECT_EQ(1, answerer.answered);
        EXPECT_EQ("6文字以上の拡張子には対応していません", answerer.last_text);
        Sleep(200);
        EXPECT_TRUE(IsWindow(dialog));
        EXPECT_EQ((std::vector<std::string>{"x.abcde", "y.abcdef", "z.txt"}), names_in(program.files));
    }
    // Five and five are taken: only the file of the given extension changes, and the dialog closes.
    fill(dialog, "abcde", "fghij");
    press(dialog, RUN);
    EXPECT_TRUE(wait_closed(dialog));
    EXPECT_EQ((std::vector<std::string>{"x.fghij", "y.abcdef", "z.txt"}), names_in(program.files));
    EXPECT_EQ(0, close_program(&program));
}

TEST(BulkChangeDialog, EveryFileGetsTheNewExtensionButNoFolder)
{
    bulk_program program = make_bulk_program("bulk_all");
    write_file_text(program.files + "a.txt", "a");
    write_file_text(program.files + "b", "b");
    write_file_text(program.files + "c.jpg", "c");
    CreateDirectoryA((program.files + "sub.txt").c_str(), nullptr);
    ASSERT_TRUE(start_window(&program));
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    fill(dialog, "this given extension is not used", "png");
    choose(dialog, ALL_ENTRIES);
    press(dialog, RUN);
    EXPECT_TRUE(wait_closed(dialog));
    EXPECT_EQ((std::vector<std::string>{"a.png", "b.png", "c.png", "sub.txt"}), names_in(program.files));
    EXPECT_EQ(0, close_program(&program));
}

TEST(BulkChangeDialog, TwoThousandFilesNamedWithAKanjiOfTrailByte5C)
{
    bulk_program program = make_bulk_program("bulk_2000");
    for (int i = 0; i < 2000; i++) write_file_text(program.files + "表" + std::to_string(10000 + i) + ".txt", "t");
    write_file_text(program.files + "other.bin", "o");
    ASSERT_TRUE(start_window(&program));
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    fill(dialog, "txt", "dat");
    press(dialog, RUN);
    EXPECT_TRUE(wait_closed(dialog, 120000));
    std::vector<std::string> names = names_in(program.files);
    ASSERT_EQ(2001u, names.size());
    for (int i = 0; i < 2000; i++)
        EXPECT_TRUE(file_exists(program.files + "表" + std::to_string(10000 + i) + ".dat")) << i;
    EXPECT_TRUE(file_exists(program.files + "other.bin"));
    EXPECT_EQ(0, close_program(&program));
}

TEST(BulkChangeDialog, NoFileIsOverwrittenAndLockedFilesKeepTheirNames)
{
    bulk_program program = make_bulk_program("bulk_clash");
    write_file_text(program.files + "a", "first");
    write_file_text(program.files + "a.txt", "second");
    write_file_text(program.files + "locked.txt", "locked");
    write_file_text(program.files + "ro.txt", "read-only");
    SetFileAttributesA((program.files + "ro.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    // Held open without sharing: it cannot be moved while the run goes on.
    HANDLE held = CreateFileA((program.files + "locked.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    ASSERT_TRUE(start_window(&program));
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    fill(dialog, nullptr, "png");
    press(dialog, RUN);
    EXPECT_TRUE(wait_closed(dialog));
    CloseHandle(held);

    // a and a.txt would both become a.png: one does, the other keeps its name and its bytes.
    ASSERT_TRUE(file_exists(program.files + "a.png"));
    std::string kept = file_exists(program.files + "a.txt") ? "a.txt" : "a";
    EXPECT_EQ(1, file_exists(program.files + "a.txt") + file_exists(program.files + "a"));
    std::vector<std::string> texts = {file_text(program.files + "a.png"), file_text(program.files + kept)};
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ((std::vector<std::string>{"first", "second"}), texts);
    EXPECT_EQ("locked", file_text(program.files + "locked.txt"));
    EXPECT_FALSE(file_exists(program.files + "locked.png"));
    // A read-only file moves (the attribute guards its bytes, not its name) and keeps its bytes.
    std::string read_only = file_exists(program.files + "ro.png") ? "ro.png" : "ro.txt";
    EXPECT_EQ("read-only", file_text(program.files + read_only));
    SetFileAttributesA((program.files + read_only).c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(0, close_program(&program));
}

TEST(BulkChangeDialog, EmptyAndVanishedFoldersCloseTheDialogAndChangeNothing)
{
    bulk_program program = make_bulk_program("bulk_empty");
    write_three_candidates(program);
    ASSERT_TRUE(start_window(&program));
    // Empty: nothing is selected, nothing asked.
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    fill(dialog, nullptr, nullptr);
    EXPECT_EQ(0, run_answering(dialog, IDYES));

    // The folder goes away while the dialog is open: each way of "実行" closes the dialog quietly.
    const struct {
        const char *given, *fresh;
    } ways[] = {{nullptr, nullptr}, {nullptr, "png"}, {"txt", nullptr}, {"txt", "png"}};
    RemoveDirectoryA(program.files.c_str());
    for (const auto &way : ways) {
        dialog = open_bulk_dialog(program);
        ASSERT_NE(nullptr, dialog);
        fill(dialog, way.given, way.fresh);
        EXPECT_EQ(0, run_answering(dialog, IDYES));
        EXPECT_EQ(nullptr, find_dialog_box("ERROR"));
    }
    EXPECT_EQ(0, close_program(&program));
}

TEST(BulkChangeDialog, BulkIdentificationOfRealSamplesNoThenYes)
{
    // The bundled dataset beside the program; the samples without extensions as the folder's files.
    bulk_program program = make_bulk_program("bulk_samples", "usedataset=1\r\ndatasetname1=vlm_gene_036\r\n");
    copy_tree(test_program_folder() + "vlm_gene_036\\", program.fixture.folder + "vlm_gene_036\\");
    std::string samples = std::string(QUODRA_SOURCE_DIR) + "/tests/samples/";
    std::map<std::string, std::vector<std::string>> expected;  // sample -> its extensions, lower case
    std::ifstream manifest(samples + "MANIFEST");
    std::string line;
    while (std::getline(manifest, line)) {
        std::istringstream fields(line);
        std::string name, extensions;
        if (!std::getline(fields, name, '\t') || !std::getline(fields, extensions, '\t')) continue;
        std::istringstream list(extensions);
        std::string extension;
        while (std::getline(list, extension, ',')) expected[name].push_back(extension);
        CopyFileA((samples + name).c_str(), (program.files + name).c_str(), FALSE);
    }
    ASSERT_GT(expected.size(), 100u);
    std::vector<std::string> before = names_in(program.files);
    ASSERT_EQ(expected.size(), before.size());

    ASSERT_TRUE(start_window(&program));
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    fill(dialog, nullptr, nullptr);
    int asked = run_answering(dialog, IDNO);
    EXPECT_GE(asked, static_cast<int>(expected.size()) * 97 / 100);
    EXPECT_EQ(before, names_in(program.files));

    dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    fill(dialog, nullptr, nullptr);
    EXPECT_EQ(asked, run_answering(dialog, IDYES));
    int right = 0;
    std::string wrong;
    for (const auto &sample : expected) {
        std::string found;
        for (const std::string &name : names_in(program.files))
            if (name.compare(0, sample.first.size() + 1, sample.first + ".") == 0) found = name;
        std::string extension = found.empty() ? "" : found.substr(sample.first.size() + 1);
        const std::vector<std::string> &allowed = sample.second;
        if (std::find(allowed.begin(), allowed.end(), extension) != allowed.end()) {
            right++;
        } else {
            wrong += " " + sample.first + "->" + (found.empty() ? "(unchanged)" : found);
        }
    }
    std::printf("bulk identification: %d of %d samples carry a manifest extension;%s\n", right,
                static_cast<int>(expected.size()), wrong.c_str());
    EXPECT_GE(right * 100, static_cast<int>(expected.size()) * 97) << wrong;
    EXPECT_EQ(0, close_program(&program));
}

namespace {

// What was seen from here while a run went on.
struct run_watch {
    std::vector<int> positions;      // the progress bar's position, each time it answered in time
    std::vector<std::string> texts;  // the remaining-time texts read
    int unanswered = 0;              // reads that the dialog did not answer within a second
    int range_high = -1;             // the progress bar's upper limit, read once the run has begun
};

// Reads the dialog's progress bar and remaining-time text every 100 ms until it closes, pressing "実行"
// again (bypassing the disabled button) every few reads.
run_watch watch_run(HWND dialog)
{
    run_watch watch;
    HWND progress = GetDlgItem(dialog, PROGRESS);
    HWND remaining = GetDlgItem(dialog, REMAINING);
    for (int read = 0; IsWindow(dialog) && read < 6000; read++) {
        DWORD_PTR position = 0;
        DWORD_PTR high = 0;
        if (SendMessageTimeoutA(progress, PBM_GETPOS, 0, 0, SMTO_NORMAL, 1000, &position) != 0) {
            watch.positions.push_back(static_cast<int>(position));
            // The bar keeps its default range until the run has listed its files and taken the first step.
            if (watch.range_high < 0 && position > 0 &&
                SendMessageTimeoutA(progress, PBM_GETRANGE, FALSE, 0, SMTO_NORMAL, 1000, &high) != 0)
                watch.range_high = static_cast<int>(high);
        } else if (IsWindow(dialog)) {
            watch.unanswered++;
        }
        char text[128] = "";
        DWORD_PTR length = 0;
        if (SendMessageTimeoutA(remaining, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                                1000, &length) != 0 && text[0] != '\0')
            watch.texts.push_back(text);
        if (read % 5 == 2) press(dialog, RUN);
        Sleep(100);
    }
    return watch;
}

int seconds_in(const std::string &text)
{
    // "残り %d秒" and the longer forms: the figures before the last unit.
    int total = 0, number = 0;
    for (size_t i = 0; i < text.size(); i++) {
        unsigned char byte = static_cast<unsigned char>(text[i]);
        if (byte >= '0' && byte <= '9') number = number * 10 + (byte - '0');
        else if (number > 0 || byte >= 0x80) {
            if (text.compare(i, std::strlen("時間"), "時間") == 0) total += number * 3600;
            else if (text.compare(i, std::strlen("分"), "分") == 0) total += number * 60;
            else if (text.compare(i, std::strlen("秒"), "秒") == 0) total += number;
            number = 0;
        }
    }
    return total;
}

}  // namespace

TEST(BulkChangeDialog, LongRunRepaintsEstimatesAndRunsOnce)
{
    const int files = 20;
    bulk_program program = make_bulk_program("bulk_long");
    write_slow_dataset(program, 60);
    // Already named with their first candidate: no confirmation interrupts the run.
    for (int i = 0; i < files; i++)
        write_file_text(program.files + "f" + std::to_string(10 + i) + ".gif", slow_target_text());
    ASSERT_TRUE(start_window(&program));
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    fill(dialog, nullptr, nullptr);
    DWORD start = GetTickCount();
    press(dialog, RUN);
    run_watch watch = watch_run(dialog);
    DWORD elapsed = GetTickCount() - start;
    std::printf("long run: %d files in %lu ms, %d reads answered, %d not\n", files,
                static_cast<unsigned long>(elapsed), static_cast<int>(watch.positions.size()), watch.unanswered);
    EXPECT_FALSE(IsWindow(dialog));
    ASSERT_GE(elapsed, 3000u) << "the run is too short to watch";

    // The dialog answered all the time, and its bar moved forward only, from 1 up to the last file.
    EXPECT_EQ(0, watch.unanswered);
    ASSERT_GE(watch.positions.size(), 10u);
    EXPECT_TRUE(std::is_sorted(watch.positions.begin(), watch.positions.end()));
    EXPECT_EQ(files + 1, watch.range_high);
    EXPECT_LE(watch.positions.back(), files + 1);
    int distinct = static_cast<int>(std::unique(watch.positions.begin(), watch.positions.end()) -
                                     watch.positions.begin());
    EXPECT_GE(distinct, files / 2);
    // The estimate of a file under a second's work is not "0 seconds" early in the run.
    ASSERT_FALSE(watch.texts.empty());
    EXPECT_EQ(0, watch.texts.front().compare(0, std::strlen("残り "), "残り "));
    EXPECT_GE(seconds_in(watch.texts.front()), 1) << watch.texts.front();
    EXPECT_EQ(files, static_cast<int>(names_in(program.files).size()));
    EXPECT_EQ(0, close_program(&program));
}

TEST(BulkChangeDialog, RunPressedAgainDuringARunStartsNoSecondRun)
{
    const int files = 6;
    bulk_program program = make_bulk_program("bulk_again");
    write_slow_dataset(program, 60);
    for (int i = 0; i < files; i++)
        write_file_text(program.files + "g" + std::to_string(10 + i) + ".bin", slow_target_text());
    ASSERT_TRUE(start_window(&program));
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    fill(dialog, nullptr, nullptr);
    // Every file is asked about once and answered No; "実行" is pressed again all through the run.
    box_answerer answerer;
    start_answering_boxes(&answerer, QUESTION_CAPTION, IDNO);
    press(dialog, RUN);
    watch_run(dialog);
    stop_answering_boxes(&answerer);
    EXPECT_FALSE(IsWindow(dialog));
    EXPECT_EQ(files, answerer.answered);
    EXPECT_EQ(files, static_cast<int>(names_in(program.files).size()));
    EXPECT_TRUE(file_exists(program.files + "g10.bin"));
    EXPECT_EQ(0, close_program(&program));
}

TEST(BulkChangeDialog, NeverMindDuringARunStopsAfterTheFileInHand)
{
    const int files = 10;
    bulk_program program = make_bulk_program("bulk_stop");
    write_slow_dataset(program, 60);
    for (int i = 0; i < files; i++)
        write_file_text(program.files + "h" + std::to_string(10 + i) + ".bin", slow_target_text());
    ASSERT_TRUE(start_window(&program));
    HWND dialog = open_bulk_dialog(program);
    ASSERT_NE(nullptr, dialog);
    fill(dialog, nullptr, nullptr);
    box_answerer answerer;
    start_answering_boxes(&answerer, QUESTION_CAPTION, IDYES);
    press(dialog, RUN);
    for (int i = 0; i < 1200 && answerer.answered < 2; i++) Sleep(25);
    press(dialog, CANCEL);
    EXPECT_TRUE(wait_closed(dialog));
    stop_answering_boxes(&answerer);
    int renamed = 0;
    for (const std::string &name : names_in(program.files)) renamed += name.size() > 4 && name.substr(name.size() - 4) == ".gif";
    EXPECT_GE(renamed, 2);
    EXPECT_LT(renamed, files);
    EXPECT_EQ(renamed, answerer.answered);
    EXPECT_EQ(0, close_program(&program));
}

// The same dialog run in this process, for target texts the main window cannot hold yet (a file, a file
// at a drive root): karvo's resources are linked into the test program.
namespace {

struct dialog_thread {
    std::thread worker;
    INT_PTR result = -1;
};

HWND start_dialog(dialog_thread *run, const std::string &target)
{
    run->worker = std::thread([run, target] {
        run->result = run_bulk_change_dialog(GetModuleHandleA(nullptr), nullptr, target.c_str());
    });
    return wait_for_dialog(BULK_CAPTION, WAIT_MS);
}

INT_PTR end_dialog(dialog_thread *run)
{
    run->worker.join();
    return run->result;
}

}  // namespace

TEST(BulkChangeDialogInProcess, OpensOnAFileAndWorksOnItsFolder)
{
    std::string folder = make_test_folder("bulk_file");
    std::string files = folder + "files\\";
    CreateDirectoryA(files.c_str(), nullptr);
    write_file_text(files + "a.bin", "a");
    write_file_text(files + "b.bin", "b");
    write_file_text(files + "c.txt", "c");
    dialog_thread run;
    HWND dialog = start_dialog(&run, files + "a.bin");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("files", dialog_item_text(dialog, FOLDER_NAME));
    fill(dialog, "bin", "png");
    press(dialog, RUN);
    EXPECT_TRUE(wait_closed(dialog));
    EXPECT_EQ(1, end_dialog(&run));
    EXPECT_EQ((std::vector<std::string>{"a.png", "b.png", "c.txt"}), names_in(files));

    // "やめとく" ends it with 0.
    dialog = start_dialog(&run, files + "a.png");
    ASSERT_NE(nullptr, dialog);
    press(dialog, CANCEL);
    EXPECT_TRUE(wait_closed(dialog));
    EXPECT_EQ(0, end_dialog(&run));
    remove_folder_tree(folder);
}

TEST(BulkChangeDialogInProcess, OpensOnAFileAtADriveRoot)
{
    // Shown only: a run would work on the whole drive (folder_of gives C:\, as the table tests show).
    dialog_thread run;
    HWND dialog = start_dialog(&run, "C:\\a.bin");
    ASSERT_NE(nullptr, dialog);
    EXPECT_EQ("C:\\", dialog_item_text(dialog, FOLDER_NAME));
    PostMessageA(dialog, WM_CLOSE, 0, 0);
    EXPECT_TRUE(wait_closed(dialog));
    EXPECT_EQ(0, end_dialog(&run));
}
