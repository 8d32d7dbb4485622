// Small file helpers for the tests.
#include "test_files.h"
#include <windows.h>
#include <cstdio>

std::string make_test_folder(const std::string &tag)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static unsigned serial = 0;
    char name[MAX_PATH];
    std::snprintf(name, sizeof name, "%squodra_%s_%lu_%u\\", temp, tag.c_str(),
                  static_cast<unsigned long>(GetCurrentProcessId()), serial++);
    remove_folder_tree(name);
    CreateDirectoryA(name, nullptr);
    return name;
}

int write_file_bytes(const std::string &path, const std::vector<unsigned char> &bytes)
{
    FILE *file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    size_t written = bytes.empty() ? 0 : std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    return written == bytes.size();
}

int write_file_text(const std::string &path, const std::string &text)
{
    return write_file_bytes(path, std::vector<unsigned char>(text.begin(), text.end()));
}

std::vector<unsigned char> read_file_bytes(const std::string &path)
{
    std::vector<unsigned char> bytes;
    FILE *file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return bytes;
    unsigned char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    std::fclose(file);
    return bytes;
}

int file_exists(const std::string &path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string test_program_folder()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, length);
    size_t cut = folder.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);
}

void remove_folder_tree(const std::string &folder)
{
    std::string base = folder;
    if (!base.empty() && base.back() != '\\') base += '\\';
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((base + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = base + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                remove_folder_tree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(base.c_str());
}
