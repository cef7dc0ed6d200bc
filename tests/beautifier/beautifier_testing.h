#pragma once
#include <functional>
#include <string>
#include "testing.h"
#include "draw/gdi.h"
#include "draw/primitives.h"

// Fixture of the beautifier's tests: each ends with as many live GDI objects
// as it started with, and with no creation set to fail.
struct GdiBalance {
    long start = GdiLiveObjectCount();
    ~GdiBalance()
    {
        GdiFailNthCreation(0);
        CHECK(GdiLiveObjectCount() == start);
    }
};

using PixelRule = std::function<COLORREF(int x, int y)>;

// A memory DC of w x h whose pixels the rule gives.
inline HDC PaintedImage(int w, int h, const PixelRule& rule)
{
    HDC dc = CreateMemoryDC(w, h);
    REQUIRE(dc != NULL);
    for (int i = 0; i < w * h; ++i)
        SetPixel(dc, i % w, i / w, rule(i % w, i / w));
    return dc;
}

// "" when the w x h pixels of dc follow the rule, else the first that does not.
inline std::string FirstPixelNotAsExpected(HDC dc, int w, int h, const PixelRule& expected)
{
    for (int i = 0; i < w * h; ++i)
        if (GetPixel(dc, i % w, i / w) != expected(i % w, i / w))
            return "(" + std::to_string(i % w) + ", " + std::to_string(i / w) + ")";
    return "";
}
