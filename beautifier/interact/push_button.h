#pragma once
#include <windows.h>

// How a push button answers the user, each step run after the button's own
// procedure has handled the message. The hot face fades in on entry; on
// leaving, the hot face shows at once at part opacity and the normal one
// fades in over it; a press shows the pressed face at once; a release fades
// the normal face in, and the next move over the button counts as a new
// entry. One fade timer at most runs per button: a new fade restarts the
// level on the timer already running.

void PushButtonMouseMove(HWND hwnd);
void PushButtonMouseLeave(HWND hwnd);
// Left button down, double click, space key down.
void PushButtonPress(HWND hwnd);
// Left button up; and the space key up, whose fade starts from nothing.
void PushButtonRelease(HWND hwnd);
void PushButtonSpaceUp(HWND hwnd);
void PushButtonEnable(HWND hwnd, bool enabled);
// The focus rectangle belongs to the images: they are drawn again with or
// without it, and the current one fades in.
void PushButtonFocusChange(HWND hwnd);
