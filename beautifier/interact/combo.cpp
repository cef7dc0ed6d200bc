#include "interact/combo.h"
#include "core/properties.h"
#include "draw/combo_button.h"
#include "draw/primitives.h"
#include "interact/mouse_tracking.h"

namespace {

// The button strip stays clear of the one-pixel frame and the white ring
// inside it.
const int kZoneInset = 2;

void ShowButton(HWND hwnd, int state)
{
    ShowComboButton(hwnd, NULL, state, false);
}

}  // namespace

bool InDropDownZone(HWND hwnd, ControlKind kind, LPARAM lParam)
{
    if (kind != ControlKind::ComboBox || !ComboStyleOf(hwnd).dropDownEdit)
        return true;
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    int x = GetLParamX(lParam), y = GetLParamY(lParam);
    int left = b.width - GetSystemMetrics(SM_CXVSCROLL) - kZoneInset;
    return x >= left && x <= b.width - kZoneInset && y >= kZoneInset && y <= b.height - kZoneInset;
}

void ComboMouseMove(HWND hwnd, ControlKind kind, WPARAM wParam, LPARAM lParam)
{
    MarkMouseInside(hwnd);
    ShowButton(hwnd, InDropDownZone(hwnd, kind, lParam) ? StateUnderMouse(wParam) : StateNormal);
}

void ComboPress(HWND hwnd, ControlKind kind, WPARAM, LPARAM lParam)
{
    if (InDropDownZone(hwnd, kind, lParam))
        ShowButton(hwnd, StatePressed);
}

void ComboRelease(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    ShowButton(hwnd, IsCursorOverWindow(hwnd) ? StateHot : StateNormal);
}

void ComboMouseLeave(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    SetMouseInside(hwnd, false);
    ShowButton(hwnd, StateNormal);
}

void ComboPositionChanging(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    ShowButton(hwnd, StateNormal);
}
