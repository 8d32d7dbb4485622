// Answers message boxes in the background for tests.
#include "box_answerer.h"

namespace {

struct box_search {
    const char *caption;
    HWND found;
};

BOOL CALLBACK match_box(HWND window, LPARAM data)
{
    box_search *search = reinterpret_cast<box_search *>(data);
    char class_name[32];
    char title[260];
    // The class first: reading a title sends a message to the window's thread, which may be the one
    // waiting for this search to end.
    GetClassNameA(window, class_name, sizeof class_name);
    if (lstrcmpA(class_name, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    GetWindowTextA(window, title, sizeof title);
    if (lstrcmpA(title, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

void answer_loop(box_answerer *answerer)
{
    while (InterlockedCompareExchange(&answerer->stop, 0, 0) == 0) {
        HWND box = find_dialog_box(answerer->caption.c_str());
        if (box == nullptr) {
            Sleep(20);
            continue;
        }
        char text[1024] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        answerer->last_text = text;
        HWND button = GetDlgItem(box, answerer->button);
        if (button != nullptr) {
            SendMessageA(button, BM_CLICK, 0, 0);
        } else {
            PostMessageA(box, WM_COMMAND, answerer->button, 0);
        }
        answerer->answered++;
        for (int i = 0; i < 100 && IsWindow(box) && IsWindowVisible(box); i++) Sleep(10);
    }
}

}  // namespace

HWND find_dialog_box(const char *caption)
{
    box_search search = {caption, nullptr};
    EnumWindows(match_box, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void start_answering_boxes(box_answerer *answerer, const char *caption, int button)
{
    answerer->caption = caption;
    answerer->button = button;
    answerer->answered = 0;
    answerer->stop = 0;
    answerer->worker = std::thread(answer_loop, answerer);
}

void stop_answering_boxes(box_answerer *answerer)
{
    InterlockedExchange(&answerer->stop, 1);
    if (answerer->worker.joinable()) answerer->worker.join();
}
