#pragma once
#include <windows.h>

// Colours are GDI COLORREF values, red in the low byte.

// Magenta: the pixels of an image strip that are to show through.
const COLORREF kKeyColor = RGB(255, 0, 255);  // 16711935
const COLORREF kWhite = RGB(255, 255, 255);   // 16777215
