#pragma once
#include <windows.h>

// The interface beautifier draws a window and every window inside it in a
// flat light-blue style, from the moment it is attached until it is detached.
// Attach once the window and its controls exist, before it is first shown;
// detach when it unloads, before it is destroyed.
//
// Each returns TRUE when this call attached (detached) the window, FALSE when
// the handle is 0 or the window already was (was not) attached.
BOOL BeautifierAttach(HWND hwnd);
BOOL BeautifierDetach(HWND hwnd);
