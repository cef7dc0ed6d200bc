// The main window as the program shows it: beautified by its load step and
// left as found by its unload step.
#include <tuple>
#include "app_testing.h"
#include "../beautifier/beautifier_testing.h"
#include "draw/strips.h"

namespace {

const int kButtons[] = {IDC_COMMAND1, IDC_COMMAND2, IDC_COMMAND3,
                        IDC_COMMAND4, IDC_COMMAND5, IDC_COMMAND6};
const int kWindows = 12;  // the form, three frames, six buttons, two labels

// What the unload step found on the window and its controls once detached.
int g_propsAtUnload;

BOOL DetachAndLook(HWND form)
{
    BOOL detached = BeautifierDetach(form);
    g_propsAtUnload = !BeautifierPropsOf(form).empty();
    EnumChildWindows(form, CountWindowsWithProps, reinterpret_cast<LPARAM>(&g_propsAtUnload));
    return detached;
}

RECT OuterRect(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return r;
}

// A window's outer rectangle as the screen shows it, and one column more on
// the left: what the window stands on.
struct Shot {
    RECT r;
    int w, h;
    OwnedMemoryDC dc;
    explicit Shot(HWND hwnd)
        : r(OuterRect(hwnd)), w(r.right - r.left), h(r.bottom - r.top),
          dc(CreateMemoryDC(w + 1, h))
    {
        HDC screen = GetDC(NULL);
        BitBlt(dc.get(), 0, 0, w + 1, h, screen, r.left - 1, r.top, SRCCOPY);
        ReleaseDC(NULL, screen);
    }
    COLORREF At(int x, int y) const { return GetPixel(dc.get(), x + 1, y); }
};

// The screen takes what a window draws a little later.
bool ScreenShowsButton(HWND button)
{
    Shot shot(button);
    for (POINT p : {POINT{0, 0}, POINT{shot.w / 2, 0}, POINT{shot.w / 2, 2}})
        if (shot.At(p.x, p.y) != WindowPixel(button, p.x, p.y))
            return false;
    return true;
}

struct BeautifiedMainWindow {
    HWND hwnd;
    BeautifiedMainWindow()
    {
        g_Form1LoadStep = BeautifierAttach;
        g_Form1UnloadStep = DetachAndLook;
        g_propsAtUnload = -1;
        hwnd = ShowForm1();
        REQUIRE(hwnd != NULL);
        SetForegroundWindow(hwnd);
        // Painted, and the focused button's fade done.
        REQUIRE(PumpUntil(
            [&] {
                bool settled = GetForegroundWindow() == hwnd;
                for (int id : kButtons) {
                    HWND b = Form1Control(hwnd, id);
                    settled = settled && !GetUpdateRect(b, NULL, FALSE) &&
                              !GetWindowProp(b, kPropTimerId) && ScreenShowsButton(b);
                }
                return settled;
            },
            10000, TranslateFormMessage));
    }
    ~BeautifiedMainWindow()
    {
        if (IsWindow(hwnd))
            DestroyWindow(hwnd);
        PumpMessages();
        g_Form1UnloadStep = BeautifierDetach;
    }
};

}  // namespace

TEST_CASE_FIXTURE(GdiBalance, "the buttons show the flat rounded face, text centred, the focus on Command4")
{
    BeautifiedMainWindow form;
    CHECK(g_AttachedCount == kWindows);
    for (int id : kButtons) {
        CAPTURE(id);
        Shot b(Form1Control(form.hwnd, id));
        CHECK(b.At(b.w / 2, 0) == RGB(27, 143, 213));
        CHECK(b.At(b.w / 2, 1) == RGB(255, 255, 255));
        // Outside the rounded corner, the frame the button stands on.
        CHECK(b.At(0, 0) == b.At(-1, 0));
        CHECK(b.At(1, 1) != b.At(-1, 0));

        RECT ink = {b.w, b.h, -1, -1};
        for (int y = 4; y < b.h - 4; ++y)
            for (int x = 4; x < b.w - 4; ++x) {
                COLORREF c = b.At(x, y);
                if (GetRValue(c) + GetGValue(c) + GetBValue(c) < 300)
                    ink = RECT{std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                               std::max<LONG>(ink.right, x), std::max<LONG>(ink.bottom, y)};
            }
        REQUIRE(ink.right > ink.left);
        CHECK(abs(ink.left - (b.w - 1 - ink.right)) <= 2);
        CHECK(abs(ink.top - (b.h - 1 - ink.bottom)) <= 3);

        // The dotted focus rectangle runs along row 2, white on every other face.
        int dotted = 0;
        for (int x = 4; x < b.w - 4; ++x)
            dotted += b.At(x, 2) != RGB(255, 255, 255);
        CHECK(dotted > (id == IDC_COMMAND4 ? b.w / 3 : -1));
        CHECK(dotted < (id == IDC_COMMAND4 ? b.w : 1));
    }
}

TEST_CASE_FIXTURE(GdiBalance, "after the unload step nothing of the beautifier is left on any window")
{
    std::vector<HGDIOBJ> made;
    {
        BeautifiedMainWindow form;
        for (int id : kButtons) {
            std::vector<HGDIOBJ> images = ImageHandlesOf(Form1Control(form.hwnd, id));
            made.insert(made.end(), images.begin(), images.end());
        }
        for (HDC strip : {ButtonFaceStrip, ComboButtonStrip, CheckGlyphStrip, OptionCircleStrip,
                          HeaderItemStrip})
            made.insert(made.end(), {strip, GetCurrentObject(strip, OBJ_BITMAP)});
        PostMessageW(form.hwnd, WM_CLOSE, 0, 0);
        REQUIRE(PumpUntil([&] { return !IsWindow(form.hwnd); }, 10000, TranslateFormMessage));
    }
    CHECK(g_propsAtUnload == 0);
    CHECK(WindowsWithBeautifierProps() == 0);
    CHECK(g_AttachedCount == 0);
    CHECK(!g_Initialized);
    for (HGDIOBJ h : made)
        CHECK((h != NULL && GetObjectType(h) == 0));
}

TEST_CASE_FIXTURE(GdiBalance, "5,000 detach and attach cycles of the main window end as the first")
{
    BeautifiedMainWindow form;
    HWND button = Form1Control(form.hwnd, IDC_COMMAND5);
    auto state = [&] {
        std::vector<COLORREF> images;
        WindowBounds b;
        GetWindowBounds(button, &b);
        for (int i = 0; i < 4; ++i)
            for (int p = 0; p < b.width * b.height; p += 7)
                images.push_back(GetPixel(
                    reinterpret_cast<HDC>(GetWindowProp(button, ImageDCProp(i).c_str())),
                    p % b.width, p / b.width));
        return std::make_tuple(g_AttachedCount, GdiLiveObjectCount(), BeautifierPropsOf(button),
                               images);
    };
    auto first = state();
    for (int cycle = 0; cycle < 5000; ++cycle) {
        REQUIRE(BeautifierDetach(form.hwnd));
        REQUIRE(BeautifierAttach(form.hwnd));
    }
    CHECK(state() == first);
    CHECK(std::get<0>(first) == kWindows);
}

