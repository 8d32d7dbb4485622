// Driving another process's windows from a test: its main window and controls, messages whose data must
// live in the other process (list view items, notifications, status bar text), and what the screen shows.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The visible top-level window of class_name owned by process_id; null after timeout_ms.
HWND wait_for_process_window(DWORD process_id, const char *class_name, DWORD timeout_ms);
// The first child of parent with this class name, or null.
HWND child_of_class(HWND parent, const char *class_name);

// Sends message with a block of bytes copied into the other process; the block is read back into data
// (which keeps its size) after the message returns. Returns the message's result.
LRESULT send_with_remote_block(HANDLE process, HWND window, UINT message, WPARAM wparam,
                               std::vector<unsigned char> *data, size_t pointer_offset_in_block = SIZE_MAX,
                               size_t pointed_offset = 0);

std::string window_text(HWND window);
std::string list_box_row(HWND list, int row);
std::vector<std::string> list_box_rows(HWND list);
std::vector<std::string> combo_rows(HWND combo);
// Text of a list view cell, read through the other process's memory.
std::string list_view_cell(HANDLE process, HWND list, int row, int column);
int list_view_count(HWND list);
// Sets the focused and selected state on row (and clears it elsewhere).
void focus_list_view_row(HANDLE process, HWND list, int row);
// The label rectangle of a list view row, in the list's client coordinates.
RECT list_view_row_rect(HANDLE process, HWND list, int row);
// Posts a button-down and a button-up message at a client point, as a click of the user would bring.
void post_click(HWND window, int x, int y, UINT down, UINT up, WPARAM keys);
// A UTF-16 text as code page 932.
std::string from_wide(const wchar_t *text);
// The status bar's simple text.
std::string status_text(HANDLE process, HWND status_bar);

// A copy of the screen rectangle (screen coordinates) as 0x00RRGGBB values, row by row.
struct screen_image {
    int width = 0;
    int height = 0;
    std::vector<unsigned int> pixels;
    unsigned int at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};
screen_image capture_screen(int left, int top, int width, int height);
// The colour of a client-area point of window, as 0x00RRGGBB.
unsigned int client_pixel(HWND window, int x, int y);
// Writes the whole screen as a 24-bit BMP file.
int save_screen_bmp(const std::string &path);
// 1 when text drawn with font, text colour and opaque background at client point (x, y) of window is
// exactly what the screen shows there.
int client_shows_text(HWND window, int x, int y, HFONT font, COLORREF text_colour, COLORREF background,
                      const char *text);
unsigned int rgb_value(int red, int green, int blue);
