#pragma once
#include <windows.h>

// Gives a push button its rounded outline: a window region over its outer
// rectangle with corners rounded by a 3 x 3 ellipse.
void SetButtonRegion(HWND hwnd);

// WM_SIZE and WM_ACTIVATE of an attached window, in the form and with the
// conventions of interact/tracking.h.
LRESULT OnSize(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT OnActivate(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
