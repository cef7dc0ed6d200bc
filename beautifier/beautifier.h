#pragma once
#include <windows.h>

// The interface beautifier draws a window and every window inside it in a
// flat light-blue style, from the moment it is attached until it is detached.
// Attach once the window and its controls exist, before it is first shown;
// detach when it unloads, before it is destroyed.
//
// Each returns TRUE when this call attached (detached) the window, FALSE when
// the handle is 0 or the window already was (was not) attached.
//
// While the user has high contrast on, nothing is attached (FALSE), and a
// top-level window that is attached when it is turned on is detached, so the
// system draws it in the user's colours. Call BeautifierAttach again when the
// system's settings or colours change (WM_SETTINGCHANGE, WM_SYSCOLORCHANGE)
// to take the window back once high contrast is off; for a window that is
// attached it does nothing.
BOOL BeautifierAttach(HWND hwnd);
BOOL BeautifierDetach(HWND hwnd);
