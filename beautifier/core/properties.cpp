#include "core/properties.h"

const char kPropProcAddr[] = "PROCADDR";
const char kPropOldStyle[] = "OLDSTYLE";
const char kPropMouseFlag[] = "MOUSEFLAG";
const char kPropTimerId[] = "TIMERID";
const char kPropOldState[] = "OLDSTATE";
const char kPropAlphaLevel[] = "ALPHALEVEL";
const char kPropHdIndex[] = "HDINDEX";
const char kPropHmIndex[] = "HMINDEX";
const char kPropPassOn[] = "PASSON";

namespace {

#ifdef BEAUTIFIER_TEST_SEAMS
long g_propertyCalls = 0;
void CountPropertyCall()
{
    ++g_propertyCalls;
}
#else
void CountPropertyCall() {}
#endif

const char kImageDCSuffix[] = "HDC";
const char kImageBitmapSuffix[] = "BMP";

int GetIntProp(HWND hwnd, const char* name)
{
    return static_cast<int>(GetWindowProp(hwnd, name));
}

}  // namespace

std::string ImageDCProp(int state)
{
    return std::to_string(state) + kImageDCSuffix;
}

std::string ImageBitmapProp(int state)
{
    return std::to_string(state) + kImageBitmapSuffix;
}

#ifdef BEAUTIFIER_TEST_SEAMS
long PropertyCallCount()
{
    return g_propertyCalls;
}
#endif

INT_PTR GetWindowProp(HWND hwnd, const char* name)
{
    CountPropertyCall();
    return reinterpret_cast<INT_PTR>(GetPropA(hwnd, name));
}

BOOL SetWindowProp(HWND hwnd, const char* name, INT_PTR value)
{
    CountPropertyCall();
    return SetPropA(hwnd, name, reinterpret_cast<HANDLE>(value));
}

INT_PTR RemoveWindowProp(HWND hwnd, const char* name)
{
    CountPropertyCall();
    return reinterpret_cast<INT_PTR>(RemovePropA(hwnd, name));
}

int GetVisualState(HWND hwnd)
{
    return GetIntProp(hwnd, kPropOldState);
}

void SetVisualState(HWND hwnd, int state)
{
    SetWindowProp(hwnd, kPropOldState, state);
}

bool TakeState(HWND hwnd, int state, bool force)
{
    if (state == GetVisualState(hwnd) && !force)
        return false;
    SetVisualState(hwnd, state);
    return true;
}

int GetAlphaLevel(HWND hwnd)
{
    return GetIntProp(hwnd, kPropAlphaLevel);
}

void SetAlphaLevel(HWND hwnd, int level)
{
    SetWindowProp(hwnd, kPropAlphaLevel, level);
}

void SetFade(HWND hwnd, int state, int level)
{
    SetVisualState(hwnd, state);
    SetAlphaLevel(hwnd, level);
}

bool IsMouseInside(HWND hwnd)
{
    return GetWindowProp(hwnd, kPropMouseFlag) != 0;
}

void SetMouseInside(HWND hwnd, bool inside)
{
    SetWindowProp(hwnd, kPropMouseFlag, inside ? 1 : 0);
}

LONG_PTR GetAttachedStyle(HWND hwnd)
{
    return GetWindowProp(hwnd, kPropOldStyle);
}

void SetAttachedStyle(HWND hwnd, LONG_PTR style)
{
    SetWindowProp(hwnd, kPropOldStyle, style);
}

int GetHeldItem(HWND hwnd)
{
    return GetIntProp(hwnd, kPropHdIndex);
}

void SetHeldItem(HWND hwnd, int item)
{
    SetWindowProp(hwnd, kPropHdIndex, item);
}

int GetHotItem(HWND hwnd)
{
    return GetIntProp(hwnd, kPropHmIndex);
}

void SetHotItem(HWND hwnd, int item)
{
    SetWindowProp(hwnd, kPropHmIndex, item);
}
