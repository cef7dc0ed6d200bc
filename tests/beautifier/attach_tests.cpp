#include <algorithm>
#include "beautifier_testing.h"
#include "beautifier.h"
#include "core/attach.h"
#include "core/wndproc.h"
#include "draw/strips.h"

namespace {

using Names = std::set<std::string>;

const Names kToggleProps = {kPropProcAddr, kPropMouseFlag, kPropOldState};
const Names kHeaderProps = {kPropProcAddr, kPropMouseFlag, kPropHdIndex, kPropHmIndex};
const Names kOnlyProcAddr = {kPropProcAddr};

Names PushButtonProps()
{
    Names names = {kPropProcAddr, kPropOldStyle,   kPropMouseFlag,
                   kPropTimerId,  kPropOldState, kPropAlphaLevel};
    for (int i = 0; i < 4; ++i)
        names.insert({ImageDCProp(i), ImageBitmapProp(i)});
    return names;
}

// A window of every kind in a form, a form inside it among them.
struct KindsTree {
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP);
    HWND inner = TestWindow("ThunderFormDC", WS_CHILD, form);
    HWND nested = TestWindow("ThunderRT6OptionButton", WS_CHILD, inner);
    HWND button = TestWindow("Button", WS_CHILD | BS_DEFPUSHBUTTON, form);
    HWND disabled = TestWindow("Button", WS_CHILD | WS_DISABLED, form);
    HWND check = TestWindow("ThunderRT6CheckBox", WS_CHILD, form);
    HWND combo = TestWindow("ThunderRT6ComboBox", WS_CHILD, form);
    HWND drives = TestWindow("ThunderRT6DriveListBox", WS_CHILD, form);
    HWND header = TestWindow("msvb_lib_header", WS_CHILD, form);
    HWND progress = TestWindow("ProgressBar20WndClass", WS_CHILD, form);
    HWND label = TestWindow("Static", WS_CHILD, form);
    ~KindsTree() { DestroyWindow(form); }

    std::vector<std::pair<HWND, Names>> Expected() const
    {
        return {{form, kOnlyProcAddr},      {inner, kOnlyProcAddr},
                {nested, kToggleProps},     {button, PushButtonProps()},
                {disabled, PushButtonProps()}, {check, kToggleProps},
                {combo, kToggleProps},      {drives, kToggleProps},
                {header, kHeaderProps},     {progress, kOnlyProcAddr},
                {label, kOnlyProcAddr}};
    }
};

// Where the first message that reached the window attached was logged.
size_t FirstAttachedMessage(HWND hwnd)
{
    for (size_t i = 0; i < g_seen.size(); ++i)
        if (g_seen[i].hwnd == hwnd && g_seen[i].attached)
            return i;
    return SIZE_MAX;
}

HRGN RegionOf(HWND hwnd)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hwnd, region) == ERROR) {
        DeleteObject(region);
        return NULL;
    }
    return region;
}

}  // namespace

TEST_CASE_FIXTURE(GdiBalance, "a tree is prepared window by window, inner forms first, and left as found")
{
    KindsTree t;
    g_seen.clear();
    REQUIRE(BeautifierAttach(t.form));
    const long windows = 11;
    CHECK(g_AttachedCount == windows);
    for (const auto& e : t.Expected()) {
        CAPTURE(GetWindowClassName(e.first));
        CHECK(BeautifierPropsOf(e.first) == e.second);
    }
    CHECK(GetWindowProp(t.header, kPropHdIndex) == -1);
    CHECK(GetWindowProp(t.header, kPropHmIndex) == -1);
    CHECK(GetWindowProp(t.button, kPropOldState) == StateNormal);
    CHECK(GetWindowProp(t.disabled, kPropOldState) == StateDisabled);
    // Each window is repainted once it is attached: the inner form's content,
    // then the inner form, then the outer one.
    CHECK(FirstAttachedMessage(t.nested) < FirstAttachedMessage(t.inner));
    CHECK(FirstAttachedMessage(t.inner) < FirstAttachedMessage(t.form));

    // Attaching again, or detaching what is not attached, changes nothing.
    long live = GdiLiveObjectCount();
    CHECK(!BeautifierAttach(t.form));
    CHECK(!AttachWindow(t.button));
    CHECK(!AttachWindow(NULL));
    CHECK(g_AttachedCount == windows);
    CHECK(GdiLiveObjectCount() == live);

    CHECK(BeautifierDetach(t.form));
    CHECK(g_AttachedCount == 0);
    CHECK(WindowsWithBeautifierProps() == 0);
    CHECK(!BeautifierDetach(t.form));
    CHECK(!DetachWindow(NULL));
    CHECK(g_AttachedCount == 0);
}

