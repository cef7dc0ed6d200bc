#pragma once
#include <windows.h>
#include "interact/reaction.h"

// Check boxes and option buttons show their glyph hot and pressed at once,
// without fading. kind is CheckBox or OptionButton. Each is a Reaction
// (reaction.h).

void GlyphMouseMove(HWND hwnd, ControlKind kind, WPARAM wParam, LPARAM);
// Left button down and space key down; left button up and space key up.
void GlyphPress(HWND hwnd, ControlKind kind, WPARAM, LPARAM);
void GlyphRelease(HWND hwnd, ControlKind kind, WPARAM, LPARAM);
void GlyphMouseLeave(HWND hwnd, ControlKind kind, WPARAM, LPARAM);
// The glyph drawn again in the normal state, whatever it showed: an option
// button's dot follows the focus.
void GlyphRefresh(HWND hwnd, ControlKind kind, WPARAM, LPARAM);

// EnumChildWindows callback: an attached check box or option button is
// painted again in the normal state, whatever it showed; every other window
// is passed over. Always continues.
BOOL CALLBACK RepaintToggleChildProc(HWND child, LPARAM);
