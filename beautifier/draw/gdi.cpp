#include "draw/gdi.h"

#ifdef BEAUTIFIER_GDI_ACCOUNTING
#include <set>
#endif

namespace {

#ifdef BEAUTIFIER_GDI_ACCOUNTING

// A multiset: zero-sized bitmaps are all the one stock bitmap, so the same
// handle can be "created" more than once.
std::multiset<HGDIOBJ> g_live;
long g_creations = 0;
long g_failCountdown = 0;

template <class Create>
auto Created(Create create) -> decltype(create())
{
    ++g_creations;
    if (g_failCountdown > 0 && --g_failCountdown == 0)
        return NULL;
    auto object = create();
    if (object)
        g_live.insert(object);
    return object;
}

void Forget(HGDIOBJ object)
{
    auto it = g_live.find(object);
    if (it != g_live.end())
        g_live.erase(it);
}

BOOL Deleted(HGDIOBJ object, BOOL ok)
{
    if (ok)
        Forget(object);
    return ok;
}

#else

template <class Create>
auto Created(Create create) -> decltype(create())
{
    return create();
}

BOOL Deleted(HGDIOBJ, BOOL ok)
{
    return ok;
}

void Forget(HGDIOBJ) {}

#endif

}  // namespace

HDC GdiCreateCompatibleDC(HDC dc)
{
    return Created([&] { return CreateCompatibleDC(dc); });
}

HBITMAP GdiCreateCompatibleBitmap(HDC dc, int width, int height)
{
    return Created([&] { return CreateCompatibleBitmap(dc, width, height); });
}

HBITMAP GdiCreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return Created([&] { return CreateBitmap(width, height, planes, bitsPerPixel, bits); });
}

HBRUSH GdiCreateSolidBrush(COLORREF colour)
{
    return Created([&] { return CreateSolidBrush(colour); });
}

HPALETTE GdiCreateHalftonePalette(HDC dc)
{
    return Created([&] { return CreateHalftonePalette(dc); });
}

HRGN GdiCreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth,
                           int ellipseHeight)
{
    return Created(
        [&] { return CreateRoundRectRgn(left, top, right, bottom, ellipseWidth, ellipseHeight); });
}

BOOL GdiDeleteDC(HDC dc)
{
    return Deleted(dc, DeleteDC(dc));
}

BOOL GdiDeleteObject(HGDIOBJ object)
{
    return Deleted(object, DeleteObject(object));
}

void GdiReleaseToSystem(HGDIOBJ object)
{
    Forget(object);
}

#ifdef BEAUTIFIER_GDI_ACCOUNTING

long GdiLiveObjectCount()
{
    return static_cast<long>(g_live.size());
}

long GdiCreationCount()
{
    return g_creations;
}

void GdiFailNthCreation(long n)
{
    g_failCountdown = n;
}

#endif
