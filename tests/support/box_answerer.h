// Answers message boxes the code under test shows: a background thread waits for a dialog box with the
// given caption in this process (or any process, for GUI tests), remembers its text and clicks a button.
#pragma once
#include <windows.h>
#include <string>
#include <thread>

struct box_answerer {
    std::thread worker;
    std::string caption;    // code page 932
    int button = IDYES;
    int answered = 0;       // boxes answered so far
    std::string last_text;  // text of the last box answered
    volatile LONG stop = 0;
};

// Starts answering every box titled caption with button until stop_answering_boxes.
void start_answering_boxes(box_answerer *answerer, const char *caption, int button);
void stop_answering_boxes(box_answerer *answerer);
// Finds a top-level dialog box (class #32770) with this caption, any process; null when there is none.
HWND find_dialog_box(const char *caption);
