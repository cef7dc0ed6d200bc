#include "draw/combo_button.h"
#include "core/kinds.h"
#include "core/properties.h"
#include "draw/colors.h"
#include "draw/primitives.h"
#include "draw/strips.h"
#include "draw/window_dc.h"

namespace {

// The hot and pressed faces are 4 x 18 cells side by side, sliced so that
// the frame line and shading at their left and their one-pixel rims keep
// their width however large the button is.
const int kFaceCellWidth = 4, kFaceCellHeight = 18;
const int kFaceMarginLeft = 2, kFaceMargin = 1;

const int kArrowWidth = 7, kArrowHeight = 4;
const POINT kArrowEnabled = {8, 0}, kArrowDisabled = {8, 4};

// The button covers the system's own, which is as wide as a vertical scroll
// bar, and the pixel of the system's two-pixel edge that the one-pixel flat
// border leaves free; it fills the height inside that border.
SIZE ButtonSize(const WindowBounds& b)
{
    return SIZE{GetSystemMetrics(SM_CXVSCROLL) + 1, b.height - 2};
}

void DrawFace(HDC dc, int state, SIZE size)
{
    // Anything but hot or pressed shows the normal face: a state nobody
    // should pass must still not put uninitialised pixels on the screen.
    if (state != StateHot && state != StatePressed) {
        FillSolidRect(dc, 0, 0, size.cx, size.cy, kWhite);
        return;
    }
    int cellX = state == StateHot ? 0 : kFaceCellWidth;
    DrawSlicedImage(dc, 0, 0, size.cx, size.cy, ComboButtonStrip, cellX, 0, kFaceCellWidth,
                    kFaceCellHeight, kFaceMarginLeft, kFaceMargin, kFaceMargin, kFaceMargin);
}

void DrawArrow(HWND hwnd, HDC dc, SIZE size)
{
    POINT cell = IsWindowEnabled(hwnd) ? kArrowEnabled : kArrowDisabled;
    BlitTransparent(dc, RoundHalfToEven((size.cx - kArrowWidth) / 2.0),
                    RoundHalfToEven((size.cy - kArrowHeight) / 2.0), kArrowWidth, kArrowHeight,
                    ComboButtonStrip, cell.x, cell.y, kKeyColor, NULL);
}

}  // namespace

bool PaintComboButton(HWND hwnd, HDC dc, int state)
{
    if (!ComboStyleOf(hwnd).dropButton)
        return false;
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    SIZE size = ButtonSize(b);
    WindowDC target(hwnd, dc);
    return DrawOffScreen(target.get(), b.width - size.cx - 1, 1, size.cx, size.cy, [&](HDC image) {
        DrawFace(image, state, size);
        DrawArrow(hwnd, image, size);
    });
}

bool ShowComboButton(HWND hwnd, HDC dc, int state, bool force)
{
    if (SendMessageA(hwnd, CB_GETDROPPEDSTATE, 0, 0))
        state = StatePressed;
    if (!ComboStyleOf(hwnd).dropButton || !TakeState(hwnd, state, force))
        return false;
    return PaintComboButton(hwnd, dc, state);
}
