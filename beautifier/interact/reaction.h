#pragma once
#include <windows.h>
#include "core/kinds.h"

// How a kind of control answers a message, once the control's own procedure
// has handled it (a click notification, the action it starts, the check
// state it changes are then complete) and the window is known to be still
// attached: it changes the control's visual state and draws it. Each gets
// the message's parameters; most need only some.
using Reaction = void (*)(HWND hwnd, ControlKind kind, WPARAM wParam, LPARAM lParam);
