// judgext_containers.dll, loaded by its export names as the program loads it: its identity, its kinds for the
// real samples, and clean answers for truncated and hostile containers made here.
#include "judge_library_fixture.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

const uint16_t CONTAINER_JUDGE_ID = 40002;

class ContainerJudge : public judge_library_test {
protected:
    ContainerJudge() : judge_library_test("judgext_containers.dll", CONTAINER_JUDGE_ID, "container_judge") {}

    std::string write(const std::string &name, const std::string &bytes)
    {
        std::string path = folder + name;
        EXPECT_TRUE(write_file_bytes(path, std::vector<unsigned char>(bytes.begin(), bytes.end())));
        return path;
    }
};

TEST_F(ContainerJudge, ReportsItsIdentity)
{
    judge_library_info info;
    std::memset(&info, 0xAB, sizeof info);
    ASSERT_EQ(entry(nullptr, &info), 1);
    EXPECT_EQ(info.library_id, CONTAINER_JUDGE_ID);
    EXPECT_EQ(info.zero, 0);
    EXPECT_EQ(info.zero_tail, 0);
}

TEST_F(ContainerJudge, KindsOfTheRealSamples)
{
    const struct {
        const char *sample;
        uint32_t kind;
    } cases[] = {
        {"docx_pandoc", 0x4101},    {"xlsx_gnumeric", 0x4102}, {"pptx_pandoc", 0x4103}, {"odt_pandoc", 0x4111},
        {"ods_gnumeric", 0x4112},   {"epub_pandoc", 0x4121},   {"jar_executable", 0x4131}, {"apk_aapt", 0x4132},
        {"zip_deflate", 0x4001},    {"zip_stored", 0x4001},    {"xls_biff8", 0x4202},   {"msi_wixl", 0x4204},
        {"wmv_wmv2", 0x4301},       {"asf_msmpeg4", 0x4301},   {"wma_wmav2", 0x4302},   {"exe_win32_console", 0x4401},
        {"exe_win64_console", 0x4401}, {"dll_win32", 0x4402},  {"dll_win64", 0x4402},   {"png_rgb", 1},
        {"txt_ascii", 1},
    };
    for (const auto &c : cases) {
        std::string path = std::string(QUODRA_SOURCE_DIR) + "/tests/samples/" + c.sample;
        if (!file_exists(path)) continue;  // the sample set may lack one; the others still count
        EXPECT_EQ(judge(path), c.kind) << c.sample;
    }
}

TEST_F(ContainerJudge, DeclinesAHeaderOfAnotherLibraryAndKeepsOffWhenSwitchedOff)
{
    std::string path = write("zip", "PK\x05\x06"s + std::string(18, '\0'));
    int32_t returned = -1;
    EXPECT_EQ(judge(path, 40001, 1, &returned), 0u);
    EXPECT_EQ(returned, 0);
    EXPECT_EQ(judge(path, CONTAINER_JUDGE_ID, 0, &returned), 0u);
    EXPECT_EQ(returned, 1);
    EXPECT_EQ(judge(folder + "missing", CONTAINER_JUDGE_ID, 1, &returned), 0u);
    EXPECT_EQ(returned, 0);
}

// A stored ZIP written here: one member per name, a central directory and its end record.
std::string zip_of(const std::vector<std::pair<std::string, std::string>> &members)
{
    auto u16 = [](uint32_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; };
    auto u32 = [&](uint32_t v) { return u16(v & 0xFFFF) + u16(v >> 16); };
    std::string local, central;
    for (const auto &m : members) {
        uint32_t offset = static_cast<uint32_t>(local.size());
        std::string sizes = u32(0) + u32(static_cast<uint32_t>(m.second.size())) + u32(static_cast<uint32_t>(m.second.size()));
        local += "PK\x03\x04"s + u16(20) + u16(0) + u16(0) + u32(0) + sizes + u16(static_cast<uint32_t>(m.first.size())) +
                 u16(0) + m.first + m.second;
        central += "PK\x01\x02"s + u16(20) + u16(20) + u16(0) + u16(0) + u32(0) + sizes +
                   u16(static_cast<uint32_t>(m.first.size())) + u16(0) + u16(0) + u16(0) + u16(0) + u32(0) + u32(offset) +
                   m.first;
    }
    std::string end = "PK\x05\x06"s + u16(0) + u16(0) + u16(static_cast<uint32_t>(members.size())) +
                      u16(static_cast<uint32_t>(members.size())) + u32(static_cast<uint32_t>(central.size())) +
                      u32(static_cast<uint32_t>(local.size())) + u16(0);
    return local + central + end;
}

