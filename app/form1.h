#pragma once
#include <windows.h>

// The main window, Form1, and its controls.
enum Form1ControlId {
    IDC_COMMAND1 = 1001,
    IDC_COMMAND2,
    IDC_COMMAND3,
    IDC_COMMAND4,
    IDC_COMMAND5,
    IDC_COMMAND6,
    IDC_FRAME1 = 1011,
    IDC_FRAME2,
    IDC_FRAME3,
    IDC_LABEL2 = 1022,
    IDC_LABEL3,
};

// The load step runs once the window and its controls exist, before it is
// first shown, and again whenever the system's settings or colours change
// (the beautifier, which steps aside while high contrast is on, then takes
// the window back once it is off; a window it holds stays as it is). The
// unload step runs once when it closes, however it closes. The window hands
// its own handle to each; their results are not used.
using WindowStep = BOOL (*)(HWND);
extern WindowStep g_Form1LoadStep;
extern WindowStep g_Form1UnloadStep;

// Creates Form1, runs its load step and shows it centred with the focus on
// Command4. Returns the window, or nullptr when it could not be created.
HWND ShowForm1();

// The main window while it is open, else nullptr.
HWND OpenForm1();

// The control of Form1 with the given identifier, wherever it sits in the
// window's tree of frames.
HWND Form1Control(HWND form1, int id);

// Keyboard navigation of the program's forms (Tab, Shift+Tab, Space): true
// when the message has been handled and must not be dispatched.
bool TranslateFormMessage(MSG* message);
