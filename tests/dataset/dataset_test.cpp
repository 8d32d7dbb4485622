// The bundled dataset vlm_gene_036 as the build leaves it beside the program: read through the engine's own
// loaders, and run by identify_file against files made here, for the types the real samples do not cover.
#include "app_config.h"
#include "dataset_index.h"
#include "definition_records.h"
#include "engine_records.h"
#include "identify.h"
#include "plugin_loader.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

using namespace std::string_literals;

namespace {

const uint16_t VIDEO_JUDGE_ID = 40001;
const uint16_t CONTAINER_JUDGE_ID = 40002;
const uint16_t TEXT_JUDGE_ID = 40003;

std::string dataset_folder()
{
    return test_program_folder() + "vlm_gene_036\\";
}

void use_bundled_dataset()
{
    std::string folder = dataset_folder();
    std::snprintf(g_app_config.key_path, PATH_SIZE, "%svlm_gene_036.key", folder.c_str());
    std::snprintf(g_app_config.dat_path, PATH_SIZE, "%svlm_gene_036.dat", folder.c_str());
    std::snprintf(g_app_config.plugin_folder, PATH_SIZE, "%splug-in\\", folder.c_str());
    std::snprintf(g_app_config.addin_folder, PATH_SIZE, "%sadd-in\\", folder.c_str());
}

std::vector<dataset_record> run_list()
{
    std::vector<dataset_record> records;
    dataset_record record;
    std::string path = dataset_folder() + "vlm_gene_036.dat";
    for (int n = 0; read_dataset_record(nullptr, path.c_str(), &record, n); n++) records.push_back(record);
    return records;
}

std::map<uint16_t, plugin_header> definitions_of(const std::vector<dataset_record> &records)
{
    std::map<uint16_t, plugin_header> headers;
    std::string folder = dataset_folder() + "plug-in\\";
    for (const dataset_record &r : records) {
        if (headers.count(r.definition_id)) continue;
        char path[PATH_SIZE];
        int entry = 0;
        plugin_header header = {};
        if (find_definition_by_id(nullptr, folder.c_str(), r.definition_id, path, sizeof path, &entry) &&
            read_plugin_header(nullptr, path, &header, entry, entry > 0 ? 1 : 0))
            headers[r.definition_id] = header;
    }
    return headers;
}

TEST(BundledDataset, EveryRecordNamesADefinitionOfTheDictionary)
{
    std::vector<dataset_record> records = run_list();
    ASSERT_GT(records.size(), 200u);
    std::map<uint16_t, plugin_header> headers = definitions_of(records);
    for (const dataset_record &r : records) {
        ASSERT_TRUE(headers.count(r.definition_id)) << "definition " << r.definition_id << " is not in plug-in\\";
        EXPECT_EQ(headers[r.definition_id].definition_id, r.definition_id);
        // A zero expectation would match every file whose judgement failed.
        EXPECT_FALSE(r.expect_a == 0 && r.expect_b == 0) << "record of definition " << r.definition_id;
    }
}

TEST(BundledDataset, RecordsOfOneDefinitionAreConsecutive)
{
    std::vector<dataset_record> records = run_list();
    std::set<uint16_t> finished;
    for (size_t i = 1; i < records.size(); i++) {
        if (records[i].definition_id == records[i - 1].definition_id) continue;
        finished.insert(records[i - 1].definition_id);
        EXPECT_FALSE(finished.count(records[i].definition_id)) << "record " << i;
    }
}

TEST(BundledDataset, EveryCandidateHasAnUpperCaseExtensionOfAtMostFiveCharacters)
{
    std::string key_path = dataset_folder() + "vlm_gene_036.key";
    std::set<std::string> extensions;
    for (const dataset_record &r : run_list()) {
        key_record key;
        ASSERT_TRUE(find_key_record(key_path.c_str(), r.key_id, &key)) << "key " << r.key_id;
        size_t length = std::strlen(key.extension);
        EXPECT_GE(length, 1u);
        EXPECT_LE(length, 5u);
        for (size_t i = 0; i < length; i++)
            EXPECT_TRUE((key.extension[i] >= 'A' && key.extension[i] <= 'Z') || (key.extension[i] >= '0' && key.extension[i] <= '9'))
                << key.extension;
        EXPECT_GT(std::strlen(key.comment), 0u) << key.extension;
        extensions.insert(key.extension);
    }
    EXPECT_GE(extensions.size(), 120u);
}

// Every row of judgext's codec table is in the run list, on a definition served by judgext, with a comment
// of its own.
TEST(BundledDataset, EveryVideoCodecOfJudgextHasItsOwnComment)
{
    const uint32_t codes[] = {0x9211, 0x9212, 0x9213, 0x9214, 0x9215, 0x9216, 0x9217, 0x9218, 0x9219, 0x9220,
                              0x9221, 0x9222, 0x9223, 0x9224, 0x9225, 0x9226, 0x9227, 0x9228, 0x9229, 0x922A};
    std::vector<dataset_record> records = run_list();
    std::map<uint16_t, plugin_header> headers = definitions_of(records);
    std::string key_path = dataset_folder() + "vlm_gene_036.key";
    std::set<std::string> comments;
    for (uint32_t code : codes) {
        int found = 0;
        for (const dataset_record &r : records) {
            const plugin_header &h = headers[r.definition_id];
            if (h.judge_library_id != VIDEO_JUDGE_ID || r.expect_a != 0 || r.expect_b != code) continue;
            EXPECT_EQ(h.flags & (DEFINITION_FLAG_JUDGE_LIBRARY | DEFINITION_FLAG_JUDGE_ALLOWED | DEFINITION_FLAG_SIGNATURE),
                      DEFINITION_FLAG_JUDGE_LIBRARY | DEFINITION_FLAG_JUDGE_ALLOWED);
            EXPECT_EQ(h.option_mode, 1);
            key_record key;
            ASSERT_TRUE(find_key_record(key_path.c_str(), r.key_id, &key));
            EXPECT_STREQ(key.extension, "AVI");
            comments.insert(key.comment);
            found = 1;
        }
        EXPECT_TRUE(found) << std::hex << code;
    }
    EXPECT_EQ(comments.size(), 20u);
}

TEST(BundledDataset, EveryJudgeLibraryIsInTheAddinFolder)
{
    EXPECT_TRUE(file_exists(dataset_folder() + "add-in\\judgext.dll"));
    EXPECT_TRUE(file_exists(dataset_folder() + "add-in\\judgext_containers.dll"));
    EXPECT_TRUE(file_exists(dataset_folder() + "add-in\\judgext_text.dll"));
    std::map<uint16_t, plugin_header> headers = definitions_of(run_list());
    std::set<uint16_t> libraries;
    for (const auto &h : headers)
        if (h.second.flags & DEFINITION_FLAG_JUDGE_LIBRARY) libraries.insert(h.second.judge_library_id);
    EXPECT_EQ(libraries, (std::set<uint16_t>{VIDEO_JUDGE_ID, CONTAINER_JUDGE_ID, TEXT_JUDGE_ID}));
}

// A file of size bytes, zero but for the given texts at their offsets.
std::vector<unsigned char> file_with(size_t size, const std::vector<std::pair<size_t, std::string>> &parts)
{
    std::vector<unsigned char> bytes(size, 0);
    for (const auto &part : parts)
        for (size_t i = 0; i < part.second.size() && part.first + i < size; i++)
            bytes[part.first + i] = static_cast<unsigned char>(part.second[i]);
    return bytes;
}

std::vector<unsigned char> text_file(const std::string &text)
{
    return std::vector<unsigned char>(text.begin(), text.end());
}

struct crafted_case {
    const char *name;
    std::vector<unsigned char> bytes;
    const char *extension;     // the first candidate's
    const char *comment_part;  // a part of its comment, or ""
};

std::vector<crafted_case> crafted_cases()
{
    return {
        {"gca", file_with(64, {{0, "GCAX"}}), "GCA", ""},
        {"yz1", file_with(64, {{0, "yz01"}}), "YZ1", ""},
        {"lzh", file_with(64, {{0, "\x1f\x2a"}, {2, "-lh5-"}}), "LZH", ""},
        {"ace", file_with(64, {{7, "**ACE**"}}), "ACE", ""},
        {"arj", file_with(64, {{0, "\x60\xea\x29\x00"s}}), "ARJ", ""},
        {"rar5", file_with(64, {{0, "Rar!\x1a\x07\x01\x00"s}}), "RAR", ""},
        {"mag", file_with(64, {{0, "MAKI02  "}}), "MAG", ""},
        {"xm", file_with(80, {{0, "Extended Module: song"}}), "XM", ""},
        {"mod", file_with(1200, {{0, "song"}, {1080, "M.K."}}), "MOD", ""},
        {"s3m", file_with(96, {{0, "song"}, {44, "SCRM"}}), "S3M", ""},
        {"mobi", file_with(96, {{0, "book"}, {60, "BOOKMOBI"}}), "MOBI", ""},
        {"emf", file_with(96, {{0, "\x01"}, {40, " EMF"}}), "EMF", ""},
        {"tar", file_with(1024, {{0, "a.txt"}, {257, "ustar"}}), "TAR", ""},
        {"iso", file_with(34816, {{32768, "\x01" "CD001"}}), "ISO", ""},
        {"avi_xvid", file_with(256, {{0, "RIFF"}, {8, "AVI LIST"}, {108, "vidsXVID"}, {188, "XVID"}}), "AVI", "Xvid"},
        {"avi_divx5", file_with(256, {{0, "RIFF"}, {8, "AVI LIST"}, {108, "vidsdivx"}, {188, "DX50"}}), "AVI", "DivX 5"},
        {"avi_unknown_codec", file_with(256, {{0, "RIFF"}, {8, "AVI LIST"}, {108, "vidsHFYU"}}), "AVI", "AVI動画"},
        {"json", text_file("{\n  \"name\": \"quodra\"\n}\n"), "JSON", ""},
        {"vcard", text_file("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Taro\r\nEND:VCARD\r\n"), "VCF", ""},
        {"php", text_file("<?php\necho 'hello';\n"), "PHP", ""},
        {"tex", text_file("\\documentclass{article}\n\\begin{document}\nhello\n\\end{document}\n"), "TEX", ""},
        {"srt", text_file("1\n00:00:01,000 --> 00:00:02,000\nhello\n"), "SRT", ""},
        {"euc_jp", text_file("\xa4\xb3\xa4\xec\xa4\xcf\xa5\xc6\xa5\xb9\xa5\xc8\xa4\xc7\xa4\xb9\xa1\xa3\n"), "TXT", "EUC-JP"},
        {"shift_jis", text_file("\x82\xb1\x82\xea\x82\xcd\x83\x65\x83\x58\x83\x67\x82\xc5\x82\xb7\x81\x42\n"), "TXT", "Shift_JIS"},
        {"utf16", file_with(12, {{0, "\xff\xfe" "a"}, {4, "b"}}), "TXT", "UTF-16"},
        {"node_script", text_file("#!/usr/bin/env node\nconsole.log(1)\n"), "JS", ""},
        {"amr_not_script", file_with(32, {{0, "#!AMR\n"}}), "AMR", ""},
        {"voc", file_with(64, {{0, "Creative Voice File\x1a"}}), "VOC", ""},
        // A licence that opens with the same word is a text.
        {"creative_commons", text_file("Creative Commons Legal Code\n\nCC0 1.0 Universal\n\n    CREATIVE COMMONS "
                                       "CORPORATION IS NOT A LAW FIRM AND DOES NOT PROVIDE\n"),
         "TXT", ""},
    };
}

class CraftedFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = make_test_folder("dataset_crafted");
        use_bundled_dataset();
    }
    void TearDown() override { remove_folder_tree(folder); }
    std::string folder;
};

