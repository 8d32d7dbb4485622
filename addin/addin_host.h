// The Wyro add-in host: finding ".wyr" add-ins, listing them in the three menus, calling them on events and
// menu commands, and the windows that show the host's state (view window, state report, details card,
// version dialog). The records below cross the add-in boundary and keep their byte layout on both builds.
#pragma once
#include <windows.h>
#include <cstddef>
#include <cstdint>

// Export names every add-in library carries, on both builds.
const char WYRO_DECLARE_EXPORT[] = "_DeclareVeaDllInfo@8";
const char WYRO_PROCESS_EXPORT[] = "_VeaProcessMain@8";

// Event codes; the same values are the bits of an add-in's event_flags.
const int WYRO_EVENT_STARTUP = 1;
const int WYRO_EVENT_AFTER_IDENTIFY = 2;
const int WYRO_EVENT_BEFORE_IDENTIFY = 4;
const int WYRO_EVENT_LIST_CLICK = 8;
const int WYRO_EVENT_LIST_DOUBLE_CLICK = 16;
const int WYRO_EVENT_CONTEXT_MENU = 32;
const int WYRO_EVENT_SYSTEM_MENU = 64;
const int WYRO_EVENT_MENU_BAR = 128;

const int WYRO_FOLDER_NAME_SIZE = 26;  // 25 characters + NUL
const int WYRO_EXTENSION_SIZE = 6;
const int WYRO_MENU_TITLE_SIZE = 32;
const int WYRO_NAME_SLOT_SIZE = 50;  // a load name of at most 49 characters + NUL
const int WYRO_INFO_TEXT_SIZE = 31;  // the self-description's text fields
const int WYRO_SUFFIX_SIZE = 8;
const int WYRO_TARGET_PATH_SIZE = 260;
const int WYRO_INFO_SIZE = 216;
const int WYRO_IO_DEFINED_SIZE = 271;  // the bytes an add-in may rely on

// The host's configuration, filled by the main window with constants and passed by value.
struct wyro_config {
    char folder_name[WYRO_FOLDER_NAME_SIZE];  // add-in subfolder with its trailing separator, "wyro/"
    char extension[WYRO_EXTENSION_SIZE];      // without the dot, "wyr"; never empty
    int32_t command_base;                     // command id of add-in 0's menu items
    int32_t max_include;                      // most add-ins kept; width of the command range
    char menu_title[WYRO_MENU_TITLE_SIZE];    // text of the add-in popup; empty = no popup
    int32_t menu_position;                    // index at which the popup goes into each menu
    int32_t max_root;                         // most group submenus in one popup
};
static_assert(offsetof(wyro_config, folder_name) == 0, "folder_name at 0");
static_assert(offsetof(wyro_config, extension) == 26, "extension at 26");
static_assert(offsetof(wyro_config, command_base) == 32, "command_base at 32");
static_assert(offsetof(wyro_config, max_include) == 36, "max_include at 36");
static_assert(offsetof(wyro_config, menu_title) == 40, "menu_title at 40");
static_assert(offsetof(wyro_config, menu_position) == 72, "menu_position at 72");
static_assert(offsetof(wyro_config, max_root) == 76, "max_root at 76");
static_assert(sizeof(wyro_config) == 80, "wyro_config is 80 bytes");

// The values the main window uses: "wyro/", "wyr", 25200, 50, "汎用アドイン(&D)", 2, 15.
void fill_main_window_wyro_config(wyro_config *config);

// Where a kept add-in was listed; the host loads it by the full path of that folder.
const int8_t WYRO_FROM_PROGRAM_FOLDER = 1;
const int8_t WYRO_FROM_SYSTEM_FOLDER = 2;

// The host's state: one GlobalAlloc block of pointers to GlobalAlloc blocks, made by start_addin_host and
// freed by end_addin_host. Add-in i (0-based, list order) owns command id command_base + i.
struct wyro_host {
    int32_t *count;              // add-ins kept, 0 to max_include
    int16_t *flags;              // count event-flag sets
    char *names;                 // count load names in 50-byte slots, each terminated in its slot
    int16_t *current_menu_code;  // code reported with a menu command; 0 after start
    HMODULE *kept_library;       // the one add-in library kept loaded at an add-in's request
    int8_t *origins;             // count WYRO_FROM_... values: the folder each name is relative to
};

// The i/o record passed by address to _VeaProcessMain@8. The window handle is kept as its 32 significant
// bits so the layout is the same on both builds (target_path at 11).
struct wyro_io_record {
    uint8_t version;      // 1 before every call
    uint8_t reserved_1;
    int16_t event_code;
    uint32_t view_window;  // the add-in view window's handle
    uint8_t keep_loaded;   // 0 before every call; the add-in sets 1 to stay loaded
    uint8_t reserved_9[2];
    char target_path[WYRO_TARGET_PATH_SIZE];
};
static_assert(offsetof(wyro_io_record, version) == 0, "version at 0");
static_assert(offsetof(wyro_io_record, reserved_1) == 1, "reserved at 1");
static_assert(offsetof(wyro_io_record, event_code) == 2, "event_code at 2");
static_assert(offsetof(wyro_io_record, view_window) == 4, "view_window at 4");
static_assert(offsetof(wyro_io_record, keep_loaded) == 8, "keep_loaded at 8");
static_assert(offsetof(wyro_io_record, reserved_9) == 9, "reserved at 9");
static_assert(offsetof(wyro_io_record, target_path) == 11, "target_path at 11");
static_assert(sizeof(wyro_io_record) >= WYRO_IO_DEFINED_SIZE, "the defined bytes fit");

