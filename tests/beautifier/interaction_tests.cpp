// The controls' answers to the mouse and keyboard, message by message, read
// back from their properties and pixels.
#include <windows.h>
#include <commctrl.h>
#include "control_form.h"
#include "attach.h"
#include "core/properties.h"
#include "draw/colors.h"
#include "draw/strips.h"
#include "interact/header_tracking.h"
#include "interact/combo.h"
#include "interact/glyph_toggles.h"

namespace {

LPARAM At(int x, int y)
{
    return MAKELPARAM(x, y);
}

INT_PTR Prop(HWND hwnd, const char* name)
{
    return GetWindowProp(hwnd, name);
}

bool PointerIsAt(POINT p)
{
    POINT at;
    return GetCursorPos(&at) && at.x == p.x && at.y == p.y;
}

// The tests send the mouse messages themselves; the pointer only has to be
// where a handler looks for it. Wine hears of each move of the pointer again
// from the X server, later, and applies it when it next reads its events,
// which can put the pointer back where it was. So the events are read here
// until the pointer stays put, and the mouse messages they make are dropped.
void PlacePointer(POINT p)
{
    SetCursorPos(p.x, p.y);
    int steady = 0;
    DWORD start = GetTickCount();
    while (steady < 10 && GetTickCount() - start < 5000) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE) ||
               PeekMessageA(&msg, NULL, WM_MOUSELEAVE, WM_MOUSELEAVE, PM_REMOVE)) {
        }
        if (PointerIsAt(p)) {
            ++steady;
        } else {
            steady = 0;
            SetCursorPos(p.x, p.y);
        }
        Sleep(2);
    }
    REQUIRE(PointerIsAt(p));
}

// The pointer over a window's point (x, y), or far from every window of the form.
void PointerOver(HWND hwnd, int x, int y)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    PlacePointer({r.left + x, r.top + y});
}

void PointerAway()
{
    PlacePointer({1000, 760});
}

struct InteractionForm : AttachedForm {
    InteractionForm() { PointerAway(); }
    ~InteractionForm() { PointerAway(); }
    // The form's one push button, attached, and the pointer moved into it.
    HWND EnteredButton()
    {
        HWND button = Add("Button", 0, 100, 30);
        Attach();
        PointerOver(button, 50, 15);
        SendMessageA(button, WM_MOUSEMOVE, 0, At(50, 15));
        return button;
    }
};

// What the screen shows of a push button against its state images, at a
// point where all four differ: the white highlight of the normal face.
COLORREF ImagePixel(HWND button, int state)
{
    auto dc = reinterpret_cast<HDC>(Prop(button, ImageDCProp(state).c_str()));
    return GetPixel(dc, 50, 1);
}

bool Shows(HWND button, int state)
{
    return WindowPixel(button, 50, 1) == ImagePixel(button, state);
}

bool FadeEnded(HWND button)
{
    return PumpUntil([&] { return Prop(button, kPropTimerId) == 0; });
}

// The dotted focus rectangle, drawn into the images along their third row.
bool ImagesHaveFocusBox(HWND button)
{
    auto dc = reinterpret_cast<HDC>(Prop(button, ImageDCProp(StateNormal).c_str()));
    int dots = 0;
    for (int x = 4; x < 96; ++x)
        dots += GetPixel(dc, x, 2) != RGB(255, 255, 255);
    return dots > 20;
}

// A move that enters the button again: the hot face fades in on the timer
// that already runs (id), and shows once the fade has ended.
void EnterAgainAndFadeHot(HWND button, UINT_PTR id)
{
    SendMessageA(button, WM_MOUSEMOVE, 0, At(50, 15));
    CHECK(Prop(button, kPropOldState) == StateHot);
    CHECK(Prop(button, kPropAlphaLevel) == 0);
    CHECK(Prop(button, kPropTimerId) == INT_PTR(id));
    REQUIRE(FadeEnded(button));
    CHECK(Shows(button, StateHot));
}

}  // namespace

