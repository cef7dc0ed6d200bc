#pragma once
#include <windows.h>
#include "interact/reaction.h"

// Column headers answer the mouse item by item: the item under the mouse is
// hot (HMINDEX), the item pressed is held down (HDINDEX) until the button is
// released. While the button is held no other item turns hot, and the held
// item shows pressed whenever the cursor is back over it. Each is a
// Reaction (reaction.h).

// The item whose horizontal extent holds the client x coordinate, the left
// one at a shared border; -1 for none.
int HitTestHeader(HWND hwnd, int x);

void HeaderMouseMove(HWND hwnd, ControlKind, WPARAM wParam, LPARAM lParam);
// Left button down or double click.
void HeaderPress(HWND hwnd, ControlKind, WPARAM, LPARAM lParam);
void HeaderRelease(HWND hwnd, ControlKind, WPARAM, LPARAM);
void HeaderMouseLeave(HWND hwnd, ControlKind, WPARAM, LPARAM);
