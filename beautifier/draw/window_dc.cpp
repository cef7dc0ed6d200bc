#include "draw/window_dc.h"

namespace {

#ifdef BEAUTIFIER_GDI_ACCOUNTING
long g_borrowed = 0;
void CountBorrowed(long change)
{
    g_borrowed += change;
}
#else
void CountBorrowed(long) {}
#endif

// GetWindowDC and GetDC of a 0 window give the DC of the whole screen,
// which no painter may draw on.
HDC Borrow(HWND hwnd, WindowDC::Area area)
{
    if (!hwnd)
        return NULL;
    HDC dc = area == WindowDC::Whole ? GetWindowDC(hwnd) : GetDC(hwnd);
    if (dc)
        CountBorrowed(1);
    return dc;
}

}  // namespace

WindowDC::WindowDC(HWND hwnd, Area area) : hwnd_(hwnd), dc_(Borrow(hwnd, area)), borrowed_(true) {}

WindowDC::WindowDC(HWND hwnd, HDC given)
    : hwnd_(hwnd), dc_(given ? given : Borrow(hwnd, Whole)), borrowed_(given == NULL)
{
}

WindowDC::~WindowDC()
{
    if (borrowed_ && dc_ && ReleaseDC(hwnd_, dc_))
        CountBorrowed(-1);
}

#ifdef BEAUTIFIER_GDI_ACCOUNTING
long BorrowedDCCount()
{
    return g_borrowed;
}
#endif
