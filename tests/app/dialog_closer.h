// Closes the dialog boxes a program under test shows: a background thread finds visible top-level dialog
// boxes (class #32770) of one process and sends each the close message, counting them.
#pragma once
#include <windows.h>
#include <string>
#include <thread>

struct dialog_closer {
    std::thread worker;
    DWORD process_id = 0;
    volatile LONG closed = 0;  // dialogs closed so far
    volatile LONG stop = 0;
    std::string last_caption;  // code page 932
};

void start_closing_dialogs(dialog_closer *closer, DWORD process_id);
void stop_closing_dialogs(dialog_closer *closer);
