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
        {"txt_ascii", 1},           {"doc_libreoffice", 0x4201}, {"ott_libreoffice", 0x4140},
        {"odp_libreoffice", 0x4113}, {"sxw_libreoffice", 0x4150}, {"kra_krita", 0x4168},
        {"ora_krita", 0x4170},    {"odt_libreoffice", 0x4111}, {"xls_libreoffice", 0x4202},
        {"hwp_hangul5", 0x4206},  {"odb_libreoffice_biblio", 0x4149}, {"sxc_calc", 0x4153},
        {"kwd_kword", 0x4160},
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

// A stored ZIP written here: one member per name, a central directory and its end record. The member named
// deflated is marked compressed in the directory, and in its local header too when local_too is set (its
// bytes stay as given: the judge never unpacks). Every local header carries local_extra as its extra field.
std::string zip_of(const std::vector<std::pair<std::string, std::string>> &members, const std::string &deflated = "",
                   bool local_too = false, const std::string &local_extra = "")
{
    auto u16 = [](uint32_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; };
    auto u32 = [&](uint32_t v) { return u16(v & 0xFFFF) + u16(v >> 16); };
    std::string local, central;
    for (const auto &m : members) {
        uint32_t offset = static_cast<uint32_t>(local.size());
        std::string sizes = u32(0) + u32(static_cast<uint32_t>(m.second.size())) + u32(static_cast<uint32_t>(m.second.size()));
        uint32_t method = m.first == deflated ? 8 : 0;
        local += "PK\x03\x04"s + u16(20) + u16(0) + u16(local_too ? method : 0) + u32(0) + sizes +
                 u16(static_cast<uint32_t>(m.first.size())) + u16(static_cast<uint32_t>(local_extra.size())) + m.first +
                 local_extra + m.second;
        central += "PK\x01\x02"s + u16(20) + u16(20) + u16(0) + u16(method) + u32(0) + sizes +
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
        {{{"mimetype", "application/vnd.oasis.opendocument.text-"}}, 0x4001},
        {{{"mimetype", "application/x-kwordx"}}, 0x4001},
        {{{"readme.txt", "hello"}}, 0x4001},
    };
    int n = 0;
    for (const auto &c : cases) EXPECT_EQ(judge(write("zip" + std::to_string(n++), zip_of(c.members))), c.kind) << n;
}

// Every kind a "mimetype" member names, with the other members a writer puts after it.
TEST_F(ContainerJudge, ZipKindsByMimetypeMember)
{
    const struct {
        const char *mime;
        uint32_t kind;
    } cases[] = {
        {"application/vnd.oasis.opendocument.text", 0x4111},
        {"application/vnd.oasis.opendocument.spreadsheet", 0x4112},
        {"application/vnd.oasis.opendocument.formula", 0x4115},
        {"application/vnd.oasis.opendocument.text-template", 0x4140},
        {"application/vnd.oasis.opendocument.text-web", 0x4141},
        {"application/vnd.oasis.opendocument.text-master", 0x4142},
        {"application/vnd.oasis.opendocument.graphics-template", 0x4143},
        {"application/vnd.oasis.opendocument.presentation-template", 0x4144},
        {"application/vnd.oasis.opendocument.spreadsheet-template", 0x4145},
        {"application/vnd.oasis.opendocument.chart", 0x4146},
        {"application/vnd.oasis.opendocument.chart-template", 0x4147},
        {"application/vnd.oasis.opendocument.formula-template", 0x4148},
        {"application/vnd.oasis.opendocument.base", 0x4149},
        {"application/vnd.oasis.opendocument.image", 0x414A},
        {"application/vnd.sun.xml.writer", 0x4150},
        {"application/vnd.sun.xml.writer.template", 0x4151},
        {"application/vnd.sun.xml.writer.global", 0x4152},
        {"application/vnd.sun.xml.calc", 0x4153},
        {"application/vnd.sun.xml.calc.template", 0x4154},
        {"application/vnd.sun.xml.draw", 0x4155},
        {"application/vnd.sun.xml.draw.template", 0x4156},
        {"application/vnd.sun.xml.impress", 0x4157},
        {"application/vnd.sun.xml.impress.template", 0x4158},
        {"application/vnd.sun.xml.math", 0x4159},
        {"application/x-kword", 0x4160},
        {"application/x-kspread", 0x4161},
        {"application/x-kpresenter", 0x4162},
        {"application/x-kchart", 0x4163},
        {"application/x-kformula", 0x4164},
        {"application/x-kivio", 0x4165},
        {"application/x-kontour", 0x4166},
        {"application/x-karbon", 0x4001},
        {"application/x-krita", 0x4168},
        {"image/openraster", 0x4170},
        {"application/epub+zip", 0x4121},
    };
    int n = 0;
    for (const auto &c : cases) {
        std::string zip = zip_of({{"mimetype", c.mime}, {"content.xml", "<x/>"}, {"META-INF/manifest.xml", "<m/>"}});
        EXPECT_EQ(judge(write("mime" + std::to_string(n++), zip)), c.kind) << c.mime;
    }
}

