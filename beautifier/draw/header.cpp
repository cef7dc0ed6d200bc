#include "draw/header.h"
#include <commctrl.h>
#include <cwchar>
#include "core/properties.h"
#include "draw/primitives.h"
#include "draw/strips.h"
#include "draw/window_dc.h"

namespace {

// Faces are sliced so that their one-pixel highlight, separator and bottom
// line keep their width; the middle column is what is stretched.
const int kFaceMargin = 1;
const int kFaceMiddleColumn = 1;

// The text buffer handed to the header, and the count of characters, the
// closing zero included, that the header is told it may write into it.
const int kItemTextCapacity = 256;

int FaceOf(int state)
{
    return state == StateHot || state == StatePressed ? state : StateNormal;
}

// The face that wins for an item of the whole header: held down before
// under the mouse.
int FaceOfItem(int index, int heldDown, int underMouse)
{
    if (index == heldDown)
        return StatePressed;
    return index == underMouse ? StateHot : StateNormal;
}

// The item's rectangle in the header's client area; false when the header
// has no such item.
bool GetItemRect(HWND hwnd, int index, RECT* r)
{
    *r = RECT{};
    return SendMessageA(hwnd, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(r)) &&
           r->right > r->left;
}

// Texts are drawn in the header's font over the face.
HGDIOBJ FontOf(HWND hwnd)
{
    return reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
}

// The item's face and text at x of the DC, across the given height.
void DrawItem(HWND hwnd, HDC dc, int index, int face, int x, int width, int faceHeight,
              int textHeight)
{
    DrawSlicedImage(dc, x, 0, width, faceHeight, HeaderItemStrip, kHeaderFaceWidth * face, 0,
                    kHeaderFaceWidth, kHeaderFaceHeight, kFaceMargin, kFaceMargin, kFaceMargin,
                    kFaceMargin);
    std::wstring text = GetHeaderItemText(hwnd, index);
    if (!text.empty())
        DrawTextInBox(dc, text, x, 0, width, textHeight, kBoxTextFormat);
}

}  // namespace

std::wstring GetHeaderItemText(HWND hwnd, int index)
{
    wchar_t text[kItemTextCapacity] = {};
    HDITEMW item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = kItemTextCapacity;
    if (!SendMessageW(hwnd, HDM_GETITEMW, index, reinterpret_cast<LPARAM>(&item)))
        return std::wstring();
    // The header shortens a longer text to fit and closes it with a zero;
    // the bound also holds should a control leave the zero out.
    return std::wstring(text, wcsnlen(text, kItemTextCapacity));
}

bool PaintHeader(HWND hwnd, HDC dc, int)
{
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    int count = static_cast<int>(SendMessageA(hwnd, HDM_GETITEMCOUNT, 0, 0));
    int heldDown = GetHeldItem(hwnd), underMouse = GetHotItem(hwnd);
    return DrawOffScreen(dc, 0, 0, b.width, b.height, [&](HDC image) {
        StretchBlt(image, 0, 0, b.width, b.height, HeaderItemStrip, kFaceMiddleColumn, 0, 1,
                   kHeaderFaceHeight, SRCCOPY);
        Selected font(image, FontOf(hwnd));
        SetBkMode(image, TRANSPARENT);
        for (int i = 0; i < count; ++i) {
            RECT r;
            if (GetItemRect(hwnd, i, &r))
                DrawItem(hwnd, image, i, FaceOfItem(i, heldDown, underMouse), r.left,
                         r.right - r.left, b.height, r.bottom);
        }
    });
}

int PaintHeaderItem(HWND hwnd, HDC dc, int index, int state)
{
    RECT r;
    if (index < 0 || !GetItemRect(hwnd, index, &r))
        return 0;
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    int width = r.right - r.left;
    WindowDC target(hwnd, dc);
    DrawOffScreen(target.get(), r.left, 0, width, b.height, [&](HDC image) {
        Selected font(image, FontOf(hwnd));
        SetBkMode(image, TRANSPARENT);
        DrawItem(hwnd, image, index, FaceOf(state), 0, width, b.height, b.height);
    });
    return 0;
}
