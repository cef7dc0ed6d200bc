#pragma once
#include <windows.h>

// Colours are GDI COLORREF values, red in the low byte.

// Magenta: the pixels of an image strip that are to show through.
const COLORREF kKeyColor = RGB(255, 0, 255);  // 16711935
const COLORREF kWhite = RGB(255, 255, 255);   // 16777215

// The flat one-pixel frame of a control (its border, its client edge, a
// check box's square), while the window is enabled and while it is disabled.
const COLORREF kFrameEnabled = RGB(84, 165, 213);    // 14001492
const COLORREF kFrameDisabled = RGB(164, 207, 233);  // 15323044
// A check box's frame while the box is held down.
const COLORREF kFramePressed = RGB(57, 134, 196);  // 12879417
// The filled part of a progress bar.
const COLORREF kProgressFill = RGB(76, 214, 246);  // 16176716
