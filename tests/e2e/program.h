#pragma once
#include <windows.h>
#include <string>

// A copy of the program started as its own process, the way a user starts it.
struct RunningProgram {
    PROCESS_INFORMATION pi = {};
    HWND main = NULL;

    // Starts the program and waits (up to timeoutMs) until its main window
    // is shown and the program waits for input, its first paint done.
    bool Start(const std::wstring& exe, DWORD timeoutMs);
    // Asks the main window to close and waits for the process to end;
    // returns its exit code, or -1 when it did not end in time.
    long Close(DWORD timeoutMs);
    ~RunningProgram();
};

// A visible top-level window of class "Form" of the process, or 0.
HWND VisibleFormOf(DWORD processId);

// Copies a window's rectangle from the screen into a 24-bit BMP file.
bool SaveWindowShot(HWND hwnd, const std::wstring& bmpPath);

// The colour on screen at (x, y) of a window's client area.
COLORREF ScreenPixel(HWND hwnd, int x, int y);
