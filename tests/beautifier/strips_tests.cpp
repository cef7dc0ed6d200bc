#include <algorithm>
#include <vector>
#include "beautifier_testing.h"
#include "draw/colors.h"
#include "draw/strips.h"

namespace {

struct BuiltStrips : GdiBalance {
    BuiltStrips() { BuildImageStrips(); }
    ~BuiltStrips() { ReleaseImageStrips(); }
};

const struct {
    HDC* strip;
    int width, height;
} kStrips[] = {{&ButtonFaceStrip, 7, 84},
               {&ComboButtonStrip, 15, 18},
               {&CheckGlyphStrip, 18, 24},
               {&OptionCircleStrip, 13, 52},
               {&HeaderItemStrip, 9, 20}};

std::vector<COLORREF> AllPixels()
{
    std::vector<COLORREF> pixels;
    for (const auto& s : kStrips)
        for (int i = 0; i < s.width * s.height; ++i)
            pixels.push_back(GetPixel(*s.strip, i % s.width, i / s.width));
    return pixels;
}

struct FixedPixel {
    int x, y;
    COLORREF colour;
};

void CheckPixels(HDC strip, std::initializer_list<FixedPixel> pixels)
{
    for (const FixedPixel& p : pixels) {
        CAPTURE(p.x);
        CAPTURE(p.y);
        CHECK(GetPixel(strip, p.x, p.y) == p.colour);
    }
}

// A gradient has left both of its ends: every channel of the middle colour
// lies strictly between theirs, or equals them where they are equal.
bool Between(COLORREF a, COLORREF middle, COLORREF b)
{
    for (int shift : {0, 8, 16}) {
        int lo = std::min(a >> shift & 0xFF, b >> shift & 0xFF), m = middle >> shift & 0xFF,
            hi = std::max(a >> shift & 0xFF, b >> shift & 0xFF);
        if (lo == hi ? m != lo : (m <= lo || m >= hi))
            return false;
    }
    return true;
}

}  // namespace

TEST_CASE_FIXTURE(BuiltStrips,
                  "the five strips are full-colour images of their sizes, every pixel painted")
{
    for (const auto& s : kStrips) {
        REQUIRE(*s.strip != NULL);
        BITMAP bm = {};
        GetObjectA(GetCurrentObject(*s.strip, OBJ_BITMAP), sizeof bm, &bm);
        CHECK(bm.bmWidth == s.width);
        CHECK(bm.bmHeight == s.height);
        CHECK(bm.bmBitsPixel >= 24);
        // A new bitmap starts black here, and no artwork pixel is black.
        int unpainted = 0;
        for (int i = 0; i < s.width * s.height; ++i)
            unpainted += GetPixel(*s.strip, i % s.width, i / s.width) == RGB(0, 0, 0);
        CHECK(unpainted == 0);
    }
}

TEST_CASE_FIXTURE(BuiltStrips,
                  "push-button faces: symmetric, rounded, framed, with highlight and body")
{
    HDC s = ButtonFaceStrip;
    const COLORREF top[7] = {16376255, 14922603, 14194476, 13995803, 14194476, 14922603, 16376255};
    const COLORREF bottom[7] = {16508874, 14790240, 14194218, 13995803,
                                14194218, 14790240, 16508874};
    for (int y = 0; y < 84; ++y) {
        int cell = y / 21, row = y % 21;
        CAPTURE(y);
        for (int x = 0; x < 7; ++x) {
            COLORREF c = GetPixel(s, x, y);
            CHECK(c == GetPixel(s, 6 - x, y));
            CHECK(c != kKeyColor);
            if (cell < 3 && (row == 0 || row == 20))
                CHECK(c == (row == 0 ? top[x] : bottom[x]));
        }
        if (row >= 3 && row <= 17)
            CHECK(GetPixel(s, 0, y) == (cell < 3 ? 13995803u : 15254407u));
    }
    CheckPixels(s, {// normal: corner edges, highlight, body with a step at row 11
                    {0, 1, 14856809},
                    {0, 2, 14128425},
                    {3, 1, 16777215},
                    {2, 1, 16511975},
                    {3, 3, 16578801},
                    {3, 10, 16378583},
                    {3, 11, 16114380},
                    {3, 17, 15388849},
                    {1, 3, 16644853},
                    {1, 17, 15785673},
                    // hot: ring in rows 1 and 19 and column 1, body; pressed: deeper, inverted
                    {1, 22, 16499014},
                    {3, 40, 16499014},
                    {1, 30, 16499014},
                    {3, 24, 16576210},
                    {3, 38, 15914151},
                    {2, 24, 16638894},
                    {2, 38, 16109711},
                    {1, 43, 16365361},
                    {3, 45, 15979679},
                    {3, 53, 16509903},
                    {3, 59, 16640707},
                    {2, 59, 16704686},
                    // disabled
                    {0, 63, 16513010},
                    {3, 63, 15254407},
                    {0, 83, 16512754},
                    {1, 64, 16645112},
                    {3, 66, 16513010},
                    {3, 80, 15983570}});
    for (int cell = 0; cell < 4; ++cell)
        for (int x : {1, 3})
            CHECK(Between(GetPixel(s, x, 21 * cell + 3), GetPixel(s, x, 21 * cell + 7),
                          GetPixel(s, x, 21 * cell + 17)));
}

