#pragma once
#include <windows.h>

// A push button is shown from four images of itself, one per visual state,
// each in a memory DC of its own kept on the window ("0HDC" to "3HDC", their
// bitmaps in "0BMP" to "3BMP") and as large as the window's outer rectangle.
// A paint is one blend of the image of the current state (OLDSTATE) onto the
// window with a constant opacity (ALPHALEVEL); rising opacities make a fade.

// The opacity that shows an image as it is.
const int kOpaque = 255;

// Of the button types (the low four bits of a "button" window's style), push,
// default push and user buttons are drawn as push buttons. Check boxes,
// option buttons (automatic ones too), three-state boxes, group boxes and
// owner-draw buttons keep their own face.
bool DrawnAsPushButton(LONG_PTR style);

// Creates the four image DCs with their bitmaps and draws the images.
void CreateButtonImages(HWND hwnd);
// New bitmaps of the window's present size in the image DCs, the old ones
// deleted, and the images drawn again. An image whose new bitmap cannot be
// made keeps its old one.
void ResizeButtonImages(HWND hwnd);
// Deletes the image DCs and their bitmaps and removes their properties.
void DeleteButtonImages(HWND hwnd);

// Draws the four images again: the face of each state stretched to the
// window, the window text centred in the button's font, and the focus
// rectangle while the button has the focus.
void RenderButtonImages(HWND hwnd);

// Blends the image of the given state at the opacity ALPHALEVEL holds onto
// dc, a DC of the whole window (origin at its outer top-left corner), or
// onto the window itself when dc is 0. A button attached with a type that
// keeps its own face is not drawn at all (false).
bool PaintPushButton(HWND hwnd, HDC dc, int state);

// The same without asking the properties: the image of the state given at
// the opacity given, for a button known to be drawn as a push button.
void BlendPushButton(HWND hwnd, HDC dc, int state, int level);

// The state a push button shows: the disabled one while the window is
// disabled, which then becomes its OLDSTATE, else OLDSTATE.
int PushButtonState(HWND hwnd);
// The state a push button shows when it is to show the one given: the
// disabled one while the window is disabled.
int ShownState(HWND hwnd, int state);

// Gives a push button its rounded outline: a window region over its outer
// rectangle with corners rounded by a 3 x 3 ellipse.
void SetButtonRegion(HWND hwnd);
