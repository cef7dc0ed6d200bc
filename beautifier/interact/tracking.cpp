#include "interact/tracking.h"
#include "core/properties.h"
#include "draw/button_faces.h"

namespace {

const UINT_PTR kFadeTimerId = 1;
const UINT kFadeStepMs = 15;
const int kFadeStep = 3;

const char kComctl32[] = "comctl32.dll";

using TrackMouseEventProc = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

// comctl32 serves leave requests where user32 cannot. It is looked up rather
// than imported, so that the program starts without it; once loaded here it
// stays, since a pending request may be watched by a timer inside it.
TrackMouseEventProc ComctlTrackMouseEvent()
{
    HMODULE comctl = GetModuleHandleA(kComctl32);
    if (!comctl)
        comctl = LoadLibraryA(kComctl32);
    if (!comctl)
        return nullptr;
    // Through a function type without parameters: GetProcAddress's own type
    // does not convert to the real one directly.
    auto proc = reinterpret_cast<void (*)()>(GetProcAddress(comctl, "_TrackMouseEvent"));
    return reinterpret_cast<TrackMouseEventProc>(proc);
}

// Each step blends over the picture the previous one left, so the image is
// reached well before the level does.
void FadeStep(HWND hwnd)
{
    INT_PTR level = GetWindowProp(hwnd, kPropAlphaLevel);
    PaintPushButton(hwnd, NULL);
    level += kFadeStep;
    if (level > kOpaque) {
        StopFadeTimer(hwnd);
        level = 0;
    }
    SetWindowProp(hwnd, kPropAlphaLevel, level);
}

}  // namespace

LRESULT Forward(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The beautifier subclasses in the window's own character set, so the
    // messages it receives are in that set and go on in it.
    if (IsWindowUnicode(hwnd))
        return CallWindowProcW(previous, hwnd, message, wParam, lParam);
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

void TrackMouseLeave(HWND hwnd)
{
    // TME_HOVER is never asked for: entering is seen on the first mouse move.
    TRACKMOUSEEVENT request = {sizeof request, TME_LEAVE, hwnd, 0};
    if (g_HasUserTrackMouseEvent) {
        TrackMouseEvent(&request);
        return;
    }
    if (TrackMouseEventProc track = ComctlTrackMouseEvent())
        track(&request);
}

bool MarkMouseInside(HWND hwnd)
{
    if (GetWindowProp(hwnd, kPropMouseFlag))
        return false;
    SetWindowProp(hwnd, kPropMouseFlag, 1);
    TrackMouseLeave(hwnd);
    return true;
}

bool IsCursorOverWindow(HWND hwnd)
{
    POINT cursor;
    return GetCursorPos(&cursor) && WindowFromPoint(cursor) == hwnd;
}

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

int GetLParamX(LPARAM lParam)
{
    return static_cast<short>(LOWORD(lParam));
}

int GetLParamY(LPARAM lParam)
{
    return static_cast<short>(HIWORD(lParam));
}

LRESULT OnTimer(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The one handler that works before forwarding. A tick that was already
    // queued when the timer stopped still makes its step.
    if (ClassifyWindow(hwnd) == ControlKind::PushButton)
        FadeStep(hwnd);
    return Forward(previous, hwnd, message, wParam, lParam);
}
