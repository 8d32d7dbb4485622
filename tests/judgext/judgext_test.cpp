// Tests of the video codec judge judgext.dll, loaded by its export names the way the program loads it:
// identity record, codec table, DivX second test, switch, identity check, short files, real AVI samples.
#include "judge_interface.h"
#include "box_answerer.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

const uint16_t JUDGEXT_ID = 40001;
const uint16_t TEST_DEFINITION_ID = 321;

// ---- AVI byte images -------------------------------------------------------------------------------------

void put_u32(std::vector<unsigned char> &bytes, uint32_t value)
{
    for (int i = 0; i < 4; i++) bytes.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

void put_code(std::vector<unsigned char> &bytes, const char *code)
{
    bytes.insert(bytes.end(), code, code + 4);
}

void put_zeros(std::vector<unsigned char> &bytes, size_t count)
{
    bytes.insert(bytes.end(), count, 0);
}

void set_u32(std::vector<unsigned char> &bytes, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; i++) bytes[at + i] = static_cast<unsigned char>(value >> (8 * i));
}

// A standard one-stream AVI file: RIFF "AVI ", the main header, the stream list (stream header with type and
// handler codes, bitmap format with compression code), one 16x16 frame and the index. With this layout the
// stream codes lie at 108 and the compression code at 188.
std::vector<unsigned char> avi_image(const char *type, const char *handler, const char *compression)
{
    std::vector<unsigned char> b;
    put_code(b, "RIFF"); put_u32(b, 0); put_code(b, "AVI ");
    put_code(b, "LIST"); put_u32(b, 0); put_code(b, "hdrl");
    size_t hdrl_start = 20;
    put_code(b, "avih"); put_u32(b, 56);
    put_u32(b, 200000); put_u32(b, 0); put_u32(b, 0); put_u32(b, 0x10);  // frame time, rate, padding, flags
    put_u32(b, 1); put_u32(b, 0); put_u32(b, 1); put_u32(b, 0);           // frames, initial, streams, buffer
    put_u32(b, 16); put_u32(b, 16); put_zeros(b, 16);                    // width, height, reserved
    put_code(b, "LIST"); put_u32(b, 4 + 8 + 56 + 8 + 40); put_code(b, "strl");
    put_code(b, "strh"); put_u32(b, 56);
    put_code(b, type); put_code(b, handler);
    put_zeros(b, 12);                                                    // flags, priority, language, initial
    put_u32(b, 1); put_u32(b, 5); put_u32(b, 0); put_u32(b, 1);           // scale, rate, start, length
    put_u32(b, 768); put_u32(b, 0xFFFFFFFF); put_u32(b, 0); put_zeros(b, 8);
    put_code(b, "strf"); put_u32(b, 40);
    put_u32(b, 40); put_u32(b, 16); put_u32(b, 16);                       // size, width, height
    b.push_back(1); b.push_back(0); b.push_back(24); b.push_back(0);      // planes, bits per pixel
    put_code(b, compression); put_u32(b, 768); put_zeros(b, 16);
    set_u32(b, hdrl_start - 4, static_cast<uint32_t>(b.size() - hdrl_start));
    put_code(b, "LIST"); put_u32(b, 4 + 8 + 768); put_code(b, "movi");
    put_code(b, "00dc"); put_u32(b, 768); put_zeros(b, 768);
    put_code(b, "idx1"); put_u32(b, 16);
    put_code(b, "00dc"); put_u32(b, 0x10); put_u32(b, 4); put_u32(b, 768);
    set_u32(b, 4, static_cast<uint32_t>(b.size() - 8));
    return b;
}

std::string text_at(const std::vector<unsigned char> &bytes, size_t at, size_t length)
{
    if (bytes.size() < at + length) return std::string();
    return std::string(bytes.begin() + at, bytes.begin() + at + length);
}

// ---- the library, loaded as the program loads it ---------------------------------------------------------