TEST_F(CraftedFiles, EachIsIdentifiedAsItsType)
{
    for (const crafted_case &c : crafted_cases()) {
        std::string path = folder + c.name;
        ASSERT_TRUE(write_file_bytes(path, c.bytes));
        ASSERT_EQ(identify_file(nullptr, path.c_str(), 1), 1);
        EXPECT_STREQ(g_identification_result.first_extension, c.extension) << c.name;
        EXPECT_NE(std::strstr(g_identification_result.first_comment, c.comment_part), nullptr)
            << c.name << ": " << g_identification_result.first_comment;
    }
}

// The AVI files made by ffmpeg for judgext's tests, one per codec: each gets its codec's comment through
// judgext and the dataset, and the codecs outside judgext's table get the plain AVI comment.
TEST_F(CraftedFiles, FfmpegAviFilesGetTheirCodecsComment)
{
    const struct {
        const char *file;
        const char *comment;
    } cases[] = {
        {"cinepak_cvid.avi", "AVI動画(Cinepak)"},
        {"msvideo1_msvc.avi", "AVI動画(Microsoft Video 1)"},
        {"msvideo1_cram.avi", "AVI動画"},
        {"msmpeg4v2_mp42.avi", "AVI動画(Microsoft MPEG-4 V2)"},
        {"msmpeg4_mp43.avi", "AVI動画(Microsoft MPEG-4 V3)"},
        {"msmpeg4_div3.avi", "AVI動画(DivX 3 Low-Motion)"},
        {"mpeg4_divx_upper.avi", "AVI動画(DivX 4)"},
        {"mpeg4_divx_lower.avi", "AVI動画(DivX 4)"},
        {"mpeg4_divx_dx50.avi", "AVI動画(DivX 5)"},
        {"mpeg4_dx50.avi", "AVI動画"},
        {"mpeg4_fmp4.avi", "AVI動画"},
        {"libxvid_xvid.avi", "AVI動画(Xvid)"},
        {"mpeg4_xvid_upper.avi", "AVI動画(Xvid)"},
        {"mpeg4_xvid_lower.avi", "AVI動画(Xvid)"},
        {"mjpeg_mjpg.avi", "AVI動画(Motion JPEG)"},
        {"rawvideo_i420.avi", "AVI動画(非圧縮YUV 4:2:0 I420)"},
        {"rawvideo_rgb.avi", "AVI動画"},
        {"asv1_asv1.avi", "AVI動画(ASUS Video 1)"},
        {"y41p_y41p.avi", "AVI動画(Brooktree YUV 4:1:1 Y41P)"},
        {"huffyuv_hfyu.avi", "AVI動画"},
        {"audio_first_mjpg.avi", "AVI動画"},
    };
    int judged = 0;
    for (const auto &c : cases) {
        std::string path = std::string(QUODRA_SOURCE_DIR) + "/tests/data/avi/" + c.file;
        if (!file_exists(path)) continue;
        judged++;
        ASSERT_EQ(identify_file(nullptr, path.c_str(), 1), 1);
        EXPECT_STREQ(g_identification_result.first_extension, "AVI") << c.file;
        EXPECT_STREQ(g_identification_result.first_comment, c.comment) << c.file;
    }
    EXPECT_GT(judged, 10);
}

