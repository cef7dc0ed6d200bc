#include "draw/paint.h"
#include "core/properties.h"
#include "draw/button_faces.h"
#include "interact/tracking.h"

namespace {

// A repaint shows the current state at once and ends a running fade: a step
// after it would blend over the finished picture. The image goes through the
// window DC: its origin is the outer corner, and the window region clips it
// on every system, which Wine does not do for the paint DC of a child.
LRESULT PaintPushButtonOpaque(HWND hwnd)
{
    StopFadeTimer(hwnd);
    SetWindowProp(hwnd, kPropAlphaLevel, kOpaque);
    PAINTSTRUCT ps;
    BeginPaint(hwnd, &ps);
    PaintPushButton(hwnd, NULL);
    EndPaint(hwnd, &ps);
    return 0;
}

}  // namespace

LRESULT OnPaint(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (ClassifyWindow(hwnd)) {
    case ControlKind::PushButton:
        if (DrawnAsPushButton(GetWindowProp(hwnd, kPropOldStyle)))
            return PaintPushButtonOpaque(hwnd);
        break;
    default:
        break;
    }
    return Forward(previous, hwnd, message, wParam, lParam);
}
