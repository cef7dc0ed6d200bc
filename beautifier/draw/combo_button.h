#pragma once
#include <windows.h>

// The flat drop-down button of a combo box or drive list, in place of the
// system's three-dimensional one: a face for the visual state (normal, hot,
// pressed) and an arrow, grey while the control is disabled, against the
// right side of the control's one-pixel border.
//
// dc covers the whole window (origin at its outer top-left), or is 0 for
// the window's own DC. A simple combo box has no button: nothing is drawn
// (false).
bool PaintComboButton(HWND hwnd, HDC dc, int state);

// The button in the given state, or pressed while the list is dropped down,
// drawn only when that is not the state last shown (OLDSTATE) or when
// forced; the state drawn becomes OLDSTATE. A simple combo box's OLDSTATE
// is left alone. True when the button was drawn.
bool ShowComboButton(HWND hwnd, HDC dc, int state, bool force);
