// karvo.exe from the outside with files dropped on it: a copy runs in a fresh folder with the stand-in
// archivers beside it, and the stand-ins' log and the dialogs it shows tell what it did with each file.
#include "archive_extract.h"
#include "archive_test_support.h"
#include "dialog_closer.h"
#include "test_files.h"
#include <gtest/gtest.h>
#include <windows.h>
#include <string>

namespace {

const DWORD RUN_TIMEOUT_MS = 60000;

class DroppedFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = make_test_folder("karvo_archive");
        out = folder + "extracted here\\";
        CreateDirectoryA(out.c_str(), nullptr);
        exe = folder + "karvo.exe";
        ASSERT_TRUE(CopyFileA((test_program_folder() + "karvo.exe").c_str(), exe.c_str(), FALSE));
        log_path = folder + "standin.log";
        SetEnvironmentVariableA("QUODRA_STANDIN_LOG", log_path.c_str());
    }
    void TearDown() override
    {
        SetEnvironmentVariableA("QUODRA_STANDIN_LOG", nullptr);
        remove_folder_tree(folder);
    }
    void settings(const char *extract)
    {
        std::string ini = folder + "quodra.ini";
        WritePrivateProfileStringA("ARCHIVE", "extract", extract, ini.c_str());
        WritePrivateProfileStringA("ARCHIVE", "extdir", "0", ini.c_str());
        WritePrivateProfileStringA("ARCHIVE", "extdirpath", out.c_str(), ini.c_str());
        WritePrivateProfileStringA("ARCHIVE", "createdir", "1", ini.c_str());
        WritePrivateProfileStringA("ARCHIVE", "opendir", "0", ini.c_str());
        WritePrivateProfileStringA("BASIC", "nodanddlg", "0", ini.c_str());
    }
    std::string write_file(const std::string &name, const std::vector<unsigned char> &bytes)
    {
        std::string path = folder + name;
        EXPECT_TRUE(write_file_bytes(path, bytes));
        return path;
    }
    // Runs karvo.exe with these arguments to its end; returns how many dialogs it showed (each closed).
    int run(const std::string &arguments, std::string *last_caption = nullptr)
    {
        std::string command_line = "\"" + exe + "\" " + arguments;
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        EXPECT_TRUE(CreateProcessA(exe.c_str(), &command_line[0], nullptr, nullptr, FALSE, 0, nullptr,
                                   folder.c_str(), &startup, &process));
        if (process.hProcess == nullptr) return -1;
        dialog_closer closer;
        start_closing_dialogs(&closer, process.dwProcessId);
        DWORD waited = WaitForSingleObject(process.hProcess, RUN_TIMEOUT_MS);
        if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
        stop_closing_dialogs(&closer);
        EXPECT_EQ(WAIT_OBJECT_0, waited);
        DWORD code = 99;
        GetExitCodeProcess(process.hProcess, &code);
        EXPECT_EQ(0u, code);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
        if (last_caption != nullptr) *last_caption = closer.last_caption;
        return closer.closed;
    }

    std::string folder;
    std::string out;
    std::string exe;
    std::string log_path;
};

}  // namespace

TEST_F(DroppedFiles, ArchiveIsExtractedAndOnlyTheOtherFileIsIdentified)
{
    ASSERT_TRUE(install_library(folder, "unzip32.dll"));
    settings("1");
    std::string zip = write_file("holiday photos.zip", sample_of_kind(ARCHIVE_ZIP));
    std::string text = write_file("notes.txt", std::vector<unsigned char>(40, 'n'));
    // One result dialog: the one for notes.txt.
    EXPECT_EQ(1, run("\"" + zip + "\" \"" + text + "\""));
    std::string command_line = "-x  \"" + zip + "\" \"" + out + "holiday photos\\\"";
    EXPECT_EQ(std::vector<std::string>{log_line("unzip32.dll", "UnZip", "owner=0|" + command_line +
                                                                          "|output=null|size=0")},
              read_log_lines(log_path));
    EXPECT_TRUE(file_exists(out + "holiday photos\\standin-unzip32.dll.txt"));
}

TEST_F(DroppedFiles, WithExtractionOffEveryFileIsIdentified)
{
    ASSERT_TRUE(install_library(folder, "unzip32.dll"));
    settings("0");
    std::string zip = write_file("a.zip", sample_of_kind(ARCHIVE_ZIP));
    std::string text = write_file("b.txt", std::vector<unsigned char>(40, 'n'));
    EXPECT_EQ(2, run("\"" + zip + "\" \"" + text + "\""));
    EXPECT_TRUE(read_log_lines(log_path).empty());
}

TEST_F(DroppedFiles, ArchiveWhoseLibraryIsMissingIsReportedAndIdentified)
{
    settings("1");
    std::string zip = write_file("c.zip", sample_of_kind(ARCHIVE_ZIP));
    // The library's message (shown even without a window), then the result dialog.
    std::string caption;
    EXPECT_EQ(2, run("\"" + zip + "\"", &caption));
    EXPECT_NE("ERROR", caption);
    EXPECT_TRUE(read_log_lines(log_path).empty());
}
