#pragma once
#include <windows.h>

// WM_PAINT of an attached window, painted by its kind: push buttons from
// their cached images, fully opaque; every other kind by its own procedure.
LRESULT OnPaint(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
