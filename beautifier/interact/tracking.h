#pragma once
#include <windows.h>
#include "core/properties.h"

// Every message handler of the beautifier has the form
//   LRESULT On...(WNDPROC previous, HWND, UINT message, WPARAM, LPARAM)
// where previous is the window procedure that was installed before the
// beautifier's own, and returns what the window procedure is to return. A
// handler forwards first, then does the work of the window's kind (decided
// afresh by its class name), and returns the forwarded result; a kind that
// a handler has no work for is only forwarded.

// Passes the message on to the previous procedure, exactly as received.
LRESULT Forward(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// Forwards, then does the work only if the window is still attached: what
// the message set off (a click's action) may have detached it, and a
// detached window is left with nothing of the beautifier's on it.
template <class Work>
LRESULT ForwardThen(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                    Work work)
{
    long detaches = g_DetachCount;
    LRESULT result = Forward(previous, hwnd, message, wParam, lParam);
    if (g_DetachCount == detaches || GetWindowProp(hwnd, kPropProcAddr))
        work();
    return result;
}

// Asks the system for one WM_MOUSELEAVE when the mouse leaves the window.
void TrackMouseLeave(HWND hwnd);
// True when the mouse has just entered the window: the first move since the
// last leave sets MOUSEFLAG and asks for the leave notification.
bool MarkMouseInside(HWND hwnd);
// True when the window itself (not a child, nor any other window) is the one
// under the cursor.
bool IsCursorOverWindow(HWND hwnd);

// The fade timer of a push button: while it runs (TIMERID nonzero), each
// tick blends the image of the button's state at ALPHALEVEL and raises the
// level by 3, until it passes 255.
// Starts the timer and returns its identifier; returns 0 and leaves a
// running timer as it is.
UINT_PTR StartFadeTimer(HWND hwnd);
// Stops a running timer; FALSE when none runs.
BOOL StopFadeTimer(HWND hwnd);

// The cursor's client coordinates in a mouse message: signed, since a
// captured mouse reports positions left of and above the window.
int GetLParamX(LPARAM lParam);
int GetLParamY(LPARAM lParam);

LRESULT OnTimer(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
