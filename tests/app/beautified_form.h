#pragma once
// The main window as the program shows it, beautified, and what the screen
// shows of its buttons.
#include "app_testing.h"
#include "../beautifier/beautifier_testing.h"

const int kForm1Buttons[] = {IDC_COMMAND1, IDC_COMMAND2, IDC_COMMAND3,
                             IDC_COMMAND4, IDC_COMMAND5, IDC_COMMAND6};

inline RECT ScreenRect(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

// A button as the screen shows it, with one column more on the left: the
// frame it stands on.
struct Shot {
    RECT r;
    int w, h;
    OwnedMemoryDC dc;
    explicit Shot(HWND button)
        : r(ScreenRect(button)),
          w(r.right - r.left),
          h(r.bottom - r.top),
          dc(CreateMemoryDC(w + 1, h))
    {
        HDC screen = GetDC(NULL);
        BitBlt(dc.get(), 0, 0, w + 1, h, screen, r.left - 1, r.top, SRCCOPY);
        ReleaseDC(NULL, screen);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc.get(), x + 1, y); }
};

// Shows the main window with the program's own load step and the given
// unload step, and waits until it is painted and the screen has caught up.
inline HWND ShowBeautifiedForm1(WindowStep unload = BeautifierDetach)
{
    g_Form1LoadStep = BeautifierAttach;
    g_Form1UnloadStep = unload;
    // The pointer rests away from the window: over a button it would turn it hot.
    SetCursorPos(0, 0);
    HWND form = ShowForm1();
    REQUIRE(form != NULL);
    SetForegroundWindow(form);
    // Painted, the focus fade done, and the screen caught up: it takes what
    // a window draws a little later.
    REQUIRE(PumpUntil(
        [&] {
            bool settled = GetForegroundWindow() == form;
            for (int id : kForm1Buttons) {
                HWND b = Form1Control(form, id);
                settled = settled && !GetUpdateRect(b, NULL, FALSE) &&
                          !GetWindowProp(b, kPropTimerId) &&
                          Shot(b).At(0, 2) == WindowPixel(b, 0, 2);
            }
            return settled;
        },
        10000, TranslateFormMessage));
    return form;
}