plugin_header judge_header(uint16_t library_id, uint8_t option_mode)
{
    plugin_header header;
    std::memset(&header, 0, sizeof header);
    std::memcpy(header.name, "AVI video codec", sizeof "AVI video codec");
    header.definition_id = TEST_DEFINITION_ID;
    header.flags = DEFINITION_FLAG_JUDGE_LIBRARY | DEFINITION_FLAG_JUDGE_ALLOWED;
    header.judge_library_id = library_id;
    header.option_mode = option_mode;
    return header;
}

class judgext_test : public ::testing::Test {
protected:
    HMODULE library = nullptr;
    judge_entry_function entry = nullptr;
    judge_calculate_function calculate = nullptr;
    std::string folder;

    void SetUp() override
    {
        library = LoadLibraryA((test_program_folder() + "judgext.dll").c_str());
        ASSERT_NE(library, nullptr);
        entry = reinterpret_cast<judge_entry_function>(
            reinterpret_cast<void *>(GetProcAddress(library, JUDGE_ENTRY_EXPORT)));
        calculate = reinterpret_cast<judge_calculate_function>(
            reinterpret_cast<void *>(GetProcAddress(library, JUDGE_CALCULATE_EXPORT)));
        ASSERT_NE(entry, nullptr);
        ASSERT_NE(calculate, nullptr);
        folder = make_test_folder("judgext");
    }

    void TearDown() override
    {
        if (library != nullptr) FreeLibrary(library);
        remove_folder_tree(folder);
    }

    // The judgement call with the header split into its 22 words, as the program makes it.
    int32_t judge(HWND owner, const plugin_header &header, const char *target, judgement_record *record,
                  const char *definition_path = "C:\\data\\plugin\\avi.plg", uint32_t entry_number = 0,
                  uint32_t dictionary_flag = 0)
    {
        uint32_t w[JUDGE_HEADER_WORDS];
        split_header_words(header, w);
        return calculate(owner, definition_path, w[0], w[1], w[2], w[3], w[4], w[5], w[6], w[7], w[8], w[9],
                         w[10], w[11], w[12], w[13], w[14], w[15], w[16], w[17], w[18], w[19], w[20], w[21],
                         target, record, entry_number, dictionary_flag);
    }

    // Writes bytes to a file in the test folder and judges it with a switched-on header; returns result_b,
    // or 0xFFFFFFFF when the call failed or result_a is not 0.
    uint32_t judge_bytes(const std::vector<unsigned char> &bytes, const char *name = "target.avi")
    {
        std::string path = folder + name;
        if (!write_file_bytes(path, bytes)) return 0xFFFFFFFF;
        return judge_path(path);
    }

    uint32_t judge_path(const std::string &path)
    {
        judgement_record record = {};
        if (judge(nullptr, judge_header(JUDGEXT_ID, 1), path.c_str(), &record) != 1) return 0xFFFFFFFF;
        if (record.result_a != 0 || record.definition_id != 0 || record.reserved != 0) return 0xFFFFFFFF;
        return record.result_b;
    }
};

// ---- identity ----------------------------------------------------------------------------------------------

TEST_F(judgext_test, identity_record_is_filled_byte_for_byte)
{
    unsigned char buffer[JUDGE_LIBRARY_INFO_SIZE];
    std::memset(buffer, 0xAA, sizeof buffer);
    ASSERT_EQ(entry(nullptr, reinterpret_cast<judge_library_info *>(buffer)), 1);

    unsigned char expected[JUDGE_LIBRARY_INFO_SIZE] = {};
    expected[0] = 0x41;  // 40001 = 0x9C41, little-endian
    expected[1] = 0x9C;
    std::memcpy(expected + 4, "SP Judge for KRVFB (1)", 22);
    std::memcpy(expected + 35, "Velmar", 6);
    const unsigned char one_float[4] = {0x00, 0x00, 0x80, 0x3F};
    std::memcpy(expected + 68, one_float, 4);
    expected[72] = 0x83;  // "β" in code page 932
    expected[73] = 0xC0;
    expected[77] = 1;
    for (int i = 0; i < JUDGE_LIBRARY_INFO_SIZE; i++) EXPECT_EQ(buffer[i], expected[i]) << "byte " << i;
}