// A file that nothing describes gets no candidate at all: zero bytes fold to nothing and hold no term.
TEST_F(CraftedFiles, ZeroBytesGetNoCandidate)
{
    std::string path = folder + "zeros";
    ASSERT_TRUE(write_file_bytes(path, std::vector<unsigned char>(4096, 0)));
    ASSERT_EQ(identify_file(nullptr, path.c_str(), 1), 1);
    EXPECT_STREQ(g_identification_result.first_extension, "???");
}

// A binary file whose first bytes hold a blank is offered as text only below every real type's score.
TEST_F(CraftedFiles, PlainTextScoresBelowEveryMagicNumber)
{
    std::string path = folder + "text_then_binary";
    ASSERT_TRUE(write_file_bytes(path, file_with(64, {{0, "BM some header"}, {20, "\x01\x02\x03"}})));
    ASSERT_EQ(identify_file(nullptr, path.c_str(), 1), 1);
    EXPECT_STREQ(g_identification_result.first_extension, "BMP");
    EXPECT_STREQ(g_identification_result.second_extension, "TXT");
    EXPECT_LT(g_identification_result.second_score, 50.0f);
}

// The extension the file already carries lifts its own type a little, never to a verdict.
TEST_F(CraftedFiles, OwnExtensionLiftsButNeverDecides)
{
    std::string plain = folder + "ole", named = folder + "ole.xls";
    std::vector<unsigned char> ole = file_with(512, {{0, "\xd0\xcf\x11\xe0\xa1\xb1\x1a\xe1"}});
    ASSERT_TRUE(write_file_bytes(plain, ole));
    ASSERT_TRUE(write_file_bytes(named, ole));
    ASSERT_EQ(identify_file(nullptr, plain.c_str(), 1), 1);
    EXPECT_STREQ(g_identification_result.first_extension, "DOC");
    float unnamed_score = g_identification_result.first_score;
    ASSERT_EQ(identify_file(nullptr, named.c_str(), 1), 1);
    EXPECT_STREQ(g_identification_result.first_extension, "XLS");
    EXPECT_LT(g_identification_result.first_score, 100.0f);
    EXPECT_GT(g_identification_result.first_score, unnamed_score);
}

}  // namespace
