#include "beautifier.h"
#include "core/attach.h"
#include "core/properties.h"

BOOL BeautifierAttach(HWND hwnd)
{
    if (!g_Initialized)
        InitializeBeautifier();
    return AttachWindow(hwnd);
}

BOOL BeautifierDetach(HWND hwnd)
{
    return DetachWindow(hwnd);
}
