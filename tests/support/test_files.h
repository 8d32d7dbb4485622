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
