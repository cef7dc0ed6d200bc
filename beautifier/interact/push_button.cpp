#include "interact/push_button.h"
#include "core/properties.h"
#include "draw/button_faces.h"
#include "interact/tracking.h"

namespace {

// Opacities at which a state's image is first blended.
const int kFromNothing = 0;
const int kAfterRelease = 60;   // the pressed face still shows through
const int kLeavingHot = 140;    // the hot face, part way back

void Show(HWND hwnd, int state, int level)
{
    SetWindowProp(hwnd, kPropOldState, state);
    SetWindowProp(hwnd, kPropAlphaLevel, level);
    PaintPushButton(hwnd, NULL);
}

void FadeIn(HWND hwnd, int state, int level)
{
    SetWindowProp(hwnd, kPropOldState, state);
    SetWindowProp(hwnd, kPropAlphaLevel, level);
    StartFadeTimer(hwnd);
}

}  // namespace

void PushButtonMouseMove(HWND hwnd)
{
    if (MarkMouseInside(hwnd)) {
        FadeIn(hwnd, StateHot, kFromNothing);
        return;
    }
    // With the mouse captured, moves arrive while the cursor is elsewhere:
    // the button held and dragged away shows its state without fading.
    if (!IsCursorOverWindow(hwnd)) {
        StopFadeTimer(hwnd);
        SetWindowProp(hwnd, kPropAlphaLevel, kOpaque);
        PaintPushButton(hwnd, NULL);
    }
}

void PushButtonMouseLeave(HWND hwnd)
{
    SetWindowProp(hwnd, kPropMouseFlag, 0);
    Show(hwnd, StateHot, kLeavingHot);
    FadeIn(hwnd, StateNormal, kFromNothing);
}

void PushButtonPress(HWND hwnd)
{
    StopFadeTimer(hwnd);
    Show(hwnd, StatePressed, kOpaque);
    // A stray fade step now blends nothing visible.
    SetWindowProp(hwnd, kPropAlphaLevel, kFromNothing);
}

void PushButtonRelease(HWND hwnd)
{
    SetWindowProp(hwnd, kPropMouseFlag, 0);
    FadeIn(hwnd, StateNormal, kAfterRelease);
}

void PushButtonSpaceUp(HWND hwnd)
{
    SetWindowProp(hwnd, kPropMouseFlag, 0);
    FadeIn(hwnd, StateNormal, kFromNothing);
}

void PushButtonEnable(HWND hwnd, bool enabled)
{
    // At the stored opacity: after a finished fade that is 0, and the new
    // state shows with the next repaint.
    SetWindowProp(hwnd, kPropOldState, enabled ? StateNormal : StateDisabled);
    PaintPushButton(hwnd, NULL);
}

void PushButtonFocusChange(HWND hwnd)
{
    RenderButtonImages(hwnd);
    SetWindowProp(hwnd, kPropAlphaLevel, kFromNothing);
    StartFadeTimer(hwnd);
}
