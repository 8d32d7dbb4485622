// karvoc's parts: argument reading, result lines, the folder walk, the "-o" guard, the UTF-8 text and the
// exit codes of a whole run, against a dataset of one definition written by the project's writers; files
// named outside code page 932, made at test time.
#include "app_config.h"
#include "console_text.h"
#include "definition_writer.h"
#include "karvoc_run.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

struct argument_case {
    std::vector<std::string> words;
    int accepted;
    int tsv;
    int recursive;
    int help;
    std::vector<std::string> targets;
};

TEST(KarvocArguments, AreReadAsDocumented)
{
    const argument_case cases[] = {
        {{}, 0, 0, 0, 0, {}},
        {{"a.bin"}, 1, 0, 0, 0, {"a.bin"}},
        {{"--tsv", "-r", "a", "b"}, 1, 1, 1, 0, {"a", "b"}},
        {{"a", "--recursive"}, 1, 0, 1, 0, {"a"}},
        {{"--tsv"}, 0, 1, 0, 0, {}},
        {{"-x", "a"}, 0, 0, 0, 0, {}},
        {{"--help"}, 1, 0, 0, 1, {}},
        {{"--", "-r", "--tsv"}, 1, 0, 0, 0, {"-r", "--tsv"}},
        {{"--tsv", "--json", "a"}, 0, 0, 0, 0, {}},  // one format at a time
    };
    for (const argument_case &c : cases) {
        std::vector<char *> argv{const_cast<char *>("karvoc")};
        for (const std::string &w : c.words) argv.push_back(const_cast<char *>(w.c_str()));
        karvoc_options options;
        int accepted = parse_karvoc_arguments(static_cast<int>(argv.size()), argv.data(), &options);
        EXPECT_EQ(accepted != 0, c.accepted != 0) << c.words.size();
        if (!accepted) continue;
        EXPECT_EQ(options.tsv, c.tsv);
        EXPECT_EQ(options.recursive, c.recursive);
        EXPECT_EQ(options.help, c.help);
        EXPECT_EQ(options.targets, c.targets);
    }
}

identification_result sample_result()
{
    identification_result r = {};
    std::strcpy(r.first_extension, "PNG");
    std::strcpy(r.second_extension, "TXT");
    std::strcpy(r.third_extension, "???");
    r.first_score = 100.0f;
    r.second_score = 53.25f;
    std::strcpy(r.first_comment, "PNG画像");
    return r;
}

TEST(KarvocLines, PlainAndTabSeparated)
{
    identification_result r = sample_result();
    EXPECT_EQ(format_result_line("C:\\a\\pic", r, 0), "C:\\a\\pic: PNG (100.0) TXT (53.2) ??? (0.0) PNG画像\n");
    EXPECT_EQ(format_result_line("C:\\a\\pic", r, 1), "C:\\a\\pic\tPNG\t100.0\tTXT\t53.2\t???\t0.0\tPNG画像\n");
}

// One JSON object per line, UTF-8, with the path's backslashes, quotes and control characters escaped and
// its other characters as they are.
TEST(KarvocLines, Json)
{
    identification_result r = sample_result();
    EXPECT_EQ(format_json_line(u8"C:\\a\\\"pic\"\tソ", r),
              std::string(u8"{\"path\":\"C:\\\\a\\\\\\\"pic\\\"\\u0009ソ\",\"candidates\":[{\"extension\":\"PNG\",\"lpts\":100.0},"
                          u8"{\"extension\":\"TXT\",\"lpts\":53.2},{\"extension\":\"???\",\"lpts\":0.0}],"
                          u8"\"comment\":\"PNG画像\"}\n"));
    r.second_score = std::numeric_limits<float>::quiet_NaN();
    r.third_score = std::numeric_limits<float>::infinity();
    std::string line = format_json_line("p", r);
    EXPECT_NE(line.find("{\"extension\":\"TXT\",\"lpts\":null},{\"extension\":\"???\",\"lpts\":null}"),
              std::string::npos)
        << line;
}

TEST(KarvocText, Cp932BecomesUtf8)
{
    EXPECT_EQ(cp932_to_utf8("PNG画像"), std::string(u8"PNG画像"));
    EXPECT_EQ(cp932_to_utf8("ﾃｷｽﾄ"), std::string(u8"ﾃｷｽﾄ"));
    EXPECT_EQ(cp932_to_utf8(""), "");
}

