#include "core/shape.h"
#include "draw/gdi.h"
#include "draw/primitives.h"
#include "interact/tracking.h"

namespace {

const int kCornerEllipse = 3;

}  // namespace

void SetButtonRegion(HWND hwnd)
{
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    // The region's right and bottom edges are exclusive.
    HRGN region = GdiCreateRoundRectRgn(0, 0, b.width + 1, b.height + 1, kCornerEllipse,
                                        kCornerEllipse);
    if (!region)
        return;
    // Once set, the region is the system's, which deletes it when it is
    // replaced or the window goes; a region the system refused is still ours.
    if (SetWindowRgn(hwnd, region, TRUE))
        GdiReleaseToSystem(region);
    else
        GdiDeleteObject(region);
}

LRESULT OnSize(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Forward(previous, hwnd, message, wParam, lParam);
}

LRESULT OnActivate(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Forward(previous, hwnd, message, wParam, lParam);
}
