#include "core/wndproc.h"
#include "core/attach.h"
#include "core/high_contrast.h"
#include "core/properties.h"
#include "core/shape.h"
#include "draw/paint.h"
#include "interact/handlers.h"
#include "interact/nonclient.h"
#include "interact/toggles.h"
#include "interact/tracking.h"

namespace {

// A window that is not attached: one that was detached while a procedure
// installed over the beautifier's stayed (PASSON), or one that a copy of the
// beautifier's procedure reached some other way, which then gets its class's
// own handling. Nothing is drawn or tracked.
LRESULT PassOn(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto next = reinterpret_cast<WNDPROC>(GetWindowProp(hwnd, kPropPassOn));
    if (!next)
        next = reinterpret_cast<WNDPROC>(IsWindowUnicode(hwnd)
                                             ? GetClassLongPtrW(hwnd, GCLP_WNDPROC)
                                             : GetClassLongPtrA(hwnd, GCLP_WNDPROC));
    LRESULT result = Forward(next, hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        RemoveWindowProp(hwnd, kPropPassOn);
    return result;
}

// The system sends WM_DESTROY to a window before it destroys the window's
// children, so detaching here reaches all of them while they still exist,
// and the window's own procedure sees the message with the beautifier gone.
LRESULT OnDestroy(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DetachWindow(hwnd);
    return Forward(previous, hwnd, message, wParam, lParam);
}

// High contrast turned on gives a top-level window back to the system with
// everything in it, before the window's own procedure hears of the change.
LRESULT OnSystemColoursChange(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                              LPARAM lParam)
{
    if (GetAncestor(hwnd, GA_ROOT) == hwnd && IsHighContrastOn())
        DetachWindow(hwnd);
    return Forward(previous, hwnd, message, wParam, lParam);
}

// The window named by lParam comes under the beautifier once the previous
// procedure has answered; one that already is attached stays as it is.
LRESULT AttachNamedWindow(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
    if (lParam)
        AttachWindow(reinterpret_cast<HWND>(lParam));
    return result;
}

// lParam names a modal dialog box (or the window holding a menu) that this
// window owns and that has gone idle.
LRESULT OnEnterIdle(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AttachNamedWindow(previous, hwnd, message, wParam, lParam);
}

// lParam names a list box about to be drawn: a child list box, or a combo
// box's own drop-down list.
LRESULT OnCtlColorListBox(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                          LPARAM lParam)
{
    return AttachNamedWindow(previous, hwnd, message, wParam, lParam);
}

// A click may have changed the check marks of a whole group (an option
// button selected turns its neighbours off), so every check box and option
// button beside the window is drawn again, the clicked one included.
LRESULT OnLButtonUpAndRefresh(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                              LPARAM lParam)
{
    LRESULT result = OnLButtonUp(previous, hwnd, message, wParam, lParam);
    HWND parent = GetParent(hwnd);
    EnumChildWindows(parent ? parent : hwnd, RepaintToggleChildProc, 0);
    return result;
}

}  // namespace

LRESULT CALLBACK BeautifierWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd)
        return 0;
    // Read again on every message, since any of them may attach or detach;
    // what is read here is forwarded to for the whole message, even when the
    // handling detaches the window.
    auto previous = reinterpret_cast<WNDPROC>(GetWindowProp(hwnd, kPropProcAddr));
    if (!previous)
        return PassOn(hwnd, message, wParam, lParam);

    switch (message) {
    case WM_DESTROY:
        return OnDestroy(previous, hwnd, message, wParam, lParam);
    case WM_SIZE:
        return OnSize(previous, hwnd, message, wParam, lParam);
    case WM_ACTIVATE:
        return OnActivate(previous, hwnd, message, wParam, lParam);
    case WM_SETFOCUS:
        return OnSetFocus(previous, hwnd, message, wParam, lParam);
    case WM_KILLFOCUS:
        return OnKillFocus(previous, hwnd, message, wParam, lParam);
    case WM_ENABLE:
        return OnEnable(previous, hwnd, message, wParam, lParam);
    case WM_PAINT:
        return OnPaint(previous, hwnd, message, wParam, lParam);
    case WM_WINDOWPOSCHANGING:
        return OnWindowPosChanging(previous, hwnd, message, wParam, lParam);
    case WM_NCPAINT:
        return OnNcPaint(previous, hwnd, message, wParam, lParam);
    case WM_KEYDOWN:
        return OnKeyDown(previous, hwnd, message, wParam, lParam);
    case WM_KEYUP:
        return OnKeyUp(previous, hwnd, message, wParam, lParam);
    case WM_TIMER:
        return OnTimer(previous, hwnd, message, wParam, lParam);
    case WM_ENTERIDLE:
        return OnEnterIdle(previous, hwnd, message, wParam, lParam);
    case WM_CTLCOLORLISTBOX:
        return OnCtlColorListBox(previous, hwnd, message, wParam, lParam);
    case WM_MOUSEMOVE:
        return OnMouseMove(previous, hwnd, message, wParam, lParam);
    case WM_LBUTTONDOWN:
        return OnLButtonDown(previous, hwnd, message, wParam, lParam);
    case WM_LBUTTONUP:
        return OnLButtonUpAndRefresh(previous, hwnd, message, wParam, lParam);
    case WM_LBUTTONDBLCLK:
        return OnLButtonDblClk(previous, hwnd, message, wParam, lParam);
    case WM_MOUSELEAVE:
        return OnMouseLeave(previous, hwnd, message, wParam, lParam);
    case WM_GETDLGCODE:
        return OnGetDlgCode(previous, hwnd, message, wParam, lParam);
    case BM_SETSTYLE:
        return OnSetStyle(previous, hwnd, message, wParam, lParam);
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        return OnSystemColoursChange(previous, hwnd, message, wParam, lParam);
    }
    return Forward(previous, hwnd, message, wParam, lParam);
}
