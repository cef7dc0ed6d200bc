#include "beautifier_testing.h"
#include "core/attach.h"
#include "draw/button_faces.h"

namespace {

const int kW = 100, kH = 30;

std::vector<COLORREF> AllImagePixels(const ShownButton& b)
{
    std::vector<COLORREF> pixels;
    for (int state = 0; state < 4; ++state)
        for (int i = 0; i < kW * kH; ++i)
            pixels.push_back(b.Image(state, i % kW, i / kW));
    return pixels;
}

bool OnFocusBox(int i)
{
    int x = i % kW, y = i / kW;
    return (x == 2 || x == kW - 3 || y == 2 || y == kH - 3) && x >= 2 && x <= kW - 3 && y >= 2 &&
           y <= kH - 3;
}

}  // namespace

TEST_CASE_FIXTURE(ShownButton, "each image has its state's face and the text centred in its colour")
{
    const COLORREF frame[] = {RGB(27, 143, 213), RGB(27, 143, 213), RGB(27, 143, 213),
                              RGB(135, 195, 232)};
    const COLORREF text[] = {RGB(0, 0, 0), RGB(0, 0, 0), RGB(0, 0, 0), RGB(121, 138, 150)};
    for (int state = 0; state < 4; ++state) {
        CAPTURE(state);
        CHECK(Image(state, kW / 2, 0) == frame[state]);
        CHECK(Image(state, kW / 2, kH - 1) == frame[state]);
        RECT ink = {kW, kH, -1, -1};
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x)
                if (Image(state, x, y) == text[state])
                    ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                               std::max<LONG>(ink.right, x), std::max<LONG>(ink.bottom, y)};
        REQUIRE(ink.right > ink.left);
        // The text is centred by its advance: the glyphs' side bearings may
        // shift the ink a little.
        CHECK(abs((ink.left - 2) - (kW - 3 - ink.right)) <= 2);
        CHECK((ink.top > 2 && ink.bottom < kH - 3));
        CHECK(abs((ink.top + ink.bottom) / 2 - kH / 2) <= 3);
    }
}

TEST_CASE_FIXTURE(ShownButton, "the focus rectangle is drawn into every image while the button has the focus")
{
    std::vector<COLORREF> unfocused = AllImagePixels(*this);
    SetFocus(button);
    REQUIRE(PumpUntil([&] { return GetWindowProp(button, kPropTimerId) == 0; }));
    std::vector<COLORREF> focused = AllImagePixels(*this);
    int changed[4] = {}, elsewhere = 0;
    for (size_t i = 0; i < focused.size(); ++i)
        if (focused[i] != unfocused[i])
            ++(OnFocusBox(static_cast<int>(i % (kW * kH))) ? changed[i / (kW * kH)] : elsewhere);
    for (int state = 0; state < 4; ++state)
        CHECK(changed[state] > kW);
    CHECK(elsewhere == 0);
    // Fading in the focused normal image leaves it on the screen.
    CHECK(Shown(kW / 2, 2) == Image(StateNormal, kW / 2, 2));

    SetFocus(form);
    REQUIRE(PumpUntil([&] { return GetWindowProp(button, kPropTimerId) == 0; }));
    CHECK(AllImagePixels(*this) == unfocused);
}

TEST_CASE_FIXTURE(ShownButton, "a paint blends the state's image at ALPHALEVEL; disabled shows image 3")
{
    OwnedMemoryDC target(CreateMemoryDC(kW, kH));
    auto paintOverBlack = [&](int state, int level) {
        FillSolidRect(target.get(), 0, 0, kW, kH, RGB(0, 0, 0));
        SetWindowProp(button, kPropOldState, state);
        SetWindowProp(button, kPropAlphaLevel, level);
        PaintPushButton(button, target.get());
    };
    auto imageOf = [&](int state) { return [=](int x, int y) { return Image(state, x, y); }; };
    paintOverBlack(StateHot, 0);
    CHECK(FirstPixelNotAsExpected(target.get(), kW, kH, [](int, int) { return 0; }) == "");
    paintOverBlack(StateHot, 255);
    CHECK(FirstPixelNotAsExpected(target.get(), kW, kH, imageOf(StateHot)) == "");
    paintOverBlack(StateHot, 128);
    CHECK(FirstPixelNotAsExpected(target.get(), kW, kH, [&](int x, int y) {
              COLORREF c = Image(StateHot, x, y), got = GetPixel(target.get(), x, y);
              for (int shift : {0, 8, 16})
                  if (abs(int(got >> shift & 0xFF) - int((c >> shift & 0xFF) * 128 / 255)) > 1)
                      return c;
              return got;
          }) == "");

    EnableWindow(button, FALSE);
    paintOverBlack(StateHot, 255);
    CHECK(GetWindowProp(button, kPropOldState) == StateDisabled);
    CHECK(FirstPixelNotAsExpected(target.get(), kW, kH, imageOf(StateDisabled)) == "");
    EnableWindow(button, TRUE);

    // Without a DC the painter draws on the window itself.
    SetWindowProp(button, kPropOldState, StatePressed);
    PaintPushButton(button, NULL);
    CHECK(Shown(kW / 2, 1) == Image(StatePressed, kW / 2, 1));
    CHECK(Shown(kW / 2, 1) != Image(StateNormal, kW / 2, 1));
}

TEST_CASE_FIXTURE(ShownButton, "a check box of the button class keeps its own painting")
{
    HWND check = TestWindow("Button", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, form, 120, 10, kW, kH);
    REQUIRE(AttachWindow(check));
    REQUIRE(PumpUntil([&] { return !GetUpdateRect(check, NULL, FALSE); }));
    CHECK(WindowPixel(check, kW / 2, 0) != RGB(27, 143, 213));
    OwnedMemoryDC target(CreateMemoryDC(kW, kH));
    FillSolidRect(target.get(), 0, 0, kW, kH, RGB(0, 0, 0));
    SetWindowProp(check, kPropAlphaLevel, 255);
    PaintPushButton(check, target.get());
    CHECK(FirstPixelNotAsExpected(target.get(), kW, kH, [](int, int) { return 0; }) == "");
}
