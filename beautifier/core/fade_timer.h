#pragma once
#include <windows.h>

// The fade timer of a push button: while it runs (TIMERID nonzero), each
// tick blends the image of the button's state at ALPHALEVEL and raises the
// level by 3, until it passes 255. These two are all that write TIMERID.

// Starts the timer and returns its identifier; returns 0 and leaves a
// running timer as it is.
UINT_PTR StartFadeTimer(HWND hwnd);
// Stops a running timer; FALSE when none runs.
BOOL StopFadeTimer(HWND hwnd);
