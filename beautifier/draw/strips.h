#pragma once
#include <windows.h>

// The beautifier's whole artwork: five small images, painted pixel by pixel
// into memory DCs, one cell per visual state. Pixels of the key colour
// (magenta) are to show through. A strip is 0 while the strips are not built
// or when its DC could not be made; copies from it then draw nothing.

// Four push-button faces stacked, cell i at y = 21 i: normal, hot, pressed,
// disabled. Painters slice a face with margins of 3.
extern HDC ButtonFaceStrip;
const int kButtonFaceWidth = 7, kButtonFaceHeight = 21;

// The drop-down button: hot face 4 x 18 at x = 0, pressed face at x = 4; the
// arrow, 7 x 4, at (8, 0) and, disabled, at (8, 4).
extern HDC ComboButtonStrip;
const int kComboButtonStripWidth = 15, kComboButtonStripHeight = 18;

// Check mark 9 x 8 at (0, 0), mixed-state square 7 x 7 at (1, 9), option dot
// 5 x 5 at (2, 18); the disabled glyphs 9 columns to the right.
extern HDC CheckGlyphStrip;
const int kCheckGlyphStripWidth = 18, kCheckGlyphStripHeight = 24;

// Four option-button discs stacked, cell i at y = 13 i: normal, hot,
// pressed, disabled.
extern HDC OptionCircleStrip;
const int kOptionCircleSize = 13;

// Three header-item faces side by side, cell i at x = 3 i: normal, hot,
// pressed. Painters slice a face with margins of 1.
extern HDC HeaderItemStrip;
const int kHeaderFaceWidth = 3, kHeaderFaceHeight = 20;

// Builds all five strips (replacing any that exist) and releases them again.
void BuildImageStrips();
void ReleaseImageStrips();
