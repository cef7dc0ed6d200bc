#pragma once
#include <windows.h>

// The flat drop-down button of a combo box or drive list, in place of the
// system's three-dimensional one: a face for the visual state (normal, hot,
// pressed) and an arrow, grey while the control is disabled, against the
// right side of the control's one-pixel border.
//
// dc covers the whole window (origin at its outer top-left), or is 0 for
// the window's own DC. state is the state to show; while the list is
// dropped down the button is always shown pressed and state is set to that.
// Nothing is drawn when state is the one last shown (OLDSTATE) unless force
// is set, nor for a simple combo box, which has no button and whose
// OLDSTATE is left alone.
void PaintComboButton(HWND hwnd, HDC dc, int& state, bool force);
