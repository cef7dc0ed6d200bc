#pragma once
#include <windows.h>
#include <string>

// Column headers are drawn entirely by the beautifier: every item a flat
// face with its text centred on it in the header's font; the item held down
// (HDINDEX) pressed, the item under the mouse (HMINDEX) hot.

// The whole header, composed off-screen and copied once onto dc (origin at
// the header's top-left); each item shows its own state, so the state given
// is not used. Right of the last item the header shows the middle of the
// normal face. When one item is both held down and under the mouse, it is
// drawn pressed. False when nothing could be drawn.
bool PaintHeader(HWND hwnd, HDC dc, int state);

// One item in the state given (1 hot, 2 pressed, any other value normal),
// onto dc or, when it is 0, the window's own DC. An index below 0 or past
// the last item draws nothing. Returns 0.
int PaintHeaderItem(HWND hwnd, HDC dc, int index, int state);

// The text of an item (at most 255 characters); empty when it has none or
// the item cannot be read.
std::wstring GetHeaderItemText(HWND hwnd, int index);
