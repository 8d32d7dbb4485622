// Reading quodra.ini at the moment of use.
#include "settings_store.h"
#include "app_config.h"
#include <windows.h>
#include <cstdlib>

int read_setting_text(const char *section, const char *key, char *out, size_t size)
{
    if (out == nullptr || size == 0) return 0;
    out[0] = '\0';
    return static_cast<int>(
        GetPrivateProfileStringA(section, key, "", out, static_cast<DWORD>(size), g_app_config.ini_path));
}

int read_setting_flag(const char *section, const char *key)
{
    char text[260];
    read_setting_text(section, key, text, sizeof text);
    return std::atoi(text) == 1;
}
