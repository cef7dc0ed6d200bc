#pragma once
#include <windows.h>

// Layout lengths are kept in twips, 1440 to the inch, and turned into pixels
// at the screen's resolution, so the windows keep their proportions at any
// dots-per-inch setting (15 twips to the pixel at 96 dpi).
int ScreenDpi();
int TwipsToPixels(int twips);

// A rectangle in twips relative to the parent's client area.
struct TwipsRect {
    int left, top, width, height;
};

// Font at a point size for the screen's resolution.
HFONT CreatePointFont(const wchar_t* face, int points, int weight, bool underline);

// Places a top-level window so that its outer rectangle is centred on the
// primary screen.
void CentreOnScreen(HWND hwnd);
