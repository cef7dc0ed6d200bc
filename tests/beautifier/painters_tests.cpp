#include <windows.h>
#include <commctrl.h>
#include "control_form.h"
#include "core/properties.h"
#include "draw/borders.h"
#include "draw/colors.h"
#include "draw/combo_button.h"
#include "draw/glyphs.h"
#include "draw/header.h"
#include "draw/progress.h"
#include "draw/strips.h"
#include "draw/window_dc.h"

namespace {

// The painters are run directly here, with the strips built as attaching would.
struct Form : ControlForm {
    Form() { BuildImageStrips(); }
    ~Form() { ReleaseImageStrips(); }
};

}  // namespace

TEST_CASE_FIXTURE(
    Form, "drop-down button: white face and an arrow centred with ties to even, grey when disabled")
{
    // The button is as wide as the system's scroll bars (plus one); four heights in a row, two
    // of which leave an odd room around the arrow. The scroll-bar width is the system's own:
    // changing it would change it for every program on the desktop.
    int bw = GetSystemMetrics(SM_CXVSCROLL) + 1;
    HWND combo = Add("ComboBox", CBS_DROPDOWNLIST, 120, 200);
    for (int i = 0; i < 4; ++i) {
        SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 14 + i);
        WindowBounds b = BoundsOf(combo);
        int left = b.width - bw - 1;
        int ax = left + RoundHalfToEven((bw - 7) / 2.0);
        int ay = 1 + RoundHalfToEven((b.height - 6) / 2.0);
        for (bool enabled : {true, false}) {
            EnableWindow(combo, enabled);
            Mark(combo);
            ShowComboButton(combo, NULL, StateNormal, true);
            CHECK(WindowNotAsExpected(combo, [&](int x, int y) {
                      int row = y - ay, col = x - ax;
                      if (x < left || x >= left + bw || y < 1 || y >= b.height - 1)
                          return kMarker;
                      if (row < 0 || row > 3 || col < row || col > 6 - row)
                          return kWhite;
                      return enabled ? RGB(25, 85, 95) : RGB(132, 165, 172);
                  }) == "");
        }
    }
}

TEST_CASE_FIXTURE(Form,
                  "drop-down button: hot, pressed while the list is down, a repeated state not "
                  "painted, no button on a simple combo")
{
    HWND combo = Add("ThunderDriveListBox", CBS_DROPDOWNLIST, 120, 200);
    WindowBounds b = BoundsOf(combo);
    // The faces differ in their top-left corners.
    int cornerX = b.width - GetSystemMetrics(SM_CXVSCROLL) - 1;
    auto face = [&] { return WindowPixel(combo, cornerX, 1); };
    COLORREF hot = GetPixel(ComboButtonStrip, 1, 0), pressed = GetPixel(ComboButtonStrip, 5, 0);

    CHECK(ShowComboButton(combo, NULL, StateHot, false));
    CHECK(face() == hot);
    CHECK(GetWindowProp(combo, kPropOldState) == StateHot);
    Mark(combo);
    CHECK(!ShowComboButton(combo, NULL, StateHot, false));
    CHECK(face() == kMarker);
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    CHECK(ShowComboButton(combo, NULL, StateNormal, false));
    CHECK(face() == pressed);
    CHECK(GetWindowProp(combo, kPropOldState) == StatePressed);
    SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);

    HWND simple = Add("ComboBox", CBS_SIMPLE, 120, 100);
    SetWindowProp(simple, kPropOldState, StateHot);
    Mark(simple);
    CHECK(!ShowComboButton(simple, NULL, StateNormal, true));
    CHECK(WindowNotAsExpected(simple, [](int, int) { return kMarker; }) == "");
    CHECK(GetWindowProp(simple, kPropOldState) == StateHot);
}

