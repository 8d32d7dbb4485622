// A Wyro add-in for the host's tests. Every copy of the built library reads how to behave from the file
// beside it named after itself plus ".ini" (section [addin]) and writes every call it receives to the log
// named by QUODRA_ADDIN_LOG: its own full path, the entry, and for a process call the event code, the
// record's version and target path. Told to, it also writes where the main window's menus hold the
// add-in popup and what is in it.
#include "addin_host.h"
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

HINSTANCE self;

void log_line(const char *format, ...)
{
    char path[MAX_PATH];
    DWORD length = GetEnvironmentVariableA("QUODRA_ADDIN_LOG", path, sizeof path);
    if (length == 0 || length >= sizeof path) return;
    FILE *log = std::fopen(path, "ab");
    if (log == nullptr) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(log, format, args);
    va_end(args);
    std::fputc('\n', log);
    std::fclose(log);
}

void own_path(char *out, DWORD size)
{
    DWORD length = GetModuleFileNameA(self, out, size);
    if (length == 0 || length >= size) out[0] = '\0';
}

void settings_path(char *out, size_t size)
{
    char path[MAX_PATH];
    own_path(path, sizeof path);
    std::snprintf(out, size, "%s.ini", path);
}

int setting_number(const char *key, int fallback)
{
    char ini[MAX_PATH + 8];
    settings_path(ini, sizeof ini);
    return static_cast<int>(GetPrivateProfileIntA("addin", key, fallback, ini));
}

void setting_text(const char *key, char *out, DWORD size)
{
    char ini[MAX_PATH + 8];
    settings_path(ini, sizeof ini);
    GetPrivateProfileStringA("addin", key, "", out, size, ini);
}

// Fills a text field: terminated, or (raw) every byte used and no terminator at all.
void fill_field(char *field, size_t field_size, const char *key, int raw)
{
    char text[256];
    setting_text(key, text, sizeof text);
    std::memset(field, 0, field_size);
    size_t length = std::strlen(text);
    if (!raw) {
        std::memcpy(field, text, length < field_size - 1 ? length : field_size - 1);
        return;
    }
    for (size_t i = 0; i < field_size; i++) field[i] = length > 0 ? text[i % length] : 'x';
}

// Appends a menu's items as "text#id#state" and submenus as "text{...}", separated by ';'.
void describe_menu(HMENU menu, char *out, size_t size)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; i++) {
        char text[128] = "";
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_STRING | MIIM_ID | MIIM_STATE | MIIM_SUBMENU;
        item.dwTypeData = text;
        item.cch = sizeof text;
        GetMenuItemInfoA(menu, static_cast<UINT>(i), TRUE, &item);
        size_t used = std::strlen(out);
        if (i > 0 && used + 1 < size) out[used++] = ';';
        if (item.hSubMenu != nullptr) {
            std::snprintf(out + used, size - used, "%s{", text);
            describe_menu(item.hSubMenu, out, size);
            used = std::strlen(out);
            std::snprintf(out + used, size - used, "}");
        } else {
            std::snprintf(out + used, size - used, "%s#%u#%u", text, item.wID, item.fState);
        }
    }
}

// Logs where a menu holds the popup titled title and what is in it: "where|position|contents".
void log_addin_popup(const char *where, HMENU menu, const char *title)
{
    int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; i++) {
        char text[128] = "";
        GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        if (std::strcmp(text, title) != 0) continue;
        char contents[4096] = "";
        HMENU popup = GetSubMenu(menu, i);
        if (popup != nullptr) describe_menu(popup, contents, sizeof contents);
        log_line("menu|%s|%d|%s", where, i, popup != nullptr ? contents : "no popup");
        return;
    }
    log_line("menu|%s|none", where);
}

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_ATTACH) self = instance;
    return TRUE;
}

extern "C" int32_t WINAPI TestDeclare(HWND, wyro_dll_info *info)
{
    char path[MAX_PATH];
    own_path(path, sizeof path);
    log_line("%s|declare", path);
    if (setting_number("describe", 1) == 0) return 1;
    int raw = setting_number("unterminated", 0);
    char version[32];
    setting_text("version", version, sizeof version);
    std::memset(info, 0, sizeof *info);
    fill_field(info->name, sizeof info->name, "name", raw);
    info->version = static_cast<float>(std::atof(version));
    fill_field(info->version_suffix, sizeof info->version_suffix, "suffix", raw);
    info->id = setting_number("id", 0);
    info->event_flags = static_cast<int16_t>(setting_number("flags", 0));
    info->grouped = static_cast<uint8_t>(setting_number("grouped", 0));
    info->menu_state = static_cast<uint32_t>(setting_number("state", 0));
    fill_field(info->presenter, sizeof info->presenter, "presenter", raw);
    fill_field(info->description, sizeof info->description, "description", raw);
    fill_field(info->menu_text, sizeof info->menu_text, "menu_text", raw);
    fill_field(info->group_name, sizeof info->group_name, "group", raw);
    return 1;
}

extern "C" int32_t WINAPI TestProcess(HWND owner, wyro_io_record *io)
{
    char path[MAX_PATH];
    own_path(path, sizeof path);
    log_line("%s|process|event=%d|version=%d|keep=%d|view=%u|target=%s", path, io->event_code, io->version,
             io->keep_loaded, io->view_window, io->target_path);
    if (setting_number("keep", 0) == 1) io->keep_loaded = 1;
    char title[64];
    setting_text("dump_menus", title, sizeof title);
    if (title[0] != '\0') {
        log_addin_popup("bar", GetMenu(owner), title);
        log_addin_popup("system", GetSystemMenu(owner, FALSE), title);
    }
    char new_target[MAX_PATH];
    setting_text("new_target", new_target, sizeof new_target);
    if (io->event_code == WYRO_EVENT_BEFORE_IDENTIFY && new_target[0] != '\0') {
        std::memcpy(io->target_path, new_target, std::strlen(new_target) + 1);
    }
    return 1;
}