TEST_F(judgext_test, identity_record_read_through_the_shared_layout)
{
    judge_library_info info;
    ASSERT_EQ(entry(reinterpret_cast<HWND>(0x1234), &info), 1);  // the owner window is not used
    EXPECT_EQ(info.library_id, JUDGEXT_ID);
    EXPECT_STREQ(info.description, "SP Judge for KRVFB (1)");
    EXPECT_STREQ(info.maker, "Velmar");
    EXPECT_EQ(info.version, 1.0f);
    EXPECT_STREQ(info.release_text, "β");
    EXPECT_EQ(info.release_byte, 1);
}

TEST_F(judgext_test, only_the_two_decorated_names_are_found)
{
    EXPECT_EQ(GetProcAddress(library, "KrvJudgextEntry"), nullptr);
    EXPECT_EQ(GetProcAddress(library, "CalculateJudgeID"), nullptr);
    EXPECT_EQ(GetProcAddress(library, "KrvJudgextEntry@8"), nullptr);
    EXPECT_EQ(GetProcAddress(library, "CalculateJudgeID@112"), nullptr);
    EXPECT_EQ(GetProcAddress(library, "DllMain"), nullptr);
}

// ---- codec table ---------------------------------------------------------------------------------------------

struct codec_case {
    const char *handler;
    const char *compression;
    uint32_t code;
};

// Every row in both forms; the DivX rows with each of their compression codes.
const codec_case CODEC_ROWS[] = {
    {"cvid", "cvid", 0x9211}, {"CVID", "CVID", 0x9211}, {"msvc", "msvc", 0x9212}, {"MSVC", "MSVC", 0x9212},
    {"iv32", "iv32", 0x9213}, {"IV32", "IV32", 0x9213}, {"iv41", "iv41", 0x9214}, {"IV41", "IV41", 0x9214},
    {"iv50", "iv50", 0x9215}, {"IV50", "IV50", 0x9215}, {"mpg4", "mpg4", 0x9216}, {"MPG4", "MPG4", 0x9216},
    {"mp42", "mp42", 0x9217}, {"MP42", "MP42", 0x9217}, {"mp43", "mp43", 0x9218}, {"MP43", "MP43", 0x9218},
    {"div3", "div3", 0x9219}, {"DIV3", "DIV3", 0x9219}, {"div4", "div4", 0x9220}, {"DIV4", "DIV4", 0x9220},
    {"divx", "DIVX", 0x9221}, {"DIVX", "DIVX", 0x9221}, {"divx", "divx", 0x9221}, {"DIVX", "divx", 0x9221},
    {"divx", "DX50", 0x9222}, {"DIVX", "DX50", 0x9222}, {"divx", "dx50", 0x9222}, {"DIVX", "dx50", 0x9222},
    {"xvid", "xvid", 0x9223}, {"XVID", "XVID", 0x9223}, {"mjpg", "mjpg", 0x9224}, {"MJPG", "MJPG", 0x9224},
    {"i263", "i263", 0x9225}, {"I263", "I263", 0x9225}, {"i420", "i420", 0x9226}, {"I420", "I420", 0x9226},
    {"ap41", "ap41", 0x9227}, {"AP41", "AP41", 0x9227}, {"asv1", "asv1", 0x9228}, {"ASV1", "ASV1", 0x9228},
    {"y41p", "y41p", 0x9229}, {"Y41P", "Y41P", 0x9229}, {"bt20", "bt20", 0x922A}, {"BT20", "BT20", 0x922A},
};

TEST_F(judgext_test, every_row_in_both_forms)
{
    for (const codec_case &c : CODEC_ROWS) {
        EXPECT_EQ(judge_bytes(avi_image("vids", c.handler, c.compression)), c.code)
            << "vids" << c.handler << " / " << c.compression;
    }
}

