#pragma once
#include <windows.h>

// Column headers answer the mouse item by item: the item under the mouse is
// hot (HMINDEX), the item pressed is held down (HDINDEX) until the button is
// released. While the button is held no other item turns hot, and the held
// item shows pressed whenever the cursor is back over it. Each step runs
// after the header's own procedure has handled the message.

// The item whose horizontal extent holds the client x coordinate, the left
// one at a shared border; -1 for none.
int HitTestHeader(HWND hwnd, int x);

void HeaderMouseMove(HWND hwnd, WPARAM wParam, LPARAM lParam);
// Left button down or double click.
void HeaderPress(HWND hwnd, LPARAM lParam);
void HeaderRelease(HWND hwnd);
void HeaderMouseLeave(HWND hwnd);
