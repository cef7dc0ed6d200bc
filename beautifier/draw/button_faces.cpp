#include "draw/button_faces.h"
#include <algorithm>
#include "core/properties.h"
#include "draw/gdi.h"
#include "draw/primitives.h"
#include "draw/strips.h"
#include "draw/window_dc.h"

namespace {

// The face's corners and edges are 3 pixels wide; only its middle stretches.
const int kFaceMargin = 3;
// The text and the focus rectangle keep this far from the outer edge.
const int kTextInset = 2;

const COLORREF kTextColour = RGB(0, 0, 0);
const COLORREF kDisabledTextColour = RGB(121, 138, 150);  // 9865849

const int kImageCount = StateDisabled + 1;

const int kCornerEllipse = 3;

HDC ImageDC(HWND hwnd, int state)
{
    return reinterpret_cast<HDC>(GetWindowProp(hwnd, ImageDCProp(state).c_str()));
}

// The part of the image that both the window and the image's bitmap cover:
// a bitmap that could not be made anew when the button grew is the old,
// smaller one, and a blend reaching past its edge draws nothing at all.
SIZE DrawableSize(HDC image, const WindowBounds& b)
{
    BITMAP bm = {};
    if (!GetObjectW(GetCurrentObject(image, OBJ_BITMAP), sizeof bm, &bm))
        return SIZE{0, 0};
    return SIZE{std::min<int>(b.width, bm.bmWidth), std::min<int>(b.height, bm.bmHeight)};
}

using ImageDCs = HDC[kImageCount];

// The four images drawn into the DCs given: the face of each state stretched
// to the window, the window text centred in the button's font, and the focus
// rectangle while the button has the focus.
void RenderImages(HWND hwnd, const ImageDCs& dcs)
{
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    std::wstring text = GetWindowTextString(hwnd);
    auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
    bool focused = GetFocus() == hwnd;
    int boxWidth = b.width - 2 * kTextInset, boxHeight = b.height - 2 * kTextInset;
    for (int state = 0; state < kImageCount; ++state) {
        HDC dc = dcs[state];
        // Without a font of its own the button is drawn in the DC's default
        // one. The font belongs to the button's owner, who may delete it
        // while the images live on: an image DC holds it only while drawing.
        Selected buttonFont(dc, font);
        SetBkMode(dc, TRANSPARENT);
        // The image DC is the button's own and off-screen: the face goes
        // straight into it, without a buffer of its own (a memory DC made
        // and deleted for each image, the costliest part of a render).
        DrawSlicedImageUnbuffered(dc, 0, 0, b.width, b.height, ButtonFaceStrip, 0,
                                  kButtonFaceHeight * state, kButtonFaceWidth, kButtonFaceHeight,
                                  kFaceMargin, kFaceMargin, kFaceMargin, kFaceMargin);
        SetTextColor(dc, state == StateDisabled ? kDisabledTextColour : kTextColour);
        DrawTextInBox(dc, text, kTextInset, kTextInset, boxWidth, boxHeight, kBoxTextFormat);
        if (focused)
            DrawFocusBox(dc, kTextInset, kTextInset, boxWidth, boxHeight);
    }
}

void ReadImageDCs(HWND hwnd, ImageDCs& dcs)
{
    for (int state = 0; state < kImageCount; ++state)
        dcs[state] = ImageDC(hwnd, state);
}

}  // namespace

bool DrawnAsPushButton(LONG_PTR style)
{
    // An automatic option button (BS_AUTORADIOBUTTON) keeps its own look
    // like the other check and option types: drawn owner-draw, it would no
    // longer check itself when clicked.
    switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
    case BS_USERBUTTON:
        return true;
    default:
        return false;
    }
}