TEST_CASE_FIXTURE(Form,
                  "check box: frame and fill by state, mark or square by check state, pale when "
                  "disabled, painted once per state")
{
    int cx = GetSystemMetrics(SM_CXMENUCHECK), cy = GetSystemMetrics(SM_CYMENUCHECK);
    // The glyph box is centred in the height, 2.5 and 3.5 rounded to even, and at the left edge
    // even when the text is on the left.
    for (int extra : {5, 7}) {
        HWND box = Add("ThunderCheckBox", BS_AUTOCHECKBOX | BS_LEFTTEXT, 120, cy + extra);
        Mark(box);
        ShowGlyph(box, ControlKind::CheckBox, StateNormal, true);
        int top = extra == 5 ? 2 : 4;
        CHECK(WindowPixel(box, 0, top - 1) == kMarker);
        CHECK(WindowPixel(box, cx, top) == kMarker);
        CHECK(WindowPixel(box, 0, top) == kFrameEnabled);
    }
    HWND box = Add("ThunderCheckBox", BS_AUTO3STATE, 120, 30);
    int y0 = RoundHalfToEven((30 - cy) / 2.0);
    POINT mark = {RoundHalfToEven((cx - 9) / 2.0) + 8, y0 + RoundHalfToEven((cy - 8) / 2.0)};
    POINT square = {RoundHalfToEven((cx - 7) / 2.0), y0 + RoundHalfToEven((cy - 7) / 2.0)};
    const struct {
        bool enabled;
        int state, check;
        COLORREF frame;
        int fillRow;  // of OptionCircleStrip, or -1 for white
    } cases[] = {{true, StateNormal, BST_UNCHECKED, kFrameEnabled, -1},
                 {true, StateHot, BST_CHECKED, kFrameEnabled, 17},
                 {true, StatePressed, BST_INDETERMINATE, kFramePressed, 30},
                 {false, StateHot, BST_CHECKED, kFrameDisabled, -1},
                 {false, StatePressed, BST_INDETERMINATE, kFrameDisabled, -1}};
    for (const auto& c : cases) {
        CAPTURE(c.state);
        EnableWindow(box, c.enabled);
        SendMessageA(box, BM_SETCHECK, c.check, 0);
        Mark(box);
        CHECK(ShowGlyph(box, ControlKind::CheckBox, c.state, true) == 1);
        CHECK(WindowPixel(box, 0, y0) == c.frame);
        CHECK(WindowPixel(box, cx - 1, y0 + cy - 1) == c.frame);
        COLORREF fill = c.fillRow < 0 ? kWhite : GetPixel(OptionCircleStrip, 1, c.fillRow);
        CHECK(WindowPixel(box, 1, y0 + 1) == fill);
        int disabled = c.enabled ? 0 : 9;  // the disabled glyphs lie 9 columns right
        CHECK((WindowPixel(box, mark.x, mark.y) == GetPixel(CheckGlyphStrip, 8 + disabled, 0)) ==
              (c.check == BST_CHECKED));
        COLORREF corner = GetPixel(CheckGlyphStrip, 1 + disabled, 9);
        CHECK((WindowPixel(box, square.x, square.y) == corner) == (c.check == BST_INDETERMINATE));
    }
    // The same state again paints nothing unless forced.
    Mark(box);
    CHECK(ShowGlyph(box, ControlKind::CheckBox, StatePressed, false) == 0);
    CHECK(WindowPixel(box, 0, y0) == kMarker);
    CHECK(ShowGlyph(box, ControlKind::CheckBox, StateHot, false) == 1);
    CHECK(GetWindowProp(box, kPropOldState) == StateHot);
}

TEST_CASE_FIXTURE(
    Form, "option button: the disc of its state over what the system drew, a dot only when checked")
{
    // Three states, so that it can report the mixed one.
    HWND option = Add("ThunderOptionButton", BS_AUTO3STATE, 120, 30);
    int cx = GetSystemMetrics(SM_CXMENUCHECK), cy = GetSystemMetrics(SM_CYMENUCHECK);
    int y0 = RoundHalfToEven((30 - cy) / 2.0);
    POINT dot = {RoundHalfToEven((cx - 5) / 2.0) + 2, RoundHalfToEven((cy - 5) / 2.0 + y0) + 2};
    const struct {
        bool enabled;
        int state, check, cell;
    } cases[] = {{true, StateNormal, BST_CHECKED, 0},
                 {true, StateHot, BST_UNCHECKED, 1},
                 {true, StatePressed, BST_INDETERMINATE, 2},
                 {false, StateHot, BST_CHECKED, 3}};
    for (const auto& c : cases) {
        CAPTURE(c.state);
        EnableWindow(option, c.enabled);
        SendMessageA(option, BM_SETCHECK, c.check, 0);
        REQUIRE(SendMessageA(option, BM_GETCHECK, 0, 0) == c.check);
        Mark(option);
        CHECK(ShowGlyph(option, ControlKind::OptionButton, c.state, true) == 1);
        CHECK(WindowPixel(option, 0, y0) == kMarker);  // outside the disc
        CHECK(WindowPixel(option, 3, y0) == GetPixel(OptionCircleStrip, 3, 13 * c.cell));
        CHECK(WindowPixel(option, 4, y0 + 4) == GetPixel(OptionCircleStrip, 4, 13 * c.cell + 4));
        COLORREF green = GetPixel(CheckGlyphStrip, c.enabled ? 4 : 13, 20);
        CHECK((WindowPixel(option, dot.x, dot.y) == green) == (c.check == BST_CHECKED));
    }
}

