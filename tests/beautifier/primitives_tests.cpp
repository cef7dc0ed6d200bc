#include "beautifier_testing.h"
#include "draw/colors.h"

namespace {

// Every pixel of a 7 x 42 source has a colour of its own.
COLORREF Distinct(int x, int y)
{
    return RGB(10 + 30 * x, 4 + 6 * y, 77);
}
COLORREF Ground(int x, int y)
{
    return RGB(x, y, 200);
}

// Key pixels among colours that come close to the key without being it.
COLORREF Keyed(int x, int y)
{
    const COLORREF nearKey[] = {RGB(254, 0, 255), RGB(255, 1, 255), RGB(255, 0, 254), 0, kWhite};
    if ((x * y) % 4 == 1)
        return kKeyColor;
    return (x + y) % 3 == 0 ? nearKey[(x + 2 * y) % 5] : Distinct(x, y);
}

// The source pixel (along one side) that a nine-slice shows at destination
// pixel d, when the middle is enlarged by a whole factor.
int SourceOf(int d, int dstLength, int srcLength, int nearMargin, int farMargin)
{
    if (d < nearMargin || d >= dstLength - farMargin)
        return d < nearMargin ? d : srcLength - (dstLength - d);
    int middleDst = dstLength - nearMargin - farMargin;
    return nearMargin + (d - nearMargin) * (srcLength - nearMargin - farMargin) / middleDst;
}

// Inside the rectangle the rule, outside it the ground.
PixelRule Within(int x0, int y0, int w, int h, PixelRule inside)
{
    return [=](int x, int y) {
        bool in = x >= x0 && x < x0 + w && y >= y0 && y < y0 + h;
        return in ? inside(x - x0, y - y0) : Ground(x, y);
    };
}

}  // namespace

