// Small file helpers for the tests: fresh folders under the temp folder, whole-file reads and writes.
#pragma once
#include <string>
#include <vector>

// A new empty folder under the temp folder, ending in a backslash; named after tag.
std::string make_test_folder(const std::string &tag);
int write_file_bytes(const std::string &path, const std::vector<unsigned char> &bytes);
int write_file_text(const std::string &path, const std::string &text);
std::vector<unsigned char> read_file_bytes(const std::string &path);
int file_exists(const std::string &path);
// Folder of the running test program, ending in a backslash.
std::string test_program_folder();
// Removes a folder and everything below it.
void remove_folder_tree(const std::string &folder);

// Files named in UTF-16, made and read with the wide API, so the name needs no ANSI form.
std::wstring wide_path(const std::string &folder, const std::wstring &name);
int write_wide_file(const std::wstring &path, const std::vector<unsigned char> &bytes);
std::vector<unsigned char> read_wide_file(const std::wstring &path);
int wide_file_exists(const std::wstring &path);
// The first bytes of a PNG image: its signature and a header chunk.
std::vector<unsigned char> png_bytes();
// Names the ANSI code page (932) cannot hold beside ones it can: cafe.dat is what a lossy conversion makes
// of café.dat. png: the file holds png_bytes(), else a line of text.
struct named_sample {
    std::wstring name;
    int png;
};
extern const named_sample NAMED_SAMPLES[6];
// Writes the named samples into folder (ANSI, ending in a backslash).
int write_named_samples(const std::string &folder);
