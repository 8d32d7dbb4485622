// Extraction through the stand-in archivers: the exact call each kind receives, the destination rules,
// the subfolder of -c, opening the destination, the request text's limits and the messages.
#include "archive_extract.h"
#include "archive_test_support.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::string in_quotes(const std::string &folder) { return " \"" + folder + "\""; }

struct command_line_case {
    int kind;
    const char *file_name;
    const char *library;
    const char *entry;
    const char *before_archive;
    const char *between;
    const char *after_destination;
};

const command_line_case command_line_cases[] = {
    {ARCHIVE_LHA, "sample.lzh", "unlha32.dll", "Unlha", "e \"", "\" -x1m1 \"", "\""},
    {ARCHIVE_ZIP, "sample.zip", "unzip32.dll", "UnZip", "-x  \"", "\" \"", "\""},
    {ARCHIVE_CAB, "sample.cab", "cab32.dll", "Cab", "-x \"", "\" \"", "\""},
    {ARCHIVE_GCA, "sample.gca", "UnGCA32.dll", "UnGCA", "e \"", "\" -sx1 -xx1 \"", "\""},
    {ARCHIVE_YZ1, "sample.yz1", "Yz1.dll", "Yz1", "x \"", "\" \"", "\""},
    {ARCHIVE_GZIP, "sample.tgz", "tar32.dll", "Tar", "x \"", "\" \"", "\""},
};

std::string command_details(HWND owner, const std::string &command_line)
{
    return owner_text(owner) + "|" + command_line + "|output=null|size=0";
}

}  // namespace

TEST_F(ArchiveTest, CommandLineArchiversGetTheirCommandLineByteForByte)
{
    for (const command_line_case &c : command_line_cases) {
        SCOPED_TRACE(c.library);
        install({c.library});
        std::string archive = write_sample(c.file_name, c.kind);
        DeleteFileA(log_path.c_str());
        call_outcome outcome = run_extraction(owner, archive + in_quotes(out));
        EXPECT_EQ(1, outcome.result);
        EXPECT_EQ(0, outcome.boxes);
        std::string command_line = std::string(c.before_archive) + archive + c.between + out + c.after_destination;
        EXPECT_EQ(std::vector<std::string>{log_line(c.library, c.entry, command_details(owner, command_line))}, log());
        EXPECT_TRUE(file_exists(out + "standin-" + c.library + ".txt"));
        // Loaded for one extraction and released at once.
        EXPECT_EQ(nullptr, GetModuleHandleA(c.library));
    }
}

TEST_F(ArchiveTest, IshGetsShortFormsUnquoted)
{
    install({"Ish32.dll"});
    std::string archive = write_sample("ish archive with a long name.ish", ARCHIVE_ISH);
    call_outcome outcome = run_extraction(nullptr, archive + in_quotes(out));
    EXPECT_EQ(1, outcome.result);
    std::string short_archive = short_form(archive);
    std::string short_out = short_form(out);
    // Both names hold blanks, so their short forms differ from them.
    EXPECT_NE(archive, short_archive);
    EXPECT_NE(out, short_out);
    std::string command_line = "a " + short_archive + " /f=" + short_out;
    EXPECT_EQ(std::vector<std::string>{log_line("Ish32.dll", "Ish", command_details(nullptr, command_line))}, log());
    EXPECT_TRUE(file_exists(out + "standin-Ish32.dll.txt"));
}

TEST_F(ArchiveTest, IshShortFormOfTheSubfolderIsTakenAfterItExists)
{
    install({"Ish32.dll"});
    std::string archive = write_sample("long named archive.ish", ARCHIVE_ISH);
    EXPECT_EQ(1, run_extraction(nullptr, archive + " -c" + in_quotes(out)).result);
    std::string subfolder = out + "long named archive\\";
    EXPECT_TRUE(file_exists(subfolder + "standin-Ish32.dll.txt"));
    std::string command_line = "a " + short_form(archive) + " /f=" + short_form(subfolder);
    EXPECT_NE(std::string::npos, command_line.find('~'));
    EXPECT_EQ(std::vector<std::string>{log_line("Ish32.dll", "Ish", command_details(nullptr, command_line))}, log());
}

