// Test helpers for archive extraction: a private folder of stand-in archiver libraries found through the
// library search path, the stand-ins' call log, sample files of each kind, message boxes and the shell
// window that opening a folder starts.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

// A minimal file with the signature of that kind (64 bytes; 800 for chromakey).
std::vector<unsigned char> sample_of_kind(int kind);

// Copies the built stand-in built_name into folder under as_name (same name when as_name is null).
int install_library(const std::string &folder, const char *built_name, const char *as_name = nullptr);

// The log lines the stand-ins wrote, the library name of each line in lower case.
std::vector<std::string> read_log_lines(const std::string &log_path);
// A log line as the stand-ins write it, the library name in lower case.
std::string log_line(const char *library, const char *entry, const std::string &details);
std::string owner_text(HWND owner);

// What a call came to, with the "ERROR" boxes it showed (answered with OK).
struct call_outcome {
    int result;
    int boxes;
    std::string box_text;  // text of the last box
};
call_outcome run_extraction(HWND owner, const std::string &request);
call_outcome run_detection(HWND owner, const std::string &path);
call_outcome run_library_check(HWND owner, int kind);

// Waits up to wait_ms for a shell folder window titled title, closes it and ends its process; 1 when
// one was found.
int close_shell_folder_window(const std::string &title, int wait_ms);

// The desktop folder with a trailing backslash.
std::string desktop_folder();
std::string short_form(const std::string &path);

// Each test gets its own folders: root, a libraries folder on the library search path, an "in" folder for
// archives and an "out dir" folder as a destination; the stand-ins log into root.
class ArchiveTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Puts the stand-ins of these file names into the libraries folder.
    void install(const std::vector<const char *> &names);
    std::string write_sample(const std::string &name, int kind);
    std::vector<std::string> log() const { return read_log_lines(log_path); }

    std::string root;
    std::string libraries;
    std::string in;
    std::string out;
    std::string log_path;
    HWND owner = nullptr;
};
