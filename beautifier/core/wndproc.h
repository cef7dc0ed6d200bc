#pragma once
#include <windows.h>

// The window procedure that attaching installs on every window it reaches.
// It sees each message before the window's previous procedure, which it
// finds in PROCADDR, and hands the messages that the beautifier cares about
// to one handler each; the rest go on to the previous procedure unchanged. A
// window without PROCADDR (being attached, or already detached) gets the
// default processing.
LRESULT CALLBACK BeautifierWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
