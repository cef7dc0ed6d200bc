#pragma once
#include <windows.h>

// The small square of a check box and disc of an option button, painted
// over the system's own glyph at the window's left edge whatever the
// alignment of the text, which stays as the system drew it. Both show the
// visual state (normal, hot, pressed) while the window is enabled, a paler
// look while it is disabled, and the check state the control reports
// (BM_GETCHECK): checked, and for a check box also indeterminate.
//
// Each draws on the window's own DC. Nothing is drawn, and 0 returned, when
// state is the one last shown (OLDSTATE) and force is not set; otherwise
// state becomes OLDSTATE, and 1 is returned once the glyph is drawn.
int PaintCheckBox(HWND hwnd, int state, bool force);
// The disc is drawn straight onto the window, so that the corners around it
// keep what the system drew there.
int PaintOptionButton(HWND hwnd, int state, bool force);
