// The request text the command-line run builds from the ARCHIVE settings: pairs in their order, the quoted
// folder, the 100-byte setting buffers, and a request too long for its buffer refused whole.
#include "app_config.h"
#include "archive_extract.h"
#include "archive_test_support.h"
#include "extraction_request.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <cstring>
#include <string>

namespace {

// The settings file of one test; null values leave a key out.
class ExtractionRequest : public ArchiveTest {
protected:
    void SetUp() override
    {
        ArchiveTest::SetUp();
        saved = g_app_config;
        ini = root + "quodra.ini";
        copy_ini_path(ini);
    }
    void TearDown() override
    {
        g_app_config = saved;
        ArchiveTest::TearDown();
    }
    void copy_ini_path(const std::string &path)
    {
        std::memset(g_app_config.ini_path, 0, sizeof g_app_config.ini_path);
        std::memcpy(g_app_config.ini_path, path.c_str(), path.size());
    }
    void settings(const char *opendir, const char *createdir, const char *extdir, const char *extdirpath)
    {
        DeleteFileA(ini.c_str());
        const char *keys[] = {"opendir", "createdir", "extdir", "extdirpath"};
        const char *values[] = {opendir, createdir, extdir, extdirpath};
        for (int i = 0; i < 4; i++) {
            if (values[i] != nullptr) WritePrivateProfileStringA("ARCHIVE", keys[i], values[i], ini.c_str());
        }
    }
    std::string build(const std::string &long_path, int *built = nullptr)
    {
        char out[260];
        std::memset(out, 'x', sizeof out);
        int result = build_extraction_request(long_path.c_str(), out, sizeof out);
        if (built != nullptr) *built = result;
        return out;
    }

    app_config saved;
    std::string ini;
};

struct request_case {
    const char *opendir;
    const char *createdir;
    const char *extdir;
    const char *extdirpath;
    const char *options;  // what follows the path
};

const request_case request_cases[] = {
    // The first-run settings.
    {"0", "1", "2", "C:\\Desk\\", " -c -a"},
    {"1", "1", "1", "C:\\Desk\\", " -o -c -d"},
    {"1", "0", "2", "", " -o -a"},
    {"0", "0", "0", "D:\\out dir\\", " \"D:\\out dir\\\""},
    {"0", "0", "0", "", " \"\""},
    {"0", "0", "3", "D:\\x\\", " \"D:\\x\\\""},
    {"0", "0", "garbage", "D:\\x\\", " \"D:\\x\\\""},
    {"0", "0", "2nd", "D:\\x\\", " -a"},
    {"2", "yes", "01", "", " -d"},
    // Missing keys read as empty, which converts to 0.
    {nullptr, nullptr, nullptr, nullptr, " \"\""},
    {nullptr, "1", nullptr, "E:\\e\\", " -c \"E:\\e\\\""},
};

}  // namespace

TEST_F(ExtractionRequest, PairsFollowThePathInTheirOrder)
{
    for (const request_case &c : request_cases) {
        SCOPED_TRACE(c.options);
        settings(c.opendir, c.createdir, c.extdir, c.extdirpath);
        int built = 0;
        EXPECT_EQ(std::string("C:\\in\\a.zip") + c.options, build("C:\\in\\a.zip", &built));
        EXPECT_EQ(1, built);
    }
    // A path that could not be made long is empty; the pairs still follow.
    settings("0", "1", "2", "");
    EXPECT_EQ(" -c -a", build(""));
}

TEST_F(ExtractionRequest, FolderSettingIsCutTo99Bytes)
{
    std::string folder = "D:\\" + std::string(140, 'f') + "\\";
    settings("0", "0", "0", folder.c_str());
    EXPECT_EQ("C:\\a.zip \"" + folder.substr(0, 99) + "\"", build("C:\\a.zip"));
}

TEST_F(ExtractionRequest, RequestThatWouldNotFitIsRefusedWhole)
{
    settings("1", "1", "2", "");
    // 253 + " -o -c -a" = 262 characters: refused, nothing offered, nothing written past the buffer.
    struct {
        char out[260];
        char after[16];
    } buffers;
    std::memset(&buffers, 'Z', sizeof buffers);
    std::string path = "C:\\" + std::string(250, 'p');
    EXPECT_EQ(0, build_extraction_request(path.c_str(), buffers.out, sizeof buffers.out));
    EXPECT_STREQ("", buffers.out);
    EXPECT_EQ(std::string(16, 'Z'), std::string(buffers.after, sizeof buffers.after));

    // 250 + 9 = 259 characters fit; 251 + 9 do not.
    int built = 0;
    std::string fits = "C:\\" + std::string(247, 'p');
    EXPECT_EQ(fits + " -o -c -a", build(fits, &built));
    EXPECT_EQ(1, built);
    EXPECT_EQ("", build(fits + "p", &built));
    EXPECT_EQ(0, built);

    // The quoted folder counts too: the closing quote must fit.
    settings("0", "0", "0", "D:\\out\\");
    std::string closest = "C:\\" + std::string(259 - 3 - 10, 'q');
    EXPECT_EQ(closest + " \"D:\\out\\\"", build(closest, &built));
    EXPECT_EQ(1, built);
    EXPECT_EQ("", build(closest + "q", &built));
    EXPECT_EQ(0, built);
    EXPECT_EQ(0, build_extraction_request("C:\\a.zip", nullptr, 0));
}

TEST_F(ExtractionRequest, BuiltRequestExtractsAsTheSettingsSay)
{
    install({"unzip32.dll"});
    std::string archive = write_sample("dropped.2024.zip", ARCHIVE_ZIP);
    settings("0", "1", "0", out.c_str());
    char request[260];
    ASSERT_EQ(1, build_extraction_request(archive.c_str(), request, sizeof request));
    EXPECT_EQ(1, run_extraction(nullptr, request).result);
    EXPECT_TRUE(file_exists(out + "dropped.2024\\standin-unzip32.dll.txt"));
    settings("0", "0", "2", "");
    ASSERT_EQ(1, build_extraction_request(archive.c_str(), request, sizeof request));
    EXPECT_EQ(1, run_extraction(nullptr, request).result);
    EXPECT_TRUE(file_exists(in + "standin-unzip32.dll.txt"));
}
