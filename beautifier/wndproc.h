#pragma once
#include <windows.h>

// The window procedure that attaching installs on every window it reaches.
// It sees each message before the window's previous procedure, which it
// finds in PROCADDR, and hands the messages that the beautifier cares about
// to one handler each; the rest go on to the previous procedure unchanged. A
// window without PROCADDR, no longer attached, has its messages passed on
// untouched: to the procedure kept in PASSON, else to its class's own.
LRESULT CALLBACK BeautifierWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