TEST_F(judgext_test, the_handler_decides_whatever_the_compression_code)
{
    // Rows without a further test do not look at the bitmap format.
    EXPECT_EQ(judge_bytes(avi_image("vids", "XVID", "DIVX")), 0x9223u);
    EXPECT_EQ(judge_bytes(avi_image("vids", "cvid", "\0\0\0\0")), 0x9211u);
    EXPECT_EQ(judge_bytes(avi_image("vids", "DIV3", "XVID")), 0x9219u);
    // A compression code alone never matches a row.
    EXPECT_EQ(judge_bytes(avi_image("vids", "FMP4", "XVID")), 1u);
    EXPECT_EQ(judge_bytes(avi_image("vids", "\0\0\0\0", "MJPG")), 1u);
}

TEST_F(judgext_test, mixed_case_forms_match_no_row)
{
    const char *mixed[] = {"Divx", "DivX", "dIVX", "Xvid", "XviD", "Cvid", "Mjpg", "Mp43", "Div3", "bT20", "Y41p"};
    for (const char *handler : mixed) {
        EXPECT_EQ(judge_bytes(avi_image("vids", handler, "DIVX")), 1u) << handler;
    }
}

TEST_F(judgext_test, the_stream_type_must_be_vids_in_lower_case)
{
    EXPECT_EQ(judge_bytes(avi_image("VIDS", "XVID", "XVID")), 1u);
    EXPECT_EQ(judge_bytes(avi_image("auds", "XVID", "XVID")), 1u);
    EXPECT_EQ(judge_bytes(avi_image("txts", "cvid", "cvid")), 1u);
}

TEST_F(judgext_test, divx_stream_with_each_compression_code)
{
    const codec_case cases[] = {
        {"DIVX", "DIVX", 0x9221}, {"DIVX", "divx", 0x9221}, {"DIVX", "DX50", 0x9222}, {"DIVX", "dx50", 0x9222},
        {"DIVX", "XVID", 1},      {"DIVX", "Divx", 1},      {"DIVX", "Dx50", 1},      {"DIVX", "DX5O", 1},
        {"divx", "XVID", 1},      {"divx", "FMP4", 1},      {"DX50", "DX50", 1},      {"dx50", "DX50", 1},
    };
    for (const codec_case &c : cases) {
        EXPECT_EQ(judge_bytes(avi_image("vids", c.handler, c.compression)), c.code)
            << "vids" << c.handler << " / " << c.compression;
    }
}

// An AVI whose first stream is sound: the stream list starts with "auds" and a wave format.
TEST_F(judgext_test, audio_first_file_yields_one)
{
    std::vector<unsigned char> bytes = avi_image("auds", "\1\0\0\0", "XVID");
    ASSERT_EQ(text_at(bytes, 108, 4), "auds");
    EXPECT_EQ(judge_bytes(bytes), 1u);
}

TEST_F(judgext_test, stream_codes_elsewhere_are_not_found)
{
    // The codes one byte off their place: the library reads fixed offsets only.
    std::vector<unsigned char> bytes = avi_image("vids", "XVID", "XVID");
    bytes.insert(bytes.begin() + 100, 0);
    EXPECT_EQ(judge_bytes(bytes), 1u);
}

// ---- switch, identity check, failures ---------------------------------------------------------------------

TEST_F(judgext_test, switch_off_returns_one_and_leaves_the_record)
{
    std::string path = folder + "xvid.avi";
    ASSERT_TRUE(write_file_bytes(path, avi_image("vids", "XVID", "XVID")));
    const uint8_t modes[] = {0, 2, 255};
    for (uint8_t mode : modes) {
        judgement_record record;
        std::memset(&record, 0x5A, sizeof record);
        EXPECT_EQ(judge(nullptr, judge_header(JUDGEXT_ID, mode), path.c_str(), &record), 1) << int(mode);
        const unsigned char *raw = reinterpret_cast<const unsigned char *>(&record);
        for (size_t i = 0; i < sizeof record; i++) EXPECT_EQ(raw[i], 0x5A) << "mode " << int(mode) << " byte " << i;
    }
    // With the switch off the target is not even opened.
    judgement_record record = {};
    EXPECT_EQ(judge(nullptr, judge_header(JUDGEXT_ID, 0), (folder + "missing.avi").c_str(), &record), 1);
    EXPECT_EQ(record.result_b, 0u);
}

