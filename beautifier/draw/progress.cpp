#include "draw/progress.h"
#include <commctrl.h>
#include "draw/colors.h"
#include "draw/primitives.h"

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

void PaintProgressClient(HWND hwnd, HDC dc)
{
    RECT client = {};
    GetClientRect(hwnd, &client);
    OwnedMemoryDC image(CreateMemoryDC(client.right, client.bottom));
    if (!image)
        return;
    FillSolidRect(image.get(), 0, 0, client.right, client.bottom, kWhite);
    DrawProgressFill(hwnd, image.get(), 0, 0, client.right, client.bottom);
    BitBlt(dc, 0, 0, client.right, client.bottom, image.get(), 0, 0, SRCCOPY);
}
