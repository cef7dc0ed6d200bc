#pragma once
#include <windows.h>
#include "interact/reaction.h"

// How a push button answers the user. The hot face fades in on entry; on
// leaving, the hot face shows at once at part opacity and the normal one
// fades in over it; a press shows the pressed face at once; a release fades
// the normal face in, and the next move over the button counts as a new
// entry. One fade timer at most runs per button: a new fade restarts the
// level on the timer already running. Each is a Reaction (reaction.h).

void PushButtonMouseMove(HWND hwnd, ControlKind, WPARAM, LPARAM);
void PushButtonMouseLeave(HWND hwnd, ControlKind, WPARAM, LPARAM);
// Left button down, double click, space key down.
void PushButtonPress(HWND hwnd, ControlKind, WPARAM, LPARAM);
// Left button up; and the space key up, whose fade starts from nothing.
void PushButtonRelease(HWND hwnd, ControlKind, WPARAM, LPARAM);
void PushButtonSpaceUp(HWND hwnd, ControlKind, WPARAM, LPARAM);
// WM_ENABLE: wParam is nonzero when the button is enabled.
void PushButtonEnable(HWND hwnd, ControlKind, WPARAM enabled, LPARAM);
// The focus rectangle belongs to the images: they are drawn again with or
// without it, and the current one fades in.
void PushButtonFocusChange(HWND hwnd, ControlKind, WPARAM, LPARAM);
// The size is read from the window itself, so any WM_SIZE, sent or posted,
// leaves images and region matching it.
void PushButtonResize(HWND hwnd, ControlKind, WPARAM, LPARAM);
// A tick of the fade timer, before the button's own procedure sees it: the
// image is blended at the level reached and the level raised by 3; past
// 255 the timer stops. A tick that was already queued when the timer
// stopped still makes its step.
void PushButtonFadeStep(HWND hwnd, ControlKind, WPARAM, LPARAM);

// Switched to owner-draw, a button answers WM_GETDLGCODE as no push button
// at all: the dialog manager would no longer find the default button (Enter
// then sends IDOK, whatever has the focus) nor move the default along with
// the focus. It is answered for the type the button stands for.
LRESULT AnswerDialogCode(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// The dialog manager makes a button the default, or no longer the default,
// by restyling it (BM_SETSTYLE; a message box sets its default that way
// after it has been attached). The new type is kept as the one the button
// stands for, and goes back on it at detach; the button itself stays
// owner-draw, or it would draw its system face over this one.
LRESULT KeepOwnerDraw(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