class KarvocFolder : public ::testing::Test {
protected:
    void SetUp() override { folder = make_test_folder("karvoc"); }
    void TearDown() override { remove_folder_tree(folder); }
    std::string folder;
};

TEST_F(KarvocFolder, ListsFilesByNameAndSubfoldersOnlyWhenRecursive)
{
    ASSERT_TRUE(write_file_text(folder + "b", "x"));
    ASSERT_TRUE(write_file_text(folder + "a", "x"));
    ASSERT_TRUE(CreateDirectoryA((folder + "sub").c_str(), nullptr));
    ASSERT_TRUE(write_file_text(folder + "sub\\c", "x"));
    std::vector<std::string> flat, deep;
    ASSERT_TRUE(collect_folder_files(folder, 0, &flat));
    ASSERT_TRUE(collect_folder_files(folder, 1, &deep));
    EXPECT_EQ(flat, (std::vector<std::string>{folder + "a", folder + "b"}));
    EXPECT_EQ(deep, (std::vector<std::string>{folder + "a", folder + "b", folder + "sub\\c"}));
    std::vector<std::string> none;
    EXPECT_FALSE(collect_folder_files(folder + "missing", 0, &none));
}

// The engine cuts a target path at its first "-o"; karvoc hands it a form without one, which names the
// same file, or refuses the path.
// A folder named with forward slashes lists its files with a forward slash; one with backslashes, or none,
// with a backslash.
TEST_F(KarvocFolder, FilesOfAFolderKeepItsSeparator)
{
    ASSERT_TRUE(CreateDirectoryA((folder + "sub").c_str(), nullptr));
    ASSERT_TRUE(write_file_text(folder + "sub\\c", "x"));
    std::string forward = folder;
    for (char &c : forward)
        if (c == '\\') c = '/';
    std::vector<std::string> files;
    ASSERT_TRUE(collect_folder_files(forward + "sub", 0, &files));
    EXPECT_EQ(files, (std::vector<std::string>{forward + "sub/c"}));
    files.clear();
    ASSERT_TRUE(collect_folder_files(forward, 1, &files));
    EXPECT_EQ(files, (std::vector<std::string>{forward + "sub/c"}));
    files.clear();
    ASSERT_TRUE(collect_folder_files(folder + "sub", 0, &files));
    EXPECT_EQ(files, (std::vector<std::string>{folder + "sub\\c"}));
    // A folder whose name ends in ソ (in code page 932 its second byte is 0x5C) ends in no separator.
    ASSERT_TRUE(CreateDirectoryA((folder + "ソ").c_str(), nullptr));
    ASSERT_TRUE(write_file_text(folder + "ソ\\d", "x"));
    files.clear();
    ASSERT_TRUE(collect_folder_files(folder + u8"ソ", 0, &files));
    EXPECT_EQ(files, (std::vector<std::string>{folder + u8"ソ\\d"}));
}

TEST_F(KarvocFolder, PathWithOptionMarkIsHandedOverWithoutIt)
{
    ASSERT_TRUE(CreateDirectoryA((folder + "my-older-files").c_str(), nullptr));
    std::string path = folder + "my-older-files\\data";
    ASSERT_TRUE(write_file_text(path, "QDRA"));
    std::string engine_path;
    ASSERT_TRUE(engine_path_for(path, &engine_path));
    EXPECT_EQ(engine_path.find("-o"), std::string::npos) << engine_path;
    EXPECT_EQ(read_file_bytes(engine_path), read_file_bytes(path));
    std::string plain = folder + "plain";
    ASSERT_TRUE(engine_path_for(plain, &engine_path));
    EXPECT_EQ(engine_path, plain);
    EXPECT_FALSE(engine_path_for(std::string(300, 'a'), &engine_path));
}

// A dataset of one definition: files whose first four bytes read as signature (big-endian) are extension,
// scored 100.
void write_signature_dataset(const std::string &folder, uint32_t signature, const char *extension,
                             const char *comment);

// A dataset of one definition: the first four bytes "QDRA" make the candidate QDR, "テスト形式", scored 100.
void write_one_type_dataset(const std::string &folder)
{
    write_signature_dataset(folder, 0x51445241u, "QDR", "テスト形式");
}

