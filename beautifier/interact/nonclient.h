#pragma once
#include <windows.h>

// The non-client part of controls: the system's sunken client edge is
// covered by a flat frame, and progress bars are painted whole.

// Half the width and half the height of the non-client area, scroll bars
// left out, each rounded to the nearest integer with halves to the even
// neighbour: the width of the border on each side. FALSE, and both 0, when
// the window's rectangles cannot be read.
BOOL GetNonClientBorder(HWND hwnd, int* bx, int* by);

// For a window with a client edge (WS_EX_CLIENTEDGE), after the system has
// painted its non-client area: a one-pixel frame around the whole window,
// lighter while it is disabled, and inside it rings of the client area's
// background colour, each one pixel further in, one per pixel of border
// width. A window without a client edge is left as it is.
void PaintFlatClientEdge(HWND hwnd);

// The whole progress bar in place of the system's non-client painting: a
// one-pixel frame, white inside, and the filled part over the client area,
// never over the frame; composed off-screen and copied once onto the window.
void PaintProgressWindow(HWND hwnd);

// WM_NCPAINT: a progress bar is painted whole and the system's painting
// skipped (0 is returned); a data-bound list is left to its own procedure;
// every other window is painted by the system and then gets the flat
// client edge.
LRESULT OnNcPaint(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
