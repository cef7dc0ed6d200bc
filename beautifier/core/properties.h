#pragma once
#include <windows.h>
#include <string>

// Everything the beautifier remembers about a window lives on the window
// itself, as ANSI window properties holding one pointer-sized integer each,
// read afresh whenever it is needed: other code may read or write them
// between any two messages. A property that was never set reads 0. The
// typed helpers below are the only way the beautifier reads and writes
// them, but for PROCADDR and PASSON, which only attaching and detaching
// write.

// The window procedure that was installed before the beautifier's own;
// nonzero exactly while the window is attached.
extern const char kPropProcAddr[];  // "PROCADDR"
// The window style read at attach, before a button is switched to owner-draw.
extern const char kPropOldStyle[];  // "OLDSTYLE"
// 1 while the mouse is inside and a leave notification is pending, else 0.
extern const char kPropMouseFlag[];  // "MOUSEFLAG"
// Identifier of the running fade timer; 0 when none runs.
extern const char kPropTimerId[];  // "TIMERID"
// The VisualState last shown.
extern const char kPropOldState[];  // "OLDSTATE"
// Opacity 0 to 255 with which a push button's state image is blended.
extern const char kPropAlphaLevel[];  // "ALPHALEVEL"
// Header item held down, and header item under the mouse; -1 for none.
extern const char kPropHdIndex[];  // "HDINDEX"
extern const char kPropHmIndex[];  // "HMINDEX"
// The procedure a detached window's messages still go on to when another
// procedure had been installed over the beautifier's: the beautifier stays
// in that chain, drawing nothing, so that the later procedure can still
// forward to what it found. Nonzero only on such a window.
extern const char kPropPassOn[];  // "PASSON"

// A push button's image of visual state i is a memory DC and its bitmap,
// kept under the decimal index followed directly by "HDC" or "BMP".
std::string ImageDCProp(int state);      // "0HDC" .. "3HDC"
std::string ImageBitmapProp(int state);  // "0BMP" .. "3BMP"

INT_PTR GetWindowProp(HWND hwnd, const char* name);
BOOL SetWindowProp(HWND hwnd, const char* name, INT_PTR value);
// Removes the property and returns the value it held (0 if none).
INT_PTR RemoveWindowProp(HWND hwnd, const char* name);

#ifdef BEAUTIFIER_TEST_SEAMS
// The property calls made so far: each is a round trip to the window
// manager's server on some systems (Wine's among them).
long PropertyCallCount();
#endif

// The value of OLDSTATE.
enum VisualState {
    StateNormal = 0,
    StateHot = 1,
    StatePressed = 2,
    StateDisabled = 3,  // push buttons only
};

// OLDSTATE.
int GetVisualState(HWND hwnd);
void SetVisualState(HWND hwnd, int state);
// Whether a glyph or drop-down button in this state is due to be drawn: it
// is when the state is not the one last shown, or when forced. If it is,
// the state becomes the one shown.
bool TakeState(HWND hwnd, int state, bool force);

// ALPHALEVEL; with OLDSTATE, the image a push button blends and how far.
int GetAlphaLevel(HWND hwnd);
void SetAlphaLevel(HWND hwnd, int level);
void SetFade(HWND hwnd, int state, int level);

// MOUSEFLAG.
bool IsMouseInside(HWND hwnd);
void SetMouseInside(HWND hwnd, bool inside);

// OLDSTYLE: the style a push button stands for while it is owner-draw.
LONG_PTR GetAttachedStyle(HWND hwnd);
void SetAttachedStyle(HWND hwnd, LONG_PTR style);

// HDINDEX and HMINDEX.
int GetHeldItem(HWND hwnd);
void SetHeldItem(HWND hwnd, int item);
int GetHotItem(HWND hwnd);
void SetHotItem(HWND hwnd, int item);