TEST_F(judgext_test, switch_is_the_low_byte_of_word_20_only)
{
    std::string path = folder + "xvid.avi";
    ASSERT_TRUE(write_file_bytes(path, avi_image("vids", "XVID", "XVID")));
    plugin_header header = judge_header(JUDGEXT_ID, 1);
    header.option_source = 7;  // the other bytes of word 20
    header.reserved[0] = 0xFF;
    header.reserved[1] = 0xFF;
    header.param_c = 0x33;  // the lower half of word 19, beside the identity
    header.flags = 0xFF;
    judgement_record record = {};
    EXPECT_EQ(judge(nullptr, header, path.c_str(), &record), 1);
    EXPECT_EQ(record.result_b, 0x9223u);
}

// Answers the error box and remembers what it showed and whom it belonged to.
struct error_box_watch {
    HANDLE thread = nullptr;
    volatile LONG stop = 0;
    int seen = 0;
    HWND owner = nullptr;
    std::string text;
    int has_cancel = 0;
    int has_icon = 0;
};

const int MESSAGE_BOX_ICON_ITEM = 0x440;  // the message box's icon control

DWORD WINAPI watch_error_box(LPVOID data)
{
    error_box_watch *watch = static_cast<error_box_watch *>(data);
    HWND answered = nullptr;  // a box stays listed for a while after its button was pressed
    while (InterlockedCompareExchange(&watch->stop, 0, 0) == 0) {
        HWND box = find_dialog_box("ERROR");
        if (box == nullptr || box == answered) {
            Sleep(20);
            continue;
        }
        DWORD process = 0;
        GetWindowThreadProcessId(box, &process);
        if (process == GetCurrentProcessId()) {
            char text[256] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            watch->text = text;
            watch->owner = GetWindow(box, GW_OWNER);
            HWND cancel = GetDlgItem(box, IDCANCEL);
            watch->has_cancel = cancel != nullptr && IsWindowVisible(cancel);
            HWND icon = GetDlgItem(box, MESSAGE_BOX_ICON_ITEM);
            watch->has_icon = icon != nullptr && SendMessageA(icon, STM_GETICON, 0, 0) != 0;
            watch->seen++;
        }
        HWND ok = GetDlgItem(box, IDOK);
        if (ok != nullptr) {
            SendMessageA(ok, BM_CLICK, 0, 0);
        } else {
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        }
        answered = box;
    }
    return 0;
}

