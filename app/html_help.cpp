// HTML Help, located through the registry entry of the HTML Help control and loaded on first use.
#include "html_help.h"
#include "bounded_text.h"
#include "engine_records.h"

DWORD g_html_help_cookie = 0;

namespace {

typedef HWND(WINAPI *html_help_function)(HWND, LPCSTR, UINT, DWORD_PTR);

// The class registration of the HTML Help control.
const char HTML_HELP_CLASS_KEY[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
const char HTML_HELP_LIBRARY[] = "hhctrl.ocx";

html_help_function load_html_help()
{
    static int tried = 0;
    static html_help_function function = nullptr;
    if (tried) return function;
    tried = 1;
    char library_path[PATH_SIZE];
    HMODULE library = nullptr;
    if (find_html_help_control(library_path, countof(library_path))) library = LoadLibraryA(library_path);
    if (library == nullptr) library = LoadLibraryA(HTML_HELP_LIBRARY);
    if (library == nullptr) return nullptr;
    // Kept loaded for the rest of the run: the message loop calls it for every message.
    function = reinterpret_cast<html_help_function>(reinterpret_cast<void (*)()>(GetProcAddress(library, "HtmlHelpA")));
    return function;
}

}  // namespace

int find_html_help_control(char *out, DWORD out_size)
{
    out[0] = '\0';
    HKEY key;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, HTML_HELP_CLASS_KEY, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return 0;
    char stored[PATH_SIZE];
    DWORD type = 0;
    DWORD size = sizeof stored - 1;
    LONG status = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(stored), &size);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return 0;
    stored[size < sizeof stored ? size : sizeof stored - 1] = '\0';
    DWORD needed = ExpandEnvironmentStringsA(stored, out, out_size);
    if (needed == 0 || needed > out_size) {
        out[0] = '\0';
        return 0;
    }
    return out[0] != '\0';
}

HWND html_help(HWND caller, const char *file, UINT command, DWORD_PTR data)
{
    html_help_function function = load_html_help();
    if (function == nullptr) return nullptr;
    return function(caller, file, command, data);
}
