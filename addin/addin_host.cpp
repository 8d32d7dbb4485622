// The Wyro add-in host: finds the add-ins at start, lists them in the menus, calls them on events and menu
// commands. Add-in libraries are loaded for one call and released, except the one that asks to stay.
#include "addin_host.h"
#include "bounded_text.h"
#include "owner_message.h"
#include "path_helpers.h"
#include <cstdlib>
#include <cstring>

namespace {

const char START_CAPTION[] = "ERROR [Addin-Start]";
const char END_CAPTION[] = "CAUTION [Addin-End]";
const char NO_MEMORY_TEXT[] = "メモリが足りません";
const int WORK_NAME_SIZE = MAX_PATH;
const int LISTING_FAILURE_ABOVE = 990000;
const UINT GRAYED_ITEM_STATE = MF_GRAYED;  // the title item of a menu without members

// One GlobalAlloc block of n items (never of 0 bytes), zero-filled.
template <typename T> T *global_block(int n)
{
    size_t bytes = sizeof(T) * static_cast<size_t>(n > 0 ? n : 1);
    return static_cast<T *>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, bytes));
}

void free_global(void *block)
{
    if (block != nullptr) GlobalFree(block);
}

void free_host_blocks(wyro_host *host)
{
    free_global(host->count);
    free_global(host->flags);
    free_global(host->names);
    free_global(host->current_menu_code);
    free_global(host->kept_library);
    free_global(host->origins);
    GlobalFree(host);
}

// The program's folder with its trailing separator, as folder_of finds it.
int program_folder_path(char *out, size_t out_size)
{
    char module[MAX_PATH];
    DWORD length = GetModuleFileNameA(nullptr, module, sizeof module);
    if (length == 0 || length >= sizeof module) return 0;
    return folder_of(nullptr, module, out, out_size);
}

// The system folder with a trailing backslash.
int system_folder_path(char *out, size_t out_size)
{
    char system[MAX_PATH];
    UINT length = GetSystemDirectoryA(system, sizeof system);
    if (length == 0 || length >= sizeof system) return 0;
    if (!copy_text(out, out_size, system)) return 0;
    if (sjis_ends_with_one_of(out, "\\")) return 1;
    return append_text(out, out_size, "\\");
}

// Appends a load name to a folder, turning its stand-alone '/' separators into '\'.
int append_load_name(char *path, size_t path_size, const char *name)
{
    size_t used = std::strlen(path);
    sjis_scanner scanner;
    sjis_reset(&scanner);
    for (const char *at = name; *at != '\0'; at++) {
        if (used + 1 >= path_size) {
            path[used] = '\0';
            return 0;
        }
        unsigned char byte = static_cast<unsigned char>(*at);
        int alone = sjis_byte_stands_alone(&scanner, byte);
        path[used++] = (alone && byte == '/') ? '\\' : static_cast<char>(byte);
    }
    path[used] = '\0';
    return 1;
}

int full_path_of(int8_t origin, const char *name, char *out, size_t out_size)
{
    int folder_found = origin == WYRO_FROM_SYSTEM_FOLDER ? system_folder_path(out, out_size)
                                                         : program_folder_path(out, out_size);
    return folder_found && append_load_name(out, out_size, name);
}

// Loads a library by full path without the platform's error boxes; null when it cannot be loaded.
HMODULE load_library_quietly(const char *path)
{
    UINT previous = SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path);
    SetErrorMode(previous);
    return module;
}

