// Drives karvo.exe's settings dialogs from the outside.
#include "gui_driver.h"
#include "test_files.h"
#include <commctrl.h>
#include <prsht.h>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

const DWORD WAIT_MS = 30000;

struct window_search {
    DWORD process_id;
    HWND except;
    HWND found;
};

BOOL CALLBACK match_main_window(HWND window, LPARAM data)
{
    window_search *search = reinterpret_cast<window_search *>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char class_name[64] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (owner == search->process_id && std::strcmp(class_name, "Karvo Window") == 0 && IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK match_other_dialog(HWND window, LPARAM data)
{
    window_search *search = reinterpret_cast<window_search *>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process_id || window == search->except || !IsWindowVisible(window)) return TRUE;
    char class_name[32] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (std::strcmp(class_name, "#32770") != 0) return TRUE;
    search->found = window;
    return FALSE;
}

// Memory lent in the program under test, for messages that carry a pointer.
struct remote_memory {
    HANDLE process;
    char *address;
    size_t size;
};

int lend(const karvo_run &run, size_t size, remote_memory *memory)
{
    memory->process = run.process;
    memory->size = size;
    memory->address = static_cast<char *>(
        VirtualAllocEx(run.process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    return memory->address != nullptr;
}

void give_back(remote_memory *memory)
{
    if (memory->address != nullptr) VirtualFreeEx(memory->process, memory->address, 0, MEM_RELEASE);
    memory->address = nullptr;
}

int put(const remote_memory &memory, size_t offset, const void *data, size_t size)
{
    SIZE_T done = 0;
    return WriteProcessMemory(memory.process, memory.address + offset, data, size, &done) && done == size;
}

int get(const remote_memory &memory, size_t offset, void *data, size_t size)
{
    SIZE_T done = 0;
    return ReadProcessMemory(memory.process, memory.address + offset, data, size, &done) && done == size;
}

const size_t TEXT_ROOM = 512;

// PNG pieces: CRC-32 over type and data, and a zlib stream of stored blocks.
unsigned long crc_of(const unsigned char *bytes, size_t size, unsigned long crc = 0xFFFFFFFFul)
{
    for (size_t i = 0; i < size; i++) {
        crc ^= bytes[i];
        for (int bit = 0; bit < 8; bit++) crc = (crc >> 1) ^ (0xEDB88320ul & (0ul - (crc & 1)));
    }
    return crc;
}

void put_u32(std::vector<unsigned char> *out, unsigned long value)
{
    for (int shift = 24; shift >= 0; shift -= 8) out->push_back(static_cast<unsigned char>(value >> shift));
}

void put_chunk(std::vector<unsigned char> *out, const char *type, const std::vector<unsigned char> &data)
{
    put_u32(out, static_cast<unsigned long>(data.size()));
    std::vector<unsigned char> typed(type, type + 4);
    typed.insert(typed.end(), data.begin(), data.end());
    out->insert(out->end(), typed.begin(), typed.end());
    put_u32(out, crc_of(typed.data(), typed.size()) ^ 0xFFFFFFFFul);
}

std::vector<unsigned char> stored_zlib(const std::vector<unsigned char> &raw)
{
    std::vector<unsigned char> out = {0x78, 0x01};
    size_t at = 0;
    do {
        size_t block = raw.size() - at < 65535 ? raw.size() - at : 65535;
        out.push_back(at + block == raw.size() ? 1 : 0);
        out.push_back(static_cast<unsigned char>(block & 0xFF));
        out.push_back(static_cast<unsigned char>(block >> 8));
        out.push_back(static_cast<unsigned char>(~block & 0xFF));
        out.push_back(static_cast<unsigned char>((~block >> 8) & 0xFF));
        out.insert(out.end(), raw.begin() + static_cast<long>(at), raw.begin() + static_cast<long>(at + block));
        at += block;
    } while (at < raw.size());
    unsigned long a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    put_u32(&out, (b << 16) | a);
    return out;
}

int write_png(const std::string &path, int width, int height, const std::vector<unsigned char> &bgra)
{
    std::vector<unsigned char> raw;
    for (int y = 0; y < height; y++) {
        raw.push_back(0);
        for (int x = 0; x < width; x++) {
            const unsigned char *pixel = &bgra[(static_cast<size_t>(y) * width + x) * 4];
            raw.push_back(pixel[2]);
            raw.push_back(pixel[1]);
            raw.push_back(pixel[0]);
        }
    }
    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    put_u32(&header, static_cast<unsigned long>(width));
    put_u32(&header, static_cast<unsigned long>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});
    put_chunk(&png, "IHDR", header);
    put_chunk(&png, "IDAT", stored_zlib(raw));
    put_chunk(&png, "IEND", {});
    return write_file_bytes(path, png);
}

}  // namespace

int start_karvo(karvo_run *run, const std::string &tag, const std::string &ini_text)
{
    run->fixture = make_program_fixture(tag, ini_text);
    run->process = start_program(run->fixture, "");
    if (run->process == nullptr) return 0;
    run->process_id = GetProcessId(run->process);
    for (DWORD waited = 0; waited < WAIT_MS; waited += 50) {
        window_search search = {run->process_id, nullptr, nullptr};
        EnumWindows(match_main_window, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            run->window = search.found;
            return 1;
        }
        if (WaitForSingleObject(run->process, 50) == WAIT_OBJECT_0) return 0;
    }
    return 0;
}

int stop_karvo(karvo_run *run)
{
    if (run->process == nullptr) return -1;
    if (run->window != nullptr) PostMessageA(run->window, WM_CLOSE, 0, 0);
    int code = wait_for_exit(run->process, WAIT_MS);
    run->process = nullptr;
    return code;
}

std::string ini_path_of(const karvo_run &run)
{
    return run.fixture.folder + "quodra.ini";
}

HWND open_by_command(const karvo_run &run, int command, const char *caption)
{
    PostMessageA(run.window, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    return wait_for_dialog(caption, WAIT_MS);
}

int wait_gone(HWND window)
{
    for (DWORD waited = 0; waited < WAIT_MS; waited += 20) {
        if (!IsWindow(window)) return 1;
        Sleep(20);
    }
    return 0;
}

HWND show_page(HWND sheet, int index)
{
    SendMessageA(sheet, PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

int tab_count(HWND sheet)
{
    HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    return static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
}

std::string tab_text(const karvo_run &run, HWND sheet, int index)
{
    HWND tab = reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETTABCONTROL, 0, 0));
    remote_memory memory;
    if (!lend(run, sizeof(TCITEMA) + TEXT_ROOM, &memory)) return "(no memory)";
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = memory.address + sizeof(TCITEMA);
    item.cchTextMax = static_cast<int>(TEXT_ROOM);
    char text[TEXT_ROOM] = "";
    put(memory, 0, &item, sizeof item);
    put(memory, sizeof(TCITEMA), text, sizeof text);
    SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(memory.address));
    get(memory, 0, &item, sizeof item);
    // The control may answer with a pointer of its own.
    SIZE_T done = 0;
    ReadProcessMemory(run.process, item.pszText, text, sizeof text - 1, &done);
    text[sizeof text - 1] = '\0';
    give_back(&memory);
    return text;
}

int press_sheet_button(HWND sheet, int button)
{
    PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0);
    return wait_gone(sheet);
}