TEST_F(ArchiveTest, AceGetsItsExtractionRecord)
{
    install({"UnAceV2.dll"});
    std::string archive = write_sample("sample.ace", ARCHIVE_ACE);
    call_outcome outcome = run_extraction(owner, archive + in_quotes(out));
    EXPECT_EQ(1, outcome.result);
    std::string details = "archive=" + archive +
                          "|source=|files=|exclude=|full_match=0|recurse=0|reserved_a=zero|destination=" + out +
                          "|exclude_path=0|password=|reserved_b=zero";
    EXPECT_EQ(std::vector<std::string>{log_line("UnAceV2.dll", "ACEExtract", details)}, log());
    EXPECT_TRUE(file_exists(out + "standin-UnAceV2.dll.txt") || file_exists(out + "standin-UnAceV2.Dll.txt"));
    EXPECT_EQ(nullptr, GetModuleHandleA("UnAceV2.dll"));
}

TEST_F(ArchiveTest, ChromakeyGetsArchiveDestinationAndOne)
{
    install({"chromakey.dll", "unzip32.dll"});
    // A ZIP whose bytes 766-767 happen to be "96" goes to chromakey first.
    std::string archive = in + "looks like zip.zip";
    std::vector<unsigned char> bytes = sample_of_kind(ARCHIVE_ZIP);
    bytes.resize(800, 0);
    bytes[766] = '9';
    bytes[767] = '6';
    ASSERT_TRUE(write_file_bytes(archive, bytes));
    call_outcome outcome = run_extraction(owner, archive + in_quotes(out));
    EXPECT_EQ(1, outcome.result);
    std::string details = owner_text(owner) + "|archive=" + archive + "|destination=" + out + "|mode=1";
    EXPECT_EQ(std::vector<std::string>{log_line("chromakey.dll", "_ExtractChromakey@16", details)}, log());
}

TEST_F(ArchiveTest, ChromakeyAnsweringZeroSendsTheFileToIdentification)
{
    install({"chromakey.dll", "unzip32.dll"});
    SetEnvironmentVariableA("QUODRA_STANDIN_CHROMAKEY_ANSWER", "0");
    std::string archive = write_sample("photos.2002.bin", ARCHIVE_CHROMAKEY);
    call_outcome outcome = run_extraction(owner, archive + " -c -o" + in_quotes(out));
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(0, outcome.boxes);
    std::vector<std::string> lines = log();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("chromakey.dll|_ExtractChromakey@16|"));
    // The subfolder was made after the entry point was found, before the library answered.
    EXPECT_TRUE(file_exists(out + "photos.2002\\"));
    // A refused file is not opened in the shell.
    EXPECT_EQ(0, close_shell_folder_window("photos.2002", 3000));
}

TEST_F(ArchiveTest, MissingChromakeyLibraryRefusesSilently)
{
    install({"unzip32.dll"});
    std::string archive = write_sample("sample.bin", ARCHIVE_CHROMAKEY);
    call_outcome outcome = run_extraction(owner, archive + in_quotes(out));
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(0, outcome.boxes);
    EXPECT_TRUE(log().empty());
}

TEST_F(ArchiveTest, RarGoesToUnrar32WhenBothArePresent)
{
    install({"Unrar32.dll", "Unrar.dll"});
    std::string archive = write_sample("sample.rar", ARCHIVE_RAR);
    call_outcome outcome = run_extraction(nullptr, archive + in_quotes(out));
    EXPECT_EQ(1, outcome.result);
    std::string command_line = "-x \"" + archive + "\" \"" + out + "\"";
    EXPECT_EQ(std::vector<std::string>{log_line("Unrar32.dll", "Unrar", command_details(nullptr, command_line))},
              log());
    EXPECT_EQ(nullptr, GetModuleHandleA("Unrar32.dll"));
    EXPECT_EQ(nullptr, GetModuleHandleA("Unrar.dll"));
}

TEST_F(ArchiveTest, RarWithOnlyUnrar32IsRefusedWithTheUnrarMessage)
{
    install({"Unrar32.dll"});
    std::string archive = write_sample("sample.rar", ARCHIVE_RAR);
    for (HWND given : {owner, static_cast<HWND>(nullptr)}) {
        call_outcome outcome = run_extraction(given, archive + in_quotes(out));
        EXPECT_EQ(0, outcome.result);
        EXPECT_EQ(1, outcome.boxes);
        EXPECT_EQ("Unrar.dllが開けません", outcome.box_text);
    }
    EXPECT_TRUE(log().empty());
}

