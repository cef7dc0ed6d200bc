#pragma once
#include <windows.h>
#include "interact/reaction.h"

// Combo boxes and drive lists show their drop-down button hot and pressed
// at once, without fading. Each is a Reaction (reaction.h).

// Whether a mouse message's position lies in the part of a combo box that
// shows the drop-down button as hot or pressed. Of an editable drop-down
// combo (CBS_DROPDOWN) that is the strip of the button, bounds included:
// w - cx - 2 <= x <= w - 2 and 2 <= y <= h - 2 (w, h the outer size, cx a
// scroll bar's width); of the other styles, and of a drive list, the whole
// control.
bool InDropDownZone(HWND hwnd, ControlKind kind, LPARAM lParam);

void ComboMouseMove(HWND hwnd, ControlKind kind, WPARAM wParam, LPARAM lParam);
// A press in the text of an editable combo leaves the button as it is.
void ComboPress(HWND hwnd, ControlKind kind, WPARAM, LPARAM lParam);
void ComboRelease(HWND hwnd, ControlKind, WPARAM, LPARAM);
void ComboMouseLeave(HWND hwnd, ControlKind, WPARAM, LPARAM);
// Before the control moves or its list opens or closes: the normal button.
void ComboPositionChanging(HWND hwnd, ControlKind, WPARAM, LPARAM);
