#include "beautifier_testing.h"
#include "interact/tracking.h"

namespace {

// Notes the level at which each fade step of the button paints: the one it
// finds when its tick arrives.
std::vector<INT_PTR> g_levels;
WNDPROC g_beautifierProc;

LRESULT CALLBACK LevelRecorder(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_TIMER)
        g_levels.push_back(GetWindowProp(hwnd, kPropAlphaLevel));
    return CallWindowProcA(g_beautifierProc, hwnd, msg, wp, lp);
}

struct RecordedLevels {
    HWND hwnd;
    explicit RecordedLevels(HWND button) : hwnd(button)
    {
        g_levels.clear();
        g_beautifierProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(LevelRecorder)));
    }
    ~RecordedLevels()
    {
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_beautifierProc));
    }
};

// In row 1 the normal face has its white highlight, the hot face its ring.
const int kX = 50, kY = 1;

}  // namespace

TEST_CASE_FIXTURE(ShownButton, "a fade from 0 paints at 0, 3, ..., 255 on the timer's ticks, then stops")
{
    REQUIRE(Shown(kX, kY) == Image(StateNormal, kX, kY));
    REQUIRE(Image(StateHot, kX, kY) != Image(StateNormal, kX, kY));
    RecordedLevels levels(button);
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
    CHECK(g_levels.size() == 86);
    CHECK(g_levels == expected);
    CHECK(GetWindowProp(button, kPropAlphaLevel) == 0);
    CHECK(!KillTimer(button, id));
    CHECK(Shown(kX, kY) == Image(StateHot, kX, kY));
}

TEST_CASE_FIXTURE(ShownButton, "a tick that comes after the stop makes one step and restarts nothing")
{
    SetWindowProp(button, kPropOldState, StateHot);
    SetWindowProp(button, kPropAlphaLevel, 255);
    UINT_PTR id = StartFadeTimer(button);
    CHECK(StopFadeTimer(button));
    CHECK(!StopFadeTimer(button));
    PostMessageA(button, WM_TIMER, id, 0);
    PumpMessages();
    CHECK(Shown(kX, kY) == Image(StateHot, kX, kY));
    CHECK(GetWindowProp(button, kPropAlphaLevel) == 0);
    SetWindowProp(button, kPropAlphaLevel, 100);
    PostMessageA(button, WM_TIMER, id, 0);
    PumpMessages();
    CHECK(GetWindowProp(button, kPropAlphaLevel) == 103);
    CHECK(GetWindowProp(button, kPropTimerId) == 0);
    CHECK(!KillTimer(button, id));

    // Where no timer ever ran, stopping writes nothing.
    HWND plain = TestWindow("Static", WS_POPUP);
    CHECK(!StopFadeTimer(plain));
    CHECK(BeautifierPropsOf(plain).empty());
    DestroyWindow(plain);
}

TEST_CASE("an entering mouse is marked once and brings one leave notice, through either library")
{
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP | WS_VISIBLE, NULL, 300, 300, 200, 100);
    HWND child = TestWindow("ThunderRT6CheckBox", WS_CHILD | WS_VISIBLE, form, 150, 0, 50, 50);
    for (short user32 : {kFlagTrue, kFlagFalse}) {
        CAPTURE(user32);
        g_HasUserTrackMouseEvent = user32;
        SetCursorPos(320, 320);
        REQUIRE(PumpUntil([&] { return IsCursorOverWindow(form); }));
        RemoveWindowProp(form, kPropMouseFlag);
        CHECK(MarkMouseInside(form));
        CHECK(!MarkMouseInside(form));
        CHECK(GetWindowProp(form, kPropMouseFlag) == 1);
        g_seen.clear();
        SetCursorPos(700, 700);
        CHECK(PumpUntil([&] {
            for (const Seen& s : g_seen)
                if (s.hwnd == form && s.msg == WM_MOUSELEAVE)
                    return true;
            return false;
        }));
    }
    g_HasUserTrackMouseEvent = kFlagTrue;
    SetCursorPos(470, 320);
    CHECK(PumpUntil([&] { return IsCursorOverWindow(child); }));
    CHECK(!IsCursorOverWindow(form));
    DestroyWindow(form);

    CHECK(GetLParamX(0xFFFF0005) == 5);
    CHECK(GetLParamY(0xFFFF0005) == -1);
    CHECK(GetLParamX(0x0000FFFE) == -2);
    CHECK(GetLParamY(0x0000FFFE) == 0);
}