TEST_F(ArchiveTest, RarFallbackOpensProcessesOnceAndCloses)
{
    install({"Unrar.dll"});
    std::string archive = write_sample("sample.rar", ARCHIVE_RAR);
    call_outcome outcome = run_extraction(owner, archive + in_quotes(out));
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ(0, outcome.boxes);
    std::vector<std::string> expected = {
        log_line("Unrar.dll", "RAROpenArchive", "name=" + archive + "|mode=1|result=0|comment=null|comment_size=0|0|0"),
        log_line("Unrar.dll", "RARProcessFile", "handle=ours|operation=2|destination=" + out + "|name=null"),
        log_line("Unrar.dll", "RARCloseArchive", "handle=ours"),
    };
    EXPECT_EQ(expected, log());
    EXPECT_TRUE(file_exists(out + "standin-Unrar.dll.txt"));
}

TEST_F(ArchiveTest, RarFallbackThatCannotOpenStillCountsAsHandled)
{
    install({"Unrar.dll"});
    std::string archive = write_sample("sample.rar", ARCHIVE_RAR);
    SetEnvironmentVariableA("QUODRA_STANDIN_RAR_OPEN_RESULT", "15");
    call_outcome outcome = run_extraction(owner, archive + in_quotes(out));
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ(1, outcome.boxes);
    EXPECT_EQ("ハンドルが取得できません。(Unrar.dll)", outcome.box_text);
    // No handle came back: no process call and nothing to close.
    std::vector<std::string> lines = log();
    ASSERT_EQ(1u, lines.size());
    EXPECT_EQ(0u, lines[0].find("unrar.dll|RAROpenArchive|"));

    // Without an owner nothing is said; a handle that came back with the failure is closed.
    DeleteFileA(log_path.c_str());
    SetEnvironmentVariableA("QUODRA_STANDIN_RAR_HANDLE_ON_FAILURE", "1");
    outcome = run_extraction(nullptr, archive + in_quotes(out));
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ(0, outcome.boxes);
    lines = log();
    ASSERT_EQ(2u, lines.size());
    EXPECT_EQ(log_line("Unrar.dll", "RARCloseArchive", "handle=ours"), lines[1]);
}

TEST_F(ArchiveTest, RarFallbackFailureStillOpensTheDestinationWithItsSubfolder)
{
    install({"Unrar.dll"});
    std::string archive = write_sample("rar open check.rar", ARCHIVE_RAR);
    SetEnvironmentVariableA("QUODRA_STANDIN_RAR_OPEN_RESULT", "15");
    call_outcome outcome = run_extraction(owner, archive + " -o -c" + in_quotes(out));
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ("ハンドルが取得できません。(Unrar.dll)", outcome.box_text);
    EXPECT_TRUE(file_exists(out + "rar open check\\"));
    EXPECT_EQ(1, close_shell_folder_window("rar open check", 30000));
}

namespace {

struct unsupported_case {
    int kind;
    const char *file_name;
    std::vector<const char *> working;  // stand-ins that must be there for the check
    const char *without_entry_as;       // the library loaded for the extraction, lacking its entry point
    const char *text;
};

const unsupported_case unsupported_cases[] = {
    {ARCHIVE_CHROMAKEY, "a.bin", {}, "chromakey.dll", "未対応のVerです。(chromakey.dll)"},
    {ARCHIVE_LHA, "a.lzh", {}, "unlha32.dll", "未対応のVerです。(unlha32.dll)"},
    {ARCHIVE_ZIP, "a.zip", {}, "unzip32.dll", "未対応のVerです。(unzip32.dll)"},
    {ARCHIVE_CAB, "a.cab", {}, "cab32.dll", "未対応のVerです。(cab32.dll)"},
    {ARCHIVE_GCA, "a.gca", {}, "UnGCA32.dll", "未対応のVerです。(UnGCA32.dll)"},
    {ARCHIVE_ISH, "a.ish", {}, "Ish32.dll", "未対応のVerです。(Ish32.dll)"},
    {ARCHIVE_ACE, "a.ace", {}, "UnAceV2.dll", "未対応のVerです。(UnAceV2.Dll)"},
    {ARCHIVE_RAR, "a.rar", {"Unrar.dll"}, "Unrar32.dll", "未対応のVerです。(unrar32.dll)"},
    {ARCHIVE_YZ1, "a.yz1", {}, "Yz1.dll", "未対応のVerです。(Yz1.dll)"},
    {ARCHIVE_GZIP, "a.tgz", {}, "tar32.dll", "未対応のVerです。(tar32.dll)"},
};

}  // namespace