TEST_CASE_FIXTURE(
    InteractionForm,
    "push button: entering, leaving and entering again share one timer; the hot face ends the fade")
{
    HWND button = EnteredButton();
    UINT_PTR id = Prop(button, kPropTimerId);
    CHECK(id != 0);
    CHECK(Prop(button, kPropOldState) == StateHot);
    CHECK(Prop(button, kPropMouseFlag) == 1);
    // Still inside, over the button: nothing changes.
    SendMessageA(button, WM_MOUSEMOVE, 0, At(51, 15));
    CHECK(Prop(button, kPropTimerId) == INT_PTR(id));
    CHECK(Prop(button, kPropOldState) == StateHot);

    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    CHECK(Prop(button, kPropMouseFlag) == 0);
    CHECK(Prop(button, kPropOldState) == StateNormal);
    CHECK(Prop(button, kPropAlphaLevel) == 0);
    CHECK(Prop(button, kPropTimerId) == INT_PTR(id));
    EnterAgainAndFadeHot(button, id);

    PointerAway();
    SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    REQUIRE(FadeEnded(button));
    CHECK(Shows(button, StateNormal));
}

TEST_CASE_FIXTURE(
    InteractionForm,
    "push button: pressed at once, held face while dragged away and back, a click ends outside")
{
    HWND button = EnteredButton();
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, At(50, 15));
    CHECK(Prop(button, kPropOldState) == StatePressed);
    CHECK(Prop(button, kPropTimerId) == 0);
    CHECK(Prop(button, kPropAlphaLevel) == 0);  // a stray step blends nothing
    CHECK(Shows(button, StatePressed));

    PointerAway();
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, At(400, 15));
    CHECK(Prop(button, kPropAlphaLevel) == 255);
    CHECK(Prop(button, kPropOldState) == StatePressed);
    CHECK(Shows(button, StatePressed));
    PointerOver(button, 50, 15);
    SendMessageA(button, WM_MOUSEMOVE, MK_LBUTTON, At(50, 15));
    CHECK(Prop(button, kPropOldState) == StatePressed);
    CHECK(Prop(button, kPropTimerId) == 0);

    SendMessageA(button, WM_LBUTTONUP, 0, At(50, 15));
    CHECK(Prop(button, kPropMouseFlag) == 0);
    CHECK(Prop(button, kPropOldState) == StateNormal);
    CHECK(Prop(button, kPropAlphaLevel) == 60);
    CHECK(Prop(button, kPropTimerId) != 0);
    // The pointer never left, but the next move is an entry again.
    UINT_PTR id = Prop(button, kPropTimerId);
    EnterAgainAndFadeHot(button, id);
    SendMessageA(button, WM_LBUTTONDBLCLK, MK_LBUTTON, At(50, 15));
    CHECK(Prop(button, kPropOldState) == StatePressed);
    CHECK(Prop(button, kPropTimerId) == 0);
}

TEST_CASE_FIXTURE(InteractionForm,
                  "push button: the space key presses and releases, other keys do nothing; "
                  "enabling sets the state")
{
    HWND button = Add("Button", 0, 100, 30);
    Attach();
    SetWindowProp(button, kPropMouseFlag, 1);
    SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0);
    CHECK(Prop(button, kPropOldState) == StatePressed);
    CHECK(Shows(button, StatePressed));
    SendMessageA(button, WM_KEYUP, VK_SPACE, 0);
    CHECK(Prop(button, kPropOldState) == StateNormal);
    CHECK(Prop(button, kPropMouseFlag) == 0);
    CHECK(Prop(button, kPropAlphaLevel) == 0);
    CHECK(Prop(button, kPropTimerId) != 0);
    REQUIRE(FadeEnded(button));

    auto props = [&] {
        return std::make_tuple(Prop(button, kPropOldState), Prop(button, kPropAlphaLevel),
                               Prop(button, kPropTimerId), Prop(button, kPropMouseFlag));
    };
    auto before = props();
    for (UINT msg : {WM_KEYDOWN, WM_KEYUP})
        for (WPARAM key : {WPARAM(VK_RETURN), WPARAM('A'), WPARAM(VK_TAB)})
            SendMessageA(button, msg, key, 0);
    CHECK(props() == before);

    SendMessageA(button, WM_ENABLE, 0, 0);
    CHECK(Prop(button, kPropOldState) == StateDisabled);
    SendMessageA(button, WM_ENABLE, 5, 0);
    CHECK(Prop(button, kPropOldState) == StateNormal);
}

