#pragma once
#include <windows.h>
#include "core/module.h"
#include "core/properties.h"

// Every message handler of the beautifier has this form: previous is the
// window procedure that was installed before the beautifier's own, and the
// result is what the window procedure is to return.
using MessageHandler = LRESULT (*)(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                                   LPARAM lParam);

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
