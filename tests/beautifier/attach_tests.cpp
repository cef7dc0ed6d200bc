#include <algorithm>
#include "control_form.h"
#include "attach.h"
#include "wndproc.h"
#include "draw/button_faces.h"
#include "draw/strips.h"

namespace {

using Names = std::set<std::string>;
const Names kToggle = {kPropProcAddr, kPropMouseFlag, kPropOldState};
const Names kPushButton = {kPropProcAddr, kPropOldStyle,   kPropMouseFlag, kPropTimerId,
                           kPropOldState, kPropAlphaLevel, "0HDC",         "1HDC",
                           "2HDC",        "3HDC",          "0BMP",         "1BMP",
                           "2BMP",        "3BMP"};

// Attaching repaints a window once it is attached.
size_t WhenAttached(HWND hwnd)
{
    auto it = std::find_if(g_seen.begin(), g_seen.end(),
                           [&](const Seen& s) { return s.hwnd == hwnd && s.attached; });
    return it - g_seen.begin();
}

bool IsRoundedRegion(HWND hwnd)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    bool rounded = GetWindowRgn(hwnd, region) != ERROR && !PtInRegion(region, 0, 0) &&
                   PtInRegion(region, 1, 1) && PtInRegion(region, 50, 0);
    DeleteObject(region);
    return rounded;
}

// The foreign-button tool's own shape: an ellipse over 80 x 24.
bool IsEllipticRegion(HWND hwnd)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    bool elliptic = GetWindowRgn(hwnd, region) != ERROR && !PtInRegion(region, 1, 1) &&
                    PtInRegion(region, 40, 12);
    DeleteObject(region);
    return elliptic;
}

// Code that subclasses a button after the beautifier and forwards to what
// it found.
WNDPROC g_foundByLater;
int g_laterSaw;

LRESULT CALLBACK LaterSubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    ++g_laterSaw;
    return CallWindowProcA(g_foundByLater, hwnd, msg, wp, lp);
}

// A form's own procedure that detaches the beautifier from the form when one
// of its buttons is clicked, over the system's dialog procedure.
WNDPROC g_dialogProc;

LRESULT CALLBACK DetachOnCommandProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND)
        BeautifierDetach(hwnd);
    return CallWindowProcA(g_dialogProc, hwnd, msg, wp, lp);
}

int TimerTicksFor(HWND hwnd, DWORD ms)
{
    int ticks = 0;
    for (DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(5)) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
            ticks += msg.hwnd == hwnd && msg.message == WM_TIMER;
            DispatchMessageA(&msg);
        }
    }
    return ticks;
}

}  // namespace

TEST_CASE_FIXTURE(
    GdiBalance,
    "every window of a tree is prepared by its kind, inner forms first, and left as found")
{
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP),
         inner = TestWindow("ThunderFormDC", WS_CHILD, form);
    const std::pair<HWND, Names> tree[] = {
        {form, {kPropProcAddr}},
        {inner, {kPropProcAddr}},
        {TestWindow("ThunderRT6OptionButton", WS_CHILD, inner), kToggle},
        {TestWindow("Button", WS_CHILD, form), kPushButton},
        {TestWindow("Button", WS_CHILD | WS_DISABLED, form), kPushButton},
        {TestWindow("ThunderRT6CheckBox", WS_CHILD, form), kToggle},
        {TestWindow("ThunderRT6ComboBox", WS_CHILD, form), kToggle},
        {TestWindow("ThunderRT6DriveListBox", WS_CHILD, form), kToggle},
        {TestWindow("msvb_lib_header", WS_CHILD, form),
         {kPropProcAddr, kPropMouseFlag, kPropHdIndex, kPropHmIndex}},
        {TestWindow("ProgressBar20WndClass", WS_CHILD, form), {kPropProcAddr}},
        {TestWindow("Static", WS_CHILD, form), {kPropProcAddr}}};
    HWND nested = tree[2].first, button = tree[3].first, header = tree[8].first;
    const long windows = static_cast<long>(std::size(tree));
    for (int cycle = 1; cycle <= 2; ++cycle) {
        CAPTURE(cycle);
        g_seen.clear();
        g_HasUserTrackMouseEvent = kFlagFalse;
        REQUIRE(BeautifierAttach(form));
        CHECK(g_Initialized == kFlagTrue);
        CHECK(g_HasUserTrackMouseEvent == kFlagTrue);
        CHECK(g_AttachedCount == windows);
        for (const auto& w : tree)
            CHECK(BeautifierPropsOf(w.first) == w.second);
        CHECK(GetWindowProp(header, kPropHdIndex) == -1);
        CHECK(GetWindowProp(header, kPropHmIndex) == -1);
        CHECK(GetWindowProp(button, kPropOldState) == StateNormal);
        CHECK(GetWindowProp(tree[4].first, kPropOldState) == StateDisabled);
        CHECK(WhenAttached(nested) < WhenAttached(inner));
        CHECK(WhenAttached(inner) < WhenAttached(form));

        long live = GdiLiveObjectCount();
        CHECK(!BeautifierAttach(form));
        CHECK(!AttachWindow(button));
        CHECK(!AttachWindow(NULL));
        CHECK(g_AttachedCount == windows);
        CHECK(GdiLiveObjectCount() == live);

        std::vector<HGDIOBJ> made = ImageHandlesOf(button);
        made.insert(made.end(), {ButtonFaceStrip, GetCurrentObject(ButtonFaceStrip, OBJ_BITMAP)});
        REQUIRE(BeautifierDetach(form));
        CHECK(!BeautifierDetach(form));
        CHECK(!DetachWindow(NULL));
        CHECK(WindowsWithBeautifierProps(form) == 0);
        CHECK(g_AttachedCount == 0);
        CHECK(!g_Initialized);
        CHECK(GdiLiveObjectCount() == start);
        for (HGDIOBJ h : made) {
            CHECK(h != NULL);
            CHECK(GetObjectType(h) == 0);
        }
    }
    DestroyWindow(form);
}

