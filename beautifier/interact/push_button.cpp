#include "interact/push_button.h"
#include "core/fade_timer.h"
#include "core/forward.h"
#include "core/properties.h"
#include "draw/button_faces.h"
#include "interact/mouse_tracking.h"

namespace {

// Opacities at which a state's image is first blended.
const int kFromNothing = 0;
const int kAfterRelease = 60;  // the pressed face still shows through
const int kLeavingHot = 140;   // the hot face, part way back

const int kFadeStep = 3;

// The image of the state given blended at once, on a button drawn as a
// push button; the properties are left to the caller, which sets them once.
void Blend(HWND hwnd, int state, int level)
{
    if (DrawnAsPushButton(GetAttachedStyle(hwnd)))
        BlendPushButton(hwnd, NULL, state, level);
}

void FadeIn(HWND hwnd, int state, int level)
{
    SetFade(hwnd, state, level);
    StartFadeTimer(hwnd);
}

// Push buttons of the two types the dialog manager switches between when it
// moves the default from one button to another.
bool IsDefaultableType(LONG_PTR style)
{
    LONG_PTR type = style & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

}  // namespace

void PushButtonMouseMove(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    if (MarkMouseInside(hwnd)) {
        FadeIn(hwnd, StateHot, kFromNothing);
        return;
    }
    // With the mouse captured, moves arrive while the cursor is elsewhere:
    // the button held and dragged away shows its state without fading.
    if (!IsCursorOverWindow(hwnd)) {
        StopFadeTimer(hwnd);
        SetAlphaLevel(hwnd, kOpaque);
        Blend(hwnd, PushButtonState(hwnd), kOpaque);
    }
}

void PushButtonMouseLeave(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    SetMouseInside(hwnd, false);
    Blend(hwnd, ShownState(hwnd, StateHot), kLeavingHot);
    FadeIn(hwnd, StateNormal, kFromNothing);
}

void PushButtonPress(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    StopFadeTimer(hwnd);
    int shown = ShownState(hwnd, StatePressed);
    // Opaque at once; the level kept is nothing, so that a stray fade step
    // blends nothing visible.
    SetFade(hwnd, shown, kFromNothing);
    Blend(hwnd, shown, kOpaque);
}

void PushButtonRelease(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    SetMouseInside(hwnd, false);
    FadeIn(hwnd, StateNormal, kAfterRelease);
}

void PushButtonSpaceUp(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    SetMouseInside(hwnd, false);
    FadeIn(hwnd, StateNormal, kFromNothing);
}

void PushButtonEnable(HWND hwnd, ControlKind, WPARAM enabled, LPARAM)
{
    // At the stored opacity: after a finished fade that is 0, and the new
    // state shows with the next repaint.
    int state = ShownState(hwnd, enabled ? StateNormal : StateDisabled);
    SetVisualState(hwnd, state);
    PaintPushButton(hwnd, NULL, state);
}

void PushButtonFocusChange(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    RenderButtonImages(hwnd);
    SetAlphaLevel(hwnd, kFromNothing);
    StartFadeTimer(hwnd);
}

void PushButtonResize(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    ResizeButtonImages(hwnd);
    SetButtonRegion(hwnd);
}

// Each step blends over the picture the previous one left, so the image is
// reached well before the level does.
void PushButtonFadeStep(HWND hwnd, ControlKind, WPARAM, LPARAM)
{
    int level = GetAlphaLevel(hwnd);
    Blend(hwnd, PushButtonState(hwnd), level);
    level += kFadeStep;
    if (level > kOpaque) {
        StopFadeTimer(hwnd);
        level = 0;
    }
    SetAlphaLevel(hwnd, level);
}

LRESULT AnswerDialogCode(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    LONG_PTR style = -1;  // stays so for a window detached meanwhile
    LRESULT result = ForwardThen(previous, hwnd, message, wParam, lParam,
                                 [&] { style = GetAttachedStyle(hwnd); });
    if (style == -1 || !IsDefaultableType(style))
        return result;
    result &= ~(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
    bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
    return result | (isDefault ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON);
}

LRESULT KeepOwnerDraw(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!IsDefaultableType(wParam))
        return Forward(previous, hwnd, message, wParam, lParam);
    LONG_PTR style = GetAttachedStyle(hwnd);
    if (!IsDefaultableType(style))
        return Forward(previous, hwnd, message, wParam, lParam);
    SetAttachedStyle(hwnd, (style & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK));
    return Forward(previous, hwnd, message, (wParam & ~BS_TYPEMASK) | BS_OWNERDRAW, lParam);
}
