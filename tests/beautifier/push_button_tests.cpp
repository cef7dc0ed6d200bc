#include "beautifier_testing.h"
#include "core/fade_timer.h"
#include "interact/mouse_tracking.h"

namespace {

// The level each fade step finds when its tick arrives, which it paints at.
std::vector<INT_PTR> g_levels;
WNDPROC g_beautifierProc;

LRESULT CALLBACK LevelRecorder(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER)
        g_levels.push_back(GetWindowProp(hwnd, kPropAlphaLevel));
    return CallWindowProcA(g_beautifierProc, hwnd, msg, wp, lp);
}

}  // namespace

TEST_CASE_FIXTURE(
    GdiBalance,
    "a fade paints at 0, 3, ..., 255 on the timer's ticks and stops; a late tick steps once")
{
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP, NULL, 200, 200, 160, 60);
    HWND button = TestWindow("Button", WS_CHILD | WS_VISIBLE, form, 10, 10, 100, 30);
    REQUIRE(BeautifierAttach(form));
    ShowWindow(form, SW_SHOWNOACTIVATE);
    REQUIRE(PumpUntil([&] { return !GetUpdateRect(button, NULL, FALSE); }));
    // At (50, 1) the normal face has its white highlight, the hot one its ring.
    auto shown = [&] { return WindowPixel(button, 50, 1); };
    auto image = [&](int state) {
        return GetPixel(reinterpret_cast<HDC>(GetWindowProp(button, ImageDCProp(state).c_str())),
                        50, 1);
    };
    REQUIRE(shown() == image(StateNormal));
    REQUIRE(image(StateHot) != image(StateNormal));

    g_levels.clear();
    g_beautifierProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LevelRecorder)));
    SetWindowProp(button, kPropOldState, StateHot);
    SetWindowProp(button, kPropAlphaLevel, 0);
    UINT_PTR id = StartFadeTimer(button);
    CHECK(id != 0);
    CHECK(StartFadeTimer(button) == 0);
    CHECK(GetWindowProp(button, kPropTimerId) == static_cast<INT_PTR>(id));
    CHECK(PumpUntil([&] { return GetWindowProp(button, kPropTimerId) == 0; }));
    std::vector<INT_PTR> expected;
    for (int level = 0; level <= 255; level += 3)
        expected.push_back(level);
    CHECK(g_levels == expected);
    CHECK(GetWindowProp(button, kPropAlphaLevel) == 0);
    CHECK(!KillTimer(button, id));
    CHECK(shown() == image(StateHot));
    SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_beautifierProc));

    // A tick already queued when the timer stopped paints once, starts nothing.
    SetWindowProp(button, kPropOldState, StateNormal);
    SetWindowProp(button, kPropAlphaLevel, 255);
    StartFadeTimer(button);
    CHECK(StopFadeTimer(button));
    CHECK(!StopFadeTimer(button));
    PostMessageA(button, WM_TIMER, id, 0);
    PumpMessages();
    CHECK(shown() == image(StateNormal));
    CHECK(GetWindowProp(button, kPropAlphaLevel) == 0);
    CHECK(!KillTimer(button, id));
    BeautifierDetach(form);
    DestroyWindow(form);
}
