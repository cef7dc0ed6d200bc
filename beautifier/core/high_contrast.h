#pragma once
#include <windows.h>

// The user has turned high contrast on: everything is then left to the
// system, which draws in the user's own colours, as its visual styles do.
bool IsHighContrastOn();

#ifdef BEAUTIFIER_TEST_SEAMS
// Wine cannot switch high contrast, so tests decide what the check reports:
// 1 on, 0 off, -1 the system's own setting again.
void OverrideHighContrast(int on);
#endif
