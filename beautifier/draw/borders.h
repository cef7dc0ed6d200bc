#pragma once
#include <windows.h>

// The flat frames drawn around controls that their own window procedure
// paints: drop-down combo boxes, drive lists, data-bound lists, the lists
// of combo boxes and grids, and the windows with a client edge. Each draws
// on the given DC, which must cover the whole window (origin at its outer
// top-left), or on the window's own DC when given 0. None has a state to
// show: the state given is not used. Each returns whether it drew.

// The colour of a control's one-pixel frame: lighter while it is disabled.
COLORREF FrameColourOf(HWND hwnd);

// A one-pixel frame around the whole window, with a white one inside it
// covering the system's three-dimensional edge.
bool PaintControlBorder(HWND hwnd, HDC dc, int state);

// A grid's frame: one pixel around the whole window, and only when the grid
// has WS_BORDER; a grid without it is left as it drew itself.
bool PaintGridBorder(HWND hwnd, HDC dc, int state);

// For a window with a client edge (WS_EX_CLIENTEDGE), after the system has
// painted its non-client area: a one-pixel frame around the whole window,
// lighter while it is disabled, and inside it rings of the client area's
// background colour, each one pixel further in, one per pixel of border
// width. A window without a client edge is left as it is.
bool PaintFlatClientEdge(HWND hwnd, HDC dc, int state);

// Half the width and half the height of the non-client area, scroll bars
// left out, each rounded to the nearest integer with halves to the even
// neighbour: the width of the border on each side. FALSE, and both 0, when
// the window's rectangles cannot be read.
BOOL GetNonClientBorder(HWND hwnd, int* bx, int* by);
