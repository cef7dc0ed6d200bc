#pragma once
#include <windows.h>

// Entering a control is seen on the first mouse move over it; leaving it,
// through one WM_MOUSELEAVE asked for at the entry. No hover timer exists.

// Asks the system for one WM_MOUSELEAVE when the mouse leaves the window.
void TrackMouseLeave(HWND hwnd);
// True when the mouse has just entered the window: the first move since the
// last leave sets MOUSEFLAG and asks for the leave notification.
bool MarkMouseInside(HWND hwnd);
// True when the window itself (not a child, nor any other window) is the one
// under the cursor.
bool IsCursorOverWindow(HWND hwnd);

// What a control under the mouse shows during a mouse move: pressed while
// the left button is held (wParam of the move), else hot.
int StateUnderMouse(WPARAM wParam);

// The cursor's client coordinates in a mouse message: signed, since a
// captured mouse reports positions left of and above the window.
int GetLParamX(LPARAM lParam);
int GetLParamY(LPARAM lParam);
