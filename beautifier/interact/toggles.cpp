#include "interact/toggles.h"
#include "draw/combo_button.h"
#include "draw/glyphs.h"
#include "draw/primitives.h"
#include "interact/tracking.h"

namespace {

// The button strip stays clear of the one-pixel frame and the white ring
// inside it.
const int kZoneInset = 2;

bool HasEditField(HWND hwnd, ControlKind kind)
{
    return kind == ControlKind::ComboBox && !(GetWindowLongA(hwnd, GWL_STYLE) & CBS_SIMPLE);
}

void ShowComboButton(HWND hwnd, int state)
{
    PaintComboButton(hwnd, NULL, state, false);
}

// A check box is drawn again only when its state changes, unless forced.
int PaintGlyph(HWND hwnd, ControlKind kind, int state, bool force)
{
    return kind == ControlKind::CheckBox ? PaintCheckBox(hwnd, state, force)
                                         : PaintOptionButton(hwnd, state, force);
}

int HeldState(WPARAM wParam)
{
    return (wParam & MK_LBUTTON) ? StatePressed : StateHot;
}

}  // namespace

bool InDropDownZone(HWND hwnd, ControlKind kind, LPARAM lParam)
{
    if (!HasEditField(hwnd, kind))
        return true;
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    int x = GetLParamX(lParam), y = GetLParamY(lParam);
    int left = b.width - GetSystemMetrics(SM_CXVSCROLL) - kZoneInset;
    return x >= left && x <= b.width - kZoneInset && y >= kZoneInset &&
           y <= b.height - kZoneInset;
}

void ComboMouseMove(HWND hwnd, ControlKind kind, WPARAM wParam, LPARAM lParam)
{
    MarkMouseInside(hwnd);
    ShowComboButton(hwnd, InDropDownZone(hwnd, kind, lParam) ? HeldState(wParam) : StateNormal);
}

void ComboLButtonDown(HWND hwnd, ControlKind kind, LPARAM lParam)
{
    // A press in the text of an editable combo leaves the button as it is.
    if (InDropDownZone(hwnd, kind, lParam))
        ShowComboButton(hwnd, StatePressed);
}

void ComboLButtonUp(HWND hwnd)
{
    ShowComboButton(hwnd, IsCursorOverWindow(hwnd) ? StateHot : StateNormal);
}

void ComboMouseLeave(HWND hwnd)
{
    SetWindowProp(hwnd, kPropMouseFlag, 0);
    ShowComboButton(hwnd, StateNormal);
}

void ComboPositionChanging(HWND hwnd)
{
    ShowComboButton(hwnd, StateNormal);
}

void GlyphMouseMove(HWND hwnd, ControlKind kind, WPARAM wParam)
{
    MarkMouseInside(hwnd);
    // The control's own procedure may have drawn its glyph again on this
    // move (a press changes its look), so the flat one is always repainted.
    PaintGlyph(hwnd, kind, HeldState(wParam), true);
}

void GlyphShow(HWND hwnd, ControlKind kind, int state)
{
    PaintGlyph(hwnd, kind, state, false);
}

void GlyphMouseLeave(HWND hwnd, ControlKind kind)
{
    SetWindowProp(hwnd, kPropMouseFlag, 0);
    PaintGlyph(hwnd, kind, StateNormal, false);
}

void GlyphRefresh(HWND hwnd, ControlKind kind)
{
    PaintGlyph(hwnd, kind, StateNormal, true);
}

BOOL CALLBACK RepaintToggleChildProc(HWND child, LPARAM)
{
    if (!GetWindowProp(child, kPropProcAddr))
        return TRUE;
    ControlKind kind = ClassifyWindow(child);
    if (kind == ControlKind::CheckBox || kind == ControlKind::OptionButton)
        GlyphRefresh(child, kind);
    return TRUE;
}