// The stored "mimetype" member first in the file counts even when the directory lists it compressed (as a
// repacked file may); a compressed one, or one that is not first and not stored in the directory, does not.
TEST_F(ContainerJudge, MimetypeMemberStoredOrFirst)
{
    const std::pair<std::string, std::string> krita = {"mimetype", "application/x-krita"};
    const std::pair<std::string, std::string> content = {"maindoc.xml", "<DOC/>"};
    // Placeholders where the first local header's checksum and sizes belong; the directory has the sizes.
    std::string placeholders = zip_of({krita, content}, "mimetype");
    placeholders.replace(14, 12, "CRCqCSIZUSIZ");
    // A directory entry for a mimetype member that lies past the file's end, or claims a size larger than it.
    std::string far_away = zip_of({content, krita}), huge = zip_of({content, krita});
    size_t second_entry = far_away.rfind("PK\x01\x02"s);
    far_away.replace(second_entry + 42, 4, "\xF0\xFF\xFF\x7F"s);
    huge.replace(second_entry + 20, 8, "\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF"s);
    const struct {
        const char *name;
        std::string zip;
        uint32_t kind;
    } cases[] = {
        {"stored_first", zip_of({krita, content}), 0x4168},
        {"stored_later", zip_of({content, krita}), 0x4168},
        {"directory_says_deflated", zip_of({krita, content}, "mimetype"), 0x4168},
        {"local_sizes_are_placeholders", placeholders, 0x4168},
        {"extra_field_before_the_text", zip_of({krita, content}, "", false, "UT\x05\x00\x01\x00\x00\x00\x00"s), 0x4168},
        {"extra_field_and_directory_deflated", zip_of({krita, content}, "mimetype", false, "UT\x05\x00\x01\x00\x00\x00\x00"s),
         0x4168},
        {"deflated_first", zip_of({krita, content}, "mimetype", true), 0x4001},
        {"deflated_later", zip_of({content, krita}, "mimetype"), 0x4001},
        {"mimetype_past_the_end", far_away, 0x4001},
        {"mimetype_larger_than_the_file", huge, 0x4001},
        {"first_member_other_name", zip_of({{"mimetypes", "application/x-krita"}, content}), 0x4001},
    };
    for (const auto &c : cases) EXPECT_EQ(judge(write(c.name, c.zip)), c.kind) << c.name;
}

// A compound file written here: a header, one FAT sector (sector 0) and one directory sector (sector 1)
// holding the root and one empty stream or storage per name, chained as right siblings.
std::string ole_of(const std::vector<std::pair<std::string, int>> &entries)
{
    auto u16 = [](uint32_t v) { return std::string{static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)}; };
    auto u32 = [&](uint32_t v) { return u16(v & 0xFFFF) + u16(v >> 16); };
    const uint32_t none = 0xFFFFFFFF, end_of_chain = 0xFFFFFFFE;
    std::string header = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1"s + std::string(16, '\0') + u16(0x3E) + u16(3) + u16(0xFFFE) +
                         u16(9) + u16(6) + std::string(10, '\0') + u32(1) + u32(1) + u32(0) + u32(4096) + u32(end_of_chain) +
                         u32(0) + u32(end_of_chain) + u32(0) + u32(0);
    header.resize(512, '\xFF');
    std::string fat = u32(0xFFFFFFFD) + u32(end_of_chain);
    fat.resize(512, '\xFF');
    auto entry = [&](const std::string &name, int type, uint32_t right, uint32_t child) {
        std::string e;
        for (char ch : name) e += std::string{ch, '\0'};
        e.resize(64, '\0');
        e += u16(static_cast<uint32_t>(name.size() + 1) * 2) + std::string{static_cast<char>(type), '\1'} + u32(none) +
             u32(right) + u32(child) + std::string(16 + 4 + 16, '\0') + u32(end_of_chain) + u32(0) + u32(0);
        return e;
    };
    std::string directory = entry("Root Entry", 5, none, entries.empty() ? none : 1);
    for (size_t i = 0; i < entries.size(); i++)
        directory += entry(entries[i].first, entries[i].second, i + 1 < entries.size() ? static_cast<uint32_t>(i + 2) : none, none);
    if (directory.size() > 512) return {};
    directory.resize(512, '\0');
    return header + fat + directory;
}

TEST_F(ContainerJudge, CompoundFileKindsByStreamNames)
{
    const int stream = 2, storage = 1;
    const struct {
        std::vector<std::pair<std::string, int>> entries;
        uint32_t kind;
    } cases[] = {
        {{{"FileHeader", stream}, {"DocInfo", stream}, {"BodyText", storage}}, 0x4206},
        {{{"FileHeader", stream}}, 0x4200},
        {{{"BodyText", storage}}, 0x4200},
        {{{"\x01" "CompObj", stream}, {"FileHeaders", stream}, {"BodyText", storage}}, 0x4200},
        {{{"WordDocument", stream}, {"1Table", stream}}, 0x4201},
        {{{"Workbook", stream}}, 0x4202},
        {{{"PowerPoint Document", stream}, {"Current User", stream}}, 0x4203},
        {{}, 0x4200},
    };
    int n = 0;
    for (const auto &c : cases) {
        std::string ole = ole_of(c.entries);
        ASSERT_FALSE(ole.empty());
        EXPECT_EQ(judge(write("ole" + std::to_string(n++), ole)), c.kind) << n;
    }
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
