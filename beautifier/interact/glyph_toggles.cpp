#include "interact/glyph_toggles.h"
#include "core/properties.h"
#include "draw/glyphs.h"
#include "interact/mouse_tracking.h"

void GlyphMouseMove(HWND hwnd, ControlKind kind, WPARAM wParam, LPARAM)
{
    MarkMouseInside(hwnd);
    // The control's own procedure may have drawn its glyph again on this
    // move (a press changes its look), so the flat one is always repainted.
    ShowGlyph(hwnd, kind, StateUnderMouse(wParam), true);
}

void GlyphPress(HWND hwnd, ControlKind kind, WPARAM, LPARAM)
{
    ShowGlyph(hwnd, kind, StatePressed, false);
}

void GlyphRelease(HWND hwnd, ControlKind kind, WPARAM, LPARAM)
{
    ShowGlyph(hwnd, kind, StateNormal, false);
}

void GlyphMouseLeave(HWND hwnd, ControlKind kind, WPARAM, LPARAM)
{
    SetMouseInside(hwnd, false);
    ShowGlyph(hwnd, kind, StateNormal, false);
}

void GlyphRefresh(HWND hwnd, ControlKind kind, WPARAM, LPARAM)
{
    ShowGlyph(hwnd, kind, StateNormal, true);
}

BOOL CALLBACK RepaintToggleChildProc(HWND child, LPARAM)
{
    // The class name first: it costs nothing next to a property, and most
    // windows beside a button are no check box or option button.
    ControlKind kind = ClassifyWindow(child);
    if ((kind == ControlKind::CheckBox || kind == ControlKind::OptionButton) &&
        GetWindowProp(child, kPropProcAddr))
        GlyphRefresh(child, kind, 0, 0);
    return TRUE;
}
