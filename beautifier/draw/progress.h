#pragma once
#include <windows.h>

// Progress bars are drawn as flat bars: white, filled from the left, or
// from the bottom for a vertical bar (PBS_VERTICAL), in the progress colour.
// The position is read on a fixed scale of 0 to 30000, whatever range the
// control was given.
const int kProgressScale = 30000;

// The part of the bar that is filled: the position over the scale, kept
// within 0 to 1 so that no position ever fills past the bar.
float ProgressFraction(HWND hwnd);

// The filled part of the bar, drawn into the box (x, y, width, height) of
// dc that the bar's client area occupies there.
void DrawProgressFill(HWND hwnd, HDC dc, int x, int y, int width, int height);

// Neither painter has a state to show: the state given is not used. Both
// return false when nothing could be drawn.

// The client area, composed off-screen and copied once onto dc (origin at
// the client's top-left). The frame around it belongs to the non-client
// painting.
bool PaintProgressClient(HWND hwnd, HDC dc, int state);

// The whole bar in place of the system's non-client painting: a one-pixel
// frame, white inside, and the filled part over the client area, never over
// the frame; composed off-screen and copied once onto dc (origin at the
// window's outer top-left), or onto the window when dc is 0.
bool PaintProgressWindow(HWND hwnd, HDC dc, int state);
