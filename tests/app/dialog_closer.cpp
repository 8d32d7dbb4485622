// Closes the dialog boxes a program under test shows.
#include "dialog_closer.h"

namespace {

struct dialog_search {
    DWORD process_id;
    HWND found;
};

BOOL CALLBACK match_dialog(HWND window, LPARAM data)
{
    dialog_search *search = reinterpret_cast<dialog_search *>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->process_id || !IsWindowVisible(window)) return TRUE;
    char class_name[32] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (lstrcmpA(class_name, "#32770") != 0) return TRUE;
    search->found = window;
    return FALSE;
}

void close_loop(dialog_closer *closer)
{
    while (InterlockedCompareExchange(&closer->stop, 0, 0) == 0) {
        dialog_search search = {closer->process_id, nullptr};
        EnumWindows(match_dialog, reinterpret_cast<LPARAM>(&search));
        if (search.found == nullptr) {
            Sleep(20);
            continue;
        }
        char caption[260] = "";
        GetWindowTextA(search.found, caption, sizeof caption);
        closer->last_caption = caption;
        // Posted, not sent: the dialog closes in its own thread's loop.
        PostMessageA(search.found, WM_CLOSE, 0, 0);
        InterlockedIncrement(&closer->closed);
        for (int i = 0; i < 200 && IsWindow(search.found) && IsWindowVisible(search.found); i++) Sleep(10);
    }
}

}  // namespace

void start_closing_dialogs(dialog_closer *closer, DWORD process_id)
{
    closer->process_id = process_id;
    closer->closed = 0;
    closer->stop = 0;
    closer->worker = std::thread(close_loop, closer);
}

void stop_closing_dialogs(dialog_closer *closer)
{
    InterlockedExchange(&closer->stop, 1);
    if (closer->worker.joinable()) closer->worker.join();
}
