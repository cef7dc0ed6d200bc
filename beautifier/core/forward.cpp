#include "core/forward.h"

LRESULT Forward(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The beautifier subclasses in the window's own character set, so the
    // messages it receives are in that set and go on in it.
    if (IsWindowUnicode(hwnd))
        return CallWindowProcW(previous, hwnd, message, wParam, lParam);
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}
