// The kind of a file from its bytes (the ten probes in their order, short files, look-alikes) and the
// availability check of each kind's library with its messages.
#include "archive_extract.h"
#include "archive_test_support.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

typedef std::vector<unsigned char> bytes;

bytes from_text(const std::string &text) { return bytes(text.begin(), text.end()); }

bytes padded(const std::string &start, size_t size)
{
    bytes result = from_text(start);
    result.resize(size, 0);
    return result;
}

bytes with_at(bytes base, size_t offset, const std::string &text)
{
    if (base.size() < offset + text.size()) base.resize(offset + text.size(), 0);
    for (size_t i = 0; i < text.size(); i++) base[offset + i] = static_cast<unsigned char>(text[i]);
    return base;
}

struct detection_case {
    const char *what;
    bytes content;
    int kind;
};

std::vector<detection_case> detection_cases()
{
    std::vector<detection_case> cases = {
        {"chromakey", sample_of_kind(ARCHIVE_CHROMAKEY), ARCHIVE_CHROMAKEY},
        {"LHA", sample_of_kind(ARCHIVE_LHA), ARCHIVE_LHA},
        {"ZIP", sample_of_kind(ARCHIVE_ZIP), ARCHIVE_ZIP},
        {"CAB", sample_of_kind(ARCHIVE_CAB), ARCHIVE_CAB},
        {"GCA", sample_of_kind(ARCHIVE_GCA), ARCHIVE_GCA},
        {"ISH", sample_of_kind(ARCHIVE_ISH), ARCHIVE_ISH},
        {"ACE", sample_of_kind(ARCHIVE_ACE), ARCHIVE_ACE},
        {"RAR", sample_of_kind(ARCHIVE_RAR), ARCHIVE_RAR},
        {"YZ1", sample_of_kind(ARCHIVE_YZ1), ARCHIVE_YZ1},
        {"gzip", sample_of_kind(ARCHIVE_GZIP), ARCHIVE_GZIP},
        // Order: the first probe that matches decides.
        {"ZIP with 96 at 766 is chromakey", with_at(padded("PK\x03\x04", 800), 766, "96"), ARCHIVE_CHROMAKEY},
        {"-lh at 2 before PK at 0", from_text("PK-lh5-......"), ARCHIVE_LHA},
        {"ACE before RAR", with_at(padded("Rar!", 32), 9, "ACE"), ARCHIVE_ACE},
        {"ISH needs its end mark too", padded("<<< no end mark", 64), ARCHIVE_NONE},
        {"ISH end mark exactly 5 bytes before the end", from_text("<<<x---\r\n"), ARCHIVE_ISH},
        {"ISH end mark 4 bytes before the end", from_text("<<<x---\r"), ARCHIVE_NONE},
        // Short files: a probe matches only on bytes actually read. Each short file follows the same bytes
        // one byte longer, which do match.
        {"768 bytes ending in 96", with_at(padded("", 766), 766, "96"), ARCHIVE_CHROMAKEY},
        {"767 bytes: 9 at 766 and nothing after", with_at(padded("PK", 766), 766, "9"), ARCHIVE_ZIP},
        {"12 bytes: ACE at 9", with_at(padded("", 9), 9, "ACE"), ARCHIVE_ACE},
        {"11 bytes: AC at 9", with_at(padded("", 9), 9, "AC"), ARCHIVE_NONE},
        {"Rar", from_text("Rar"), ARCHIVE_RAR},
        {"Ra", from_text("Ra"), ARCHIVE_NONE},
        {"MSCF", from_text("MSCF"), ARCHIVE_CAB},
        {"MSC", from_text("MSC"), ARCHIVE_NONE},
        {"xx-lh", from_text("xx-lh"), ARCHIVE_LHA},
        {"xx-l", from_text("xx-l"), ARCHIVE_NONE},
        {"PK", from_text("PK"), ARCHIVE_ZIP},
        {"P", from_text("P"), ARCHIVE_NONE},
        {"<<<", from_text("<<<"), ARCHIVE_NONE},
        {"<<<-- (5 bytes)", from_text("<<<--"), ARCHIVE_NONE},
        {"gzip magic only", from_text("\x1F\x8B\x08"), ARCHIVE_GZIP},
        {"empty file", bytes(), ARCHIVE_NONE},
        // Look-alikes that are not archives here.
        {"plain tar", with_at(padded("readme.txt", 1024), 257, std::string("ustar\0" "00", 8)), ARCHIVE_NONE},
        {"bzip2", padded("BZh91AY&SY", 64), ARCHIVE_NONE},
        {"gzip with another method", padded("\x1F\x8B\x09", 64), ARCHIVE_NONE},
        {"lower-case pk", padded("pk\x03\x04", 64), ARCHIVE_NONE},
        {"lower-case rar", padded("rar!", 64), ARCHIVE_NONE},
        {"upper-case YZ0", padded("YZ01", 64), ARCHIVE_NONE},
        {"-LH at 2", padded("xx-LH5-", 64), ARCHIVE_NONE},
        {"ACE at 8", with_at(padded("", 32), 8, "ACE"), ARCHIVE_NONE},
        {"96 at 765", with_at(padded("", 800), 765, "96"), ARCHIVE_NONE},
    };
    return cases;
}

}  // namespace

