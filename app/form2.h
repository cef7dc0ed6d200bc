#pragma once
#include <windows.h>

// The instructions window, Form2: a picture of the broken search pane and a
// text telling the user in which order to try the buttons.
enum Form2ControlId {
    IDC_PICTURE1 = 2001,
    IDC_TEXT1,
};

extern const wchar_t kInstructionsText[];

// Creates Form2 afresh and shows it centred, with the focus on Picture1.
HWND ShowForm2();

// The instructions window while it is open, else nullptr.
HWND OpenForm2();
