// Pointer and keyboard input as a person gives it, on the beautified main
// window and on the message boxes it shows.
#include <algorithm>
#include "beautified_form.h"

namespace {

// The beautified main window, closed at the end of the test however it ends.
struct BeautifiedForm1 {
    HWND hwnd = ShowBeautifiedForm1();
    ~BeautifiedForm1()
    {
        if (IsWindow(hwnd))
            SendMessageW(hwnd, WM_CLOSE, 0, 0);
        PumpMessages();
        SetCursorPos(0, 0);
    }
    HWND operator[](int id) const { return Form1Control(hwnd, id); }
};

POINT CentreOf(HWND hwnd)
{
    RECT r = ScreenRect(hwnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// The pointer put in place, and a move reported there as the mouse would:
// placing it alone reports nothing to the window under it.
void PointAt(POINT p)
{
    SetCursorPos(p.x, p.y);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &move, sizeof(INPUT));
}

void ClickLeft()
{
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
}

// The screen shows the button's image of the state, the rounded corners
// (outside the window's region) aside.
bool ScreenShows(HWND button, int state)
{
    Shot s(button);
    auto image = reinterpret_cast<HDC>(GetWindowProp(button, ImageDCProp(state).c_str()));
    if (!image)
        return false;
    for (int y = 0; y < s.h; ++y)
        for (int x = 0; x < s.w; ++x) {
            bool corner = (x < 2 || x >= s.w - 2) && (y < 2 || y >= s.h - 2);
            if (!corner && s.At(x, y) != GetPixel(image, x, y))
                return false;
        }
    return true;
}

// The fade is over, and the face it ended on is the state's.
bool Settled(HWND button, int state)
{
    return GetWindowProp(button, kPropOldState) == state && !GetWindowProp(button, kPropTimerId) &&
           ScreenShows(button, state);
}

bool SettlesAs(HWND button, int state)
{
    return PumpUntil([&] { return Settled(button, state); }, 10000, TranslateFormMessage);
}

}  // namespace

TEST_CASE_FIXTURE(
    GdiBalance,
    "under the real pointer a button fades hot and back, and a real click runs its action")
{
    FakeTools tools;
    tools.Install(L"regsvr32");
    MessageBoxWatcher boxes;
    BeautifiedForm1 form;
    HWND button = form[IDC_COMMAND5];
    REQUIRE(Settled(button, StateNormal));
    REQUIRE(!ScreenShows(button, StateHot));  // the two faces can be told apart
    POINT centre = CentreOf(button);

    PointAt(centre);
    CHECK(SettlesAs(button, StateHot));
    CHECK(GetWindowProp(button, kPropMouseFlag) == 1);

    PointAt({0, 0});
    CHECK(SettlesAs(button, StateNormal));
    CHECK(GetWindowProp(button, kPropMouseFlag) == 0);

    PointAt(centre);
    REQUIRE(PumpUntil([&] { return GetWindowProp(button, kPropOldState) == StateHot; }, 10000,
                      TranslateFormMessage));
    ClickLeft();
    REQUIRE(PumpUntil([&] { return boxes.seen.size() == 1; }, 10000, TranslateFormMessage));
    CHECK(boxes.seen[0].text == L"简单功能修复成功，请试运行搜索功能看！");
    auto started = tools.StartedTools();
    REQUIRE(started.size() == 1);
    CHECK(started[0].commandLine == L"regsvr32 /i  /s shell32.dll");

    // Released over the button: the normal face fades in there.
    CHECK(SettlesAs(button, StateNormal));
    CHECK(GetFocus() == button);
    PointAt({0, 0});
}

namespace {

HWND g_box;
std::vector<int> g_boxCommands;  // the commands sent to g_box, in order

LRESULT CALLBACK NoteBoxCommands(int code, WPARAM wp, LPARAM lp)
{
    auto* m = reinterpret_cast<CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->hwnd == g_box && m->message == WM_COMMAND)
        g_boxCommands.push_back(LOWORD(m->wParam));
    return CallNextHookEx(NULL, code, wp, lp);
}

// Messages pumped while the box is shown go through the dialog manager, as
// in the box's own loop.
bool BoxDialogMessage(MSG* msg)
{
    return g_box && IsDialogMessageW(g_box, msg);
}

bool PumpForBox(const std::function<bool()>& done)
{
    return PumpUntil(done, 10000, BoxDialogMessage);
}

struct PropsCount {
    HWND except;
    int n;
};

BOOL CALLBACK CountWindowsWithPropsProc(HWND hwnd, LPARAM lp)
{
    auto* c = reinterpret_cast<PropsCount*>(lp);
    if (hwnd != c->except)
        c->n += WindowsWithBeautifierProps(hwnd);
    return TRUE;
}

int WindowsOfThreadWithProps(HWND except)
{
    PropsCount count = {except, 0};
    EnumThreadWindows(GetCurrentThreadId(), CountWindowsWithPropsProc,
                      reinterpret_cast<LPARAM>(&count));
    return count.n;
}

}  // namespace

