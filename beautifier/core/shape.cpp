#include "core/shape.h"
#include "core/attach.h"
#include "core/properties.h"
#include "draw/button_faces.h"
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
    // The size is read from the window itself, so any WM_SIZE, sent or
    // posted, leaves images and region matching it.
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        if (ClassifyWindow(hwnd) == ControlKind::PushButton) {
            ResizeButtonImages(hwnd);
            SetButtonRegion(hwnd);
        }
    });
}

LRESULT OnActivate(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // lParam is the other window of the change: the one being activated as
    // this one loses the activation, or the one losing it. A message box or
    // dialog this window owns, or any form, comes under the beautifier
    // before this window's own procedure sees the change (a window of
    // another process never does).
    auto other = reinterpret_cast<HWND>(lParam);
    if (other && (GetParent(other) == hwnd || ClassifyWindow(other) == ControlKind::Container))
        AttachWindow(other);
    return Forward(previous, hwnd, message, wParam, lParam);
}