TEST_CASE_FIXTURE(GdiBalance,
                  "push types turn owner-draw, other buttons keep theirs and their painting; the "
                  "owner's changes stay")
{
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP);
    std::vector<std::pair<HWND, LONG>> buttons;  // and the type the system gave each
    for (LONG type = 0; type <= BS_AUTORADIOBUTTON; ++type) {
        HWND b = TestWindow("Button", WS_CHILD | WS_VISIBLE | type, form);
        buttons.push_back({b, GetWindowLongA(b, GWL_STYLE) & BS_TYPEMASK});
    }
    REQUIRE(BeautifierAttach(form));
    OwnedMemoryDC target(CreateMemoryDC(100, 30));
    for (const auto& [b, type] : buttons) {
        CAPTURE(type);
        bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON;
        CHECK((GetWindowLongA(b, GWL_STYLE) & BS_TYPEMASK) == (push ? BS_OWNERDRAW : type));
        CHECK(BeautifierPropsOf(b) == kPushButton);
        CHECK(IsRoundedRegion(b));
        FillSolidRect(target.get(), 0, 0, 100, 30, RGB(0, 0, 0));
        SetWindowProp(b, kPropAlphaLevel, 255);
        PaintPushButton(b, target.get(), PushButtonState(b));
        CHECK((GetPixel(target.get(), 50, 0) == RGB(27, 143, 213)) == push);
    }
    // An automatic option button still checks itself and answers as one.
    HWND automatic = buttons[BS_AUTORADIOBUTTON].first;
    SendMessageA(automatic, BM_CLICK, 0, 0);
    CHECK(SendMessageA(automatic, BM_GETCHECK, 0, 0) == BST_CHECKED);
    CHECK((SendMessageA(automatic, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0);
    EnableWindow(buttons[0].first, FALSE);
    ShowWindow(buttons[1].first, SW_HIDE);
    REQUIRE(BeautifierDetach(form));
    for (const auto& [b, type] : buttons) {
        CAPTURE(type);
        CHECK((GetWindowLongA(b, GWL_STYLE) & BS_TYPEMASK) == type);
        CHECK(!IsRoundedRegion(b));
    }
    CHECK(!IsWindowEnabled(buttons[0].first));
    CHECK((GetWindowLongA(buttons[1].first, GWL_STYLE) & WS_VISIBLE) == 0);
    DestroyWindow(form);
}

TEST_CASE_FIXTURE(
    GdiBalance,
    "messages reach the previous procedure in order and its answers come back, until WM_DESTROY")
{
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP),
         other = TestWindow("SertavoOther", WS_CHILD, form);
    HWND wide = CreateWindowExW(0, L"Button", L"", WS_CHILD, 0, 0, 9, 9, form, NULL, NULL, NULL);
    HWND dialog = TestWindow("ThunderFormDC", WS_POPUP, form),
         list = TestWindow("Static", WS_POPUP);
    LONG_PTR wideProc = GetWindowLongPtrW(wide, GWLP_WNDPROC);
    REQUIRE(BeautifierAttach(form));

    // A window of no kind the beautifier draws: every message forwards.
    WINDOWPOS pos = {};
    const std::pair<UINT, LPARAM> sent[] = {{WM_SIZE, 1},
                                            {WM_ACTIVATE, 0},
                                            {WM_SETFOCUS, 0},
                                            {WM_KILLFOCUS, 0},
                                            {WM_ENABLE, 0},
                                            {WM_PAINT, 0},
                                            {WM_WINDOWPOSCHANGING, reinterpret_cast<LPARAM>(&pos)},
                                            {WM_NCPAINT, 0},
                                            {WM_KEYDOWN, 1},
                                            {WM_KEYUP, 1},
                                            {WM_TIMER, 0},
                                            {WM_ENTERIDLE, 0},
                                            {WM_CTLCOLORLISTBOX, 0},
                                            {WM_MOUSEMOVE, 2},
                                            {WM_LBUTTONDOWN, 2},
                                            {WM_LBUTTONUP, 2},
                                            {WM_LBUTTONDBLCLK, 2},
                                            {WM_MOUSELEAVE, 0},
                                            {WM_MOUSEHOVER, 3},
                                            {WM_USER, 4}};
    g_seen.clear();
    g_answering = true;
    for (const auto& [msg, lp] : sent)
        CHECK(SendMessageA(other, msg, msg + 1, lp) == kAnswer + msg);
    REQUIRE(g_seen.size() == std::size(sent));
    for (size_t i = 0; i < std::size(sent); ++i) {
        const Seen& s = g_seen[i];
        CAPTURE(sent[i].first);
        CHECK(s.msg == sent[i].first);
        CHECK(s.wp == s.msg + 1);
        CHECK(s.lp == sent[i].second);
        CHECK(s.attached);
    }
    // A dialog going idle and a list box about to be drawn are attached
    // after the answer, once.
    for (const auto& [msg, named] : {std::pair{WM_ENTERIDLE, dialog}, {WM_CTLCOLORLISTBOX, list}}) {
        long before = g_AttachedCount;
        for (int twice = 0; twice < 2; ++twice)
            CHECK(SendMessageA(form, msg, 0, reinterpret_cast<LPARAM>(named)) == kAnswer + msg);
        CHECK(g_AttachedCount == before + 1);
        CHECK(GetWindowProp(named, kPropProcAddr) != 0);
    }
    // Detached, each window has its own procedure back; a message that still
    // reaches the beautifier's goes on to the class's own procedure.
    CHECK(DetachWindow(other));
    CHECK(DetachWindow(wide));
    CHECK(DetachWindow(list));
    CHECK(GetWindowLongPtrW(wide, GWLP_WNDPROC) == wideProc);
    CHECK(SendMessageA(other, WM_USER, 0, 0) == kAnswer + WM_USER);
    g_seen.clear();
    CHECK(BeautifierWndProc(other, WM_USER, 0, 0) == kAnswer + WM_USER);
    CHECK(g_seen.size() == 1);
    CHECK(BeautifierWndProc(NULL, WM_USER, 0, 0) == 0);
    g_answering = false;
    DestroyWindow(form);
    auto destroy = std::find_if(g_seen.begin(), g_seen.end(), [&](const Seen& s) {
        return s.hwnd == form && s.msg == WM_DESTROY;
    });
    REQUIRE(destroy != g_seen.end());
    CHECK(!destroy->attached);
    CHECK(g_AttachedCount == 0);
    CHECK(!g_Initialized);
    DestroyWindow(list);
}