TEST_CASE_FIXTURE(GdiBalance, "push types turn owner-draw, other buttons keep theirs; all get back only their type")
{
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP);
    // The system may make a button of a type it does not draw a push button
    // (BS_USERBUTTON): what counts is the type the button has.
    std::vector<HWND> buttons;
    std::vector<LONG> types;
    for (LONG type = 0; type <= BS_AUTORADIOBUTTON; ++type) {
        buttons.push_back(TestWindow("Button", WS_CHILD | WS_VISIBLE | type, form));
        types.push_back(GetWindowLongA(buttons.back(), GWL_STYLE) & BS_TYPEMASK);
    }
    REQUIRE(BeautifierAttach(form));
    for (size_t i = 0; i < buttons.size(); ++i) {
        LONG type = types[i];
        CAPTURE(type);
        HWND b = buttons[i];
        bool push = type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON || type == BS_USERBUTTON ||
                    type == BS_AUTORADIOBUTTON;
        CHECK((GetWindowLongA(b, GWL_STYLE) & BS_TYPEMASK) == (push ? BS_OWNERDRAW : type));
        CHECK(BeautifierPropsOf(b) == PushButtonProps());
        HRGN region = RegionOf(b);
        REQUIRE(region != NULL);
        CHECK(!PtInRegion(region, 0, 0));
        CHECK(PtInRegion(region, 1, 1));
        CHECK(PtInRegion(region, 99, 15));
        DeleteObject(region);
    }
    // What the owner changed meanwhile stays as it is.
    EnableWindow(buttons[0], FALSE);
    ShowWindow(buttons[1], SW_HIDE);
    REQUIRE(BeautifierDetach(form));
    for (size_t i = 0; i < buttons.size(); ++i) {
        CAPTURE(types[i]);
        CHECK((GetWindowLongA(buttons[i], GWL_STYLE) & BS_TYPEMASK) == types[i]);
        CHECK(RegionOf(buttons[i]) == NULL);
    }
    CHECK(!IsWindowEnabled(buttons[0]));
    CHECK((GetWindowLongA(buttons[1], GWL_STYLE) & WS_VISIBLE) == 0);
    CHECK((GetWindowLongA(buttons[2], GWL_STYLE) & WS_VISIBLE) != 0);
    DestroyWindow(form);
}

TEST_CASE_FIXTURE(GdiBalance, "messages reach the previous procedures in order, answered by them, until the end")
{
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP);
    HWND check = TestWindow("ThunderRT6CheckBox", WS_CHILD, form);
    HWND wide = CreateWindowExW(0, L"Button", L"", WS_CHILD, 0, 0, 9, 9, form, NULL, NULL, NULL);
    HWND dialog = TestWindow("ThunderFormDC", WS_POPUP, form), list = TestWindow("Static", WS_POPUP);
    TestWindow("Static", WS_CHILD, form);
    LONG_PTR wideProc = GetWindowLongPtrW(wide, GWLP_WNDPROC);
    REQUIRE(BeautifierAttach(form));

    // A check box has no work to do yet in any handler: everything forwards.
    WINDOWPOS pos = {};
    struct Sent {
        HWND hwnd;
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };
    const Sent sent[] = {
        {check, WM_SIZE, 0, MAKELPARAM(10, 20)}, {check, WM_ACTIVATE, WA_ACTIVE, 0},
        {check, WM_SETFOCUS, 0, 0}, {check, WM_KILLFOCUS, 0, 0}, {check, WM_ENABLE, 1, 0},
        {check, WM_PAINT, 0, 0}, {check, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos)},
        {check, WM_NCPAINT, 1, 0}, {check, WM_KEYDOWN, VK_SPACE, 1}, {check, WM_KEYUP, VK_SPACE, 1},
        {check, WM_TIMER, 1, 0}, {check, WM_ENTERIDLE, 0, 0}, {check, WM_CTLCOLORLISTBOX, 0, 0},
        {check, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3, 4)}, {check, WM_LBUTTONDOWN, 1, 2},
        {check, WM_LBUTTONUP, 0, 2}, {check, WM_LBUTTONDBLCLK, 1, 2}, {check, WM_MOUSELEAVE, 0, 0},
        {check, WM_MOUSEHOVER, 0, 5}, {check, WM_USER + 7, 8, 9}};
    g_seen.clear();
    g_answering = true;
    for (const Sent& s : sent)
        CHECK(SendMessageA(s.hwnd, s.msg, s.wp, s.lp) == kAnswer + s.msg);
    REQUIRE(g_seen.size() == std::size(sent));
    for (size_t i = 0; i < g_seen.size(); ++i) {
        CAPTURE(sent[i].msg);
        CHECK((g_seen[i].msg == sent[i].msg && g_seen[i].wp == sent[i].wp &&
               g_seen[i].lp == sent[i].lp && g_seen[i].attached));
    }

    // A dialog going idle and a list box about to be drawn are attached once
    // the previous procedure has answered, and only once.
    for (const Sent& s : {Sent{form, WM_ENTERIDLE, 0, reinterpret_cast<LPARAM>(dialog)},
                          Sent{form, WM_CTLCOLORLISTBOX, 0, reinterpret_cast<LPARAM>(list)}}) {
        CAPTURE(s.msg);
        long before = g_AttachedCount;
        CHECK(SendMessageA(form, s.msg, s.wp, s.lp) == kAnswer + s.msg);
        CHECK(SendMessageA(form, s.msg, s.wp, s.lp) == kAnswer + s.msg);
        CHECK(g_AttachedCount == before + 1);
        CHECK(GetWindowProp(reinterpret_cast<HWND>(s.lp), kPropProcAddr) != 0);
    }
    g_answering = false;

    // Without PROCADDR the procedure is the default one.
    HWND loose = TestWindow("ThunderRT6CheckBox", WS_POPUP);
    g_seen.clear();
    CHECK(BeautifierWndProc(loose, WM_USER, 0, 0) == 0);
    CHECK(BeautifierWndProc(NULL, WM_USER, 0, 0) == 0);
    CHECK(g_seen.empty());

    CHECK(DetachWindow(check));
    CHECK(GetWindowLongPtrA(check, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(RecordingProc));
    g_seen.clear();
    SendMessageA(check, WM_USER, 0, 0);
    CHECK((g_seen.size() == 1 && !g_seen[0].attached));
    // A subclass made with the ANSI functions is undone on a Unicode window too.
    CHECK(DetachWindow(wide));
    CHECK(GetWindowLongPtrW(wide, GWLP_WNDPROC) == wideProc);

    // The form's own WM_DESTROY finds it and everything in it detached.
    CHECK(DetachWindow(list));
    DestroyWindow(form);
    auto destroy = std::find_if(g_seen.begin(), g_seen.end(),
                                [&](const Seen& s) { return s.hwnd == form && s.msg == WM_DESTROY; });
    REQUIRE(destroy != g_seen.end());
    CHECK(!destroy->attached);
    CHECK(g_AttachedCount == 0);
    CHECK(!g_Initialized);
    DestroyWindow(list);
    DestroyWindow(loose);
}

