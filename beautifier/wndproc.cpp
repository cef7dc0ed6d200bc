#include "wndproc.h"
#include "attach.h"
#include "behaviours.h"
#include "core/forward.h"
#include "core/high_contrast.h"
#include "core/kinds.h"
#include "core/properties.h"
#include "interact/glyph_toggles.h"

namespace {

// A window that is not attached: one that was detached while a procedure
// installed over the beautifier's stayed (PASSON), or one that a copy of the
// beautifier's procedure reached some other way, which then gets its class's
// own handling. Nothing is drawn or tracked.
LRESULT PassOn(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto next = reinterpret_cast<WNDPROC>(GetWindowProp(hwnd, kPropPassOn));
    if (!next)
        next =
            reinterpret_cast<WNDPROC>(IsWindowUnicode(hwnd) ? GetClassLongPtrW(hwnd, GCLP_WNDPROC)
                                                            : GetClassLongPtrA(hwnd, GCLP_WNDPROC));
    LRESULT result = Forward(next, hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        RemoveWindowProp(hwnd, kPropPassOn);
    return result;
}

// The window's kind takes the whole message, or it goes on unchanged.
LRESULT HandleByKind(MessageHandler KindBehaviour::*handler, WNDPROC previous, HWND hwnd,
                     UINT message, WPARAM wParam, LPARAM lParam)
{
    if (MessageHandler handle = BehaviourOf(ClassifyWindow(hwnd)).*handler)
        return handle(previous, hwnd, message, wParam, lParam);
    return Forward(previous, hwnd, message, wParam, lParam);
}

// The window's own procedure handles the message first; then the window's
// kind reacts, while the window is still attached.
LRESULT ForwardThenReact(Reaction KindBehaviour::*reaction, WNDPROC previous, HWND hwnd,
                         UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        ControlKind kind = ClassifyWindow(hwnd);
        if (Reaction react = BehaviourOf(kind).*reaction)
            react(hwnd, kind, wParam, lParam);
    });
}

// The system sends WM_DESTROY to a window before it destroys the window's
// children, so detaching here reaches all of them while they still exist,
// and the window's own procedure sees the message with the beautifier gone.
LRESULT OnDestroy(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    DetachWindow(hwnd);
    return Forward(previous, hwnd, message, wParam, lParam);
}

// lParam is the other window of the change: the one being activated as
// this one loses the activation, or the one losing it. A message box or
// dialog this window owns, or any form, comes under the beautifier before
// this window's own procedure sees the change (a window of another process
// never does).
LRESULT OnActivate(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto other = reinterpret_cast<HWND>(lParam);
    if (other && (GetParent(other) == hwnd || ClassifyWindow(other) == ControlKind::Container))
        AttachWindow(other);
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
LRESULT OnCtlColorListBox(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return AttachNamedWindow(previous, hwnd, message, wParam, lParam);
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

LRESULT OnPaint(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return HandleByKind(&KindBehaviour::paint, previous, hwnd, message, wParam, lParam);
}

LRESULT OnNcPaint(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return HandleByKind(&KindBehaviour::nonClientPaint, previous, hwnd, message, wParam, lParam);
}

LRESULT OnGetDlgCode(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return HandleByKind(&KindBehaviour::dialogCode, previous, hwnd, message, wParam, lParam);
}

LRESULT OnSetStyle(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return HandleByKind(&KindBehaviour::setStyle, previous, hwnd, message, wParam, lParam);
}

LRESULT OnMouseMove(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThenReact(&KindBehaviour::mouseMove, previous, hwnd, message, wParam, lParam);
}

LRESULT OnMouseLeave(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThenReact(&KindBehaviour::mouseLeave, previous, hwnd, message, wParam, lParam);
}

LRESULT OnLButtonDown(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThenReact(&KindBehaviour::press, previous, hwnd, message, wParam, lParam);
}

// A click may have changed the check marks of a whole group (an option
// button selected turns its neighbours off), so every check box and option
// button beside the window is drawn again, the clicked one included.
LRESULT OnLButtonUp(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result =
        ForwardThenReact(&KindBehaviour::release, previous, hwnd, message, wParam, lParam);
    HWND parent = GetParent(hwnd);
    EnumChildWindows(parent ? parent : hwnd, RepaintToggleChildProc, 0);
    return result;
}

LRESULT OnLButtonDblClk(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThenReact(&KindBehaviour::doubleClick, previous, hwnd, message, wParam, lParam);
}

// The space key presses and releases buttons, check boxes and option
// buttons as the left mouse button does; other keys change nothing.
LRESULT OnKeyDown(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wParam != VK_SPACE)
        return Forward(previous, hwnd, message, wParam, lParam);
    return ForwardThenReact(&KindBehaviour::spaceDown, previous, hwnd, message, wParam, lParam);
}

LRESULT OnKeyUp(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (wParam != VK_SPACE)
        return Forward(previous, hwnd, message, wParam, lParam);
    return ForwardThenReact(&KindBehaviour::spaceUp, previous, hwnd, message, wParam, lParam);
}

LRESULT OnFocusChange(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThenReact(&KindBehaviour::focusChange, previous, hwnd, message, wParam, lParam);
}

LRESULT OnEnable(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThenReact(&KindBehaviour::enable, previous, hwnd, message, wParam, lParam);
}

LRESULT OnSize(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThenReact(&KindBehaviour::resize, previous, hwnd, message, wParam, lParam);
}

LRESULT OnWindowPosChanging(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThenReact(&KindBehaviour::positionChanging, previous, hwnd, message, wParam,
                            lParam);
}

// The one handler that works before forwarding.
LRESULT OnTimer(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    ControlKind kind = ClassifyWindow(hwnd);
    if (Reaction tick = BehaviourOf(kind).timerTick)
        tick(hwnd, kind, wParam, lParam);
    return Forward(previous, hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK BeautifierWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!hwnd)
        return 0;
    // The system ends a window on the window's own thread, from its
    // DestroyWindow. The same messages sent by another thread or program are
    // not the window's end: taken, they would detach a window that stays
    // open, or have a control free its state while it is still in use.
    if ((message == WM_DESTROY || message == WM_NCDESTROY) && InSendMessage())
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
    case WM_KILLFOCUS:
        return OnFocusChange(previous, hwnd, message, wParam, lParam);
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
        return OnLButtonUp(previous, hwnd, message, wParam, lParam);
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
