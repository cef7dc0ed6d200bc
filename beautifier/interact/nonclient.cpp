#include "interact/nonclient.h"
#include "core/properties.h"
#include "draw/borders.h"
#include "draw/colors.h"
#include "draw/primitives.h"
#include "draw/progress.h"
#include "draw/window_dc.h"
#include "interact/tracking.h"

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

void PaintFlatClientEdge(HWND hwnd)
{
    int bx, by;
    if (!(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) ||
        !GetNonClientBorder(hwnd, &bx, &by))
        return;
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    WindowDC window(hwnd);
    // A window without a DC of its own hands out DCs with the default
    // background colour, white; one with its own DC gives its colour.
    WindowDC client(hwnd, WindowDC::Client);
    if (!window || !client)
        return;
    FrameSolidRect(window.get(), 0, 0, b.width, b.height, FrameColourOf(hwnd));
    COLORREF inside = GetBkColor(client.get());
    for (int d = 1; d <= bx; ++d)
        FrameSolidRect(window.get(), d, d, b.width - 2 * d, b.height - 2 * d, inside);
}

void PaintProgressWindow(HWND hwnd)
{
    int bx, by;
    GetNonClientBorder(hwnd, &bx, &by);
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    RECT client = {};
    GetClientRect(hwnd, &client);
    OwnedMemoryDC image(CreateMemoryDC(b.width, b.height));
    if (!image)
        return;
    FillSolidRect(image.get(), 0, 0, b.width, b.height, kFrameEnabled);
    FillSolidRect(image.get(), 1, 1, b.width - 2, b.height - 2, kWhite);
    // A bar without a border of its own has its client area reaching the
    // window's edge: the fill must still stay inside the frame.
    IntersectClipRect(image.get(), 1, 1, b.width - 1, b.height - 1);
    DrawProgressFill(hwnd, image.get(), bx, by, client.right, client.bottom);
    WindowDC window(hwnd);
    BitBlt(window.get(), 0, 0, b.width, b.height, image.get(), 0, 0, SRCCOPY);
}

LRESULT OnNcPaint(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (ClassifyWindow(hwnd)) {
    case ControlKind::ProgressBar:
        PaintProgressWindow(hwnd);
        return 0;
    case ControlKind::DataList:
        return Forward(previous, hwnd, message, wParam, lParam);
    default:
        break;
    }
    return ForwardThen(previous, hwnd, message, wParam, lParam,
                       [&] { PaintFlatClientEdge(hwnd); });
}