TEST_F(ArchiveTest, KindComesFromTheBytesInProbeOrder)
{
    int serial = 0;
    for (const detection_case &c : detection_cases()) {
        SCOPED_TRACE(c.what);
        // The extension says nothing: every file is named as a text file.
        std::string path = in + "file" + std::to_string(serial++) + ".txt";
        ASSERT_TRUE(write_file_bytes(path, c.content));
        call_outcome outcome = run_detection(owner, path);
        EXPECT_EQ(c.kind, outcome.result);
        EXPECT_EQ(0, outcome.boxes);
    }
}

TEST_F(ArchiveTest, FileThatCannotBeOpenedSaysSoOnlyWithAnOwner)
{
    std::string missing = in + "missing.zip";
    call_outcome with_owner = run_detection(owner, missing);
    EXPECT_EQ(ARCHIVE_NONE, with_owner.result);
    EXPECT_EQ(1, with_owner.boxes);
    EXPECT_EQ("対象のファイルが開けません", with_owner.box_text);
    call_outcome without_owner = run_detection(nullptr, missing);
    EXPECT_EQ(ARCHIVE_NONE, without_owner.result);
    EXPECT_EQ(0, without_owner.boxes);
    // A folder is not a file to probe.
    EXPECT_EQ(ARCHIVE_NONE, run_detection(nullptr, in).result);
}

TEST_F(ArchiveTest, FileOpenForWritingByAnotherIsNotProbed)
{
    std::string path = write_sample("busy.zip", ARCHIVE_ZIP);
    // Read sharing only: a file someone is writing cannot be opened.
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, writer);
    call_outcome outcome = run_detection(owner, path);
    CloseHandle(writer);
    EXPECT_EQ(ARCHIVE_NONE, outcome.result);
    EXPECT_EQ(1, outcome.boxes);
    EXPECT_EQ(ARCHIVE_ZIP, run_detection(owner, path).result);
}

namespace {

struct library_case {
    int kind;
    const char *library;           // the file the check loads
    const char *cannot_open_text;  // null: silent
};

const library_case library_cases[] = {
    {ARCHIVE_CHROMAKEY, "chromakey.dll", nullptr},
    {ARCHIVE_LHA, "unlha32.dll", "unlha32.dllが開けません"},
    {ARCHIVE_ZIP, "unzip32.dll", "unzip32.dllが開けません"},
    {ARCHIVE_CAB, "cab32.dll", "cab32.dllが開けません"},
    {ARCHIVE_GCA, "UnGCA32.dll", "UnGCA32.dllが開けません"},
    {ARCHIVE_ISH, "Ish32.dll", "Ish32.dllが開けません"},
    {ARCHIVE_ACE, "UnAceV2.dll", "UnAceV2.dllが開けません"},
    {ARCHIVE_RAR, "Unrar.dll", "Unrar.dllが開けません"},
    {ARCHIVE_YZ1, "Yz1.dll", "Yz1.dllが開けません"},
    {ARCHIVE_GZIP, "tar32.dll", "tar32.dllが開けません"},
};

}  // namespace

TEST_F(ArchiveTest, MissingLibraryIsReportedWithOrWithoutAnOwner)
{
    for (const library_case &c : library_cases) {
        SCOPED_TRACE(c.library);
        int expected_boxes = c.cannot_open_text != nullptr ? 1 : 0;
        for (HWND given : {owner, static_cast<HWND>(nullptr)}) {
            call_outcome outcome = run_library_check(given, c.kind);
            EXPECT_EQ(0, outcome.result);
            EXPECT_EQ(expected_boxes, outcome.boxes);
            if (c.cannot_open_text != nullptr) {
                EXPECT_EQ(c.cannot_open_text, outcome.box_text);
            }
        }
    }
}

TEST_F(ArchiveTest, PresentLibraryGivesItsBitAndIsReleased)
{
    for (const library_case &c : library_cases) ASSERT_TRUE(install_library(libraries, c.library));
    for (const library_case &c : library_cases) {
        SCOPED_TRACE(c.library);
        call_outcome outcome = run_library_check(owner, c.kind);
        EXPECT_EQ(c.kind, outcome.result);
        EXPECT_EQ(0, outcome.boxes);
        EXPECT_EQ(nullptr, GetModuleHandleA(c.library));
    }
    // Only a check: nothing was called.
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(0, run_library_check(owner, 3).result);
    EXPECT_EQ(0, run_library_check(owner, ARCHIVE_NONE).result);
}

TEST_F(ArchiveTest, RarCheckAsksForUnrarDllOnly)
{
    install({"Unrar32.dll"});
    call_outcome outcome = run_library_check(nullptr, ARCHIVE_RAR);
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(1, outcome.boxes);
    EXPECT_EQ("Unrar.dllが開けません", outcome.box_text);
    install({"Unrar.dll"});
    EXPECT_EQ(ARCHIVE_RAR, run_library_check(nullptr, ARCHIVE_RAR).result);
}

TEST_F(ArchiveTest, LibraryThatRefusesToLoadCountsAsMissing)
{
    ASSERT_TRUE(install_library(libraries, "archiver_failing_load.dll", "Unrar.dll"));
    call_outcome outcome = run_library_check(owner, ARCHIVE_RAR);
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("Unrar.dllが開けません", outcome.box_text);
}