TEST_CASE_FIXTURE(GdiBalance, "a text too long for its box ends in an ellipsis on one line")
{
    OwnedMemoryDC box(PaintedImage(60, 40, Ground)), reference(PaintedImage(60, 40, Ground));
    std::wstring text = L"The quick brown fox jumps over the lazy dog";
    CHECK(DrawTextInBox(box.get(), text, 0, 0, 60, 40, kBoxTextFormat | DT_MODIFYSTRING) > 0);
    CHECK(text == L"The quick brown fox jumps over the lazy dog");  // not rewritten

    // The box shows, on one centred line, what the system's shortening leaves.
    wchar_t shown[64];
    lstrcpyW(shown, text.c_str());
    RECT r = {0, 0, 60, 40};
    DrawTextW(reference.get(), shown, -1, &r, kBoxTextFormat | DT_MODIFYSTRING | DT_CALCRECT);
    std::wstring s = shown;
    CHECK(s.size() > 3);
    CHECK(s.size() < text.size());
    CHECK(s.substr(s.size() - 3) == L"...");
    r = RECT{0, 0, 60, 40};
    DrawTextW(reference.get(), shown, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    CHECK(FirstPixelNotAsExpected(box.get(), 60, 40, [&](int x, int y) {
              return GetPixel(reference.get(), x, y);
          }) == "");
}

TEST_CASE("window text and bounds are read from the window itself")
{
    std::wstring longText(1000, L'x'), text = L"\u8BF4\u660E OK";
    HWND hwnd = CreateWindowExW(0, L"Static", longText.c_str(), WS_POPUP, 30, 40, 200, 100, NULL,
                                NULL, NULL, NULL);
    CHECK(GetWindowTextString(hwnd) == longText);
    SetWindowTextW(hwnd, text.c_str());
    CHECK(GetWindowTextString(hwnd) == text);
    WindowBounds b;
    CHECK(GetWindowBounds(hwnd, &b));
    CHECK(b.left == 30);
    CHECK(b.bottom == 140);
    CHECK(b.width == 200);
    DestroyWindow(hwnd);
    b = {1, 2, 3, 4, 5, 6};
    CHECK(!GetWindowBounds(hwnd, &b));
    CHECK((b.left | b.top | b.right | b.bottom | b.width | b.height) == 0);
}

TEST_CASE("rounding takes halves to the even neighbour")
{
    const double values[] = {2.5, 3.5, 5.5, 0.5, -0.5, -1.5, -2.5, 2.49, 2.51, -2.6, 100 / 3.0};
    const int rounded[] = {2, 4, 6, 0, 0, -2, -2, 2, 3, -3, 33};
    for (int i = 0; i < 11; ++i)
        CHECK(RoundHalfToEven(values[i]) == rounded[i]);
}

TEST_CASE_FIXTURE(
    GdiBalance,
    "a nine-slice copies the corners, stretches edges and centre, draws nothing at size 0")
{
    // The lower half of the source, from (0, 21), is the image sliced.
    OwnedMemoryDC distinct(PaintedImage(7, 42, Distinct)), keyed(PaintedImage(7, 42, Keyed));
    OwnedMemoryDC dst(PaintedImage(110, 44, Ground));
    auto sliced = [&](int dx, int dy, int dw, int dh, int m, OLE_COLOR key, PixelRule inside) {
        HDC src = key == kNoKeyColor ? distinct.get() : keyed.get();
        CHECK(DrawSlicedImage(dst.get(), dx, dy, dw, dh, src, 0, 21, 7, 21, m, m, m, m, key) != 0);
        CHECK(FirstPixelNotAsExpected(dst.get(), 110, 44, Within(dx, dy, dw, dh, inside)) == "");
    };
    SUBCASE("margins of 3: corners as they are, the middle column and rows stretched")
    {
        sliced(5, 4, 100, 36, 3, kNoKeyColor, [](int x, int y) {
            return Distinct(SourceOf(x, 100, 7, 3, 3), 21 + SourceOf(y, 36, 21, 3, 3));
        });
    }
    SUBCASE("no margins: the whole source stretched")
    {
        sliced(5, 0, 14, 42, 0, kNoKeyColor,
               [](int x, int y) { return Distinct(x / 2, 21 + y / 2); });
    }
    SUBCASE("narrower than its margins: corners and edges overlap, nothing is mirrored")
    {
        sliced(0, 0, 4, 21, 3, kNoKeyColor,
               [](int x, int y) { return Distinct(x == 0 ? 0 : x + 3, 21 + y); });
    }
    SUBCASE("with a key colour, the key pixels leave the destination unchanged")
    {
        sliced(5, 4, 100, 36, 3, kKeyColor, [](int x, int y) {
            COLORREF s = Keyed(SourceOf(x, 100, 7, 3, 3), 21 + SourceOf(y, 36, 21, 3, 3));
            return s == kKeyColor ? Ground(x + 5, y + 4) : s;
        });
    }
    SUBCASE("any size 0: nothing created or drawn, 0 returned")
    {
        long creations = GdiCreationCount();
        const int sizes[][4] = {{0, 10, 7, 21}, {10, 0, 7, 21}, {10, 10, 0, 21}, {10, 10, 7, 0}};
        for (const auto& z : sizes)
            CHECK(DrawSlicedImage(dst.get(), 0, 0, z[0], z[1], distinct.get(), 0, 0, z[2], z[3], 3,
                                  3, 3, 3) == 0);
        CHECK(GdiCreationCount() == creations);
        CHECK(FirstPixelNotAsExpected(dst.get(), 110, 44, Ground) == "");
    }
}

TEST_CASE_FIXTURE(GdiBalance,
                  "a nine-slice drawn without its buffer gives the same pixels and creates nothing")
{
    OwnedMemoryDC src(PaintedImage(7, 42, Distinct));
    const int cases[][5] = {{5, 4, 100, 36, 3}, {0, 0, 110, 44, 0}, {0, 0, 4, 21, 3},
                            {7, 9, 2, 1, 3},    {3, 2, 30, 5, 3},   {1, 1, 0, 10, 3}};
    for (const auto& c : cases) {
        CAPTURE(c[2]);
        CAPTURE(c[3]);
        OwnedMemoryDC buffered(PaintedImage(110, 44, Ground)),
            direct(PaintedImage(110, 44, Ground));
        int drawn = DrawSlicedImage(buffered.get(), c[0], c[1], c[2], c[3], src.get(), 0, 21, 7, 21,
                                    c[4], c[4], c[4], c[4]);
        long creations = GdiCreationCount();
        CHECK((DrawSlicedImageUnbuffered(direct.get(), c[0], c[1], c[2], c[3], src.get(), 0, 21, 7,
                                         21, c[4], c[4], c[4], c[4]) != 0) == (drawn != 0));
        CHECK(GdiCreationCount() == creations);
        CHECK(FirstPixelNotAsExpected(direct.get(), 110, 44, [&](int x, int y) {
                  return GetPixel(buffered.get(), x, y);
              }) == "");
    }
}

TEST_CASE_FIXTURE(
    GdiBalance,
    "a transparent copy keeps the destination under key pixels, copies the rest exactly")
{
    const COLORREF window = GetSysColor(COLOR_WINDOW);
    const struct {
        const char* what;
        PixelRule source;
        OLE_COLOR key;
        COLORREF transparent;
    } cases[] = {
        {"mixed", Keyed, kKeyColor, kKeyColor},
        {"all key", [](int, int) { return kKeyColor; }, kKeyColor, kKeyColor},
        {"no key", Distinct, kKeyColor, kKeyColor},
        {"a system colour as key", [&](int x, int y) { return x % 2 ? window : Distinct(x, y); },
         0x80000000 | COLOR_WINDOW, window},
        {"a key that names no colour", Keyed, 0x800000FF, CLR_INVALID},
    };
    for (const auto& c : cases) {
        CAPTURE(c.what);
        OwnedMemoryDC src(PaintedImage(16, 12, c.source)), dst(PaintedImage(20, 16, Ground));
        BlitTransparent(dst.get(), 3, 4, 10, 6, src.get(), 2, 1, c.key, NULL);
        CHECK(FirstPixelNotAsExpected(dst.get(), 20, 16, Within(3, 4, 10, 6, [&](int x, int y) {
                                          COLORREF s = c.source(x + 2, y + 1);
                                          return s == c.transparent ? Ground(x + 3, y + 4) : s;
                                      })) == "");
    }
}

TEST_CASE_FIXTURE(GdiBalance,
                  "a failed creation leaves the destination untouched or completely drawn")
{
    OwnedMemoryDC src(PaintedImage(7, 21, Keyed));
    void (*operations[])(HDC, HDC) = {
        [](HDC dst, HDC src) { BlitTransparent(dst, 3, 4, 7, 14, src, 0, 2, kKeyColor, NULL); },
        [](HDC dst, HDC src) { DrawSlicedImage(dst, 2, 2, 30, 24, src, 0, 0, 7, 21, 3, 3, 3, 3); },
        [](HDC dst, HDC src) {
            DrawSlicedImage(dst, 2, 2, 30, 24, src, 0, 0, 7, 21, 3, 3, 3, 3, kKeyColor);
        }};
    for (auto operation : operations) {
        OwnedMemoryDC drawn(PaintedImage(40, 30, Ground));
        long before = GdiCreationCount();
        operation(drawn.get(), src.get());
        for (long n = 1, creations = GdiCreationCount() - before; n <= creations; ++n) {
            CAPTURE(n);
            OwnedMemoryDC dst(PaintedImage(40, 30, Ground));
            GdiFailNthCreation(n);
            operation(dst.get(), src.get());
            bool untouched = FirstPixelNotAsExpected(dst.get(), 40, 30, Ground) == "";
            CHECK((untouched || FirstPixelNotAsExpected(dst.get(), 40, 30, [&](int x, int y) {
                                    return GetPixel(drawn.get(), x, y);
                                }) == ""));
        }
    }
}