template <typename F> F entry_point(HMODULE module, const char *name)
{
    return reinterpret_cast<F>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

// Asks the library at path to describe itself into info; 1 when it loaded and has the entry point.
int describe_library(HWND owner, const char *path, wyro_dll_info *info)
{
    HMODULE module = load_library_quietly(path);
    if (module == nullptr) return 0;
    wyro_declare_function declare = entry_point<wyro_declare_function>(module, WYRO_DECLARE_EXPORT);
    if (declare != nullptr) declare(owner, info);
    FreeLibrary(module);
    return declare != nullptr;
}

// The work lists of the start: found names (260-byte slots), the folder each is relative to, and the flags
// and ids of the accepted ones.
struct start_lists {
    int capacity;
    int filled;
    char *names;
    int8_t *origins;
    int16_t *flags;
    int32_t *ids;
};

void free_start_lists(start_lists *lists)
{
    std::free(lists->names);
    std::free(lists->origins);
    std::free(lists->flags);
    std::free(lists->ids);
}

char *work_name(start_lists *lists, int index)
{
    return lists->names + static_cast<size_t>(index) * WORK_NAME_SIZE;
}

struct search_folder {
    char path[MAX_PATH];
    int with_folder_name;  // names listed here get folder_name in front
    int8_t origin;
    int usable;
};

// The four search folders in order: program folder, its add-in subfolder, system folder, its subfolder.
void find_search_folders(const char *folder_name, search_folder folders[4])
{
    char program[MAX_PATH];
    char system[MAX_PATH];
    int have_program = program_folder_path(program, sizeof program);
    int have_system = system_folder_path(system, sizeof system);
    const int8_t origins[4] = {WYRO_FROM_PROGRAM_FOLDER, WYRO_FROM_PROGRAM_FOLDER, WYRO_FROM_SYSTEM_FOLDER,
                               WYRO_FROM_SYSTEM_FOLDER};
    for (int f = 0; f < 4; f++) {
        search_folder &folder = folders[f];
        folder.with_folder_name = f % 2;
        folder.origin = origins[f];
        int base_found = f < 2 ? have_program : have_system;
        folder.usable = base_found && copy_text(folder.path, sizeof folder.path, f < 2 ? program : system);
        if (folder.with_folder_name) {
            folder.usable = folder.usable && folder_name[0] != '\0' &&
                            append_text(folder.path, sizeof folder.path, folder_name);
        }
    }
}

// Lists the matching files of one folder after the names already found; 0 on a listing failure.
int list_search_folder(const search_folder &folder, const char *folder_name, const char *pattern,
                       start_lists *lists)
{
    int remaining = lists->capacity - lists->filled;
    if (!folder.usable || remaining <= 0) return 1;
    int first = lists->filled;
    int listed = list_folder_paths(nullptr, folder.path, work_name(lists, first), remaining, WORK_NAME_SIZE,
                                   pattern, LIST_FILES, 1);
    if (listed == LIST_NO_FIND_HANDLE) return 1;
    if (listed > LISTING_FAILURE_ABOVE) return 0;
    if (listed > remaining) listed = remaining;
    for (int i = first; i < first + listed; i++) {
        lists->origins[i] = folder.origin;
        if (!folder.with_folder_name) continue;
        char prefixed[WORK_NAME_SIZE];
        copy_text(prefixed, sizeof prefixed, folder_name);
        // A name that does not fit cannot be loaded; it is left empty and so left out.
        if (!append_text(prefixed, sizeof prefixed, work_name(lists, i))) prefixed[0] = '\0';
        copy_text(work_name(lists, i), WORK_NAME_SIZE, prefixed);
    }
    lists->filled += listed;
    return 1;
}

// Keeps the entries whose library describes itself with an id not seen before, in list order.
void accept_described(HWND owner, start_lists *lists)
{
    wyro_dll_info info;
    std::memset(&info, 0, sizeof info);  // one work record for every call, not cleared between them
    int accepted = 0;
    for (int i = 0; i < lists->filled; i++) {
        char path[MAX_PATH];
        const char *name = work_name(lists, i);
        int described = name[0] != '\0' && full_path_of(lists->origins[i], name, path, sizeof path) &&
                        describe_library(owner, path, &info);
        int repeated = 0;
        for (int a = 0; described && a < accepted; a++) {
            if (lists->ids[a] == info.id) repeated = 1;
        }
        if (!described || repeated) continue;
        if (accepted != i) {
            copy_text(work_name(lists, accepted), WORK_NAME_SIZE, name);
            lists->origins[accepted] = lists->origins[i];
        }
        lists->flags[accepted] = info.event_flags;
        lists->ids[accepted] = info.id;
        accepted++;
    }
    lists->filled = accepted;
}

// Counts, allocates and fills the work lists; 0 when the start must end.
int find_addins(HWND owner, const char *folder_name, const char *pattern,
                start_lists *lists)
{
    search_folder folders[4];
    find_search_folders(folder_name, folders);
    int total = 0;
    for (const search_folder &folder : folders) {
        if (!folder.usable) continue;
        int counted = count_folder_entries(nullptr, folder.path, pattern, LIST_FILES);
        if (counted > LISTING_FAILURE_ABOVE || counted < 0) return 0;
        total += counted;
    }
    size_t slots = static_cast<size_t>(total) + 1;
    lists->capacity = total;
    lists->names = static_cast<char *>(std::calloc(slots, WORK_NAME_SIZE));
    lists->origins = static_cast<int8_t *>(std::calloc(slots, sizeof(int8_t)));
    lists->flags = static_cast<int16_t *>(std::calloc(slots, sizeof(int16_t)));
    lists->ids = static_cast<int32_t *>(std::calloc(slots, sizeof(int32_t)));
    if (!lists->names || !lists->origins || !lists->flags || !lists->ids) return 0;
    for (const search_folder &folder : folders) {
        if (!list_search_folder(folder, folder_name, pattern, lists)) return 0;
    }
    accept_described(owner, lists);
    return 1;
}

// Fills the host's blocks from the accepted entries; 0 (message shown) when the start must end.
int keep_addins(HWND owner, const wyro_config &config, start_lists *lists, wyro_host *host)
{
    int kept = lists->filled;
    int most = config.max_include > 0 ? config.max_include : 0;
    if (kept > most) kept = most;
    host->names = global_block<char>(kept * WYRO_NAME_SLOT_SIZE);
    host->flags = global_block<int16_t>(kept);
    host->origins = global_block<int8_t>(kept);
    if (!host->names || !host->flags || !host->origins) {
        show_owned_message(owner, NO_MEMORY_TEXT, START_CAPTION, MB_ICONWARNING);
        return 0;
    }
    for (int i = 0; i < kept; i++) {
        const char *name = work_name(lists, i);
        if (std::strlen(name) > WYRO_NAME_SLOT_SIZE - 1) {
            show_owned_message(owner, "フォルダまたはアドインのパスを短くしてください", START_CAPTION,
                               MB_ICONWARNING);
            return 0;
        }
        copy_text(host->names + static_cast<size_t>(i) * WYRO_NAME_SLOT_SIZE, WYRO_NAME_SLOT_SIZE, name);
        host->flags[i] = lists->flags[i];
        host->origins[i] = lists->origins[i];
    }
    host->count = global_block<int32_t>(1);
    host->current_menu_code = global_block<int16_t>(1);
    host->kept_library = global_block<HMODULE>(1);
    if (!host->count || !host->current_menu_code || !host->kept_library) {
        show_owned_message(owner, NO_MEMORY_TEXT, START_CAPTION, MB_ICONWARNING);
        return 0;
    }
    *host->count = kept;
    *host->current_menu_code = 0;
    *host->kept_library = nullptr;
    return 1;
}

int host_is_whole(const wyro_host *host)
{
    return host != nullptr && host->count != nullptr && host->flags != nullptr && host->names != nullptr &&
           host->current_menu_code != nullptr && host->kept_library != nullptr && host->origins != nullptr;
}

int takes_part(const wyro_host *host, int index, int code)
{
    return (host->flags[index] & code) == code;
}

// Calls add-in index with the i/o record and applies the keep rule: a library that set keep_loaded takes
// the one slot (the library held there is released); any other is released at once.
void call_addin(HWND owner, wyro_host *host, int index, wyro_io_record *io)
{
    char path[MAX_PATH];
    if (!addin_library_path(host, index, path, sizeof path)) return;
    HMODULE module = load_library_quietly(path);
    if (module == nullptr) return;
    wyro_process_function process = entry_point<wyro_process_function>(module, WYRO_PROCESS_EXPORT);
    if (process == nullptr) {
        FreeLibrary(module);
        return;
    }
    process(owner, io);
    if (io->keep_loaded == 1) {
        if (*host->kept_library != nullptr) FreeLibrary(*host->kept_library);
        *host->kept_library = module;
    } else {
        FreeLibrary(module);
    }
}

void prepare_call(wyro_io_record *io, int event_code)
{
    io->keep_loaded = 0;
    io->event_code = static_cast<int16_t>(event_code);
    io->version = 1;
}

// Tables of one menu build: the group names (raw 31-byte fields) and their submenus, in creation order.
struct menu_groups {
    int most;
    int used;
    char (*names)[WYRO_INFO_TEXT_SIZE];
    HMENU *menus;
};

// The submenu for a group name: an existing one, a new one while fewer than most exist, or null.
HMENU group_menu(menu_groups *groups, const char *group_name)
{
    for (int g = 0; g < groups->used; g++) {
        if (std::strncmp(groups->names[g], group_name, WYRO_INFO_TEXT_SIZE) == 0) return groups->menus[g];
    }
    if (groups->used >= groups->most) return nullptr;
    HMENU menu = CreatePopupMenu();
    if (menu == nullptr) return nullptr;
    std::memcpy(groups->names[groups->used], group_name, WYRO_INFO_TEXT_SIZE);
    groups->menus[groups->used] = menu;
    groups->used++;
    return menu;
}

void insert_addin_item(HMENU menu, const wyro_dll_info &info, UINT command)
{
    char text[WYRO_INFO_TEXT_SIZE + 1];
    wyro_info_text(info.menu_text, sizeof info.menu_text, text, sizeof text);
    MENUITEMINFOA item;
    std::memset(&item, 0, sizeof item);
    item.cbSize = sizeof item;
    item.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
    item.fType = MFT_STRING;
    item.fState = info.menu_state;
    item.wID = command;
    item.dwTypeData = text;
    InsertMenuItemA(menu, 0, TRUE, &item);
}

// Places add-in index's item into the popup or its group; the add-in describes itself first.
void place_addin_item(HWND owner, const wyro_host *host, const wyro_config &config, int index, HMENU popup,
                      menu_groups *groups, wyro_dll_info *info)
{
    char path[MAX_PATH];
    // An add-in that cannot describe itself now gets no item: its text would be another add-in's.
    if (!addin_library_path(host, index, path, sizeof path) || !describe_library(owner, path, info)) return;
    UINT command = static_cast<UINT>(config.command_base + index);
    if (info->grouped != 1) {
        insert_addin_item(popup, *info, command);
        return;
    }
    HMENU group = group_menu(groups, info->group_name);
    if (group != nullptr) insert_addin_item(group, *info, command);
}

void insert_groups(HMENU popup, const menu_groups &groups)
{
    for (int g = 0; g < groups.used; g++) {
        char text[WYRO_INFO_TEXT_SIZE + 1];
        wyro_info_text(groups.names[g], WYRO_INFO_TEXT_SIZE, text, sizeof text);
        InsertMenuA(popup, 0, MF_BYPOSITION | MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(groups.menus[g]),
                    text);
    }
}

}  // namespace

