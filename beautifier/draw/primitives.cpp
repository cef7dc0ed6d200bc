#include "draw/primitives.h"
#include <olectl.h>
#include <cmath>
#include "draw/colors.h"

namespace {

// Destination AND NOT source.
const DWORD kRopDestAndNotSource = 0x00220326;

RECT Box(int x, int y, int width, int height)
{
    return RECT{x, y, x + width, y + height};
}

enum class Pixels { ScreenColours, Monochrome };

// A memory DC compatible with the display DC, holding a new bitmap; 0, with
// nothing left behind, when either cannot be made.
HDC NewMemoryDC(HDC display, int width, int height, Pixels pixels)
{
    HDC dc = GdiCreateCompatibleDC(display);
    if (!dc)
        return NULL;
    // A colour bitmap is made compatible with the display DC: one compatible
    // with the new memory DC would take its 1 x 1 monochrome bitmap's format.
    HBITMAP bitmap = pixels == Pixels::Monochrome
                         ? GdiCreateBitmap(width, height, 1, 1, NULL)
                         : GdiCreateCompatibleBitmap(display, width, height);
    if (!bitmap) {
        GdiDeleteDC(dc);
        return NULL;
    }
    SelectObject(dc, bitmap);
    return dc;
}

// Where a slice of a nine-slice lies along one axis.
enum class Band { Near, Middle, Far };

struct Slice {
    Band across;
    Band down;
};

// Corners first, then the edges, then the centre.
const Slice kSlices[] = {
    {Band::Near, Band::Near},      // top-left corner
    {Band::Far, Band::Near},       // top-right corner
    {Band::Near, Band::Far},       // bottom-left corner
    {Band::Far, Band::Far},        // bottom-right corner
    {Band::Near, Band::Middle},    // left edge
    {Band::Far, Band::Middle},     // right edge
    {Band::Middle, Band::Near},    // top edge
    {Band::Middle, Band::Far},     // bottom edge
    {Band::Middle, Band::Middle},  // centre
};

// A band's start and length along one axis, in the source and in the
// destination (which starts at 0).
struct Extent {
    int src, srcLength;
    int dst, dstLength;
};

Extent BandExtent(Band band, int src, int srcLength, int dstLength, int nearMargin, int farMargin)
{
    switch (band) {
    case Band::Near:
        return {src, nearMargin, 0, nearMargin};
    case Band::Far:
        return {src + srcLength - farMargin, farMargin, dstLength - farMargin, farMargin};
    case Band::Middle:
        break;
    }
    return {src + nearMargin, srcLength - nearMargin - farMargin, nearMargin,
            dstLength - nearMargin - farMargin};
}

// The nine slices, each drawn where it falls in the rectangle at (dx, dy).
void DrawSlices(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw, int sh,
                int left, int top, int right, int bottom)
{
    for (const Slice& slice : kSlices) {
        Extent x = BandExtent(slice.across, sx, sw, dw, left, right);
        Extent y = BandExtent(slice.down, sy, sh, dh, top, bottom);
        // A zero margin has no slices, and a destination smaller than its
        // margins has no room for the middle: StretchBlt would mirror it.
        if (x.srcLength <= 0 || y.srcLength <= 0 || x.dstLength <= 0 || y.dstLength <= 0)
            continue;
        if (slice.across != Band::Middle && slice.down != Band::Middle)
            BitBlt(dst, dx + x.dst, dy + y.dst, x.dstLength, y.dstLength, src, x.src, y.src,
                   SRCCOPY);
        else
            StretchBlt(dst, dx + x.dst, dy + y.dst, x.dstLength, y.dstLength, src, x.src, y.src,
                       x.srcLength, y.srcLength, SRCCOPY);
    }
}

// FillRect or FrameRect with a brush of the colour, made for the call.
int WithSolidBrush(int(WINAPI* draw)(HDC, const RECT*, HBRUSH), HDC dc, int x, int y, int width,
                   int height, COLORREF colour)
{
    OwnedBrush brush(GdiCreateSolidBrush(colour));
    // Both read small brush values as system colour numbers: never hand
    // them a 0 brush.
    if (!brush)
        return 0;
    RECT r = Box(x, y, width, height);
    return draw(dc, &r, brush.get());
}

// The screen's DC, borrowed from the system's cache for the owner's life.
class ScreenDC {
public:
    ScreenDC() : dc_(GetDC(NULL)) {}
    ~ScreenDC()
    {
        if (dc_)
            ReleaseDC(NULL, dc_);
    }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

}  // namespace

HDC CreateMemoryDC(int width, int height)
{
    // The screen's DC from the system's cache is the pattern: a display DC
    // of one's own (CreateDCA "DISPLAY") gives bitmaps of the same format
    // but costs Wine several times as much to open and close as the whole
    // memory DC it serves, and painters make one for every image.
    ScreenDC screen;
    if (!screen.get())
        return NULL;
    return NewMemoryDC(screen.get(), width, height, Pixels::ScreenColours);
}

BOOL DeleteMemoryDC(HDC dc)
{
    if (!dc)
        return FALSE;
    // A bitmap cannot be deleted while it is selected; deleting the DC first
    // lets it go.
    HGDIOBJ bitmap = GetCurrentObject(dc, OBJ_BITMAP);
    BOOL ok = GdiDeleteDC(dc);
    if (bitmap)
        GdiDeleteObject(bitmap);
    return ok;
}

int FillSolidRect(HDC dc, int x, int y, int width, int height, COLORREF colour)
{
    return WithSolidBrush(FillRect, dc, x, y, width, height, colour);
}

int FrameSolidRect(HDC dc, int x, int y, int width, int height, COLORREF colour)
{
    return WithSolidBrush(FrameRect, dc, x, y, width, height, colour);
}

BOOL DrawFocusBox(HDC dc, int x, int y, int width, int height)
{
    RECT r = Box(x, y, width, height);
    return DrawFocusRect(dc, &r);
}

int DrawTextInBox(HDC dc, const std::wstring& text, int x, int y, int width, int height,
                  UINT format)
{
    RECT r = Box(x, y, width, height);
    // DT_MODIFYSTRING would write the shortened text into the caller's string.
    return DrawTextW(dc, text.c_str(), -1, &r, format & ~DT_MODIFYSTRING);
}

std::wstring GetWindowTextString(HWND hwnd)
{
    int length = GetWindowTextLengthW(hwnd);
    if (length <= 0)
        return std::wstring();
    std::wstring text(length + 1, L'\0');
    int copied = GetWindowTextW(hwnd, &text[0], length + 1);
    text.resize(copied > 0 ? copied : 0);
    return text;
}

BOOL GetWindowBounds(HWND hwnd, WindowBounds* bounds)
{
    RECT r = {};
    BOOL ok = GetWindowRect(hwnd, &r);
    if (!ok)
        r = RECT{};
    *bounds = {r.left, r.top, r.right, r.bottom, r.right - r.left, r.bottom - r.top};
    return ok;
}

int DrawSlicedImage(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw,
                    int sh, int left, int top, int right, int bottom, OLE_COLOR key)
{
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0)
        return 0;
    auto slices = [&](HDC image) {
        DrawSlices(image, 0, 0, dw, dh, src, sx, sy, sw, sh, left, top, right, bottom);
    };
    // Composed off-screen, so that the destination only ever sees the whole
    // image; without that image there is nothing to copy.
    if (key == kNoKeyColor)
        return DrawOffScreen(dst, dx, dy, dw, dh, slices);
    OwnedMemoryDC image(CreateMemoryDC(dw, dh));
    if (!image)
        return 0;
    slices(image.get());
    BlitTransparent(dst, dx, dy, dw, dh, image.get(), 0, 0, key, NULL);
    return 1;
}

