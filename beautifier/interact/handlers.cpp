#include "interact/handlers.h"
#include "core/properties.h"
#include "interact/header_tracking.h"
#include "interact/push_button.h"
#include "interact/toggles.h"
#include "interact/tracking.h"

// Each handler forwards first, so the control's own handling of the message
// (a click notification, the action it starts, the check state it changes)
// is complete before the control is drawn in its new state. The kinds a
// handler does not name have nothing to do.

namespace {

using K = ControlKind;

// Push buttons of the two types the dialog manager switches between when it
// moves the default from one button to another.
bool IsDefaultableType(LONG_PTR style)
{
    LONG_PTR type = style & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

LRESULT OnFocusChange(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        switch (ClassifyWindow(hwnd)) {
        case K::PushButton:
            PushButtonFocusChange(hwnd);
            break;
        case K::OptionButton:
            GlyphRefresh(hwnd, K::OptionButton);
            break;
        default:
            break;
        }
    });
}

// The space key presses and releases buttons, check boxes and option
// buttons as the left mouse button does; other keys change nothing.
LRESULT OnSpaceKey(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                   bool down)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        if (wParam != VK_SPACE)
            return;
        switch (K kind = ClassifyWindow(hwnd)) {
        case K::PushButton:
            if (down)
                PushButtonPress(hwnd);
            else
                PushButtonSpaceUp(hwnd);
            break;
        case K::CheckBox:
        case K::OptionButton:
            GlyphShow(hwnd, kind, down ? StatePressed : StateNormal);
            break;
        default:
            break;
        }
    });
}

}  // namespace

LRESULT OnMouseMove(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        switch (K kind = ClassifyWindow(hwnd)) {
        case K::PushButton:
            PushButtonMouseMove(hwnd);
            break;
        case K::ComboBox:
        case K::DriveList:
            ComboMouseMove(hwnd, kind, wParam, lParam);
            break;
        case K::CheckBox:
        case K::OptionButton:
            GlyphMouseMove(hwnd, kind, wParam);
            break;
        case K::Header:
            HeaderMouseMove(hwnd, wParam, lParam);
            break;
        default:
            break;
        }
    });
}

LRESULT OnMouseLeave(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        switch (K kind = ClassifyWindow(hwnd)) {
        case K::PushButton:
            PushButtonMouseLeave(hwnd);
            break;
        case K::ComboBox:
        case K::DriveList:
            ComboMouseLeave(hwnd);
            break;
        case K::CheckBox:
        case K::OptionButton:
            GlyphMouseLeave(hwnd, kind);
            break;
        case K::Header:
            HeaderMouseLeave(hwnd);
            break;
        default:
            break;
        }
    });
}

LRESULT OnLButtonDown(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        switch (K kind = ClassifyWindow(hwnd)) {
        case K::PushButton:
            PushButtonPress(hwnd);
            break;
        case K::ComboBox:
        case K::DriveList:
            ComboLButtonDown(hwnd, kind, lParam);
            break;
        case K::CheckBox:
        case K::OptionButton:
            GlyphShow(hwnd, kind, StatePressed);
            break;
        case K::Header:
            HeaderPress(hwnd, lParam);
            break;
        default:
            break;
        }
    });
}

LRESULT OnLButtonUp(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        switch (K kind = ClassifyWindow(hwnd)) {
        case K::PushButton:
            PushButtonRelease(hwnd);
            break;
        case K::ComboBox:
        case K::DriveList:
            ComboLButtonUp(hwnd);
            break;
        case K::CheckBox:
        case K::OptionButton:
            GlyphShow(hwnd, kind, StateNormal);
            break;
        case K::Header:
            HeaderRelease(hwnd);
            break;
        default:
            break;
        }
    });
}

LRESULT OnLButtonDblClk(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        switch (ClassifyWindow(hwnd)) {
        case K::PushButton:
            PushButtonPress(hwnd);
            break;
        case K::Header:
            HeaderPress(hwnd, lParam);
            break;
        default:
            break;
        }
    });
}

LRESULT OnKeyDown(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return OnSpaceKey(previous, hwnd, message, wParam, lParam, true);
}

LRESULT OnKeyUp(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return OnSpaceKey(previous, hwnd, message, wParam, lParam, false);
}

LRESULT OnSetFocus(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return OnFocusChange(previous, hwnd, message, wParam, lParam);
}

LRESULT OnKillFocus(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return OnFocusChange(previous, hwnd, message, wParam, lParam);
}

LRESULT OnEnable(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        if (ClassifyWindow(hwnd) == K::PushButton)
            PushButtonEnable(hwnd, wParam != 0);
    });
}

LRESULT OnGetDlgCode(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Switched to owner-draw, the button answers as no push button at all:
    // the dialog manager would no longer find the default button (Enter
    // then sends IDOK, whatever has the focus) nor move the default along
    // with the focus. It is answered for the type the button stands for.
    LONG_PTR style = -1;  // stays so for any other kind, or a window detached meanwhile
    LRESULT result = ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        if (ClassifyWindow(hwnd) == K::PushButton)
            style = GetWindowProp(hwnd, kPropOldStyle);
    });
    if (style == -1 || !IsDefaultableType(style))
        return result;
    result &= ~(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
    bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    return result | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT OnSetStyle(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The dialog manager makes a button the default, or no longer the
    // default, by restyling it (and a message box sets its default that way
    // after it has been attached). The new type is kept as the one the
    // button stands for, and goes back on it at detach; the button itself
    // stays owner-draw, or it would draw its system face over this one.
    if (ClassifyWindow(hwnd) != K::PushButton || !IsDefaultableType(wParam))
        return Forward(previous, hwnd, message, wParam, lParam);
    LONG_PTR style = GetWindowProp(hwnd, kPropOldStyle);
    if (!IsDefaultableType(style))
        return Forward(previous, hwnd, message, wParam, lParam);
    SetWindowProp(hwnd, kPropOldStyle, (style & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK));
    return Forward(previous, hwnd, message, (wParam & ~BS_TYPEMASK) | BS_OWNERDRAW, lParam);
}

LRESULT OnWindowPosChanging(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                            LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        switch (ClassifyWindow(hwnd)) {
        case K::ComboBox:
        case K::DriveList:
            ComboPositionChanging(hwnd);
            break;
        default:
            break;
        }
    });
}