TEST_CASE_FIXTURE(
    GdiBalance,
    "windows of another process are left as they were, however they are named, and not counted")
{
    ForeignButton other("sertavo-foreign");
    HWND foreign[] = {other.hwnd, other.form, GetWindow(other.form, GW_CHILD)};
    LONG styles[3];
    for (int i = 0; i < 3; ++i)
        styles[i] = GetWindowLongA(foreign[i], GWL_STYLE);
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP);
    REQUIRE(BeautifierAttach(form));
    long creations = GdiCreationCount();
    CHECK(!AttachWindow(other.hwnd));
    CHECK(!AttachWindow(other.form));
    // A dialog gone idle, and a list box about to be drawn, as a form is told of them.
    for (HWND named : foreign) {
        SendMessageA(form, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(named));
        SendMessageA(form, WM_CTLCOLORLISTBOX, 0, reinterpret_cast<LPARAM>(named));
    }
    CHECK(GdiCreationCount() == creations);
    CHECK(g_AttachedCount == 1);
    for (int i = 0; i < 3; ++i) {
        CAPTURE(i);
        CHECK(BeautifierPropsOf(foreign[i]).empty());
        CHECK(GetWindowLongA(foreign[i], GWL_STYLE) == styles[i]);
    }
    CHECK(IsEllipticRegion(other.hwnd));
    CHECK(IsEllipticRegion(foreign[2]));
    CHECK(BeautifierDetach(form));
    CHECK(!g_Initialized);
    DestroyWindow(form);
}