int DrawSlicedImageUnbuffered(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy,
                              int sw, int sh, int left, int top, int right, int bottom)
{
    if (dw == 0 || dh == 0 || sw == 0 || sh == 0)
        return 0;
    // Slices of a destination narrower than its margins reach past it; the
    // intermediate image's edges stop them, here the clip does.
    int saved = SaveDC(dst);
    IntersectClipRect(dst, dx, dy, dx + dw, dy + dh);
    DrawSlices(dst, dx, dy, dw, dh, src, sx, sy, sw, sh, left, top, right, bottom);
    RestoreDC(dst, saved);
    return 1;
}

void BlitTransparent(HDC dst, int dx, int dy, int w, int h, HDC src, int sx, int sy, OLE_COLOR key,
                     HPALETTE palette)
{
    if (w <= 0 || h <= 0)
        return;
    // The screen's DC from the system's cache is the pattern of the copies
    // and the source of the palette, as for CreateMemoryDC: a display DC of
    // one's own costs Wine several times as much as all the rest of a copy.
    ScreenDC display;
    if (!display.get())
        return;
    // Declared before the DCs that it is selected into, so deleted after them.
    // The guards that select it are declared after them, so it is out of
    // the DCs before either goes.
    OwnedPalette halftone(palette ? NULL : GdiCreateHalftonePalette(display.get()));
    if (!palette)
        palette = halftone.get();

    COLORREF keyColour = 0;
    if (FAILED(OleTranslateColor(key, palette, &keyColour))) {
        // A key that names no colour matches no pixel.
        BitBlt(dst, dx, dy, w, h, src, sx, sy, SRCCOPY);
        return;
    }
    keyColour &= 0xFFFFFF;

    OwnedMemoryDC background(NewMemoryDC(display.get(), w, h, Pixels::ScreenColours));
    OwnedMemoryDC source(NewMemoryDC(display.get(), w, h, Pixels::ScreenColours));
    OwnedMemoryDC mask(NewMemoryDC(display.get(), w, h, Pixels::Monochrome));
    // Missing any of the three, the blend below would paint black or a
    // mixture onto the destination: better to leave it as it is.
    if (!background || !source || !mask)
        return;

    SelectedPalette backgroundPalette(background.get(), palette);
    BitBlt(background.get(), 0, 0, w, h, dst, dx, dy, SRCCOPY);

    // A monochrome source takes its two colours from the copy's text and
    // background colours.
    SelectedPalette sourcePalette(source.get(), palette);
    SetBkColor(source.get(), GetBkColor(src));
    SetTextColor(source.get(), GetTextColor(src));
    BitBlt(source.get(), 0, 0, w, h, src, sx, sy, SRCCOPY);

    // Colour to monochrome: pixels of the background colour become 1 (white),
    // all others 0.
    SetBkColor(source.get(), keyColour);
    SetTextColor(source.get(), kWhite);
    BitBlt(mask.get(), 0, 0, w, h, source.get(), 0, 0, SRCCOPY);

    // Monochrome to colour: 1 becomes the background colour, 0 the text
    // colour. The key pixels of the source copy turn black...
    SetTextColor(source.get(), RGB(0, 0, 0));
    SetBkColor(source.get(), kWhite);
    BitBlt(source.get(), 0, 0, w, h, mask.get(), 0, 0, kRopDestAndNotSource);
    // ...the destination keeps only the key pixels' places...
    BitBlt(background.get(), 0, 0, w, h, mask.get(), 0, 0, SRCAND);
    // ...and the source fills the black holes.
    BitBlt(background.get(), 0, 0, w, h, source.get(), 0, 0, SRCPAINT);
    BitBlt(dst, dx, dy, w, h, background.get(), 0, 0, SRCCOPY);
}

int RoundHalfToEven(double value)
{
    double whole = std::floor(value);
    double fraction = value - whole;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    return static_cast<int>(whole);
}