void write_signature_dataset(const std::string &folder, uint32_t signature, const char *extension,
                             const char *comment)
{
    plugin_definition d;
    clear_plugin_definition(&d);
    d.header.definition_id = 7;
    d.header.flags = DEFINITION_FLAG_SIGNATURE;
    d.header.option_source = 2;
    d.with_options = 1;
    d.options.params[0] = 4;
    d.settings.enabled = 1;
    d.settings.pattern_check = 1;
    d.patterns.count = 1;
    d.patterns.key_id[0] = 1;
    d.patterns.base_score[0] = 255;
    CreateDirectoryA((folder + "plug-in").c_str(), nullptr);
    CreateDirectoryA((folder + "add-in").c_str(), nullptr);
    ASSERT_TRUE(write_definition_file(folder + "plug-in\\one.plg", make_plugin_file(d)));
    ASSERT_TRUE(write_definition_file(folder + "one.dat", make_dataset_file({{7, signature, 0, 1}})));
    std::vector<unsigned char> keys;
    ASSERT_TRUE(make_key_file({{1, extension, comment}}, &keys));
    ASSERT_TRUE(write_definition_file(folder + "one.key", keys));
    std::snprintf(g_app_config.dat_path, PATH_SIZE, "%sone.dat", folder.c_str());
    std::snprintf(g_app_config.key_path, PATH_SIZE, "%sone.key", folder.c_str());
    std::snprintf(g_app_config.plugin_folder, PATH_SIZE, "%splug-in\\", folder.c_str());
    std::snprintf(g_app_config.addin_folder, PATH_SIZE, "%sadd-in\\", folder.c_str());
}

