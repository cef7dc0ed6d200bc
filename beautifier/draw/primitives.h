#pragma once
#include <windows.h>
#include <ocidl.h>  // OLE_COLOR
#include <string>
#include "draw/gdi.h"

// The GDI routines every painter draws through. Rectangles are given as
// x, y, width, height. They report nothing beyond the results named here: a
// failed creation leaves a drawing undone, never a half-drawn one.

// Every text a painter draws: one line, centred both ways, cut with an
// ellipsis when it is too long (0x8025).
const UINT kBoxTextFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

// No key colour: DrawSlicedImage copies every pixel.
const OLE_COLOR kNoKeyColor = CLR_INVALID;

// A memory DC holding a width x height bitmap compatible with the screen (so
// in full colour), or 0. Its pixels are undefined until painted.
HDC CreateMemoryDC(int width, int height);
// Releases a DC made by CreateMemoryDC together with its bitmap.
BOOL DeleteMemoryDC(HDC dc);
using OwnedMemoryDC = Owned<HDC, DeleteMemoryDC>;

// Draws with draw(image) into an off-screen image of width x height, then
// copies it in one go to (x, y) of target, which thus never shows a half-
// drawn picture. False, with nothing drawn, when there is no target or the
// image cannot be made.
template <class Draw>
bool DrawOffScreen(HDC target, int x, int y, int width, int height, Draw draw)
{
    OwnedMemoryDC image(CreateMemoryDC(width, height));
    if (!target || !image)
        return false;
    draw(image.get());
    BitBlt(target, x, y, width, height, image.get(), 0, 0, SRCCOPY);
    return true;
}

// An object selected into a DC for the guard's life; the one it replaced is
// selected back at the end, so that neither outlives the other selected. A
// 0 object selects nothing.
class Selected {
public:
    Selected(HDC dc, HGDIOBJ object) : dc_(dc), replaced_(object ? SelectObject(dc, object) : NULL)
    {
    }
    ~Selected()
    {
        if (replaced_)
            SelectObject(dc_, replaced_);
    }
    Selected(const Selected&) = delete;
    Selected& operator=(const Selected&) = delete;

private:
    HDC dc_;
    HGDIOBJ replaced_;
};

// The same for a palette, which SelectPalette selects, in the background.
class SelectedPalette {
public:
    SelectedPalette(HDC dc, HPALETTE palette) : dc_(dc), replaced_(SelectPalette(dc, palette, TRUE))
    {
        RealizePalette(dc);
    }
    ~SelectedPalette()
    {
        if (replaced_)
            SelectPalette(dc_, replaced_, TRUE);
    }
    SelectedPalette(const SelectedPalette&) = delete;
    SelectedPalette& operator=(const SelectedPalette&) = delete;

private:
    HDC dc_;
    HPALETTE replaced_;
};

int FillSolidRect(HDC dc, int x, int y, int width, int height, COLORREF colour);
// A one-pixel frame just inside the rectangle.
int FrameSolidRect(HDC dc, int x, int y, int width, int height, COLORREF colour);
// The dotted focus frame; drawn with XOR, so drawing it twice removes it.
BOOL DrawFocusBox(HDC dc, int x, int y, int width, int height);
// Text in the DC's current font, colour and background mode.
int DrawTextInBox(HDC dc, const std::wstring& text, int x, int y, int width, int height,
                  UINT format);

// Texts are read and drawn in UTF-16: the system code page may be any, and
// an ANSI window's text is converted from it by the system.
std::wstring GetWindowTextString(HWND hwnd);

// A window's outer rectangle in screen coordinates, with its size.
struct WindowBounds {
    int left, top, right, bottom;
    int width, height;
};
// All zero when the window's rectangle cannot be read.
BOOL GetWindowBounds(HWND hwnd, WindowBounds* bounds);

// Stretches the source rectangle of an image strip onto the destination as a
// nine-slice: corners copied at their size, edges stretched along one axis,
// the centre along both. With a key colour, the source's pixels of that
// colour leave the destination unchanged. Returns 0 when nothing was drawn.
int DrawSlicedImage(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy, int sw,
                    int sh, int left, int top, int right, int bottom, OLE_COLOR key = kNoKeyColor);

// The same nine-slice without a key colour, drawn straight onto the
// destination instead of through an intermediate image: for a destination
// that nobody sees while it is drawn, such as an image being prepared in a
// memory DC. It creates nothing, so nothing can fail half-way; the pixels
// are those DrawSlicedImage gives. Returns 0 when nothing was drawn.
int DrawSlicedImageUnbuffered(HDC dst, int dx, int dy, int dw, int dh, HDC src, int sx, int sy,
                              int sw, int sh, int left, int top, int right, int bottom);

// Copies w x h pixels from (sx, sy) of the source to (dx, dy) of the
// destination, except those of the key colour, which leave the destination
// as it was. The key is an OLE colour, translated through the palette (a
// halftone palette of the screen when palette is 0).
void BlitTransparent(HDC dst, int dx, int dy, int w, int h, HDC src, int sx, int sy, OLE_COLOR key,
                     HPALETTE palette);

// Rounds to the nearest integer, halves to the even neighbour (2.5 gives 2,
// 3.5 gives 4): how a painter turns a halved length into a position.
int RoundHalfToEven(double value);