TEST_CASE_FIXTURE(GdiBalance, "the module lives from the first attach to the last detach, and every object goes")
{
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP);
    HWND button = TestWindow("Button", WS_CHILD, form);
    for (int cycle = 1; cycle <= 2; ++cycle) {
        CAPTURE(cycle);
        CHECK(!g_Initialized);
        g_HasUserTrackMouseEvent = kFlagFalse;
        REQUIRE(BeautifierAttach(form));
        CHECK(g_Initialized == kFlagTrue);
        CHECK(g_HasUserTrackMouseEvent == kFlagTrue);
        std::vector<HGDIOBJ> made = ImageHandlesOf(button);
        for (HDC strip : {ButtonFaceStrip, ComboButtonStrip, CheckGlyphStrip, OptionCircleStrip,
                          HeaderItemStrip})
            made.insert(made.end(), {strip, GetCurrentObject(strip, OBJ_BITMAP)});
        for (HGDIOBJ h : made)
            CHECK(GetObjectType(h) != 0);
        REQUIRE(BeautifierDetach(form));
        CHECK(!g_Initialized);
        CHECK(ButtonFaceStrip == NULL);
        CHECK(GdiLiveObjectCount() == start);
        for (HGDIOBJ h : made)
            CHECK(GetObjectType(h) == 0);
    }
    DestroyWindow(form);
}

TEST_CASE_FIXTURE(GdiBalance, "a window the system will not let be subclassed is left as it was and not counted")
{
    // The system refuses to subclass a window of another process.
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    char command[] = "foreign-button.exe sertavo-foreign-button";
    REQUIRE(CreateProcessA(NULL, command, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    HWND foreign = NULL;
    CHECK(PumpUntil([&] { return (foreign = FindWindowA("Button", command + 19)) != NULL; }, 60000));
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP);
    REQUIRE(BeautifierAttach(form));
    long live = GdiLiveObjectCount();
    if (foreign) {
        CHECK(!AttachWindow(foreign));
        CHECK(g_AttachedCount == 1);
        CHECK(BeautifierPropsOf(foreign).empty());
        CHECK((GetWindowLongA(foreign, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON);
        CHECK(RegionOf(foreign) == NULL);
        CHECK(GdiLiveObjectCount() == live);
    }
    CHECK(BeautifierDetach(form));
    CHECK(!g_Initialized);
    DestroyWindow(form);
    TerminateProcess(pi.hProcess, 0);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}