TEST_F(ArchiveTest, LibraryWithoutItsEntryPointIsAnUnsupportedVersion)
{
    for (const unsupported_case &c : unsupported_cases) {
        SCOPED_TRACE(c.text);
        remove_folder_tree(libraries);
        CreateDirectoryA(libraries.c_str(), nullptr);
        install(c.working);
        ASSERT_TRUE(install_library(libraries, "archiver_without_entry.dll", c.without_entry_as));
        std::string archive = write_sample(c.file_name, c.kind);
        call_outcome with_owner = run_extraction(owner, archive + " -c" + in_quotes(out));
        EXPECT_EQ(0, with_owner.result);
        EXPECT_EQ(1, with_owner.boxes);
        EXPECT_EQ(c.text, with_owner.box_text);
        call_outcome without_owner = run_extraction(nullptr, archive + in_quotes(out));
        EXPECT_EQ(0, without_owner.result);
        EXPECT_EQ(0, without_owner.boxes);
        // The subfolder of -c comes after the entry point, except for RAR, which makes it first.
        EXPECT_EQ(c.kind == ARCHIVE_RAR, file_exists(out + "a\\") != 0);
        RemoveDirectoryA((out + "a\\").c_str());
        EXPECT_EQ(nullptr, GetModuleHandleA(c.without_entry_as));
    }
    EXPECT_TRUE(log().empty());
}

TEST_F(ArchiveTest, RarFallbackWithoutItsEntryPointsIsAnUnsupportedVersion)
{
    ASSERT_TRUE(install_library(libraries, "archiver_without_entry.dll", "Unrar.dll"));
    std::string archive = write_sample("a.rar", ARCHIVE_RAR);
    call_outcome outcome = run_extraction(owner, archive + in_quotes(out));
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("未対応のVerです。(unrar32.dll)", outcome.box_text);
}

// Destinations: -d, then -a, then a quoted folder, then the program's folder.
TEST_F(ArchiveTest, DestinationRules)
{
    install({"unzip32.dll"});
    std::string archive = write_sample("destination.zip", ARCHIVE_ZIP);
    std::string desktop = desktop_folder();
    std::string program = test_program_folder();
    struct destination_case {
        std::string options;
        std::string destination;
    };
    const destination_case cases[] = {
        {" -d", desktop},
        {" -a", in},
        {in_quotes(out), out},
        {" \"\"", program},
        {"", program},
        {" -d -a" + in_quotes(out), desktop},
        {" -a -d", desktop},
        {" -a" + in_quotes(out), in},
        {in_quotes(out) + " -a", in},
    };
    for (const destination_case &c : cases) {
        SCOPED_TRACE(c.options);
        DeleteFileA(log_path.c_str());
        std::string marker = c.destination + "standin-unzip32.dll.txt";
        DeleteFileA(marker.c_str());
        EXPECT_EQ(1, run_extraction(nullptr, archive + c.options).result);
        std::string command_line = "-x  \"" + archive + "\" \"" + c.destination + "\"";
        EXPECT_EQ(std::vector<std::string>{log_line("unzip32.dll", "UnZip", command_details(nullptr, command_line))},
                  log());
        EXPECT_TRUE(file_exists(marker));
        DeleteFileA(marker.c_str());
    }
}

