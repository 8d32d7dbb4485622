// Window mode: registers "Karvo Window", creates the fixed-size main window and runs the message loop,
// which offers every message to HTML Help before translating and dispatching it.
#include "window_mode.h"
#include "html_help.h"
#include "main_window.h"
#include "resource.h"

HINSTANCE g_instance = nullptr;
HBRUSH g_background_brush = nullptr;

const char MAIN_WINDOW_CLASS[] = "Karvo Window";
const char MAIN_WINDOW_TITLE[] = "Quodra -Quodra-";

namespace {

const COLORREF BACKGROUND_COLOUR = RGB(115, 115, 115);
// A caption, a system menu and a minimise box: no maximise box and no sizing border.
const DWORD MAIN_WINDOW_STYLE = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

int register_main_window_class(HINSTANCE instance)
{
    WNDCLASSEXA window_class = {};
    window_class.cbSize = sizeof window_class;
    window_class.style = CS_HREDRAW | CS_VREDRAW;
    window_class.lpfnWndProc = main_window_proc;
    window_class.hInstance = instance;
    window_class.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KARVO));
    window_class.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KARVO_SMALL));
    window_class.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    window_class.hbrBackground = g_background_brush;
    window_class.lpszMenuName = MAKEINTRESOURCEA(IDM_MAIN_MENU);
    window_class.lpszClassName = MAIN_WINDOW_CLASS;
    return RegisterClassExA(&window_class) != 0;
}

HWND create_main_window(HINSTANCE instance)
{
    return CreateWindowExA(0, MAIN_WINDOW_CLASS, MAIN_WINDOW_TITLE, MAIN_WINDOW_STYLE, CW_USEDEFAULT,
                           CW_USEDEFAULT, MAIN_WINDOW_WIDTH, MAIN_WINDOW_HEIGHT, nullptr, nullptr, instance,
                           nullptr);
}

int run_message_loop()
{
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // HTML Help sees every message first; only what it leaves is translated and dispatched.
        if (html_help(nullptr, nullptr, HH_PRETRANSLATEMESSAGE_COMMAND, reinterpret_cast<DWORD_PTR>(&message)) ==
            nullptr) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int run_window_mode(HINSTANCE instance)
{
    g_background_brush = CreateSolidBrush(BACKGROUND_COLOUR);
    if (!register_main_window_class(instance)) return 1;
    HWND window = create_main_window(instance);
    if (window == nullptr) return 1;
    // The show command handed to the program is not used.
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    html_help(nullptr, nullptr, HH_INITIALIZE_COMMAND, reinterpret_cast<DWORD_PTR>(&g_html_help_cookie));
    return run_message_loop();
}