void click(HWND dialog, int id)
{
    SendMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void post_click(HWND dialog, int id)
{
    PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

int checked(HWND dialog, int id)
{
    return SendMessageA(GetDlgItem(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void set_text(HWND dialog, int id, const std::string &text)
{
    SetDlgItemTextA(dialog, id, text.c_str());
}

std::string list_view_text(const karvo_run &run, HWND list, int row, int column)
{
    remote_memory memory;
    if (!lend(run, sizeof(LVITEMA) + TEXT_ROOM, &memory)) return "(no memory)";
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = memory.address + sizeof(LVITEMA);
    item.cchTextMax = static_cast<int>(TEXT_ROOM);
    char text[TEXT_ROOM] = "";
    put(memory, 0, &item, sizeof item);
    put(memory, sizeof(LVITEMA), text, sizeof text);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(memory.address));
    get(memory, sizeof(LVITEMA), text, sizeof text);
    text[sizeof text - 1] = '\0';
    give_back(&memory);
    return text;
}

std::string list_view_column(const karvo_run &run, HWND list, int column, int *width)
{
    remote_memory memory;
    if (!lend(run, sizeof(LVCOLUMNA) + TEXT_ROOM, &memory)) return "(no memory)";
    LVCOLUMNA item = {};
    item.mask = LVCF_TEXT | LVCF_WIDTH;
    item.pszText = memory.address + sizeof(LVCOLUMNA);
    item.cchTextMax = static_cast<int>(TEXT_ROOM);
    char text[TEXT_ROOM] = "";
    put(memory, 0, &item, sizeof item);
    put(memory, sizeof(LVCOLUMNA), text, sizeof text);
    SendMessageA(list, LVM_GETCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(memory.address));
    get(memory, 0, &item, sizeof item);
    get(memory, sizeof(LVCOLUMNA), text, sizeof text);
    text[sizeof text - 1] = '\0';
    *width = item.cx;
    give_back(&memory);
    return text;
}

std::string list_box_text(HWND list, int row)
{
    // Asked in UTF-16: between processes the list's ANSI answer does not come back as code page 932.
    WCHAR wide[TEXT_ROOM] = L"";
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length == LB_ERR || length >= static_cast<LRESULT>(TEXT_ROOM)) return "(no row)";
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(wide));
    char text[TEXT_ROOM * 2] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
    return text;
}

std::string tree_selection_text(const karvo_run &run, HWND tree)
{
    LRESULT selected = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0);
    if (selected == 0) return "";
    remote_memory memory;
    if (!lend(run, sizeof(TVITEMA) + TEXT_ROOM, &memory)) return "(no memory)";
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = reinterpret_cast<HTREEITEM>(selected);
    item.pszText = memory.address + sizeof(TVITEMA);
    item.cchTextMax = static_cast<int>(TEXT_ROOM);
    char text[TEXT_ROOM] = "";
    put(memory, 0, &item, sizeof item);
    put(memory, sizeof(TVITEMA), text, sizeof text);
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(memory.address));
    get(memory, sizeof(TVITEMA), text, sizeof text);
    text[sizeof text - 1] = '\0';
    give_back(&memory);
    return text;
}