// Runs karvoc over targets; its output (as written to a file, so UTF-8) and its exit code; err_text, when
// given, gets what it wrote to standard error.
int run_into_file(const std::string &folder, const std::vector<std::string> &targets, int tsv, std::string *out,
                  std::string *err_text = nullptr, int json = 0, int threads = 0)
{
    karvoc_options options = {};
    options.threads = threads;
    options.tsv = tsv;
    options.json = json;
    options.targets = targets;
    std::string out_path = folder + "out.txt", err_path = folder + "err.txt";
    HANDLE out_file = CreateFileA(out_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE err_file = CreateFileA(err_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    int code = run_karvoc(options, out_file, err_file);
    CloseHandle(out_file);
    CloseHandle(err_file);
    std::vector<unsigned char> bytes = read_file_bytes(out_path);
    out->assign(bytes.begin(), bytes.end());
    if (err_text != nullptr) {
        bytes = read_file_bytes(err_path);
        err_text->assign(bytes.begin(), bytes.end());
    }
    return code;
}

// A definition the dataset names but no file carries sends the lookup through every dictionary; one that
// cannot be read is reported on standard error, never among the result lines scripts read.
TEST_F(KarvocFolder, UnreadableDictionaryIsReportedOnStandardErrorOnly)
{
    write_one_type_dataset(folder);
    ASSERT_TRUE(write_definition_file(folder + "one.dat", make_dataset_file({{9, 1, 1, 1}, {7, 0x51445241u, 0, 1}})));
    ASSERT_TRUE(write_file_text(folder + "plug-in\\broken.dic", "not a dictionary"));
    ASSERT_TRUE(write_file_text(folder + "known", "QDRA and more"));
    std::string out, err;
    EXPECT_EQ(run_into_file(folder, {folder + "known"}, 1, &out, &err), KARVOC_ALL_IDENTIFIED);
    EXPECT_EQ(out, folder + "known\tQDR\t100.0\t???\t0.0\t???\t0.0\t" + std::string(u8"テスト形式") + "\n");
    EXPECT_NE(err.find("karvoc: [0]"), std::string::npos) << err;
}

identification_result known_result()
{
    identification_result r = {};
    std::strcpy(r.first_extension, "QDR");
    std::strcpy(r.second_extension, "???");
    std::strcpy(r.third_extension, "???");
    r.first_score = 100.0f;
    std::strcpy(r.first_comment, "テスト形式");
    return r;
}

TEST_F(KarvocFolder, ExitCodesAndUtf8Lines)
{
    write_one_type_dataset(folder);
    std::string files = folder + "files\\";
    ASSERT_TRUE(CreateDirectoryA(files.c_str(), nullptr));
    ASSERT_TRUE(write_file_text(files + "known", "QDRA and more"));
    ASSERT_TRUE(write_file_text(files + "unknown", "nothing known"));
    std::string out;
    EXPECT_EQ(run_into_file(folder, {files + "known"}, 1, &out), KARVOC_ALL_IDENTIFIED);
    EXPECT_EQ(out, files + "known\tQDR\t100.0\t???\t0.0\t???\t0.0\t" + std::string(u8"テスト形式") + "\n");
    EXPECT_EQ(run_into_file(folder, {files}, 0, &out), KARVOC_SOME_UNIDENTIFIED);
    EXPECT_EQ(out, files + "known: QDR (100.0) ??? (0.0) ??? (0.0) " + std::string(u8"テスト形式") + "\n" + files +
                       "unknown: ??? (0.0) ??? (0.0) ??? (0.0) None\n");
    EXPECT_EQ(run_into_file(folder, {files + "known"}, 0, &out, nullptr, 1), KARVOC_ALL_IDENTIFIED);
    EXPECT_EQ(out, format_json_line(files + "known", known_result()));
    // Many lines go out whole, in order, through the one buffered stream.
    std::vector<std::string> many(3000, files + "known");
    EXPECT_EQ(run_into_file(folder, many, 1, &out), KARVOC_ALL_IDENTIFIED);
    std::string line = files + "known\tQDR\t100.0\t???\t0.0\t???\t0.0\t" + std::string(u8"テスト形式") + "\n";
    ASSERT_EQ(out.size(), line.size() * many.size());
    EXPECT_EQ(out.substr(out.size() - line.size()), line);
    EXPECT_EQ(out.find(line + line), 0u);
    // An argument that cannot be read makes the run's code 2; the other arguments are still identified.
    EXPECT_EQ(run_into_file(folder, {files + "missing", files + "known"}, 1, &out), KARVOC_BAD_USAGE);
    EXPECT_EQ(out.compare(0, (files + "known\tQDR").size(), files + "known\tQDR"), 0) << out;
}

// The folder walk gives every name as it is (UTF-8), and so do the lines: each file is identified as itself,
// café.dat as the image it is, cafe.dat as the text beside it.
TEST_F(KarvocFolder, FilesNamedOutsideCodePage932AreIdentifiedAsThemselves)
{
    write_signature_dataset(folder, 0x89504E47u, "PNG", "PNG画像");
    std::string files = folder + "files\\";
    ASSERT_TRUE(CreateDirectoryA(files.c_str(), nullptr));
    ASSERT_TRUE(write_named_samples(files));
    std::string utf8_files = cp932_to_utf8(files);
    std::vector<std::string> listed;
    ASSERT_TRUE(collect_folder_files(utf8_files, 0, &listed));
    std::vector<std::string> expected;
    for (const named_sample &sample : NAMED_SAMPLES) expected.push_back(utf8_files + wide_to_utf8(sample.name));
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(expected, listed);

    std::string out, err;
    EXPECT_EQ(KARVOC_SOME_UNIDENTIFIED, run_into_file(folder, {utf8_files}, 1, &out, &err));
    std::string lines;
    for (const std::string &path : expected) {
        int png = read_wide_file(utf8_to_wide(path)) == png_bytes();
        lines += path + (png ? "\tPNG\t100.0\t???\t0.0\t???\t0.0\t" + std::string(u8"PNG画像")
                             : std::string("\t???\t0.0\t???\t0.0\t???\t0.0\tNone")) + "\n";
    }
    EXPECT_EQ(lines, out);
    EXPECT_EQ("", err);

    // Named one by one on the command line, the same.
    std::vector<std::string> one_by_one = {utf8_files + u8"caf\u00e9.dat", utf8_files + u8"\U0001F600"};
    EXPECT_EQ(KARVOC_ALL_IDENTIFIED, run_into_file(folder, one_by_one, 0, &out));
    EXPECT_EQ(one_by_one[0] + ": PNG (100.0) ??? (0.0) ??? (0.0) " + std::string(u8"PNG画像") + "\n" + one_by_one[1] +
                  ": PNG (100.0) ??? (0.0) ??? (0.0) " + std::string(u8"PNG画像") + "\n",
              out);
}

// A file karvoc cannot open gets no line, only a report on standard error and exit code 2; a named file that
// does not exist likewise.
TEST_F(KarvocFolder, UnopenableFilesAreReportedOnStandardErrorOnly)
{
    write_signature_dataset(folder, 0x89504E47u, "PNG", "PNG画像");
    std::string files = folder + "files\\";
    ASSERT_TRUE(CreateDirectoryA(files.c_str(), nullptr));
    std::wstring locked = wide_path(files, L"caf\u00e9.dat");
    ASSERT_TRUE(write_wide_file(locked, png_bytes()));
    ASSERT_TRUE(write_wide_file(wide_path(files, L"\u8868.png"), png_bytes()));
    HANDLE held = CreateFileW(locked.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string out, err;
    std::string utf8_files = cp932_to_utf8(files);
    EXPECT_EQ(KARVOC_BAD_USAGE, run_into_file(folder, {utf8_files, utf8_files + u8"missing \u00e9.dat"}, 1, &out, &err));
    CloseHandle(held);
    EXPECT_EQ(utf8_files + u8"\u8868.png\tPNG\t100.0\t???\t0.0\t???\t0.0\t" + std::string(u8"PNG画像") + "\n", out);
    EXPECT_NE(std::string::npos, err.find("karvoc: " + utf8_files + u8"caf\u00e9.dat: cannot be read\n")) << err;
    EXPECT_NE(std::string::npos, err.find("karvoc: " + utf8_files + u8"missing \u00e9.dat: cannot be read\n")) << err;
}

}  // namespace

namespace {

// A run that never needs the file's bytes (its one record names a definition no file carries) cannot tell
// whether the file opens: karvoc finds out itself, so a locked file is still reported and an open one listed.
TEST_F(KarvocFolder, FileNoReaderOpenedIsStillCheckedBeforeItsLine)
{
    write_one_type_dataset(folder);
    ASSERT_TRUE(write_definition_file(folder + "one.dat", make_dataset_file({{9, 1, 1, 1}})));
    ASSERT_TRUE(write_file_text(folder + "open.bin", "QDRA"));
    ASSERT_TRUE(write_file_text(folder + "held.bin", "QDRA"));
    HANDLE held = CreateFileA((folder + "held.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string out, err;
    EXPECT_EQ(KARVOC_SOME_UNIDENTIFIED, run_into_file(folder, {folder + "open.bin"}, 1, &out, &err));
    EXPECT_EQ(folder + "open.bin\t???\t0.0\t???\t0.0\t???\t0.0\tNone\n", out);
    // Named in a folder, the held file passes the argument check and reaches the identification.
    std::string files = folder + "only_held\\";
    ASSERT_TRUE(CreateDirectoryA(files.c_str(), nullptr));
    CloseHandle(held);
    ASSERT_TRUE(MoveFileA((folder + "held.bin").c_str(), (files + "held.bin").c_str()));
    held = CreateFileA((files + "held.bin").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    EXPECT_EQ(KARVOC_BAD_USAGE, run_into_file(folder, {files}, 1, &out, &err));
    CloseHandle(held);
    EXPECT_EQ("", out);
    EXPECT_NE(std::string::npos, err.find("karvoc: " + files + "held.bin: cannot be read\n")) << err;
}

}  // namespace

namespace {

// A folder's files are identified on several threads, each with a dataset snapshot of its own; the lines, the
// problems and what the engine reports for each file come out in the files' order, as with one thread.
TEST_F(KarvocFolder, ThreadsKeepTheFilesOrderAndWhatEachFileReports)
{
    write_one_type_dataset(folder);
    ASSERT_TRUE(write_definition_file(folder + "one.dat", make_dataset_file({{9, 1, 1, 1}, {7, 0x51445241u, 0, 1}})));
    ASSERT_TRUE(write_file_text(folder + "plug-in\\broken.dic", "not a dictionary"));
    std::string files = folder + "files\\";
    ASSERT_TRUE(CreateDirectoryA(files.c_str(), nullptr));
    for (int i = 10; i < 50; i++)
        ASSERT_TRUE(write_file_text(files + std::to_string(i), i % 3 == 0 ? "QDRA" : "other bytes"));
    HANDLE held = CreateFileA((files + "27").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, held);
    std::string out_one, err_one, out_three, err_three;
    int code_one = run_into_file(folder, {files}, 1, &out_one, &err_one, 0, 1);
    int code_three = run_into_file(folder, {files}, 1, &out_three, &err_three, 0, 3);
    CloseHandle(held);
    EXPECT_EQ(KARVOC_BAD_USAGE, code_one);
    EXPECT_EQ(code_one, code_three);
    EXPECT_EQ(out_one, out_three);
    EXPECT_EQ(err_one, err_three);
    EXPECT_EQ(39, std::count(out_one.begin(), out_one.end(), '\n'));
    EXPECT_NE(std::string::npos, out_one.find(files + "48\tQDR\t100.0"));
    EXPECT_NE(std::string::npos, err_one.find("karvoc: " + files + "27: cannot be read\n")) << err_one;
    EXPECT_NE(std::string::npos, err_one.find("karvoc: [0]")) << err_one;
}

}  // namespace
