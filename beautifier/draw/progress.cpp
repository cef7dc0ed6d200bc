#include "draw/progress.h"
#include <commctrl.h>
#include "draw/borders.h"
#include "draw/colors.h"
#include "draw/primitives.h"
#include "draw/window_dc.h"

float ProgressFraction(HWND hwnd)
{
    // PBM_GETPOS answers the position as an int whatever the width of
    // LRESULT.
    int position = static_cast<int>(SendMessageA(hwnd, PBM_GETPOS, 0, 0));
    float f = static_cast<float>(position) / kProgressScale;
    return f < 0.0f ? 0.0f : f > 1.0f ? 1.0f : f;
}

void DrawProgressFill(HWND hwnd, HDC dc, int x, int y, int width, int height)
{
    float f = ProgressFraction(hwnd);
    if (f == 0.0f)
        return;
    // A vertical bar rises from the bottom: its filled length is rounded
    // once and the empty part takes the rest, so the fill always reaches
    // the bottom edge.
    if (GetWindowLongA(hwnd, GWL_STYLE) & PBS_VERTICAL) {
        int filled = RoundHalfToEven(height * f);
        FillSolidRect(dc, x, y + height - filled, width, filled, kProgressFill);
    } else {
        FillSolidRect(dc, x, y, RoundHalfToEven(width * f), height, kProgressFill);
    }
}

bool PaintProgressClient(HWND hwnd, HDC dc, int)
{
    RECT client = {};
    GetClientRect(hwnd, &client);
    return DrawOffScreen(dc, 0, 0, client.right, client.bottom, [&](HDC image) {
        FillSolidRect(image, 0, 0, client.right, client.bottom, kWhite);
        DrawProgressFill(hwnd, image, 0, 0, client.right, client.bottom);
    });
}

bool PaintProgressWindow(HWND hwnd, HDC dc, int)
{
    int bx, by;
    GetNonClientBorder(hwnd, &bx, &by);
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    RECT client = {};
    GetClientRect(hwnd, &client);
    WindowDC target(hwnd, dc);
    return DrawOffScreen(target.get(), 0, 0, b.width, b.height, [&](HDC image) {
        FillSolidRect(image, 0, 0, b.width, b.height, kFrameEnabled);
        FillSolidRect(image, 1, 1, b.width - 2, b.height - 2, kWhite);
        // A bar without a border of its own has its client area reaching the
        // window's edge: the fill must still stay inside the frame.
        IntersectClipRect(image, 1, 1, b.width - 1, b.height - 1);
        DrawProgressFill(hwnd, image, bx, by, client.right, client.bottom);
    });
}
