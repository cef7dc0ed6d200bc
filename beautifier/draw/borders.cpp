#include "draw/borders.h"
#include "draw/colors.h"
#include "draw/primitives.h"
#include "draw/window_dc.h"

COLORREF FrameColourOf(HWND hwnd)
{
    return IsWindowEnabled(hwnd) ? kFrameEnabled : kFrameDisabled;
}

void PaintControlBorder(HWND hwnd, HDC dc)
{
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    WindowDC target(hwnd, dc);
    FrameSolidRect(target.get(), 0, 0, b.width, b.height, FrameColourOf(hwnd));
    FrameSolidRect(target.get(), 1, 1, b.width - 2, b.height - 2, kWhite);
}

void PaintGridBorder(HWND hwnd, HDC dc)
{
    if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_BORDER))
        return;
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    WindowDC target(hwnd, dc);
    FrameSolidRect(target.get(), 0, 0, b.width, b.height, FrameColourOf(hwnd));
}