// Window handles are significant in their low 32 bits on both builds.
inline uint32_t wyro_window_value(HWND window)
{
    return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(window));
}
inline HWND wyro_window_handle(uint32_t value)
{
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(static_cast<intptr_t>(static_cast<int32_t>(value))));
}

// The 216-byte self-description _DeclareVeaDllInfo@8 fills. Its texts may arrive unterminated; read them
// only through wyro_info_text.
struct wyro_dll_info {
    uint8_t reserved_0;
    char name[WYRO_INFO_TEXT_SIZE];
    float version;
    char version_suffix[WYRO_SUFFIX_SIZE];
    int32_t id;
    int16_t event_flags;
    uint8_t grouped;  // 1 = the menu item goes into the group submenu group_name
    uint8_t reserved_51;
    uint32_t menu_state;  // menu-item state bits (3 = grayed)
    char presenter[WYRO_INFO_TEXT_SIZE];
    char description[WYRO_INFO_TEXT_SIZE];
    char menu_text[WYRO_INFO_TEXT_SIZE];
    char group_name[WYRO_INFO_TEXT_SIZE];
    uint8_t reserved_180[36];
};
static_assert(offsetof(wyro_dll_info, reserved_0) == 0, "reserved at 0");
static_assert(offsetof(wyro_dll_info, name) == 1, "name at 1");
static_assert(offsetof(wyro_dll_info, version) == 32, "version at 32");
static_assert(offsetof(wyro_dll_info, version_suffix) == 36, "version_suffix at 36");
static_assert(offsetof(wyro_dll_info, id) == 44, "id at 44");
static_assert(offsetof(wyro_dll_info, event_flags) == 48, "event_flags at 48");
static_assert(offsetof(wyro_dll_info, grouped) == 50, "grouped at 50");
static_assert(offsetof(wyro_dll_info, reserved_51) == 51, "reserved at 51");
static_assert(offsetof(wyro_dll_info, menu_state) == 52, "menu_state at 52");
static_assert(offsetof(wyro_dll_info, presenter) == 56, "presenter at 56");
static_assert(offsetof(wyro_dll_info, description) == 87, "description at 87");
static_assert(offsetof(wyro_dll_info, menu_text) == 118, "menu_text at 118");
static_assert(offsetof(wyro_dll_info, group_name) == 149, "group_name at 149");
static_assert(offsetof(wyro_dll_info, reserved_180) == 180, "reserved at 180");
static_assert(sizeof(wyro_dll_info) == WYRO_INFO_SIZE, "wyro_dll_info is 216 bytes");
static_assert(sizeof(float) == 4, "version is a 32-bit float");

// The two entry points: (owner window, record); the result is ignored.
typedef int32_t(WINAPI *wyro_declare_function)(HWND owner, wyro_dll_info *info);
typedef int32_t(WINAPI *wyro_process_function)(HWND owner, wyro_io_record *io);

// Copies a text field of the self-description into out (terminated), never reading past the field.
void wyro_info_text(const char *field, size_t field_size, char *out, size_t out_size);

// Host operations. The owner is the main window; messages appear only when it is given.
// A new host record, or null on failure ("ERROR [Addin-Start]" messages).
wyro_host *start_addin_host(HWND owner, wyro_config config);
// Frees the host's blocks when all are present, otherwise warns "CAUTION [Addin-End]" and frees nothing; 1.
int end_addin_host(HWND owner, wyro_host *host);
// Inserts the add-in popup for menu code 128, 32 or 64 into target at menu_position; 1 when inserted.
int build_addin_menu(HWND owner, HMENU target, wyro_host *host, wyro_config config, int menu_code);
// Calls every add-in that takes part in event_code; 1, or 0 without a host.
int fire_addin_event(HWND owner, wyro_host *host, wyro_config config, wyro_io_record *io, int event_code);
// Runs an add-in for a command or system command in the add-in range and notes mouse moves; never consumes
// the message; 1.
int dispatch_addin_command(HWND owner, wyro_host *host, wyro_config config, wyro_io_record *io, UINT message,
                           WPARAM wparam, LPARAM lparam);

// Full path of kept add-in index (0-based) into out; 0 when index is outside the list or the path is too long.
int addin_library_path(const wyro_host *host, int index, char *out, size_t out_size);

// Displays.
// The add-in view window (dialog 106): a child of parent at (296,160), shown. Null on failure.
HWND create_addin_view_window(HWND parent);
// State report (command 40010). 1.
int show_addin_state(HWND owner, const wyro_host *host);
// Details command (command 40017): the not-installed or no-add-in message, or the details window (dialog
// 128) modally. 1.
int show_addin_details(HWND owner, const wyro_host *host);
// Version dialog (command 40011, dialog 126). 1.
int show_addin_version(HWND owner, const wyro_io_record *io, wyro_config config);

// The details window's lasting state: the shown add-in (1-based; 0 = none), its description, the closing
// animation's step.
struct addin_details_state {
    int32_t current_index;
    wyro_dll_info displayed_info;
    int32_t close_step;
};
addin_details_state *addin_details();
// Fills displayed_info for current_index from the host's list; 1 when an add-in described itself.
int load_displayed_info(HWND owner, const wyro_host *host);
