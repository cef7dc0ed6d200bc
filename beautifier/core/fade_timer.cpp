#include "core/fade_timer.h"
#include "core/properties.h"

namespace {

const UINT_PTR kFadeTimerId = 1;
const UINT kFadeStepMs = 15;

}  // namespace

UINT_PTR StartFadeTimer(HWND hwnd)
{
    if (GetWindowProp(hwnd, kPropTimerId))
        return 0;
    // No callback: the ticks come as WM_TIMER, in turn with the window's
    // other messages.
    UINT_PTR id = SetTimer(hwnd, kFadeTimerId, kFadeStepMs, NULL);
    SetWindowProp(hwnd, kPropTimerId, static_cast<INT_PTR>(id));
    return id;
}

BOOL StopFadeTimer(HWND hwnd)
{
    auto id = static_cast<UINT_PTR>(GetWindowProp(hwnd, kPropTimerId));
    if (!id)
        return FALSE;
    BOOL killed = KillTimer(hwnd, id);
    SetWindowProp(hwnd, kPropTimerId, 0);
    return killed;
}
