// CP932 to UTF-16 and UTF-8 with the system's conversions, and the choice between a console and a pipe.
#include "console_text.h"
#include <vector>

namespace {

const UINT CODE_PAGE_932 = 932;

std::wstring cp932_to_wide(const std::string &text)
{
    if (text.empty()) return std::wstring();
    int count = MultiByteToWideChar(CODE_PAGE_932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (count <= 0) return std::wstring();
    std::vector<wchar_t> wide(static_cast<size_t>(count));
    MultiByteToWideChar(CODE_PAGE_932, 0, text.data(), static_cast<int>(text.size()), wide.data(), count);
    return std::wstring(wide.data(), wide.size());
}

}  // namespace

std::string cp932_to_utf8(const std::string &text)
{
    std::wstring wide = cp932_to_wide(text);
    if (wide.empty()) return std::string();
    int count = WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                    nullptr);
    if (count <= 0) return std::string();
    std::vector<char> utf8(static_cast<size_t>(count));
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), utf8.data(), count, nullptr, nullptr);
    return std::string(utf8.data(), utf8.size());
}

int write_console_text(HANDLE handle, const std::string &cp932_text)
{
    DWORD mode = 0;
    if (GetConsoleMode(handle, &mode)) {
        std::wstring wide = cp932_to_wide(cp932_text);
        DWORD written = 0;
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
    }
    std::string utf8 = cp932_to_utf8(cp932_text);
    DWORD written = 0;
    return WriteFile(handle, utf8.data(), static_cast<DWORD>(utf8.size()), &written, nullptr) != 0 &&
           written == utf8.size();
}

std::string wide_to_utf8(const std::wstring &text)
{
    if (text.empty()) return std::string();
    int count = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
    if (count <= 0) return std::string();
    std::vector<char> utf8(static_cast<size_t>(count));
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), count, nullptr, nullptr);
    return std::string(utf8.data(), utf8.size());
}

std::wstring utf8_to_wide(const std::string &text)
{
    if (text.empty()) return std::wstring();
    int count = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (count <= 0) return std::wstring();
    std::vector<wchar_t> wide(static_cast<size_t>(count));
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), count);
    return std::wstring(wide.data(), wide.size());
}

int write_console_utf8(HANDLE handle, const std::string &utf8_text)
{
    DWORD mode = 0;
    DWORD written = 0;
    if (GetConsoleMode(handle, &mode)) {
        std::wstring wide = utf8_to_wide(utf8_text);
        return WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr) != 0;
    }
    return WriteFile(handle, utf8_text.data(), static_cast<DWORD>(utf8_text.size()), &written, nullptr) != 0 &&
           written == utf8_text.size();
}