TEST_F(ArchiveTest, SubfolderIsNamedAfterTheArchive)
{
    install({"unlha32.dll"});
    struct subfolder_case {
        std::string folder;  // under in, holding the archive
        std::string name;
        std::string subfolder;
    };
    const subfolder_case cases[] = {
        {"", "photos.2002.lzh", "photos.2002"},
        // No dot in the file name: the folder's dot cuts, and the part before it names the subfolder.
        {"my.files\\", "archive", "my"},
        {"", "noextension", "noextension"},
        // 表 ends in 0x5C, which is no separator here.
        {"", "\x95\x5C\x8E\xA6.lzh", "\x95\x5C\x8E\xA6"},
    };
    for (const subfolder_case &c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(log_path.c_str());
        CreateDirectoryA((in + c.folder).c_str(), nullptr);
        std::string archive = write_sample(c.folder + c.name, ARCHIVE_LHA);
        EXPECT_EQ(1, run_extraction(nullptr, archive + " -c" + in_quotes(out)).result);
        std::string destination = out + c.subfolder + "\\";
        std::string command_line = "e \"" + archive + "\" -x1m1 \"" + destination + "\"";
        EXPECT_EQ(std::vector<std::string>{log_line("unlha32.dll", "Unlha", command_details(nullptr, command_line))},
                  log());
        EXPECT_TRUE(file_exists(destination + "standin-unlha32.dll.txt"));
    }
    // An existing subfolder is used again.
    EXPECT_EQ(1, run_extraction(nullptr, in + "photos.2002.lzh -c" + in_quotes(out)).result);
}

TEST_F(ArchiveTest, SubfolderGoesBesideTheArchiveWithA)
{
    install({"UnAceV2.dll", "chromakey.dll", "Unrar.dll"});
    std::string ace = write_sample("ace.sample.ace", ARCHIVE_ACE);
    EXPECT_EQ(1, run_extraction(nullptr, ace + " -c -a").result);
    std::string chromakey = write_sample("key.sample.bin", ARCHIVE_CHROMAKEY);
    EXPECT_EQ(1, run_extraction(nullptr, chromakey + " -a -c").result);
    std::string rar = write_sample("rar.sample.rar", ARCHIVE_RAR);
    EXPECT_EQ(1, run_extraction(nullptr, rar + " -c -a").result);
    std::vector<std::string> lines = log();
    ASSERT_EQ(5u, lines.size());
    EXPECT_NE(std::string::npos, lines[0].find("|destination=" + in + "ace.sample\\|"));
    EXPECT_NE(std::string::npos, lines[1].find("|destination=" + in + "key.sample\\|"));
    EXPECT_NE(std::string::npos, lines[3].find("|destination=" + in + "rar.sample\\|"));
    EXPECT_TRUE(file_exists(in + "rar.sample\\standin-Unrar.dll.txt"));
}

TEST_F(ArchiveTest, OpenOptionOpensTheDestinationInTheShell)
{
    install({"unzip32.dll"});
    std::string archive = write_sample("opened.zip", ARCHIVE_ZIP);
    std::string folder = "open target " + std::to_string(GetCurrentProcessId());
    std::string destination = root + folder + "\\";
    CreateDirectoryA(destination.c_str(), nullptr);
    EXPECT_EQ(1, run_extraction(owner, archive + " -o" + in_quotes(destination)).result);
    EXPECT_EQ(1, close_shell_folder_window(folder, 30000));
    // With -c the subfolder is what opens.
    EXPECT_EQ(1, run_extraction(nullptr, archive + " -c -o" + in_quotes(destination)).result);
    EXPECT_EQ(1, close_shell_folder_window("opened", 30000));
}

TEST_F(ArchiveTest, RequestOf259CharactersIsTakenAnd260Refused)
{
    install({"unzip32.dll"});
    std::string archive = write_sample("limit.zip", ARCHIVE_ZIP);
    // Blanks after the path are dropped, so they only make the request longer.
    std::string request = archive + " -a";
    request.resize(259, ' ');
    call_outcome taken = run_extraction(nullptr, request);
    EXPECT_EQ(1, taken.result);
    EXPECT_EQ(1u, log().size());
    DeleteFileA(log_path.c_str());
    request += ' ';
    call_outcome refused = run_extraction(owner, request);
    EXPECT_EQ(0, refused.result);
    EXPECT_EQ(0, refused.boxes);
    EXPECT_TRUE(log().empty());
    EXPECT_EQ(0, run_extraction(owner, std::string(2000, 'x')).result);
}