TEST_CASE_FIXTURE(BuiltStrips, "drop-down button faces, and the arrow in both colours on magenta")
{
    HDC s = ComboButtonStrip;
    CheckPixels(s, {{0, 0, 13738062},
                    {4, 17, 13738062},
                    {2, 0, 16775656},
                    {3, 17, 15983040},
                    {2, 1, 16641729},
                    {2, 16, 14923877},
                    {7, 0, 15983038},
                    {6, 1, 14857569}});
    CHECK(FirstPixelNotAsExpected(s, 15, 18, [&](int x, int y) {
              bool arrow = y < 8 && x >= 8 + y % 4 && x <= 14 - y % 4;
              return x < 8 ? GetPixel(s, x, y) : !arrow ? kKeyColor : y < 4 ? 6247705 : 11314564;
          }) == "");
}

TEST_CASE_FIXTURE(BuiltStrips,
                  "check glyphs: their shapes, one colour per row, disabled 9 columns right")
{
    HDC s = CheckGlyphStrip;
    // Rows of the enabled glyphs as {row, first column, last column}.
    const int spans[][3] = {{0, 8, 8},  {1, 7, 8},  {2, 6, 8},  {3, 0, 1},  {3, 5, 7},  {4, 0, 2},
                            {4, 4, 6},  {5, 1, 5},  {6, 2, 4},  {7, 3, 3},  {9, 1, 7},  {10, 1, 7},
                            {11, 1, 7}, {12, 1, 7}, {13, 1, 7}, {14, 1, 7}, {15, 1, 7}, {18, 3, 5},
                            {19, 2, 6}, {20, 2, 6}, {21, 2, 6}, {22, 3, 5}};
    for (int y = 0; y < 24; ++y) {
        COLORREF rowColour[2] = {CLR_INVALID, CLR_INVALID};
        for (int x = 0; x < 18; ++x) {
            bool drawn = false;
            for (const auto& span : spans)
                drawn |= span[0] == y && x % 9 >= span[1] && x % 9 <= span[2];
            COLORREF c = GetPixel(s, x, y);
            CAPTURE(x);
            CAPTURE(y);
            CHECK((c != kKeyColor) == drawn);
            if (drawn && y < 16 && rowColour[x / 9] == CLR_INVALID)
                rowColour[x / 9] = c;
            CHECK((!drawn || y >= 16 || c == rowColour[x / 9]));  // check mark and square
        }
    }
    CheckPixels(s, {{8, 0, 1947476},
                    {3, 7, 168245},
                    {17, 0, 9231016},
                    {12, 7, 8308632},
                    {1, 9, 1815633},
                    {7, 15, 431673},
                    {10, 9, 9165222},
                    {16, 15, 8440218},
                    {4, 19, 1683791},
                    {4, 21, 761151},
                    {3, 18, 6343815},
                    {5, 22, 5223539},
                    {13, 19, 9230503},
                    {13, 21, 8769183}});
}

TEST_CASE_FIXTURE(BuiltStrips,
                  "option discs: one outline in all four cells, shaded rings and interiors")
{
    HDC s = OptionCircleStrip;
    const COLORREF darkest[4] = {13805187, 13805187, 12683620, 15258305};
    const COLORREF softest[4] = {15191996, 15191996, 14531748, 15984605};
    for (int y = 0; y < 52; ++y) {
        int cell = y / 13, row = y % 13, inset = std::max(0, 3 - std::min(row, 12 - row));
        for (int x = 0; x < 13; ++x)
            CHECK((GetPixel(s, x, y) != kKeyColor) == (x >= inset && x <= 12 - inset));
        if (row == 0 || row == 12)
            CheckPixels(s, {{6, y, darkest[cell]}, {3, y, softest[cell]}, {9, y, softest[cell]}});
    }
    CheckPixels(s, {{6, 6, 16777215},
                    {10, 10, 16777215},
                    {2, 2, 16249581},  // normal
                    {2, 15, 16313027},
                    {10, 23, 16643551},  // hot
                    {2, 36, 16114093},
                    {10, 28, 16445391},  // pressed
                    {6, 45, 16777215},
                    {2, 41, 16513270}});  // disabled
}

TEST_CASE_FIXTURE(BuiltStrips, "header faces: bottom line, middle columns and separators")
{
    HDC s = HeaderItemStrip;
    for (int x = 0; x < 9; ++x)
        CHECK(GetPixel(s, x, 19) == 15915712);
    CheckPixels(s, {{0, 0, 16709098},
                    {2, 1, 16709098},
                    {1, 9, 16180691},
                    {1, 18, 16180691},
                    {2, 9, 14266490},
                    {2, 10, 14266490},
                    {3, 5, 16433758},
                    {4, 0, 16707283},
                    {4, 18, 16571816},
                    {5, 9, 14393931},
                    {7, 1, 16768159},
                    {7, 16, 16773832},
                    {8, 10, 14393931}});
}

TEST_CASE_FIXTURE(GdiBalance, "strips are released with their bitmaps and built again the same")
{
    BuildImageStrips();
    long once = GdiLiveObjectCount();
    std::vector<COLORREF> first = AllPixels();
    BuildImageStrips();  // replaces the strips rather than piling them up
    CHECK(GdiLiveObjectCount() == once);
    std::vector<HGDIOBJ> objects;
    for (const auto& s : kStrips)
        objects.insert(objects.end(), {*s.strip, GetCurrentObject(*s.strip, OBJ_BITMAP)});
    ReleaseImageStrips();
    for (const auto& s : kStrips)
        CHECK(*s.strip == NULL);
    for (HGDIOBJ object : objects)
        CHECK(GetObjectType(object) == 0);
    BuildImageStrips();
    CHECK(AllPixels() == first);
    ReleaseImageStrips();
}