TEST_CASE_FIXTURE(GdiBalance,
                  "a procedure installed over the beautifier's keeps the button working through a "
                  "detach and after it lets go")
{
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP);
    HWND button = TestWindow("Button", WS_CHILD, form);
    LONG_PTR own = GetWindowLongPtrA(button, GWLP_WNDPROC);
    LRESULT plainCode = SendMessageA(button, WM_GETDLGCODE, 0, 0);
    REQUIRE(BeautifierAttach(form));
    auto later = reinterpret_cast<LONG_PTR>(LaterSubclassProc);
    g_foundByLater = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(button, GWLP_WNDPROC, later));
    REQUIRE(BeautifierDetach(form));

    // The later procedure stays, and what it forwards still reaches the
    // button's own; the beautifier keeps only where that goes.
    CHECK(GetWindowLongPtrA(button, GWLP_WNDPROC) == later);
    CHECK(BeautifierPropsOf(button) == Names{kPropPassOn});
    CHECK((GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON);
    CHECK(!IsRoundedRegion(button));
    g_laterSaw = 0;
    CHECK(SendMessageA(button, WM_GETDLGCODE, 0, 0) == plainCode);
    SetWindowTextA(button, "Later");
    CHECK(WindowText(button) == L"Later");
    CHECK(g_laterSaw >= 3);

    // The later code lets go and puts back what it found.
    SetWindowLongPtrA(button, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_foundByLater));
    CHECK(SendMessageA(button, WM_GETDLGCODE, 0, 0) == plainCode);
    SetWindowTextA(button, "Plain");
    CHECK(WindowText(button) == L"Plain");

    // Attached again, it is the beautifier's once more; detached, its own.
    REQUIRE(BeautifierAttach(button));
    CHECK(BeautifierPropsOf(button) == kPushButton);
    REQUIRE(BeautifierDetach(button));
    CHECK(GetWindowLongPtrA(button, GWLP_WNDPROC) == own);
    CHECK(BeautifierPropsOf(button).empty());
    CHECK(g_AttachedCount == 0);
    DestroyWindow(form);
}

TEST_CASE_FIXTURE(GdiBalance,
                  "a form that detaches itself on a click's command leaves nothing on the button, "
                  "and no fade runs on")
{
    HWND form = CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
    HWND button = CreateWindowExA(0, "Button", "OK", WS_CHILD | WS_VISIBLE, 10, 10, 100, 30, form,
                                  NULL, NULL, NULL);
    auto detaching = reinterpret_cast<LONG_PTR>(DetachOnCommandProc);
    g_dialogProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(form, GWLP_WNDPROC, detaching));
    REQUIRE(BeautifierAttach(form));
    SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    CHECK(GetWindowProp(form, kPropProcAddr) == 0);
    CHECK(BeautifierPropsOf(button).empty());
    CHECK(TimerTicksFor(button, 250) == 0);
    CHECK(g_AttachedCount == 0);
    CHECK(!g_Initialized);
    DestroyWindow(form);
}

TEST_CASE_FIXTURE(
    ControlForm,
    "a combo box's drop-down list, attached once shown, is detached with its combo box")
{
    HWND combos[] = {Add("ComboBox", CBS_DROPDOWNLIST, 120, 200),
                     Add("ThunderDriveListBox", CBS_DROPDOWN, 120, 200)};
    REQUIRE(BeautifierAttach(form));
    std::vector<HWND> lists;
    for (HWND combo : combos) {
        COMBOBOXINFO info = {};
        info.cbSize = sizeof info;
        REQUIRE(GetComboBoxInfo(combo, &info));
        lists.push_back(info.hwndList);
        // Drawing the list asks the form for its colours, which attaches it.
        SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
        PumpUntil([&] { return GetWindowProp(info.hwndList, kPropProcAddr) != 0; });
        SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
        REQUIRE(GetWindowProp(info.hwndList, kPropProcAddr) != 0);
    }
    REQUIRE(BeautifierDetach(form));
    for (HWND list : lists)
        CHECK(BeautifierPropsOf(list).empty());
    CHECK(g_AttachedCount == 0);
    CHECK(!g_Initialized);
    CHECK(GdiLiveObjectCount() == start);
}
