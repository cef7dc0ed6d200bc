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

LRESULT OnFocusChange(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
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
    return result;
}

}  // namespace

LRESULT OnMouseMove(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
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
    return result;
}

LRESULT OnMouseLeave(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
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
    return result;
}

LRESULT OnLButtonDown(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
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
    return result;
}

LRESULT OnLButtonUp(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
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
    return result;
}

LRESULT OnLButtonDblClk(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
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
    return result;
}

LRESULT OnKeyDown(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
    if (wParam != VK_SPACE)
        return result;
    switch (K kind = ClassifyWindow(hwnd)) {
    case K::PushButton:
        PushButtonPress(hwnd);
        break;
    case K::CheckBox:
    case K::OptionButton:
        GlyphShow(hwnd, kind, StatePressed);
        break;
    default:
        break;
    }
    return result;
}

LRESULT OnKeyUp(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
    if (wParam != VK_SPACE)
        return result;
    switch (K kind = ClassifyWindow(hwnd)) {
    case K::PushButton:
        PushButtonSpaceUp(hwnd);
        break;
    case K::CheckBox:
    case K::OptionButton:
        GlyphShow(hwnd, kind, StateNormal);
        break;
    default:
        break;
    }
    return result;
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
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
    if (ClassifyWindow(hwnd) == K::PushButton)
        PushButtonEnable(hwnd, wParam != 0);
    return result;
}

LRESULT OnWindowPosChanging(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                            LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
    switch (ClassifyWindow(hwnd)) {
    case K::ComboBox:
    case K::DriveList:
        ComboPositionChanging(hwnd);
        break;
    default:
        break;
    }
    return result;
}