TEST_CASE_FIXTURE(GdiBalance,
                  "the shell-restart question is beautified while shown and safe from the keyboard")
{
    FakeTools tools;
    tools.Install(L"cmd");
    BeautifiedForm1 form;
    const long attachedBefore = g_AttachedCount;
    MessageBoxWatcher boxes;
    g_boxCommands.clear();
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, NoteBoxCommands, NULL, GetCurrentThreadId());
    REQUIRE(hook != NULL);

    std::function<void(HWND box)> keys;
    bool restarts = false;
    boxes.answer = [&](HWND box, const SeenBox&) {
        g_box = box;
        HWND yes = GetDlgItem(box, IDYES), no = GetDlgItem(box, IDNO);
        CHECK(GetWindowProp(box, kPropProcAddr) != 0);
        // Its texts read back whole through the subclassed box, whatever
        // the system's code page.
        CHECK(WindowText(box) == L"\x63D0\x793A");  // 提示
        std::wstring question = WindowText(GetDlgItem(box, 0xFFFF));
        CHECK(question.find(L"\x5237\x65B0\x524D") != std::wstring::npos);  // 刷新前
        for (HWND b : {yes, no}) {
            std::set<std::string> props = BeautifierPropsOf(b);
            for (const char* p : {kPropProcAddr, kPropOldState, kPropAlphaLevel, "0HDC", "1HDC"})
                CHECK(props.count(p) == 1);
        }
        CHECK(g_AttachedCount > attachedBefore + 2);
        CHECK(PumpForBox([&] {
            Shot s(yes);
            return s.At(s.w / 2, 0) == RGB(27, 143, 213) && Settled(yes, StateNormal) &&
                   Settled(no, StateNormal);
        }));
        CHECK(GetFocus() == no);
        keys(box);
        // Whatever the keys did, the box goes; the test's own answer is No.
        if (IsWindowVisible(box))
            ClickBoxButton(box, IDNO);
        g_box = NULL;
    };

    SUBCASE("Enter answers No, the default")
    {
        keys = [&](HWND box) {
            PressKey(VK_RETURN);
            CHECK(PumpForBox([&] { return !IsWindowVisible(box); }));
            CHECK(g_boxCommands == std::vector<int>{IDNO});
        };
    }
    SUBCASE("Esc does not answer Yes")
    {
        keys = [&](HWND box) {
            PressKey(VK_ESCAPE);
            // Keys are taken in turn: once Tab has moved the focus or the
            // box has gone, Esc has been handled.
            PressKey(VK_TAB);
            CHECK(PumpForBox(
                [&] { return !IsWindowVisible(box) || GetFocus() != GetDlgItem(box, IDNO); }));
            CHECK(std::count(g_boxCommands.begin(), g_boxCommands.end(), IDYES) == 0);
        };
    }
    SUBCASE("Alt+N answers No")
    {
        keys = [&](HWND box) {
            PressKey('N', false, true);
            CHECK(PumpForBox([&] { return !IsWindowVisible(box); }));
            CHECK(g_boxCommands == std::vector<int>{IDNO});
        };
    }
    SUBCASE("Tab moves the focus between Yes and No")
    {
        keys = [&](HWND box) {
            PressKey(VK_TAB);
            CHECK(PumpForBox([&] { return GetFocus() == GetDlgItem(box, IDYES); }));
            PressKey(VK_TAB);
            CHECK(PumpForBox([&] { return GetFocus() == GetDlgItem(box, IDNO); }));
            PressKey(VK_TAB, true);
            CHECK(PumpForBox([&] { return GetFocus() == GetDlgItem(box, IDYES); }));
            // The dialog manager moves the default along; the buttons go
            // on drawing the beautifier's faces, not their own.
            for (int id : {IDYES, IDNO})
                CHECK((GetWindowLongW(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK) ==
                      BS_OWNERDRAW);
            PressKey(VK_TAB, true);
            CHECK(PumpForBox([&] { return GetFocus() == GetDlgItem(box, IDNO); }));
            PressKey(VK_RETURN);
            CHECK(PumpForBox([&] { return !IsWindowVisible(box); }));
            CHECK(g_boxCommands == std::vector<int>{IDNO});
        };
    }
    SUBCASE("Enter on Yes, reached by Tab, answers Yes")
    {
        restarts = true;
        keys = [&](HWND box) {
            PressKey(VK_TAB);
            CHECK(PumpForBox([&] { return GetFocus() == GetDlgItem(box, IDYES); }));
            PressKey(VK_RETURN);
            CHECK(PumpForBox([&] { return !IsWindowVisible(box); }));
            CHECK(g_boxCommands == std::vector<int>{IDYES});
        };
    }
    SUBCASE("Alt+Y answers Yes: the shell is restarted")
    {
        restarts = true;
        keys = [&](HWND box) {
            PressKey('Y', false, true);
            CHECK(PumpForBox([&] { return !IsWindowVisible(box); }));
            CHECK(g_boxCommands == std::vector<int>{IDYES});
        };
    }

    SendMessageW(form[IDC_COMMAND1], BM_CLICK, 0, 0);
    PumpMessages(TranslateFormMessage);
    UnhookWindowsHookEx(hook);
    CHECK(boxes.seen.size() == 1);
    CHECK(g_AttachedCount == attachedBefore);
    CHECK(WindowsOfThreadWithProps(form.hwnd) == 0);
    if (restarts) {
        REQUIRE(PumpUntil([&] { return tools.StartedTools().size() == 1; }));
        CHECK(tools.StartedTools()[0].tool == L"cmd");
    } else {
        CHECK(tools.StartedTools().empty());
    }
}
