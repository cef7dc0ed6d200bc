#pragma once
#include <windows.h>
#include "core/kinds.h"

// The small square of a check box and disc of an option button, painted
// over the system's own glyph at the window's left edge whatever the
// alignment of the text, which stays as the system drew it. Both show the
// visual state (normal, hot, pressed) while the window is enabled, a paler
// look while it is disabled, and the check state the control reports
// (BM_GETCHECK): checked, and for a check box also indeterminate.
//
// Each draws onto dc, a DC of the whole window, or the window's own DC when
// dc is 0, and returns true once the glyph is drawn.
bool PaintCheckBox(HWND hwnd, HDC dc, int state);
// The disc is drawn straight onto the window, so that the corners around it
// keep what the system drew there.
bool PaintOptionButton(HWND hwnd, HDC dc, int state);

// The glyph of a check box or option button (kind) in the given state,
// drawn only when that is not the state last shown (OLDSTATE) or when
// forced; the state drawn becomes OLDSTATE. True when it was drawn.
bool ShowGlyph(HWND hwnd, ControlKind kind, int state, bool force);
