#pragma once
#include <windows.h>

// A device context borrowed from a window (GetWindowDC or GetDC) and given
// back with ReleaseDC when the owner goes out of scope. Such a DC is not a
// GDI object of the beautifier's: it is never deleted, only released, and
// most windows share a small cache of them, so every borrow must be returned.
class WindowDC {
public:
    enum Area {
        Whole,   // the outer rectangle, origin at the window's outer top-left
        Client,  // the client area
    };
    explicit WindowDC(HWND hwnd, Area area = Whole);
    // The caller's DC when there is one (the owner then releases nothing),
    // else the DC of the whole window: how a painter serves both a paint
    // DC or memory DC handed to it and a call of its own.
    WindowDC(HWND hwnd, HDC given);
    ~WindowDC();
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != NULL; }

private:
    HWND hwnd_;
    HDC dc_;
    bool borrowed_;
};

#ifdef BEAUTIFIER_GDI_ACCOUNTING
// DCs borrowed from windows and not yet released.
long BorrowedDCCount();
#endif
