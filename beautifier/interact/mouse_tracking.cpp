#include "interact/mouse_tracking.h"
#include "core/module.h"
#include "core/properties.h"
#include "core/system_library.h"

namespace {

const wchar_t kComctl32[] = L"comctl32.dll";

using TrackMouseEventProc = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

// comctl32 serves leave requests where user32 cannot. It is looked up rather
// than imported, so that the program starts without it; once loaded here it
// stays, since a pending request may be watched by a timer inside it.
TrackMouseEventProc ComctlTrackMouseEvent()
{
    HMODULE comctl = GetModuleHandleW(kComctl32);
    if (!comctl)
        comctl = LoadSystemLibrary(kComctl32);
    if (!comctl)
        return nullptr;
    // Through a function type without parameters: GetProcAddress's own type
    // does not convert to the real one directly.
    auto proc = reinterpret_cast<void (*)()>(GetProcAddress(comctl, "_TrackMouseEvent"));
    return reinterpret_cast<TrackMouseEventProc>(proc);
}

}  // namespace

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
    if (IsMouseInside(hwnd))
        return false;
    SetMouseInside(hwnd, true);
    TrackMouseLeave(hwnd);
    return true;
}

bool IsCursorOverWindow(HWND hwnd)
{
    POINT cursor;
    return GetCursorPos(&cursor) && WindowFromPoint(cursor) == hwnd;
}

int StateUnderMouse(WPARAM wParam)
{
    return (wParam & MK_LBUTTON) ? StatePressed : StateHot;
}

int GetLParamX(LPARAM lParam)
{
    return static_cast<short>(LOWORD(lParam));
}

int GetLParamY(LPARAM lParam)
{
    return static_cast<short>(HIWORD(lParam));
}
