#pragma once
#include <windows.h>

// The flat frames drawn around controls that their own window procedure
// paints: drop-down combo boxes, drive lists, data-bound lists, the lists
// of combo boxes and grids. Each draws on the given DC, which must cover the
// whole window (origin at its outer top-left), or on the window's own DC
// when given 0.

// The colour of a control's one-pixel frame: lighter while it is disabled.
COLORREF FrameColourOf(HWND hwnd);

// A one-pixel frame around the whole window, with a white one inside it
// covering the system's three-dimensional edge.
void PaintControlBorder(HWND hwnd, HDC dc);

// A grid's frame: one pixel around the whole window, and only when the grid
// has WS_BORDER; a grid without it is left as it drew itself.
void PaintGridBorder(HWND hwnd, HDC dc);
