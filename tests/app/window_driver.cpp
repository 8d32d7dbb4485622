// Driving another process's windows from a test.
#include "window_driver.h"
#include <commctrl.h>
#include <cstdio>
#include <cstring>

namespace {

struct window_search {
    DWORD process_id;
    const char *class_name;
    HWND found;
};

BOOL CALLBACK match_window(HWND window, LPARAM data)
{
    window_search *search = reinterpret_cast<window_search *>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char class_name[64] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (owner != search->process_id || lstrcmpA(class_name, search->class_name) != 0 || !IsWindowVisible(window))
        return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

HWND wait_for_process_window(DWORD process_id, const char *class_name, DWORD timeout_ms)
{
    DWORD start = GetTickCount();
    do {
        window_search search = {process_id, class_name, nullptr};
        EnumWindows(match_window, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) return search.found;
        Sleep(50);
    } while (GetTickCount() - start < timeout_ms);
    return nullptr;
}

HWND child_of_class(HWND parent, const char *class_name)
{
    return FindWindowExA(parent, nullptr, class_name, nullptr);
}

LRESULT send_with_remote_block(HANDLE process, HWND window, UINT message, WPARAM wparam,
                               std::vector<unsigned char> *data, size_t pointer_offset_in_block, size_t pointed_offset)
{
    unsigned char *remote = static_cast<unsigned char *>(
        VirtualAllocEx(process, nullptr, data->size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
    if (remote == nullptr) return -1;
    // A pointer inside the block that points at another place of the same block.
    if (pointer_offset_in_block != SIZE_MAX) {
        unsigned char *target = remote + pointed_offset;
        std::memcpy(data->data() + pointer_offset_in_block, &target, sizeof target);
    }
    SIZE_T moved = 0;
    WriteProcessMemory(process, remote, data->data(), data->size(), &moved);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wparam, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL, 30000, &result);
    ReadProcessMemory(process, remote, data->data(), data->size(), &moved);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    return static_cast<LRESULT>(result);
}

std::string from_wide(const wchar_t *text)
{
    char out[2048] = "";
    WideCharToMultiByte(932, 0, text, -1, out, sizeof out, nullptr, nullptr);
    return out;
}

// Texts are asked for in UTF-16, which Wine hands across processes as it is, and turned into code page 932.
std::string window_text(HWND window)
{
    wchar_t text[1024] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 30000, nullptr);
    return from_wide(text);
}

std::string list_box_row(HWND list, int row)
{
    wchar_t text[1024] = L"";
    LRESULT length = SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0);
    if (length < 0 || length >= 1024) return "";
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text));
    return from_wide(text);
}

std::vector<std::string> list_box_rows(HWND list)
{
    std::vector<std::string> rows;
    int count = static_cast<int>(SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++) rows.push_back(list_box_row(list, i));
    return rows;
}

std::vector<std::string> combo_rows(HWND combo)
{
    std::vector<std::string> rows;
    int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; i++) {
        wchar_t text[1024] = L"";
        SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        rows.push_back(from_wide(text));
    }
    return rows;
}

std::string list_view_cell(HANDLE process, HWND list, int row, int column)
{
    const size_t TEXT_SIZE = 520;
    std::vector<unsigned char> block(sizeof(LVITEMA) + TEXT_SIZE, 0);
    LVITEMA item = {};
    item.iSubItem = column;
    item.cchTextMax = static_cast<int>(TEXT_SIZE);
    std::memcpy(block.data(), &item, sizeof item);
    send_with_remote_block(process, list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), &block,
                           offsetof(LVITEMA, pszText), sizeof(LVITEMA));
    block.back() = 0;
    return reinterpret_cast<const char *>(block.data() + sizeof(LVITEMA));
}

int list_view_count(HWND list)
{
    return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
}

void focus_list_view_row(HANDLE process, HWND list, int row)
{
    std::vector<unsigned char> block(sizeof(LVITEMA), 0);
    LVITEMA item = {};
    item.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    item.state = 0;
    std::memcpy(block.data(), &item, sizeof item);
    send_with_remote_block(process, list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), &block);
    item.state = LVIS_FOCUSED | LVIS_SELECTED;
    std::memcpy(block.data(), &item, sizeof item);
    send_with_remote_block(process, list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), &block);
}

