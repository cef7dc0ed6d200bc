// Long runs and failing resources: the beautified program keeps working and
// gives back everything it takes.
#include <tuple>
#include "../app/beautified_form.h"
#include "../beautifier/storm.h"
#include "draw/strips.h"
#include "form2.h"
#include "core/fade_timer.h"
#include "interact/mouse_tracking.h"

namespace {

BOOL CALLBACK CountVisibleProc(HWND hwnd, LPARAM n)
{
    *reinterpret_cast<int*>(n) += IsWindowVisible(hwnd) != 0;
    return TRUE;
}

int VisibleTopLevelWindows()
{
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisibleProc, reinterpret_cast<LPARAM>(&n));
    return n;
}

// The strips and every image of the main window's buttons.
std::vector<HGDIOBJ> MadeFor(HWND form)
{
    std::vector<HGDIOBJ> made = {ButtonFaceStrip, GetCurrentObject(ButtonFaceStrip, OBJ_BITMAP)};
    for (int id : kForm1Buttons) {
        std::vector<HGDIOBJ> images = ImageHandlesOf(Form1Control(form, id));
        made.insert(made.end(), images.begin(), images.end());
    }
    return made;
}

bool AllDead(const std::vector<HGDIOBJ>& handles)
{
    for (HGDIOBJ h : handles)
        if (!h || GetObjectType(h) != 0)
            return false;
    return true;
}

}  // namespace

TEST_CASE_FIXTURE(GdiBalance, "10,000 detach and attach cycles of the main window end as the first")
{
    HWND form = ShowBeautifiedForm1(), button = Form1Control(form, IDC_COMMAND5);
    RECT r = ScreenRect(button);
    int w = r.right - r.left, h = r.bottom - r.top;
    auto state = [&] {
        std::vector<COLORREF> images;
        for (int i = 0; i < 4; ++i)
            for (int p = 0; p < w * h; p += 7)
                images.push_back(
                    GetPixel(reinterpret_cast<HDC>(GetWindowProp(button, ImageDCProp(i).c_str())),
                             p % w, p / w));
        return std::make_tuple(g_AttachedCount, GdiLiveObjectCount(), BeautifierPropsOf(button),
                               images);
    };
    auto first = state();
    for (int cycle = 0; cycle < 10000; ++cycle) {
        std::vector<HGDIOBJ> made = MadeFor(form);
        REQUIRE(BeautifierDetach(form));
        if (cycle % 1000 == 0)
            REQUIRE(AllDead(made));
        REQUIRE(BeautifierAttach(form));
    }
    CHECK(state() == first);
    // The system still makes what is asked of it.
    HBITMAP probe = CreateCompatibleBitmap(GetDC(form), 100, 100);
    CHECK(probe != NULL);
    DeleteObject(probe);
    DestroyWindow(form);
    PumpMessages();
    g_Form1UnloadStep = BeautifierDetach;
}

TEST_CASE_FIXTURE(
    GdiBalance,
    "1,000 swaps of the beautified main window and the instructions leave one window each time")
{
    HWND f1 = ShowBeautifiedForm1();
    for (int i = 0; i < 1000; ++i) {
        CAPTURE(i);
        std::vector<HGDIOBJ> made = MadeFor(f1);
        SendMessageW(Form1Control(f1, IDC_COMMAND4), BM_CLICK, 0, 0);
        HWND f2 = OpenForm2();
        REQUIRE(f2 != NULL);
        REQUIRE(VisibleTopLevelWindows() == 1);
        REQUIRE(g_AttachedCount == 0);
        REQUIRE(GdiLiveObjectCount() == start);
        REQUIRE(AllDead(made));
        SendMessageW(f2, WM_CLOSE, 0, 0);
        f1 = OpenForm1();
        REQUIRE(f1 != NULL);
        REQUIRE(VisibleTopLevelWindows() == 1);
        REQUIRE(g_AttachedCount == 12);
    }
    SendMessageW(f1, WM_CLOSE, 0, 0);
    PumpMessages(TranslateFormMessage);
    CHECK(g_AttachedCount == 0);
    CHECK(!g_Initialized);
}

TEST_CASE_FIXTURE(
    ControlForm,
    "200,000 random messages to every kind of control, then a detach, leave nothing behind")
{
    StormThenDetach(*this, 200000);
}

TEST_CASE_FIXTURE(
    ControlForm,
    "each GDI creation failing in turn while attaching, painting, fading, resizing and detaching")
{
    HWND button = Add("Button", 0, 100, 30), combo = Add("ComboBox", CBS_DROPDOWN, 120, 200);
    HWND header = Add(WC_HEADERA, 0, 120, 20), bar = Add("ProgressBarWndClass", WS_BORDER, 120, 20);
    Add("ThunderCheckBox", BS_AUTOCHECKBOX, 120, 20);
    Add("ThunderOptionButton", BS_AUTORADIOBUTTON, 120, 20);
    Add("Edit", 0, 120, 24, WS_EX_CLIENTEDGE);
    AddHeaderItem(header, 0, 60, "One");
    SendMessageA(bar, PBM_SETPOS, 15000, 0);
    auto everything = [&] {
        BeautifierAttach(form);
        RedrawWindow(form, NULL, NULL,
                     RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        // The last steps of a fade.
        SetWindowProp(button, kPropOldState, StateHot);
        SetWindowProp(button, kPropAlphaLevel, 249);
        StartFadeTimer(button);
        PumpUntil([&] { return GetWindowProp(button, kPropTimerId) == 0; });
        SetWindowPos(button, NULL, 0, 0, 90 + rand() % 20, 30, SWP_NOMOVE | SWP_NOZORDER);
        SendMessageA(combo, WM_MOUSEMOVE, 0, MAKELPARAM(110, 5));
        BeautifierDetach(form);
    };
    long before = GdiCreationCount();
    everything();
    long creations = GdiCreationCount() - before;
    REQUIRE(creations > 20);
    MESSAGE(creations << " creations, each made to fail in turn");
    for (long n = 1; n <= creations; ++n) {
        CAPTURE(n);
        GdiFailNthCreation(n);
        everything();
        GdiFailNthCreation(0);
        CHECK(GdiLiveObjectCount() == start);
        CHECK(g_AttachedCount == 0);
        CHECK(!g_Initialized);
        CHECK(WindowsWithBeautifierProps(form) == 0);
    }
    // And afterwards everything works as before.
    BeautifierAttach(form);
    SendMessageA(button, WM_PAINT, 0, 0);
    CHECK(WindowPixel(button, 50, 0) == RGB(27, 143, 213));
    BeautifierDetach(form);
}
