#include "interact/handlers.h"
#include "core/properties.h"
#include "draw/button_faces.h"
#include "interact/tracking.h"

namespace {

// The focus rectangle is part of a push button's images: they are drawn
// again with or without it, and fade in over the old picture.
void ShowFocusChange(HWND hwnd)
{
    RenderButtonImages(hwnd);
    SetWindowProp(hwnd, kPropAlphaLevel, 0);
    StartFadeTimer(hwnd);
}

LRESULT OnFocusChange(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
    if (ClassifyWindow(hwnd) == ControlKind::PushButton)
        ShowFocusChange(hwnd);
    return result;
}

}  // namespace

LRESULT OnMouseMove(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Forward(previous, hwnd, message, wParam, lParam);
}

LRESULT OnMouseLeave(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Forward(previous, hwnd, message, wParam, lParam);
}

LRESULT OnLButtonDown(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Forward(previous, hwnd, message, wParam, lParam);
}

LRESULT OnLButtonUp(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Forward(previous, hwnd, message, wParam, lParam);
}

LRESULT OnLButtonDblClk(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Forward(previous, hwnd, message, wParam, lParam);
}

LRESULT OnKeyDown(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Forward(previous, hwnd, message, wParam, lParam);
}

LRESULT OnKeyUp(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return Forward(previous, hwnd, message, wParam, lParam);
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
    return Forward(previous, hwnd, message, wParam, lParam);
}

LRESULT OnWindowPosChanging(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                            LPARAM lParam)
{
    return Forward(previous, hwnd, message, wParam, lParam);
}
