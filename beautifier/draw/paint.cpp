#include "draw/paint.h"
#include "core/fade_timer.h"
#include "core/forward.h"
#include "core/kinds.h"
#include "draw/borders.h"
#include "draw/button_faces.h"
#include "draw/colors.h"
#include "draw/combo_button.h"
#include "draw/glyphs.h"
#include "draw/header.h"
#include "draw/primitives.h"
#include "draw/progress.h"
#include "draw/window_dc.h"

namespace {

using Painter = bool (*)(HWND hwnd, HDC dc, int state);

// Owns one paint cycle. Every self-painted kind closes its cycle even when
// its painter draws nothing, or the window would be sent WM_PAINT forever.
class PaintCycle {
public:
    explicit PaintCycle(HWND hwnd) : hwnd_(hwnd) { BeginPaint(hwnd_, &ps_); }
    ~PaintCycle() { EndPaint(hwnd_, &ps_); }
    PaintCycle(const PaintCycle&) = delete;
    PaintCycle& operator=(const PaintCycle&) = delete;
    HDC dc() const { return ps_.hdc; }

private:
    HWND hwnd_;
    PAINTSTRUCT ps_;
};

// A repaint shows the current state at once and ends a running fade: a step
// after it would blend over the finished picture. The image goes through the
// window DC: its origin is the outer corner, and the window region clips it
// on every system, which Wine does not do for the paint DC of a child.
LRESULT PaintPushButtonOpaque(HWND hwnd)
{
    StopFadeTimer(hwnd);
    SetAlphaLevel(hwnd, kOpaque);
    PaintCycle paint(hwnd);
    BlendPushButton(hwnd, NULL, PushButtonState(hwnd), kOpaque);
    return 0;
}

// The editable drop-down combo box is drawn whole: a white field, the frame
// and the button. Its edit child draws the text.
LRESULT PaintEditableCombo(HWND hwnd)
{
    int state = GetVisualState(hwnd);
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    PaintCycle paint(hwnd);
    FillSolidRect(paint.dc(), 0, 0, b.width, b.height, kWhite);
    FrameSolidRect(paint.dc(), 0, 0, b.width, b.height, FrameColourOf(hwnd));
    ShowComboButton(hwnd, paint.dc(), state, true);
    return 0;
}

LRESULT DecorateToggle(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                       ControlKind kind)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam,
                       [&] { ShowGlyph(hwnd, kind, StateNormal, true); });
}

LRESULT DecorateWith(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                     Painter paint)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam,
                       [&] { paint(hwnd, NULL, StateNormal); });
}

LRESULT PaintWhole(HWND hwnd, Painter paint)
{
    PaintCycle cycle(hwnd);
    paint(hwnd, cycle.dc(), StateNormal);
    return 0;
}

}  // namespace

LRESULT PaintPushButtonWhole(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam)
{
    if (DrawnAsPushButton(GetAttachedStyle(hwnd)))
        return PaintPushButtonOpaque(hwnd);
    return Forward(previous, hwnd, message, wParam, lParam);
}

LRESULT PaintComboBoxByStyle(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam)
{
    if (ComboStyleOf(hwnd).dropDownEdit)
        return PaintEditableCombo(hwnd);
    return DecorateComboBox(previous, hwnd, message, wParam, lParam);
}

LRESULT DecorateComboBox(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        int state = GetVisualState(hwnd);
        WindowDC window(hwnd);
        PaintControlBorder(hwnd, window.get(), state);
        ShowComboButton(hwnd, window.get(), state, true);
    });
}

LRESULT DecorateCheckBox(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DecorateToggle(previous, hwnd, message, wParam, lParam, ControlKind::CheckBox);
}

LRESULT DecorateOptionButton(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam)
{
    return DecorateToggle(previous, hwnd, message, wParam, lParam, ControlKind::OptionButton);
}

LRESULT DecorateList(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DecorateWith(previous, hwnd, message, wParam, lParam, PaintControlBorder);
}

LRESULT DecorateGrid(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DecorateWith(previous, hwnd, message, wParam, lParam, PaintGridBorder);
}

LRESULT PaintProgressBarWhole(WNDPROC, HWND hwnd, UINT, WPARAM, LPARAM)
{
    return PaintWhole(hwnd, PaintProgressClient);
}

LRESULT PaintHeaderWhole(WNDPROC, HWND hwnd, UINT, WPARAM, LPARAM)
{
    return PaintWhole(hwnd, PaintHeader);
}

LRESULT PaintProgressFrame(WNDPROC, HWND hwnd, UINT, WPARAM, LPARAM)
{
    PaintProgressWindow(hwnd, NULL, StateNormal);
    return 0;
}

LRESULT FlattenClientEdge(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam,
                       [&] { PaintFlatClientEdge(hwnd, NULL, StateNormal); });
}