RECT list_view_row_rect(HANDLE process, HWND list, int row)
{
    std::vector<unsigned char> block(sizeof(RECT), 0);
    RECT rect = {};
    rect.left = LVIR_LABEL;
    std::memcpy(block.data(), &rect, sizeof rect);
    send_with_remote_block(process, list, LVM_GETITEMRECT, static_cast<WPARAM>(row), &block);
    std::memcpy(&rect, block.data(), sizeof rect);
    return rect;
}

void post_click(HWND window, int x, int y, UINT down, UINT up, WPARAM keys)
{
    PostMessageA(window, down, keys, MAKELPARAM(x, y));
    PostMessageA(window, up, 0, MAKELPARAM(x, y));
}

std::string status_text(HANDLE process, HWND status_bar)
{
    std::vector<unsigned char> block(1024, 0);
    // In simple mode the status bar answers for part 0 with its simple text.
    send_with_remote_block(process, status_bar, SB_GETTEXTA, 0, &block);
    block.back() = 0;
    return reinterpret_cast<const char *>(block.data());
}

screen_image capture_screen(int left, int top, int width, int height)
{
    screen_image image;
    image.width = width;
    image.height = height;
    image.pixels.assign(static_cast<size_t>(width) * height, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, left, top, SRCCOPY);
    GdiFlush();
    const unsigned int *source = static_cast<const unsigned int *>(bits);
    for (size_t i = 0; i < image.pixels.size(); i++) image.pixels[i] = source[i] & 0x00FFFFFF;
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return image;
}

unsigned int rgb_value(int red, int green, int blue)
{
    return (static_cast<unsigned int>(red) << 16) | (static_cast<unsigned int>(green) << 8) |
           static_cast<unsigned int>(blue);
}

unsigned int client_pixel(HWND window, int x, int y)
{
    POINT point = {x, y};
    ClientToScreen(window, &point);
    return capture_screen(point.x, point.y, 1, 1).pixels[0];
}

int save_screen_bmp(const std::string &path)
{
    int width = GetSystemMetrics(SM_CXSCREEN);
    int height = GetSystemMetrics(SM_CYSCREEN);
    screen_image image = capture_screen(0, 0, width, height);
    int stride = (width * 3 + 3) & ~3;
    std::vector<unsigned char> rows(static_cast<size_t>(stride) * height, 0);
    for (int y = 0; y < height; y++) {
        unsigned char *row = rows.data() + static_cast<size_t>(height - 1 - y) * stride;
        for (int x = 0; x < width; x++) {
            unsigned int colour = image.at(x, y);
            row[x * 3] = static_cast<unsigned char>(colour & 0xFF);
            row[x * 3 + 1] = static_cast<unsigned char>((colour >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<unsigned char>((colour >> 16) & 0xFF);
        }
    }
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biSizeImage = static_cast<DWORD>(rows.size());
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + header.biSizeImage;
    FILE *out = std::fopen(path.c_str(), "wb");
    if (out == nullptr) return 0;
    std::fwrite(&file, sizeof file, 1, out);
    std::fwrite(&header, sizeof header, 1, out);
    std::fwrite(rows.data(), 1, rows.size(), out);
    std::fclose(out);
    return 1;
}

int client_shows_text(HWND window, int x, int y, HFONT font, COLORREF text_colour, COLORREF background,
                      const char *text)
{
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old_font = SelectObject(memory, font);
    SIZE extent = {};
    int length = lstrlenA(text);
    GetTextExtentPoint32A(memory, text, length, &extent);
    if (extent.cx <= 0 || extent.cy <= 0) {
        SelectObject(memory, old_font);
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
        return length == 0;
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = extent.cx;
    info.bmiHeader.biHeight = -extent.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old_bitmap = SelectObject(memory, bitmap);
    SetTextColor(memory, text_colour);
    SetBkColor(memory, background);
    SetBkMode(memory, OPAQUE);
    TextOutA(memory, 0, 0, text, length);
    GdiFlush();
    POINT origin = {x, y};
    ClientToScreen(window, &origin);
    screen_image shown = capture_screen(origin.x, origin.y, extent.cx, extent.cy);
    const unsigned int *drawn = static_cast<const unsigned int *>(bits);
    int same = 1;
    for (size_t i = 0; i < shown.pixels.size() && same; i++) same = (drawn[i] & 0x00FFFFFF) == shown.pixels[i];
    SelectObject(memory, old_bitmap);
    SelectObject(memory, old_font);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return same;
}
