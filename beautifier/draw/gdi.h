#pragma once
#include <windows.h>

// Every GDI object that the beautifier creates or deletes goes through these
// functions. Each means what the Win32 call of the same name means and passes
// it straight through. Test builds (BEAUTIFIER_GDI_ACCOUNTING) also keep a
// count of the objects alive and can make a chosen creation fail, returning
// 0 as the system does when it runs out of resources.
HDC GdiCreateCompatibleDC(HDC dc);
HBITMAP GdiCreateCompatibleBitmap(HDC dc, int width, int height);
HBITMAP GdiCreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBRUSH GdiCreateSolidBrush(COLORREF colour);
HPALETTE GdiCreateHalftonePalette(HDC dc);
HRGN GdiCreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                           int ellipseHeight);
BOOL GdiDeleteDC(HDC dc);
BOOL GdiDeleteObject(HGDIOBJ object);
// The object now belongs to the system (a region given to SetWindowRgn),
// which deletes it; the beautifier must not.
void GdiReleaseToSystem(HGDIOBJ object);

#ifdef BEAUTIFIER_GDI_ACCOUNTING
// Objects created and not yet deleted or handed to the system.
long GdiLiveObjectCount();
// Creations attempted so far, failed ones included.
long GdiCreationCount();
// The n-th creation from now fails (n = 1: the next one); 0 fails none.
void GdiFailNthCreation(long n);
#endif

// Owns one handle and releases it with Release when it goes out of scope.
template <class Handle, BOOL (*Release)(Handle)>
class Owned {
public:
    explicit Owned(Handle handle = NULL) : handle_(handle) {}
    ~Owned()
    {
        if (handle_)
            Release(handle_);
    }
    Owned(const Owned&) = delete;
    Owned& operator=(const Owned&) = delete;

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != NULL; }
    // Gives up ownership to the caller.
    Handle release()
    {
        Handle h = handle_;
        handle_ = NULL;
        return h;
    }

private:
    Handle handle_;
};

template <class Handle>
BOOL GdiDeleteHandle(Handle object)
{
    return GdiDeleteObject(object);
}

using OwnedBrush = Owned<HBRUSH, GdiDeleteHandle<HBRUSH>>;
using OwnedPalette = Owned<HPALETTE, GdiDeleteHandle<HPALETTE>>;
