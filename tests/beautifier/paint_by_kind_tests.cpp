#include <windows.h>
#include <commctrl.h>
#include "control_form.h"
#include "core/properties.h"
#include "draw/colors.h"
#include "draw/strips.h"
#include "draw/borders.h"
#include "draw/progress.h"
#include "core/fade_timer.h"
#include "interact/mouse_tracking.h"

namespace {

// What a user's uncovering of the window makes the system do: the frame and
// the client painted again, at once, by the window's own messages.
void Repaint(HWND hwnd)
{
    RedrawWindow(hwnd, NULL, NULL,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
}

bool PaintCycleClosed(HWND hwnd)
{
    return !GetUpdateRect(hwnd, NULL, FALSE);
}

std::vector<COLORREF> PixelsOf(HWND hwnd)
{
    WindowBounds b = BoundsOf(hwnd);
    WindowDC dc(hwnd);
    std::vector<COLORREF> pixels;
    for (int i = 0; i < b.width * b.height; ++i)
        pixels.push_back(GetPixel(dc.get(), i % b.width, i / b.width));
    return pixels;
}

// The drop-down button: its face's top-left corner, which tells the states
// apart, and the top row of its arrow, centred with ties to even.
struct ComboButtonPoints {
    POINT face, arrow;
};
ComboButtonPoints ComboButtonOf(HWND combo)
{
    int bw = GetSystemMetrics(SM_CXVSCROLL) + 1;
    WindowBounds b = BoundsOf(combo);
    int left = b.width - bw - 1;
    return {
        {left + 1, 1},
        {left + RoundHalfToEven((bw - 7) / 2.0) + 3, 1 + RoundHalfToEven((b.height - 6) / 2.0)}};
}

}  // namespace

TEST_CASE_FIXTURE(AttachedForm,
                  "combo boxes and drive lists: flat frame and the button in the state last shown, "
                  "pressed while the list is down")
{
    HWND list = Add("ComboBox", CBS_DROPDOWNLIST, 120, 200);
    HWND editable = Add("ComboBox", CBS_DROPDOWN, 120, 200);
    HWND drives = Add("ThunderDriveListBox", CBS_DROPDOWNLIST, 120, 200);
    HWND simple = Add("ComboBox", CBS_SIMPLE, 120, 80);
    Attach();
    // The normal face is white; the others differ from it and each other in the corner.
    COLORREF normal = kWhite, hot = GetPixel(ComboButtonStrip, 1, 0);
    COLORREF pressed = GetPixel(ComboButtonStrip, 5, 0);
    REQUIRE(normal != hot);
    REQUIRE(hot != pressed);
    REQUIRE(pressed != normal);
    for (HWND combo : {list, editable, drives}) {
        CAPTURE(GetWindowLongA(combo, GWL_STYLE) & 3);
        ComboButtonPoints button = ComboButtonOf(combo);
        for (bool enabled : {true, false}) {
            EnableWindow(combo, enabled);
            Mark(combo);
            Repaint(combo);
            CHECK(PaintCycleClosed(combo));
            CHECK(WindowPixel(combo, 0, 0) == (enabled ? kFrameEnabled : kFrameDisabled));
            CHECK(WindowPixel(combo, 1, 1) == kWhite);
            CHECK(WindowPixel(combo, button.face.x, button.face.y) == normal);
            CHECK(WindowPixel(combo, button.arrow.x, button.arrow.y) ==
                  (enabled ? RGB(25, 85, 95) : RGB(132, 165, 172)));
        }
        // The state shown before the repaint is kept, not reset.
        SetWindowProp(combo, kPropOldState, StateHot);
        Repaint(combo);
        CHECK(WindowPixel(combo, button.face.x, button.face.y) == hot);
        CHECK(GetWindowProp(combo, kPropOldState) == StateHot);
        SetWindowProp(combo, kPropOldState, StateNormal);
        SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
        Repaint(combo);
        CHECK(WindowPixel(combo, button.face.x, button.face.y) == pressed);
        CHECK(GetWindowProp(combo, kPropOldState) == StatePressed);
        SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
    }
    // A simple combo box has a frame and no button; its state is left alone.
    SetWindowProp(simple, kPropOldState, StateHot);
    Mark(simple);
    Repaint(simple);
    CHECK(WindowPixel(simple, 0, 0) == kFrameEnabled);
    CHECK(WindowPixel(simple, 1, 1) == kWhite);
    CHECK(GetWindowProp(simple, kPropOldState) == StateHot);
}

TEST_CASE_FIXTURE(
    AttachedForm,
    "check boxes and option buttons repaint in the normal state; the button class paints its own")
{
    int cy = GetSystemMetrics(SM_CYMENUCHECK), y0 = RoundHalfToEven((30 - cy) / 2.0);
    HWND check = Add("ThunderCheckBox", BS_AUTOCHECKBOX, 120, 30);
    HWND option = Add("ThunderOptionButton", BS_AUTORADIOBUTTON, 120, 30);
    HWND systemCheck = Add("Button", BS_AUTOCHECKBOX, 120, 30);
    HWND group = Add("Button", BS_GROUPBOX, 120, 50);
    for (HWND h : {check, option, systemCheck})
        SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
    PumpMessages();
    auto systemCheckAsDrawn = PixelsOf(systemCheck), groupAsDrawn = PixelsOf(group);
    Attach();
    for (HWND h : {check, option})
        SetWindowProp(h, kPropOldState, StateHot);
    Repaint(form);
    for (HWND h : {check, option})
        CHECK(GetWindowProp(h, kPropOldState) == StateNormal);
    CHECK(WindowPixel(check, 0, y0) == kFrameEnabled);
    CHECK(WindowPixel(check, 1, y0 + 1) == kWhite);
    CHECK(WindowPixel(option, 3, y0) == GetPixel(OptionCircleStrip, 3, 0));
    CHECK(PixelsOf(systemCheck) == systemCheckAsDrawn);
    CHECK(PixelsOf(group) == groupAsDrawn);
}

TEST_CASE_FIXTURE(
    AttachedForm,
    "a push button repainted in the middle of a fade shows its state opaque and the fade ends")
{
    HWND button = Add("Button", 0, 100, 30);
    Attach();
    auto image = [&](int state) {
        return GetPixel(reinterpret_cast<HDC>(GetWindowProp(button, ImageDCProp(state).c_str())),
                        50, 1);
    };
    SetWindowProp(button, kPropOldState, StateHot);
    SetWindowProp(button, kPropAlphaLevel, 0);
    REQUIRE(StartFadeTimer(button));
    REQUIRE(PumpUntil([&] { return GetWindowProp(button, kPropAlphaLevel) >= 60; }));
    Repaint(button);
    CHECK(GetWindowProp(button, kPropTimerId) == 0);
    CHECK(GetWindowProp(button, kPropAlphaLevel) == 255);
    CHECK(WindowPixel(button, 50, 1) == image(StateHot));
    // Several timer periods later nothing has stepped.
    PumpUntil([] { return false; }, 150);
    CHECK(GetWindowProp(button, kPropTimerId) == 0);
    CHECK(GetWindowProp(button, kPropAlphaLevel) == 255);
}

TEST_CASE_FIXTURE(AttachedForm,
                  "progress bars are drawn whole, never by their own procedure, filled by position "
                  "and never past the frame")
{
    // Both with a border, so that the frame is the non-client area's.
    HWND across = Add("ProgressBarWndClass", WS_BORDER, 202, 22);
    HWND up = Add("ProgressBarWndClass", PBS_VERTICAL | WS_BORDER, 32, 102);
    HWND standard = Add("msctls_progress32", 0, 100, 20);  // not a kind of the table
    MessageLog reached;
    for (HWND bar : {across, up, standard})
        RecordMessages(bar, &reached);
    Attach();
    const struct {
        HWND bar;
        int position;
        RECT fill;  // in the client area
    } cases[] = {{across, 0, {}},
                 {across, 15000, {0, 0, 100, 20}},
                 {across, 30000, {0, 0, 200, 20}},
                 {across, 45000, {0, 0, 200, 20}},
                 {up, 10000, {0, 67, 30, 100}}};
    for (const auto& c : cases) {
        CAPTURE(c.position);
        int bx, by;
        GetNonClientBorder(c.bar, &bx, &by);
        SendMessageA(c.bar, PBM_SETRANGE32, 0, 2 * 30000);
        SendMessageA(c.bar, PBM_SETPOS, c.position, 0);
        Mark(c.bar);
        Repaint(c.bar);
        CHECK(PaintCycleClosed(c.bar));
        CHECK(WindowNotAsExpected(c.bar, [&](int x, int y) {
                  if (Ring(c.bar, x, y) == 0)
                      return kFrameEnabled;
                  return PtInRect(&c.fill, POINT{x - bx, y - by}) ? kProgressFill : kWhite;
              }) == "");
    }
    reached.entries.clear();
    CHECK(SendMessageA(across, WM_NCPAINT, 1, 0) == 0);
    Repaint(form);
    for (HWND bar : {across, up}) {
        size_t own = std::count_if(reached.entries.begin(), reached.entries.end(), [&](auto& e) {
            return e.hwnd == bar && (e.msg == WM_PAINT || e.msg == WM_NCPAINT);
        });
        CHECK(own == 0);
    }
    CHECK(reached.Count(WM_PAINT) == 1);  // the standard bar paints itself
    // The recorders were installed first: the beautifier goes before they do.
    REQUIRE(BeautifierDetach(form));
    for (HWND bar : {across, up, standard})
        StopRecording(bar);
}

TEST_CASE_FIXTURE(AttachedForm,
                  "a header is drawn whole by its item states; its own procedure never paints")
{
    HWND header = Add(WC_HEADERA, HDS_BUTTONS, 300, 24);
    RECT r[3];
    for (int i = 0; i < 3; ++i)
        r[i] = AddHeaderItem(header, i, 60, "Item");
    MessageLog reached;
    RecordMessages(header, &reached);
    Attach();
    auto face = [](int f) { return GetPixel(HeaderItemStrip, 3 * f, 0); };
    const struct {
        INT_PTR down, over;
        int faces[3];
    } cases[] = {{1, 1, {0, 2, 0}}, {-1, 2, {0, 0, 1}}, {0, -1, {2, 0, 0}}};
    for (const auto& c : cases) {
        SetWindowProp(header, kPropHdIndex, c.down);
        SetWindowProp(header, kPropHmIndex, c.over);
        Mark(header);
        Repaint(header);
        CHECK(PaintCycleClosed(header));
        for (int i = 0; i < 3; ++i)
            CHECK(WindowPixel(header, r[i].left, 0) == face(c.faces[i]));
        CHECK(WindowPixel(header, r[2].right + 5, 0) == GetPixel(HeaderItemStrip, 1, 0));
    }
    CHECK(reached.Count(WM_PAINT) == 0);
    // The recorders were installed first: the beautifier goes before they do.
    REQUIRE(BeautifierDetach(form));
    StopRecording(header);
}

TEST_CASE_FIXTURE(
    AttachedForm,
    "client edges become flat frames, lists and grids get theirs, and the rest is left as drawn")
{
    HWND edit = Add("Edit", 0, 104, 24, WS_EX_CLIENTEDGE);
    HWND list = Add("DataListWndClass", 0, 100, 40, WS_EX_CLIENTEDGE);
    HWND plain = Add("Edit", WS_BORDER, 104, 24);
    HWND bare = Add("ApexGridTest", 0, 80, 30), grid = Add("ApexGridTest", WS_BORDER, 80, 30);
    PumpMessages();
    auto plainAsDrawn = PixelsOf(plain), bareAsDrawn = PixelsOf(bare), gridAsDrawn = PixelsOf(grid);
    MessageLog reached;
    RecordMessages(list, &reached);
    Attach();
    for (bool enabled : {true, false}) {
        EnableWindow(edit, enabled);
        Mark(edit);
        Repaint(edit);
        COLORREF frame = enabled ? kFrameEnabled : kFrameDisabled;
        // Ring 1 lies in the border; ring 2, in the client area, is painted over by the edit.
        CHECK(WindowPixel(edit, 0, 5) == frame);
        CHECK(WindowPixel(edit, 1, 6) == kWhite);
        CHECK(WindowPixel(edit, 103, 5) == frame);
        CHECK(WindowPixel(edit, 102, 6) == kWhite);
    }
    CHECK(PixelsOf(plain) == plainAsDrawn);

    // A data-bound list's non-client area is its own; its paint adds the flat border.
    reached.entries.clear();
    Mark(list);
    SendMessageA(list, WM_NCPAINT, 1, 0);
    CHECK(reached.Count(WM_NCPAINT) == 1);
    CHECK(WindowPixel(list, 0, 0) != kFrameEnabled);
    Repaint(list);
    CHECK(WindowPixel(list, 0, 0) == kFrameEnabled);
    CHECK(WindowPixel(list, 1, 1) == kWhite);

    Repaint(form);
    CHECK(PixelsOf(bare) == bareAsDrawn);
    auto gridNow = PixelsOf(grid);
    WindowBounds g = BoundsOf(grid);
    for (int i = 0; i < g.width * g.height; ++i) {
        bool frame = Ring(grid, i % g.width, i / g.width) == 0;
        if (gridNow[i] != (frame ? kFrameEnabled : gridAsDrawn[i])) {
            FAIL_CHECK("grid pixel " << i % g.width << ", " << i / g.width);
            break;
        }
    }  // The recorder was installed first: the beautifier goes before it does.
    REQUIRE(BeautifierDetach(form));
    StopRecording(list);
}

TEST_CASE_FIXTURE(AttachedForm,
                  "every kind repainted thousands of times, or with its drawing resources failing, "
                  "leaves nothing behind")
{
    HWND combo = Add("ComboBox", CBS_DROPDOWN, 120, 200), header = Add(WC_HEADERA, 0, 120, 20);
    Add("ComboBox", CBS_DROPDOWNLIST, 120, 200);
    Add("ThunderCheckBox", BS_AUTOCHECKBOX, 120, 20);
    Add("ThunderOptionButton", BS_AUTORADIOBUTTON, 120, 20);
    HWND bar = Add("ProgressBarWndClass", 0, 120, 20);
    Add("ApexGridTest", WS_BORDER, 50, 50);
    Add("Edit", 0, 120, 24, WS_EX_CLIENTEDGE);
    HWND button = Add("Button", 0, 100, 30);
    AddHeaderItem(header, 0, 60, "One");
    SendMessageA(bar, PBM_SETPOS, 50, 0);
    Attach();
    long live = GdiLiveObjectCount();
    for (int i = 0; i < 500; ++i)
        Repaint(form);
    CHECK(GdiLiveObjectCount() == live);
    CHECK(BorrowedDCCount() == 0);
    // A painter whose memory DC cannot be made leaves its part unpainted and still closes
    // the paint cycle, so the window is not sent WM_PAINT again and again.
    for (HWND h : {combo, header, bar, button}) {
        for (long n = 1; n <= 3; ++n) {
            GdiFailNthCreation(n);
            Repaint(h);
            GdiFailNthCreation(0);
            CHECK(PaintCycleClosed(h));
        }
    }
    CHECK(GdiLiveObjectCount() == live);
    CHECK(BorrowedDCCount() == 0);
}
