#include "draw/borders.h"
#include "draw/colors.h"
#include "draw/primitives.h"
#include "draw/window_dc.h"

COLORREF FrameColourOf(HWND hwnd)
{
    return IsWindowEnabled(hwnd) ? kFrameEnabled : kFrameDisabled;
}

bool PaintControlBorder(HWND hwnd, HDC dc, int)
{
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    WindowDC target(hwnd, dc);
    FrameSolidRect(target.get(), 0, 0, b.width, b.height, FrameColourOf(hwnd));
    return FrameSolidRect(target.get(), 1, 1, b.width - 2, b.height - 2, kWhite) != 0;
}

bool PaintGridBorder(HWND hwnd, HDC dc, int)
{
    if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_BORDER))
        return false;
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    WindowDC target(hwnd, dc);
    return FrameSolidRect(target.get(), 0, 0, b.width, b.height, FrameColourOf(hwnd)) != 0;
}

bool PaintFlatClientEdge(HWND hwnd, HDC dc, int)
{
    int bx, by;
    if (!(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ||
        !GetNonClientBorder(hwnd, &bx, &by))
        return false;
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    WindowDC window(hwnd, dc);
    // A window without a DC of its own hands out DCs with the default
    // background colour, white; one with its own DC gives its colour.
    WindowDC client(hwnd, WindowDC::Client);
    if (!window || !client)
        return false;
    FrameSolidRect(window.get(), 0, 0, b.width, b.height, FrameColourOf(hwnd));
    COLORREF inside = GetBkColor(client.get());
    for (int d = 1; d <= bx; ++d)
        FrameSolidRect(window.get(), d, d, b.width - 2 * d, b.height - 2 * d, inside);
    return true;
}

BOOL GetNonClientBorder(HWND hwnd, int* bx, int* by)
{
    *bx = *by = 0;
    RECT outer, client;
    if (!GetWindowRect(hwnd, &outer) || !GetClientRect(hwnd, &client))
        return FALSE;
    int dx = (outer.right - outer.left) - client.right;
    int dy = (outer.bottom - outer.top) - client.bottom;
    // A scroll bar lies on one side only, inside the border.
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    if (style & WS_VSCROLL)
        dx -= GetSystemMetrics(SM_CXVSCROLL);
    if (style & WS_HSCROLL)
        dy -= GetSystemMetrics(SM_CYHSCROLL);
    *bx = RoundHalfToEven(dx / 2.0);
    *by = RoundHalfToEven(dy / 2.0);
    return TRUE;
}