void fill_main_window_wyro_config(wyro_config *config)
{
    std::memset(config, 0, sizeof *config);
    copy_text(config->folder_name, sizeof config->folder_name, "wyro/");
    copy_text(config->extension, sizeof config->extension, "wyr");
    config->command_base = 25200;
    config->max_include = 50;
    copy_text(config->menu_title, sizeof config->menu_title, "汎用アドイン(&D)");
    config->menu_position = 2;
    config->max_root = 15;
}

void wyro_info_text(const char *field, size_t field_size, char *out, size_t out_size)
{
    if (out_size == 0) return;
    size_t length = 0;
    while (length < field_size && field[length] != '\0') length++;
    if (length > out_size - 1) length = out_size - 1;
    std::memcpy(out, field, length);
    out[length] = '\0';
}

int addin_library_path(const wyro_host *host, int index, char *out, size_t out_size)
{
    if (!host_is_whole(host) || index < 0 || index >= *host->count) return 0;
    const char *name = host->names + static_cast<size_t>(index) * WYRO_NAME_SLOT_SIZE;
    return full_path_of(host->origins[index], name, out, out_size);
}

wyro_host *start_addin_host(HWND owner, wyro_config config)
{
    wyro_host *host = static_cast<wyro_host *>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, sizeof(wyro_host)));
    if (host == nullptr) {
        show_owned_message(owner, NO_MEMORY_TEXT, START_CAPTION, MB_ICONWARNING);
        return nullptr;
    }
    char extension[WYRO_EXTENSION_SIZE + 1];
    char folder_name[WYRO_FOLDER_NAME_SIZE + 1];
    wyro_info_text(config.extension, sizeof config.extension, extension, sizeof extension);
    wyro_info_text(config.folder_name, sizeof config.folder_name, folder_name, sizeof folder_name);
    const char *refusal = nullptr;
    if (extension[0] == '\0') {
        refusal = "アドインの拡張子を設定してください";
    } else if (std::strlen(folder_name) > WYRO_FOLDER_NAME_SIZE - 1) {
        refusal = "アドイン用フォルダのパスが長すぎます";
    }
    if (refusal != nullptr) {
        show_owned_message(owner, refusal, START_CAPTION, MB_ICONWARNING);
        GlobalFree(host);
        return nullptr;
    }
    char pattern[WYRO_EXTENSION_SIZE + 3] = "*.";
    append_text(pattern, sizeof pattern, extension);

    start_lists lists;
    std::memset(&lists, 0, sizeof lists);
    int whole = find_addins(owner, folder_name, pattern, &lists) &&
                keep_addins(owner, config, &lists, host);
    free_start_lists(&lists);
    if (!whole) {
        free_host_blocks(host);
        return nullptr;
    }
    return host;
}