TEST_CASE_FIXTURE(Form,
                  "header: items by held-down and under-mouse index, pressed winning, background "
                  "past the last; single items")
{
    HWND header = Add(WC_HEADERA, HDS_BUTTONS, 300, 24);
    std::string texts[] = {"One", "", std::string(300, 'x')};
    RECT r[3];
    for (int i = 0; i < 3; ++i)
        r[i] = AddHeaderItem(header, i, 60 + 10 * i, texts[i]);
    // The faces differ in an item's top-left corner; the background is the normal face's middle.
    auto face = [](int f) { return GetPixel(HeaderItemStrip, 3 * f, 0); };
    auto at = [&](int i) { return WindowPixel(header, r[i].left, 0); };
    const struct {
        INT_PTR down, over;
        int faces[3];
    } cases[] = {{1, 1, {0, 2, 0}}, {0, 2, {2, 0, 1}}, {-1, -1, {0, 0, 0}}};
    for (const auto& c : cases) {
        SetWindowProp(header, kPropHdIndex, c.down);
        SetWindowProp(header, kPropHmIndex, c.over);
        Mark(header);
        PaintHeader(header, WindowDC(header).get(), StateNormal);
        for (int i = 0; i < 3; ++i)
            CHECK(at(i) == face(c.faces[i]));
        CHECK(WindowPixel(header, r[2].right + 5, 0) == GetPixel(HeaderItemStrip, 1, 0));
        CHECK(WindowPixel(header, r[2].right + 5, 23) == GetPixel(HeaderItemStrip, 1, 19));
    }
    CHECK(GetHeaderItemText(header, 2) == std::wstring(255, L'x'));  // what fits the buffer
    CHECK(GetHeaderItemText(header, 0) == L"One");
    CHECK(GetHeaderItemText(header, 9) == L"");

    for (int state : {int(StateHot), int(StatePressed), 7}) {
        Mark(header);
        CHECK(PaintHeaderItem(header, NULL, 1, state) == 0);
        CHECK(at(1) == face(state == 7 ? 0 : state));
        CHECK(at(2) == kMarker);
        CHECK(WindowPixel(header, r[1].left - 1, 0) == kMarker);
    }
    Mark(header);
    PaintHeaderItem(header, NULL, -1, StateHot);
    PaintHeaderItem(header, NULL, 3, StateHot);
    CHECK(WindowNotAsExpected(header, [](int, int) { return kMarker; }) == "");
}

TEST_CASE_FIXTURE(Form,
                  "progress: client and whole window filled by position over 30000, never past the "
                  "bar, vertical from the bottom")
{
    // Client areas of 200 x 20 and 30 x 100; one bar has a border of its own, one none.
    HWND across = Add("ProgressBarWndClass", 0, 200, 20);
    HWND up = Add("msctls_progress32", PBS_VERTICAL | WS_BORDER, 32, 102);  // not PBS_SMOOTH
    for (HWND bar : {across, up})
        SendMessageA(bar, PBM_SETRANGE32, static_cast<WPARAM>(-100), 2 * kProgressScale);
    REQUIRE(ClientSize(across).cx == 200);
    REQUIRE(ClientSize(up).cy == 100);
    const struct {
        HWND bar;
        int position;
        float fraction;
        RECT fill;  // in the client area
    } cases[] = {{across, 15000, 0.5f, {0, 0, 100, 20}},  {across, 10000, 1 / 3.0f, {0, 0, 67, 20}},
                 {across, 45000, 1, {0, 0, 200, 20}},     {across, -50, 0, {}},
                 {up, 10000, 1 / 3.0f, {0, 67, 30, 100}}, {up, 45000, 1, {0, 0, 30, 100}}};
    for (const auto& c : cases) {
        CAPTURE(c.position);
        SendMessageA(c.bar, PBM_SETPOS, c.position, 0);
        CHECK(ProgressFraction(c.bar) == doctest::Approx(c.fraction));
        auto filled = [&](int x, int y) { return PtInRect(&c.fill, POINT{x, y}); };
        SIZE client = ClientSize(c.bar);
        OwnedMemoryDC image(CreateMemoryDC(client.cx, client.cy));
        FillSolidRect(image.get(), 0, 0, client.cx, client.cy, kMarker);
        PaintProgressClient(c.bar, image.get(), StateNormal);
        CHECK(FirstPixelNotAsExpected(image.get(), client.cx, client.cy, [&](int x, int y) {
                  return filled(x, y) ? kProgressFill : kWhite;
              }) == "");

        int bx, by;
        GetNonClientBorder(c.bar, &bx, &by);
        Mark(c.bar);
        PaintProgressWindow(c.bar, NULL, StateNormal);
        CHECK(WindowNotAsExpected(c.bar, [&](int x, int y) {
                  if (Ring(c.bar, x, y) == 0)
                      return kFrameEnabled;
                  return filled(x - bx, y - by) ? kProgressFill : kWhite;
              }) == "");
    }
}

