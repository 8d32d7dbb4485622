// Stand-in for a command-line archiver (Unlha, UnZip, Cab, UnGCA, Ish, Unrar, Yz1, Tar): the entry
// point's name comes from STANDIN_ENTRY. It logs the call and marks the destination of the command line.
#include "standin_support.h"
#include <cstdio>
#include <cstring>

#define STANDIN_TEXT(name) #name
#define STANDIN_NAME(name) STANDIN_TEXT(name)

namespace {

// The destination: the text after "/f=" (ISH), else the last quoted text.
void destination_of(const char *command_line, char *out, size_t size)
{
    out[0] = '\0';
    const char *folder = std::strstr(command_line, "/f=");
    if (folder != nullptr) {
        std::snprintf(out, size, "%s", folder + 3);
        return;
    }
    const char *close = std::strrchr(command_line, '"');
    if (close == nullptr || close == command_line) return;
    const char *open = close - 1;
    while (open > command_line && *open != '"') open--;
    if (*open != '"') return;
    std::snprintf(out, size, "%.*s", static_cast<int>(close - open - 1), open + 1);
}

}  // namespace

extern "C" int WINAPI STANDIN_ENTRY(HWND owner, LPCSTR command_line, LPSTR output, DWORD output_size)
{
    char details[1024];
    std::snprintf(details, sizeof details, "owner=%llu|%s|output=%s|size=%lu",
                  static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(owner)), standin_text(command_line),
                  output == nullptr ? "null" : "set", static_cast<unsigned long>(output_size));
    standin_log(STANDIN_NAME(STANDIN_ENTRY), details);
    if (command_line == nullptr) return 1;
    char destination[1024];
    destination_of(command_line, destination, sizeof destination);
    if (destination[0] != '\0') standin_mark(destination, command_line);
    return 0;
}