TEST_F(ContainerJudge, ZipKindsByMemberNames)
{
    const struct {
        std::vector<std::pair<std::string, std::string>> members;
        uint32_t kind;
    } cases[] = {
        {{{"mimetype", "application/vnd.oasis.opendocument.presentation"}, {"content.xml", "<x/>"}}, 0x4113},
        {{{"mimetype", "application/vnd.oasis.opendocument.graphics"}}, 0x4114},
        {{{"docProps/app.xml", "x"}, {"[Content_Types].xml", "x"}, {"xl/workbook.xml", "x"}}, 0x4102},
        {{{"META-INF/MANIFEST.MF", "Manifest-Version: 1.0"}}, 0x4131},
        {{{"a/B.class", "x"}}, 0x4131},
        {{{"classes.dex", "x"}, {"AndroidManifest.xml", "x"}, {"META-INF/MANIFEST.MF", "x"}}, 0x4132},
        {{{"mimetype", "text/plain"}, {"word/document.xml", "x"}}, 0x4001},
        {{{"readme.txt", "hello"}}, 0x4001},
    };
    int n = 0;
    for (const auto &c : cases) EXPECT_EQ(judge(write("zip" + std::to_string(n++), zip_of(c.members))), c.kind) << n;
}

// Truncated and hostile containers end in a plain answer, never in a crash or a read outside the file.
TEST_F(ContainerJudge, TruncatedAndHostileContainers)
{
    std::string ole_magic = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"s;
    std::string ole_header = ole_magic + std::string(22, '\0') + "\x09\x00"s + std::string(12, '\0');
    // One FAT sector (sector 0) whose first entry points at itself; the directory starts in sector 0 too.
    std::string ole_loop = ole_header + "\x01\0\0\0"s + "\0\0\0\0"s + std::string(24, '\0') + std::string(4, '\0');
    ole_loop.resize(512, '\xFF');
    std::string fat_sector(512, '\0');
    ole_loop += fat_sector;
    std::string zip_end_far = "PK\x03\x04"s + std::string(26, '\0') + "PK\x05\x06"s + std::string(8, '\0') +
                              "\xFF\xFF\xFF\x00"s + "\xF0\xFF\xFF\xFF"s + std::string(2, '\0');
    std::string asf = "\x30\x26\xB2\x75\x8E\x66\xCF\x11\xA6\xD9\x00\xAA\x00\x62\xCE\x6C"s + std::string(8, '\0') +
                      "\xFF\xFF\xFF\x7F"s + std::string(2, '\0') + std::string(16, '\x11') + "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s;
    std::string pe_far = "MZ"s + std::string(58, '\0') + "\xFF\xFF\xFF\x7F"s + std::string(64, '\0');
    const struct {
        const char *name;
        std::string bytes;
        uint32_t kind;
    } cases[] = {
        {"empty", "", 1},
        {"zip_only_magic", "PK\x03\x04"s, 1},
        {"zip_end_points_past_the_file", zip_end_far, 0x4001},
        {"ole_only_magic", ole_magic, 0x4200},
        {"ole_bad_sector_shift", ole_magic + std::string(600, '\x07'), 0x4200},
        {"ole_chain_loops", ole_loop, 0x4200},
        {"asf_huge_objects", asf, 1},
        {"pe_header_past_the_file", pe_far, 1},
        {"mz_only", "MZ"s, 1},
    };
    for (const auto &c : cases) EXPECT_EQ(judge(write(c.name, c.bytes)), c.kind) << c.name;
}

}  // namespace