TEST_CASE_FIXTURE(Form,
                  "flat frames: control border and client edge by enabled state, concentric rings; "
                  "grid frame only with WS_BORDER")
{
    HWND list = Add("DataListWndClass", 0, 100, 40);
    HWND edit = Add("Edit", 0, 104, 24, WS_EX_CLIENTEDGE);
    for (bool enabled : {true, false}) {
        EnableWindow(list, enabled);
        EnableWindow(edit, enabled);
        for (HWND h : {list, edit})
            Mark(h);
        PaintControlBorder(list, NULL, StateNormal);
        PaintFlatClientEdge(edit, NULL, StateNormal);
        int bx, by;
        CHECK(GetNonClientBorder(edit, &bx, &by));
        CHECK(bx == 2);
        CHECK(by == 2);
        // The edit's rings take its client DC's background colour, white by default.
        for (auto [h, inner] : {std::pair<HWND, int>{list, 1}, {edit, bx}})
            CHECK(WindowNotAsExpected(h, [&](int x, int y) {
                      int ring = Ring(h, x, y);
                      COLORREF frame = enabled ? kFrameEnabled : kFrameDisabled;
                      return ring == 0 ? frame : ring <= inner ? kWhite : kMarker;
                  }) == "");
    }
    HWND plain = Add("Edit", WS_BORDER, 104, 24), bare = Add("ApexGridTest", 0, 80, 30);
    HWND grid = Add("ApexGridTest", WS_BORDER, 80, 30);
    for (HWND h : {plain, bare, grid})
        Mark(h);
    PaintFlatClientEdge(plain, NULL, StateNormal);
    PaintGridBorder(bare, NULL, StateNormal);
    PaintGridBorder(grid, NULL, StateNormal);
    for (HWND h : {plain, bare, grid})
        CHECK(WindowNotAsExpected(h, [&](int x, int y) {
                  return h == grid && Ring(h, x, y) == 0 ? kFrameEnabled : kMarker;
              }) == "");

    // Scroll bars are not border; a window that is gone has none.
    HWND scrolled = Add("Edit", ES_MULTILINE | WS_VSCROLL | WS_HSCROLL, 120, 60, WS_EX_CLIENTEDGE);
    int bx = 0, by = 0;
    CHECK(GetNonClientBorder(scrolled, &bx, &by));
    CHECK(bx == 2);
    CHECK(by == 2);
    DestroyWindow(scrolled);
    CHECK(!GetNonClientBorder(scrolled, &bx, &by));
    CHECK(bx == 0);
    CHECK(by == 0);
}

TEST_CASE_FIXTURE(Form,
                  "every painter, run thousands of times, leaves no GDI object or window DC behind")
{
    HWND combo = Add("ComboBox", CBS_DROPDOWNLIST, 120, 200), header = Add(WC_HEADERA, 0, 120, 20);
    HWND check = Add("ThunderCheckBox", BS_AUTOCHECKBOX, 120, 20);
    HWND option = Add("ThunderOptionButton", BS_AUTORADIOBUTTON, 120, 20);
    HWND bar = Add("ProgressBarWndClass", 0, 120, 20);
    HWND grid = Add("ApexGridTest", WS_BORDER, 50, 50);
    HWND edit = Add("Edit", 0, 120, 24, WS_EX_CLIENTEDGE);
    AddHeaderItem(header, 0, 60, "One");
    for (HWND h : {check, option})
        SendMessageA(h, BM_SETCHECK, BST_CHECKED, 0);
    SendMessageA(bar, PBM_SETPOS, 50, 0);
    OwnedMemoryDC target(CreateMemoryDC(300, 100));
    auto paintAll = [&](int state) {
        PaintControlBorder(combo, NULL, StateNormal);
        ShowComboButton(combo, NULL, state, true);
        ShowGlyph(check, ControlKind::CheckBox, state, true);
        ShowGlyph(option, ControlKind::OptionButton, state, true);
        PaintHeader(header, target.get(), StateNormal);
        PaintHeaderItem(header, NULL, 0, state);
        PaintProgressClient(bar, target.get(), StateNormal);
        PaintProgressWindow(bar, NULL, StateNormal);
        PaintFlatClientEdge(edit, NULL, StateNormal);
        PaintGridBorder(grid, NULL, StateNormal);
    };
    long live = GdiLiveObjectCount();
    for (int i = 0; i < 2000; ++i)
        paintAll(i % 3);
    CHECK(GdiLiveObjectCount() == live);
    CHECK(BorrowedDCCount() == 0);
}