TEST_CASE_FIXTURE(
    InteractionForm,
    "push button: the focus moving between buttons draws their images again, each fading in")
{
    HWND first = Add("Button", 0, 100, 30), second = Add("Button", 0, 100, 30);
    Attach();
    SetFocus(first);
    CHECK(ImagesHaveFocusBox(first));
    CHECK(!ImagesHaveFocusBox(second));
    CHECK(Prop(first, kPropTimerId) != 0);
    REQUIRE(FadeEnded(first));
    CHECK(Shows(first, StateNormal));
    SetFocus(second);
    CHECK(!ImagesHaveFocusBox(first));
    CHECK(ImagesHaveFocusBox(second));
    CHECK(Prop(first, kPropTimerId) != 0);
    CHECK(Prop(second, kPropTimerId) != 0);
    REQUIRE(FadeEnded(first));
    REQUIRE(FadeEnded(second));
    CHECK(Shows(first, StateNormal));
    CHECK(Shows(second, StateNormal));
}

TEST_CASE_FIXTURE(InteractionForm,
                  "combo box: hot and pressed only over the drop-down strip of an editable one, "
                  "anywhere over the others")
{
    HWND editable = Add("ComboBox", CBS_DROPDOWN, 121, 200);
    SendMessageA(editable, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), 15);
    HWND list = Add("ComboBox", CBS_DROPDOWNLIST, 121, 200);
    HWND drives = Add("ThunderDriveListBox", CBS_DROPDOWNLIST, 121, 200);
    Attach();
    WindowBounds b = BoundsOf(editable);
    int left = b.width - GetSystemMetrics(SM_CXVSCROLL) - 2;  // 103 when 121 wide, cx 16
    CAPTURE(b.height);
    CAPTURE(left);
    const struct {
        int x, y;
        bool inside;
    } points[] = {{left, 2, true},       {b.width - 2, b.height - 2, true},
                  {left - 1, 10, false}, {b.width - 1, 10, false},
                  {left + 5, 1, false},  {left + 5, b.height - 1, false},
                  {10, 10, false}};
    for (const auto& p : points) {
        CAPTURE(p.x);
        CAPTURE(p.y);
        CHECK(InDropDownZone(editable, ControlKind::ComboBox, At(p.x, p.y)) == p.inside);
        SendMessageA(editable, WM_MOUSEMOVE, 0, At(p.x, p.y));
        CHECK(Prop(editable, kPropOldState) == (p.inside ? StateHot : StateNormal));
        SendMessageA(editable, WM_MOUSEMOVE, MK_LBUTTON, At(p.x, p.y));
        CHECK(Prop(editable, kPropOldState) == (p.inside ? StatePressed : StateNormal));
        for (HWND whole : {list, drives}) {
            SendMessageA(whole, WM_MOUSEMOVE, 0, At(p.x, p.y));
            CHECK(Prop(whole, kPropOldState) == StateHot);
        }
    }
    // A press in the text part is the edit field's; the button stays as it was.
    SendMessageA(editable, WM_MOUSEMOVE, 0, At(left, 5));
    SendMessageA(editable, WM_LBUTTONDOWN, MK_LBUTTON, At(10, 10));
    CHECK(Prop(editable, kPropOldState) == StateHot);
    SendMessageA(editable, WM_LBUTTONUP, 0, At(10, 10));
    ReleaseCapture();

    // A release is hot under the pointer, normal elsewhere; leaving and moving end normal.
    PointerOver(list, 10, 5);
    SendMessageA(list, WM_LBUTTONUP, 0, At(10, 5));
    CHECK(Prop(list, kPropOldState) == StateHot);
    PointerAway();
    SendMessageA(list, WM_LBUTTONUP, 0, At(10, 5));
    CHECK(Prop(list, kPropOldState) == StateNormal);
    SendMessageA(list, WM_MOUSEMOVE, 0, At(10, 5));
    SendMessageA(list, WM_MOUSELEAVE, 0, 0);
    CHECK(Prop(list, kPropOldState) == StateNormal);
    CHECK(Prop(list, kPropMouseFlag) == 0);
    SendMessageA(drives, WM_MOUSEMOVE, 0, At(10, 5));
    SetWindowPos(drives, NULL, 12, RectInParent(drives).top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CHECK(Prop(drives, kPropOldState) == StateNormal);
}

