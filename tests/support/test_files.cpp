// Small file helpers for the tests.
#include "test_files.h"
#include <windows.h>
#include <cstdio>

namespace {
void remove_wide_tree(const std::wstring &folder);
}

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
    // Wide, so that files with names outside the ANSI code page go too.
    std::wstring base = wide_path(folder, L"");
    while (!base.empty() && (base.back() == L'\\' || base.back() == L'/')) base.pop_back();
    remove_wide_tree(base);
}

std::wstring wide_path(const std::string &folder, const std::wstring &name)
{
    int count = MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(count > 0 ? count : 1), L'\0');
    if (count > 0) MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide.data(), count);
    return std::wstring(wide.data()) + name;
}

int write_wide_file(const std::wstring &path, const std::vector<unsigned char> &bytes)
{
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    DWORD written = 0;
    BOOL ok = bytes.empty() || WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

std::vector<unsigned char> read_wide_file(const std::wstring &path)
{
    std::vector<unsigned char> bytes;
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    unsigned char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.insert(bytes.end(), buffer, buffer + got);
    CloseHandle(file);
    return bytes;
}

int wide_file_exists(const std::wstring &path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<unsigned char> png_bytes()
{
    return {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0, 0, 0, 13, 'I', 'H', 'D', 'R',
            0, 0, 0, 1, 0, 0, 0, 1, 8, 2, 0, 0, 0, 0x90, 0x77, 0x53, 0xDE};
}

const named_sample NAMED_SAMPLES[6] = {
    {L"caf\u00e9.dat", 1}, {L"cafe.dat", 0}, {L"\U0001F600", 1}, {L"\u7b80\u4f53", 1}, {L"\u8868.png", 1},
    {L"\uff76\uff85.txt", 0},
};

int write_named_samples(const std::string &folder)
{
    std::string text = "plain text, not an image\r\n";
    for (const named_sample &sample : NAMED_SAMPLES) {
        std::vector<unsigned char> bytes = sample.png ? png_bytes() : std::vector<unsigned char>(text.begin(), text.end());
        if (!write_wide_file(wide_path(folder, sample.name), bytes)) return 0;
    }
    return 1;
}

namespace {

void remove_wide_tree(const std::wstring &folder)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") continue;
            std::wstring path = folder + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                remove_wide_tree(path);
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

}  // namespace
