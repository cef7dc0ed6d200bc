#include "draw/paint.h"
#include "core/properties.h"
#include "draw/borders.h"
#include "draw/button_faces.h"
#include "draw/colors.h"
#include "draw/combo_button.h"
#include "draw/glyphs.h"
#include "draw/header.h"
#include "draw/primitives.h"
#include "draw/progress.h"
#include "draw/window_dc.h"
#include "interact/tracking.h"

namespace {

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
    SetWindowProp(hwnd, kPropAlphaLevel, kOpaque);
    PaintCycle paint(hwnd);
    PaintPushButton(hwnd, NULL);
    return 0;
}

// The editable drop-down combo box (CBS_DROPDOWN) is drawn whole: a white
// field, the frame and the button. Its edit child draws the text.
LRESULT PaintEditableCombo(HWND hwnd)
{
    int state = static_cast<int>(GetWindowProp(hwnd, kPropOldState));
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    PaintCycle paint(hwnd);
    FillSolidRect(paint.dc(), 0, 0, b.width, b.height, kWhite);
    FrameSolidRect(paint.dc(), 0, 0, b.width, b.height, FrameColourOf(hwnd));
    PaintComboButton(hwnd, paint.dc(), state, true);
    return 0;
}

// A list that draws its own items gets the flat frame and button over its
// three-dimensional edge, in the state it last showed.
LRESULT DecorateComboBox(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                         LPARAM lParam)
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] {
        int state = static_cast<int>(GetWindowProp(hwnd, kPropOldState));
        WindowDC window(hwnd);
        PaintControlBorder(hwnd, window.get());
        PaintComboButton(hwnd, window.get(), state, true);
    });
}

// A repaint shows the glyph in its normal state; the next mouse event
// brings back hot or pressed.
LRESULT DecorateToggle(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                       int (*paintGlyph)(HWND, int, bool))
{
    return ForwardThen(previous, hwnd, message, wParam, lParam,
                       [&] { paintGlyph(hwnd, StateNormal, true); });
}

LRESULT DecorateWith(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                     void (*paintBorder)(HWND, HDC))
{
    return ForwardThen(previous, hwnd, message, wParam, lParam, [&] { paintBorder(hwnd, NULL); });
}

LRESULT PaintWhole(HWND hwnd, void (*painter)(HWND, HDC))
{
    PaintCycle paint(hwnd);
    painter(hwnd, paint.dc());
    return 0;
}

bool IsEditableCombo(HWND hwnd)
{
    return !(GetWindowLongA(hwnd, GWL_STYLE) & CBS_SIMPLE);
}

}  // namespace

LRESULT OnPaint(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (ClassifyWindow(hwnd)) {
    case ControlKind::PushButton:
        if (DrawnAsPushButton(GetWindowProp(hwnd, kPropOldStyle)))
            return PaintPushButtonOpaque(hwnd);
        break;
    case ControlKind::ComboBox:
        if (IsEditableCombo(hwnd))
            return PaintEditableCombo(hwnd);
        return DecorateComboBox(previous, hwnd, message, wParam, lParam);
    case ControlKind::DriveList:
        return DecorateComboBox(previous, hwnd, message, wParam, lParam);
    case ControlKind::CheckBox:
        return DecorateToggle(previous, hwnd, message, wParam, lParam, PaintCheckBox);
    case ControlKind::OptionButton:
        return DecorateToggle(previous, hwnd, message, wParam, lParam, PaintOptionButton);
    case ControlKind::DataList:
    case ControlKind::ComboList:
        return DecorateWith(previous, hwnd, message, wParam, lParam, PaintControlBorder);
    case ControlKind::ProgressBar:
        return PaintWhole(hwnd, PaintProgressClient);
    case ControlKind::Header:
        return PaintWhole(hwnd, PaintHeader);
    case ControlKind::Grid:
        return DecorateWith(previous, hwnd, message, wParam, lParam, PaintGridBorder);
    default:
        break;
    }
    return Forward(previous, hwnd, message, wParam, lParam);
}