TEST_CASE_FIXTURE(InteractionForm,
                  "check box and option button: hot, pressed and normal by mouse and space; focus "
                  "repaints option buttons only")
{
    int cy = GetSystemMetrics(SM_CYMENUCHECK), y0 = RoundHalfToEven((30 - cy) / 2.0);
    HWND check = Add("ThunderCheckBox", BS_AUTOCHECKBOX, 120, 30);
    HWND option = Add("ThunderOptionButton", BS_AUTORADIOBUTTON, 120, 30);
    Attach();
    for (HWND h : {check, option}) {
        CAPTURE(GetWindowClassName(h));
        PointerOver(h, 5, 15);
        SendMessageA(h, WM_MOUSEMOVE, 0, At(5, 15));
        CHECK(Prop(h, kPropOldState) == StateHot);
        CHECK(Prop(h, kPropMouseFlag) == 1);
        // A hot check box is filled; the normal one is white inside.
        CHECK((h != check || WindowPixel(h, 1, y0 + 1) != kWhite));
        SendMessageA(h, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 15));
        CHECK(Prop(h, kPropOldState) == StatePressed);
        SendMessageA(h, WM_MOUSEMOVE, MK_LBUTTON, At(5, 15));
        CHECK(Prop(h, kPropOldState) == StatePressed);
        SendMessageA(h, WM_LBUTTONUP, 0, At(5, 15));
        CHECK(Prop(h, kPropOldState) == StateNormal);
        CHECK(Prop(h, kPropMouseFlag) == 1);
        CHECK(SendMessageA(h, BM_GETCHECK, 0, 0) == BST_CHECKED);
        SendMessageA(h, WM_MOUSEMOVE, 0, At(6, 15));
        CHECK(Prop(h, kPropOldState) == StateHot);
        PointerAway();
        SendMessageA(h, WM_MOUSELEAVE, 0, 0);
        CHECK(Prop(h, kPropOldState) == StateNormal);
        CHECK(Prop(h, kPropMouseFlag) == 0);
        SendMessageA(h, WM_KEYDOWN, VK_SPACE, 0);
        CHECK(Prop(h, kPropOldState) == StatePressed);
        SendMessageA(h, WM_KEYUP, VK_SPACE, 0);
        CHECK(Prop(h, kPropOldState) == StateNormal);
        SendMessageA(h, WM_KEYDOWN, 'A', 0);
        CHECK(Prop(h, kPropOldState) == StateNormal);
    }
    for (HWND h : {check, option})
        SetWindowProp(h, kPropOldState, StateHot);
    SetFocus(check);
    SetFocus(option);
    CHECK(Prop(check, kPropOldState) == StateHot);
    CHECK(Prop(option, kPropOldState) == StateNormal);
}

TEST_CASE_FIXTURE(
    InteractionForm,
    "a click on a push button draws every attached check box and option button beside it afresh")
{
    HWND button = Add("Button", 0, 100, 30);
    HWND options[] = {Add("ThunderOptionButton", BS_AUTORADIOBUTTON, 120, 30),
                      Add("ThunderOptionButton", BS_AUTORADIOBUTTON, 120, 30)};
    HWND check = Add("ThunderCheckBox", BS_AUTOCHECKBOX, 120, 30);
    HWND loose = Add("ThunderOptionButton", BS_AUTORADIOBUTTON, 120, 30);
    Attach();
    REQUIRE(DetachWindow(loose));
    // Their glyphs are covered; only a glyph drawn anew shows again.
    for (HWND h : {options[0], options[1], check, loose}) {
        SetWindowProp(h, kPropOldState, StateHot);
        Mark(h);
    }
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, At(50, 15));
    SendMessageA(button, WM_LBUTTONUP, 0, At(50, 15));
    int middle = GetSystemMetrics(SM_CXMENUCHECK) / 2;
    for (HWND h : {options[0], options[1], check}) {
        CHECK(Prop(h, kPropOldState) == StateNormal);
        CHECK(WindowPixel(h, middle, 15) != kMarker);
    }
    CHECK(WindowPixel(loose, middle, 15) == kMarker);  // not attached: passed over
    RemoveWindowProp(loose, kPropOldState);
}

