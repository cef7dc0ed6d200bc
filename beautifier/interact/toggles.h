#pragma once
#include <windows.h>
#include "core/properties.h"

// Combo boxes, drive lists, check boxes and option buttons show hot and
// pressed states at once, without fading. Each step runs after the
// control's own procedure has handled the message.

// Whether a mouse message's position lies in the part of a combo box that
// shows the drop-down button as hot or pressed. Of an editable drop-down
// combo (CBS_DROPDOWN) that is the strip of the button, bounds included:
// w - cx - 2 <= x <= w - 2 and 2 <= y <= h - 2 (w, h the outer size, cx a
// scroll bar's width); of the other styles, and of a drive list, the whole
// control.
bool InDropDownZone(HWND hwnd, ControlKind kind, LPARAM lParam);

void ComboMouseMove(HWND hwnd, ControlKind kind, WPARAM wParam, LPARAM lParam);
void ComboLButtonDown(HWND hwnd, ControlKind kind, LPARAM lParam);
void ComboLButtonUp(HWND hwnd);
void ComboMouseLeave(HWND hwnd);
// Before the control moves or its list opens or closes: the normal button.
void ComboPositionChanging(HWND hwnd);

// kind is CheckBox or OptionButton.
void GlyphMouseMove(HWND hwnd, ControlKind kind, WPARAM wParam);
void GlyphShow(HWND hwnd, ControlKind kind, int state);
void GlyphMouseLeave(HWND hwnd, ControlKind kind);
// The glyph drawn again in the normal state, whatever it showed.
void GlyphRefresh(HWND hwnd, ControlKind kind);

// EnumChildWindows callback: an attached check box or option button is
// painted again in the normal state, whatever it showed; every other window
// is passed over. Always continues.
BOOL CALLBACK RepaintToggleChildProc(HWND child, LPARAM);