// Waits for the watch to end while answering what it asks of this thread's windows (their texts).
void wait_for_watch(HANDLE thread)
{
    while (MsgWaitForMultipleObjects(1, &thread, FALSE, 10000, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
}

TEST_F(judgext_test, wrong_identity_shows_the_error_box_and_fails)
{
    HWND owner = CreateWindowExA(0, "STATIC", "judgext owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    std::string path = folder + "xvid.avi";
    ASSERT_TRUE(write_file_bytes(path, avi_image("vids", "XVID", "XVID")));

    error_box_watch watch;
    watch.thread = CreateThread(nullptr, 0, watch_error_box, &watch, 0, nullptr);
    ASSERT_NE(watch.thread, nullptr);
    judgement_record record = {};
    // Checked before the switch: a switched-off header with the wrong identity fails too.
    int32_t wrong = judge(owner, judge_header(40002, 1), path.c_str(), &record);
    int32_t wrong_off = judge(owner, judge_header(0x9C40, 0), path.c_str(), &record);
    InterlockedExchange(&watch.stop, 1);
    wait_for_watch(watch.thread);
    CloseHandle(watch.thread);
    DestroyWindow(owner);

    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(wrong_off, 0);
    EXPECT_EQ(watch.seen, 2);
    EXPECT_EQ(watch.text, "予期せぬエラーです");
    EXPECT_EQ(watch.owner, owner);
    EXPECT_EQ(watch.has_cancel, 0);
    EXPECT_EQ(watch.has_icon, 0);
    EXPECT_EQ(record.result_a, 0u);
    EXPECT_EQ(record.result_b, 0u);
}

TEST_F(judgext_test, target_that_cannot_be_opened_fails_without_a_box)
{
    judgement_record record;
    std::memset(&record, 0x5A, sizeof record);
    box_answerer answerer;
    start_answering_boxes(&answerer, "ERROR", IDOK);
    EXPECT_EQ(judge(nullptr, judge_header(JUDGEXT_ID, 1), (folder + "missing.avi").c_str(), &record), 0);
    EXPECT_EQ(judge(nullptr, judge_header(JUDGEXT_ID, 1), folder.c_str(), &record), 0);  // a folder
    stop_answering_boxes(&answerer);
    EXPECT_EQ(answerer.answered, 0);
    EXPECT_EQ(record.result_b, 0x5A5A5A5Au);
}

TEST_F(judgext_test, missing_record_or_target_is_refused)
{
    std::string path = folder + "xvid.avi";
    ASSERT_TRUE(write_file_bytes(path, avi_image("vids", "XVID", "XVID")));
    judgement_record record = {};
    EXPECT_EQ(judge(nullptr, judge_header(JUDGEXT_ID, 1), path.c_str(), nullptr), 0);
    EXPECT_EQ(judge(nullptr, judge_header(JUDGEXT_ID, 1), nullptr, &record), 0);
    EXPECT_EQ(record.result_b, 0u);
    EXPECT_EQ(entry(nullptr, nullptr), 0);
}

TEST_F(judgext_test, definition_path_entry_number_and_dictionary_flag_are_not_used)
{
    std::string path = folder + "mjpg.avi";
    ASSERT_TRUE(write_file_bytes(path, avi_image("vids", "MJPG", "MJPG")));
    judgement_record plugin_record = {};
    judgement_record dictionary_record = {};
    EXPECT_EQ(judge(nullptr, judge_header(JUDGEXT_ID, 1), path.c_str(), &plugin_record, nullptr, 0, 0), 1);
    EXPECT_EQ(judge(nullptr, judge_header(JUDGEXT_ID, 1), path.c_str(), &dictionary_record, "x.dic", 17, 1), 1);
    EXPECT_EQ(plugin_record.result_b, 0x9224u);
    EXPECT_EQ(std::memcmp(&plugin_record, &dictionary_record, sizeof plugin_record), 0);
}

// ---- short files and state between calls ------------------------------------------------------------------

TEST_F(judgext_test, files_too_short_for_the_stream_codes_yield_one)
{
    std::vector<unsigned char> xvid = avi_image("vids", "XVID", "XVID");
    const size_t lengths[] = {0, 50, 108, 112, 115};
    for (size_t length : lengths) {
        std::vector<unsigned char> cut(xvid.begin(), xvid.begin() + length);
        EXPECT_EQ(judge_bytes(cut), 1u) << length << " bytes";
    }
    // 116 bytes hold the whole stream codes.
    EXPECT_EQ(judge_bytes(std::vector<unsigned char>(xvid.begin(), xvid.begin() + 116)), 0x9223u);
}

TEST_F(judgext_test, divx_file_cut_inside_the_compression_code)
{
    std::vector<unsigned char> divx = avi_image("vids", "DIVX", "DX50");
    EXPECT_EQ(judge_bytes(std::vector<unsigned char>(divx.begin(), divx.begin() + 188)), 1u);
    EXPECT_EQ(judge_bytes(std::vector<unsigned char>(divx.begin(), divx.begin() + 191)), 1u);
    EXPECT_EQ(judge_bytes(std::vector<unsigned char>(divx.begin(), divx.begin() + 192)), 0x9222u);
}

TEST_F(judgext_test, short_file_never_borrows_an_earlier_files_bytes)
{
    // The library stays loaded between these calls; what the first file left behind must not count for the
    // second, which ends before the stream codes or inside them.
    EXPECT_EQ(judge_bytes(avi_image("vids", "XVID", "XVID"), "first.avi"), 0x9223u);
    EXPECT_EQ(judge_bytes(std::vector<unsigned char>(), "empty.avi"), 1u);
    EXPECT_EQ(judge_bytes(avi_image("vids", "DIVX", "DX50"), "third.avi"), 0x9222u);
    std::vector<unsigned char> partial = avi_image("vids", "DIVX", "DX50");
    partial.resize(112);  // "vids" only
    EXPECT_EQ(judge_bytes(partial, "fourth.avi"), 1u);
    std::vector<unsigned char> no_format = avi_image("vids", "divx", "DIVX");
    no_format.resize(120);  // the stream codes but no bitmap format
    EXPECT_EQ(judge_bytes(no_format, "fifth.avi"), 1u);
}

TEST_F(judgext_test, the_target_is_closed_after_the_call)
{
    std::string path = folder + "closed.avi";
    ASSERT_TRUE(write_file_bytes(path, avi_image("vids", "cvid", "cvid")));
    EXPECT_EQ(judge_path(path), 0x9211u);
    EXPECT_NE(DeleteFileA(path.c_str()), 0);
}

TEST_F(judgext_test, the_target_is_read_with_read_sharing)
{
    std::string path = folder + "shared.avi";
    ASSERT_TRUE(write_file_bytes(path, avi_image("vids", "MP42", "MP42")));
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(judge_path(path), 0x9217u);
    CloseHandle(reader);
}

// ---- real files made by an encoder ------------------------------------------------------------------------

// The source tree's sample folder as a Windows path: under Wine a Unix path is on drive Z:.
std::string sample_folder()
{
    std::string path = QUODRA_SOURCE_DIR;
    if (!path.empty() && path[0] == '/') path = "Z:" + path;
    for (char &c : path) if (c == '/') c = '\\';
    return path + "\\tests\\data\\avi\\";
}

struct sample_entry {
    std::string file;
    uint32_t code;
    std::string stream_codes;  // "-" when not text
    std::string compression;
};

std::vector<sample_entry> read_manifest()
{
    std::vector<sample_entry> entries;
    std::vector<unsigned char> bytes = read_file_bytes(sample_folder() + "MANIFEST");
    std::istringstream lines(std::string(bytes.begin(), bytes.end()));
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        sample_entry entry;
        std::string code;
        fields >> entry.file >> code >> entry.stream_codes >> entry.compression;
        entry.code = static_cast<uint32_t>(std::stoul(code, nullptr, 0));
        entries.push_back(entry);
    }
    return entries;
}

TEST_F(judgext_test, real_samples_give_their_listed_codes)
{
    std::vector<sample_entry> entries = read_manifest();
    ASSERT_GE(entries.size(), 15u) << sample_folder();
    int judged_rows = 0;
    for (const sample_entry &entry : entries) {
        std::string path = sample_folder() + entry.file;
        std::vector<unsigned char> bytes = read_file_bytes(path);
        ASSERT_GT(bytes.size(), 192u) << entry.file;
        // The listing describes the file as it is.
        if (entry.stream_codes != "-") {
            EXPECT_EQ(text_at(bytes, 108, 8), entry.stream_codes) << entry.file;
        }
        if (entry.compression != "-") {
            EXPECT_EQ(text_at(bytes, 188, 4), entry.compression) << entry.file;
        }
        EXPECT_EQ(judge_path(path), entry.code) << entry.file;
        if (entry.code != 1) judged_rows++;
    }
    EXPECT_GE(judged_rows, 10);
}

}  // namespace