TEST_CASE_FIXTURE(InteractionForm,
                  "header: hot item follows the mouse; a held item stays pressed while dragged, "
                  "hot or normal on release")
{
    HWND header = Add(WC_HEADERA, HDS_BUTTONS, 500, 24);
    RECT r[4];
    for (int i = 0; i < 4; ++i)
        r[i] = AddHeaderItem(header, i, 100, "Item");
    HWND empty = Add(WC_HEADERA, HDS_BUTTONS, 300, 24);
    Attach();
    CHECK(HitTestHeader(header, 100) == 0);
    CHECK(HitTestHeader(header, 101) == 1);
    CHECK(HitTestHeader(header, 450) == -1);
    CHECK(HitTestHeader(empty, 5) == -1);

    auto face = [](int f) { return GetPixel(HeaderItemStrip, 3 * f, 0); };
    auto shows = [&](int i, int f) { return WindowPixel(header, r[i].left, 0) == face(f); };
    auto indices = [&] {
        return std::make_pair(Prop(header, kPropHmIndex), Prop(header, kPropHdIndex));
    };
    auto move = [&](int x, WPARAM keys) { SendMessageA(header, WM_MOUSEMOVE, keys, At(x, 10)); };

    PointerOver(header, 50, 10);
    move(50, 0);
    CHECK(indices() == std::make_pair<INT_PTR, INT_PTR>(0, -1));
    CHECK(shows(0, StateHot));
    move(250, 0);
    CHECK(indices() == std::make_pair<INT_PTR, INT_PTR>(2, -1));
    CHECK(shows(2, StateHot));
    CHECK(shows(0, 0));
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, At(250, 10));
    CHECK(indices() == std::make_pair<INT_PTR, INT_PTR>(2, 2));
    CHECK(shows(2, StatePressed));
    move(350, MK_LBUTTON);
    CHECK(indices() == std::make_pair<INT_PTR, INT_PTR>(2, 2));
    CHECK(shows(3, 0));
    CHECK(shows(2, StatePressed));
    move(250, MK_LBUTTON);
    CHECK(shows(2, StatePressed));
    SendMessageA(header, WM_LBUTTONUP, 0, At(250, 10));
    ReleaseCapture();
    CHECK(indices() == std::make_pair<INT_PTR, INT_PTR>(2, -1));
    CHECK(shows(2, StateHot));

    // Released away from the header: the held item goes back to normal.
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, At(250, 10));
    PointerAway();
    SendMessageA(header, WM_LBUTTONUP, 0, At(250, 300));
    ReleaseCapture();
    CHECK(Prop(header, kPropHdIndex) == -1);
    CHECK(shows(2, StateNormal));

    // Leaving while an item is held clears both; past the last item nothing is hot.
    move(50, 0);
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, At(50, 10));
    SendMessageA(header, WM_MOUSELEAVE, 0, 0);
    ReleaseCapture();
    CHECK(indices() == std::make_pair<INT_PTR, INT_PTR>(-1, -1));
    CHECK(shows(0, StateNormal));
    move(50, 0);
    move(450, 0);
    CHECK(Prop(header, kPropHmIndex) == -1);
    CHECK(shows(0, StateNormal));

    // Without items a press leaves the held index as it was.
    SetWindowProp(empty, kPropHdIndex, 7);
    SendMessageA(empty, WM_MOUSEMOVE, 0, At(5, 10));
    SendMessageA(empty, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 10));
    ReleaseCapture();
    CHECK(Prop(empty, kPropHmIndex) == -1);
    CHECK(Prop(empty, kPropHdIndex) == 7);
    SetWindowProp(empty, kPropHdIndex, -1);
}
