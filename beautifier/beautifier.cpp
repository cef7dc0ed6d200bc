#include "beautifier.h"
#include "attach.h"
#include "core/high_contrast.h"
#include "core/module.h"

BOOL BeautifierAttach(HWND hwnd)
{
    if (IsHighContrastOn())
        return FALSE;
    if (!g_Initialized)
        InitializeBeautifier();
    return AttachWindow(hwnd);
}

BOOL BeautifierDetach(HWND hwnd)
{
    return DetachWindow(hwnd);
}
