// Log and marker files of the stand-in archiver libraries.
#include "standin_support.h"
#include <cstdio>
#include <cstdlib>
#include <cstring>

const char *standin_library_name()
{
    static char name[MAX_PATH];
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&standin_library_name), &module);
    char path[MAX_PATH] = "";
    GetModuleFileNameA(module, path, sizeof path);
    const char *cut = std::strrchr(path, '\\');
    std::snprintf(name, sizeof name, "%s", cut != nullptr ? cut + 1 : path);
    return name;
}

static void append_to_file(const char *path, const char *text)
{
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, text, static_cast<DWORD>(std::strlen(text)), &written, nullptr);
    CloseHandle(file);
}

void standin_log(const char *entry, const char *details)
{
    char log_path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("QUODRA_STANDIN_LOG", log_path, sizeof log_path);
    if (length == 0 || length >= sizeof log_path) return;
    char line[2048];
    std::snprintf(line, sizeof line, "%s|%s|%s\n", standin_library_name(), entry, details);
    append_to_file(log_path, line);
}

void standin_mark(const char *folder, const char *archive)
{
    char path[1024];
    size_t length = std::strlen(folder);
    const char *separator = length > 0 && folder[length - 1] == '\\' ? "" : "\\";
    std::snprintf(path, sizeof path, "%s%sstandin-%s.txt", folder, separator, standin_library_name());
    append_to_file(path, archive);
}

int standin_setting(const char *name, int fallback)
{
    char value[32];
    DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    if (length == 0 || length >= sizeof value) return fallback;
    return std::atoi(value);
}

const char *standin_text(const char *text) { return text == nullptr ? "null" : text; }