int wait_for_tree_selection(const karvo_run &run, HWND dialog, const std::string &text)
{
    for (DWORD waited = 0; waited < 8000; waited += 100) {
        HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
        if (tree != nullptr && tree_selection_text(run, tree) == text) return 1;
        Sleep(100);
    }
    return 0;
}

RECT child_rect(HWND child)
{
    RECT rect = {};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT *>(&rect), 2);
    return rect;
}

HWND wait_for_other_dialog(DWORD process_id, HWND except, DWORD timeout_ms)
{
    for (DWORD waited = 0; waited < timeout_ms; waited += 50) {
        window_search search = {process_id, except, nullptr};
        EnumWindows(match_other_dialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(50);
    }
    return nullptr;
}

std::map<std::string, std::string> read_ini_entries(const std::string &path)
{
    std::map<std::string, std::string> entries;
    std::vector<unsigned char> bytes = read_file_bytes(path);
    std::string text(bytes.begin(), bytes.end());
    std::string section;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(at, end - at);
        at = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            for (char &c : section) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        std::string key = line.substr(0, equals);
        for (char &c : key) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        entries[section + "/" + key] = line.substr(equals + 1);
    }
    return entries;
}

int take_screenshot(HWND window, const std::string &name)
{
    SetForegroundWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Sleep(400);
    RECT rect = {};
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return 0;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    std::vector<unsigned char> pixels(static_cast<const unsigned char *>(bits),
                                      static_cast<const unsigned char *>(bits) + static_cast<size_t>(width) * height * 4);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    std::string folder = test_program_folder() + "screenshots\\";
    CreateDirectoryA(folder.c_str(), nullptr);
    return write_png(folder + name + ".png", width, height, pixels);
}
