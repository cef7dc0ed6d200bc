#include "beautifier.h"
#include "core/attach.h"
#include "core/high_contrast.h"
#include "core/properties.h"

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