void CreateButtonImages(HWND hwnd)
{
    WindowDC window(hwnd);
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    ImageDCs dcs;
    for (int state = 0; state < kImageCount; ++state) {
        HDC dc = GdiCreateCompatibleDC(window.get());
        HBITMAP bitmap = GdiCreateCompatibleBitmap(window.get(), b.width, b.height);
        // What this selection replaces is the stock 1 x 1 bitmap that every
        // new memory DC holds; it is the system's and is never deleted.
        SelectObject(dc, bitmap);
        SetWindowProp(hwnd, ImageDCProp(state).c_str(), reinterpret_cast<INT_PTR>(dc));
        SetWindowProp(hwnd, ImageBitmapProp(state).c_str(), reinterpret_cast<INT_PTR>(bitmap));
        dcs[state] = dc;
    }
    RenderImages(hwnd, dcs);
}

void ResizeButtonImages(HWND hwnd)
{
    WindowDC window(hwnd);
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    ImageDCs dcs;
    ReadImageDCs(hwnd, dcs);
    for (int state = 0; state < kImageCount; ++state) {
        HDC dc = dcs[state];
        HBITMAP bitmap = dc ? GdiCreateCompatibleBitmap(window.get(), b.width, b.height) : NULL;
        if (!bitmap)
            continue;
        // Selecting the new bitmap frees the old one from the DC; only then
        // may it be deleted.
        GdiDeleteObject(SelectObject(dc, bitmap));
        SetWindowProp(hwnd, ImageBitmapProp(state).c_str(), reinterpret_cast<INT_PTR>(bitmap));
    }
    RenderImages(hwnd, dcs);
}

void DeleteButtonImages(HWND hwnd)
{
    for (int state = 0; state < kImageCount; ++state) {
        auto dc = reinterpret_cast<HDC>(RemoveWindowProp(hwnd, ImageDCProp(state).c_str()));
        auto bitmap =
            reinterpret_cast<HBITMAP>(RemoveWindowProp(hwnd, ImageBitmapProp(state).c_str()));
        // The bitmap cannot be deleted while it is selected: the DC goes first.
        if (dc)
            GdiDeleteDC(dc);
        if (bitmap)
            GdiDeleteObject(bitmap);
    }
}

void RenderButtonImages(HWND hwnd)
{
    ImageDCs dcs;
    ReadImageDCs(hwnd, dcs);
    RenderImages(hwnd, dcs);
}

bool PaintPushButton(HWND hwnd, HDC dc, int state)
{
    if (!DrawnAsPushButton(GetAttachedStyle(hwnd)))
        return false;
    BlendPushButton(hwnd, dc, state, GetAlphaLevel(hwnd));
    return true;
}

void BlendPushButton(HWND hwnd, HDC dc, int state, int level)
{
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    HDC image = ImageDC(hwnd, state);
    SIZE size = DrawableSize(image, b);
    BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(level), 0};
    WindowDC target(hwnd, dc);
    // gdi32's own blend, which msimg32's AlphaBlend only passes on to:
    // msimg32 is not one of the libraries Windows always takes from the
    // system folder, so importing it would load a file of that name lying
    // beside the program.
    GdiAlphaBlend(target.get(), 0, 0, size.cx, size.cy, image, 0, 0, size.cx, size.cy, blend);
}

int ShownState(HWND hwnd, int state)
{
    return IsWindowEnabled(hwnd) ? state : StateDisabled;
}

int PushButtonState(HWND hwnd)
{
    if (IsWindowEnabled(hwnd))
        return GetVisualState(hwnd);
    SetVisualState(hwnd, StateDisabled);
    return StateDisabled;
}

void SetButtonRegion(HWND hwnd)
{
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    // The region's right and bottom edges are exclusive.
    HRGN region =
        GdiCreateRoundRectRgn(0, 0, b.width + 1, b.height + 1, kCornerEllipse, kCornerEllipse);
    if (!region)
        return;
    // Once set, the region is the system's, which deletes it when it is
    // replaced or the window goes; a region the system refused is still ours.
    if (SetWindowRgn(hwnd, region, TRUE))
        GdiReleaseToSystem(region);
    else
        GdiDeleteObject(region);
}