TEST_F(ArchiveTest, PairInsideThePathCutsItAndSetsItsOption)
{
    install({"unzip32.dll"});
    CreateDirectoryA((in + "x-data").c_str(), nullptr);
    std::string archive = write_sample("x-data\\inside.zip", ARCHIVE_ZIP);
    // The path is cut at "-d" to ...\in\x, which names no file: the file goes on to identification.
    call_outcome outcome = run_extraction(owner, archive + in_quotes(out));
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("対象のファイルが開けません", outcome.box_text);
    EXPECT_EQ(0, run_extraction(nullptr, archive + in_quotes(out)).boxes);
    EXPECT_TRUE(log().empty());

    // Where the cut path does name an archive, that one is extracted, and "-d" sent it to the desktop.
    std::string cut = write_sample("x", ARCHIVE_ZIP);
    EXPECT_EQ(1, run_extraction(nullptr, archive + in_quotes(out)).result);
    std::string desktop = desktop_folder();
    std::string command_line = "-x  \"" + cut + "\" \"" + desktop + "\"";
    EXPECT_EQ(std::vector<std::string>{log_line("unzip32.dll", "UnZip", command_details(nullptr, command_line))},
              log());
    DeleteFileA((desktop + "standin-unzip32.dll.txt").c_str());
}

TEST_F(ArchiveTest, PairInsideTheQuotedFolderEndsTheFolderThere)
{
    install({"unzip32.dll"});
    std::string archive = write_sample("quoted.zip", ARCHIVE_ZIP);
    // "-c" inside the quotes: the folder ends at root + "new", and -c adds the subfolder to that text.
    EXPECT_EQ(1, run_extraction(nullptr, archive + " \"" + root + "new-copies\\\"").result);
    std::string destination = root + "newquoted\\";
    std::string command_line = "-x  \"" + archive + "\" \"" + destination + "\"";
    EXPECT_EQ(std::vector<std::string>{log_line("unzip32.dll", "UnZip", command_details(nullptr, command_line))},
              log());
    EXPECT_TRUE(file_exists(destination + "standin-unzip32.dll.txt"));
}

TEST_F(ArchiveTest, RelativePathIsMadeAbsolute)
{
    install({"unzip32.dll"});
    std::string archive = write_sample("relative.zip", ARCHIVE_ZIP);
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    SetCurrentDirectoryA(in.c_str());
    int result = run_extraction(nullptr, "relative.zip -a").result;
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(1, result);
    std::string command_line = "-x  \"" + archive + "\" \"" + in + "\"";
    EXPECT_EQ(std::vector<std::string>{log_line("unzip32.dll", "UnZip", command_details(nullptr, command_line))},
              log());
}

TEST_F(ArchiveTest, NonArchivesAndEmptyRequestsAreRefused)
{
    install({"unzip32.dll", "tar32.dll"});
    std::string text = in + "notes.zip";
    ASSERT_TRUE(write_file_text(text, "just some text, named like a ZIP"));
    call_outcome outcome = run_extraction(owner, text + " -a");
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(0, outcome.boxes);
    // An empty request (a path that could not be made long) names no file.
    outcome = run_extraction(owner, "");
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("対象のファイルが開けません", outcome.box_text);
    EXPECT_EQ(0, run_extraction(nullptr, " -a -c").result);
    EXPECT_EQ(0, extract_archive(nullptr, nullptr));
    EXPECT_TRUE(log().empty());
}

TEST_F(ArchiveTest, CommandLineThatWouldNotFitIsNotPassed)
{
    install({"unzip32.dll"});
    // A 150-byte archive path and a 101-byte folder fit the request, but their command line would be
    // 5 + 150 + 3 + 101 + 1 = 260 characters, one more than its buffer holds.
    std::string deep = in + std::string(150 - in.size() - 6, 'a') + "\\";
    ASSERT_TRUE(CreateDirectoryA(deep.c_str(), nullptr));
    std::string archive = deep + "s.zip";
    ASSERT_EQ(150u, archive.size());
    ASSERT_TRUE(write_file_bytes(archive, sample_of_kind(ARCHIVE_ZIP)));
    std::string destination = root + std::string(101 - root.size() - 1, 'b') + "\\";
    ASSERT_EQ(101u, destination.size());
    std::string request = archive + in_quotes(destination);
    ASSERT_LE(request.size(), 259u);
    call_outcome outcome = run_extraction(owner, request);
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ(0, outcome.boxes);
    EXPECT_TRUE(log().empty());
    // One byte less of folder and the command line fits exactly.
    std::string shorter = root + std::string(100 - root.size() - 1, 'b') + "\\";
    EXPECT_EQ(1, run_extraction(owner, archive + in_quotes(shorter)).result);
    EXPECT_EQ(1u, log().size());
}