int end_addin_host(HWND owner, wyro_host *host)
{
    if (!host_is_whole(host)) {
        show_owned_message(owner, "確保したメモリを見失いました", END_CAPTION, MB_ICONWARNING);
        return 1;
    }
    // The kept library stays loaded until the process ends: the add-in may still own windows.
    free_host_blocks(host);
    return 1;
}

int build_addin_menu(HWND owner, HMENU target, wyro_host *host, wyro_config config, int menu_code)
{
    if (!host_is_whole(host)) return 0;
    char title[WYRO_MENU_TITLE_SIZE + 1];
    wyro_info_text(config.menu_title, sizeof config.menu_title, title, sizeof title);
    if (title[0] == '\0') return 0;
    menu_groups groups;
    groups.most = config.max_root > 0 ? config.max_root : 0;
    groups.used = 0;
    groups.names = static_cast<char(*)[WYRO_INFO_TEXT_SIZE]>(
        std::calloc(static_cast<size_t>(groups.most) + 1, WYRO_INFO_TEXT_SIZE));
    groups.menus = static_cast<HMENU *>(std::calloc(static_cast<size_t>(groups.most) + 1, sizeof(HMENU)));
    HMENU popup = CreatePopupMenu();
    if (groups.names == nullptr || groups.menus == nullptr || popup == nullptr) {
        std::free(groups.names);
        std::free(groups.menus);
        if (popup != nullptr) DestroyMenu(popup);
        return 0;
    }
    wyro_dll_info info;
    std::memset(&info, 0, sizeof info);
    int members = 0;
    for (int i = 0; i < *host->count; i++) {
        if (!takes_part(host, i, menu_code)) continue;
        members++;
        place_addin_item(owner, host, config, i, popup, &groups, &info);
    }
    insert_groups(popup, groups);
    BOOL inserted;
    if (members > 0) {
        inserted = InsertMenuA(target, static_cast<UINT>(config.menu_position), MF_BYPOSITION | MF_POPUP | MF_STRING,
                               reinterpret_cast<UINT_PTR>(popup), title);
    } else {
        DestroyMenu(popup);
        popup = nullptr;
        inserted = InsertMenuA(target, static_cast<UINT>(config.menu_position),
                               MF_BYPOSITION | MF_STRING | GRAYED_ITEM_STATE, 0, title);
    }
    if (!inserted && popup != nullptr) DestroyMenu(popup);
    if (owner != nullptr) DrawMenuBar(owner);
    *host->current_menu_code = static_cast<int16_t>(menu_code);
    std::free(groups.names);
    std::free(groups.menus);
    return inserted ? 1 : 0;
}

int fire_addin_event(HWND owner, wyro_host *host, wyro_config, wyro_io_record *io, int event_code)
{
    if (!host_is_whole(host) || io == nullptr) return 0;
    for (int i = 0; i < *host->count; i++) {
        if (!takes_part(host, i, event_code)) continue;
        prepare_call(io, event_code);
        call_addin(owner, host, i, io);
    }
    return 1;
}

int dispatch_addin_command(HWND owner, wyro_host *host, wyro_config config, wyro_io_record *io, UINT message,
                           WPARAM wparam, LPARAM)
{
    if (!host_is_whole(host) || io == nullptr) return 1;
    if (message == WM_MOUSEMOVE) {
        *host->current_menu_code = WYRO_EVENT_MENU_BAR;
        return 1;
    }
    if (message != WM_COMMAND && message != WM_SYSCOMMAND) return 1;
    int command = LOWORD(wparam);
    if (command < config.command_base || command > config.command_base + config.max_include - 1) return 1;
    prepare_call(io, message == WM_COMMAND ? *host->current_menu_code : WYRO_EVENT_SYSTEM_MENU);
    int index = command - config.command_base;
    if (index < *host->count) call_addin(owner, host, index, io);
    return 1;
}
