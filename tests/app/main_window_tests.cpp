#include <cstdlib>
#include "app_testing.h"
#include "form1_expected.h"
#include "layout.h"
#include "forms.h"

namespace {

bool IsCentred(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    int dx = (r.left + r.right) - GetSystemMetrics(SM_CXSCREEN);
    int dy = (r.top + r.bottom) - GetSystemMetrics(SM_CYSCREEN);
    return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
}

const wchar_t kSongTi[] = L"\x5B8B\x4F53";  // 宋体
const wchar_t kHeiTi[] = L"\x9ED1\x4F53";   // 黑体

bool HasPixelOfColour(HWND hwnd, RECT area, COLORREF colour)
{
    HDC dc = GetWindowDC(hwnd);
    bool found = false;
    for (int y = area.top; y < area.bottom && !found; ++y)
        for (int x = area.left; x < area.right && !found; ++x)
            found = GetPixel(dc, x, y) == colour;
    ReleaseDC(hwnd, dc);
    return found;
}

COLORREF LabelTextColour(HWND form, HWND label)
{
    HDC dc = CreateCompatibleDC(NULL);
    SendMessageW(form, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(label));
    COLORREF c = GetTextColor(dc);
    DeleteDC(dc);
    return c;
}

// The resolution in the user's display settings; the system's 96 without one.
int ConfiguredDpi()
{
    DWORD dpi = 96, size = sizeof dpi;
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Control Panel\\Desktop", 0, KEY_READ, &key) == 0) {
        RegQueryValueExW(key, L"LogPixels", NULL, NULL, reinterpret_cast<BYTE*>(&dpi), &size);
        RegCloseKey(key);
    }
    return static_cast<int>(dpi);
}

}  // namespace

TEST_CASE("the screen and the code page are those this run was set up for" *
          doctest::test_suite("layout"))
{
    // Wine takes the system code page from the locale each run is started in.
    const char* codePage = getenv("SERTAVO_CODE_PAGE");
    CHECK(GetACP() == static_cast<UINT>(codePage ? atoi(codePage) : 936));

    // Wine falls back to 96 dpi when a prefix lacks its setting; every other
    // layout check would still pass, only at the wrong resolution. A run
    // that names no resolution expects the one the user's settings hold.
    const char* wanted = getenv("SERTAVO_SCREEN_DPI");
    CHECK(ScreenDpi() == (wanted ? atoi(wanted) : ConfiguredDpi()));
}

TEST_CASE("the main window is a fixed form of 5760 x 4560 twips, centred, captioned Sertavo" *
          doctest::test_suite("layout"))
{
    MainWindow w;
    CHECK(ClassName(w.hwnd) == L"Form");
    CHECK(WindowText(w.hwnd) == L"Sertavo");
    LONG style = GetWindowLongW(w.hwnd, GWL_STYLE);
    CHECK((style & WS_CAPTION) == WS_CAPTION);
    CHECK((style & WS_SYSMENU) != 0);
    CHECK((style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0);
    CHECK(GetWindow(w.hwnd, GW_OWNER) == NULL);
    CHECK(IsWindowVisible(w.hwnd));

    SIZE client = ClientSize(w.hwnd);
    CHECK(client.cx == MulDiv(5760, ScreenDpi(), 1440));
    CHECK(client.cy == MulDiv(4560, ScreenDpi(), 1440));
    if (ScreenDpi() == 96) {
        CHECK(client.cx == 384);
        CHECK(client.cy == 304);
    }
    if (ScreenDpi() == 120) {
        CHECK(client.cx == 480);
        CHECK(client.cy == 380);
    }
    CHECK(IsCentred(w.hwnd));
    CHECK(GetClassLongPtrW(w.hwnd, GCLP_HICON) != 0);
    CHECK(GetClassLongPtrW(w.hwnd, GCLP_HBRBACKGROUND) == COLOR_BTNFACE + 1);

    // The window font: 9-point 宋体 in the GB2312 character set.
    LOGFONTW lf = FontOf(w.hwnd);
    CHECK(lstrcmpW(lf.lfFaceName, kSongTi) == 0);
    CHECK(lf.lfHeight == -MulDiv(9, ScreenDpi(), 72));
    CHECK(lf.lfCharSet == GB2312_CHARSET);
}

TEST_CASE("every control has its class, caption, place and font" * doctest::test_suite("layout"))
{
    MainWindow w;
    int dpi = ScreenDpi();
    for (const ExpectedControl& e : kForm1Expected) {
        CAPTURE(e.id);
        HWND c = w[e.id];
        REQUIRE(c != NULL);
        CHECK(GetParent(c) == (e.parent ? w[e.parent] : w.hwnd));
        CHECK(ClassName(c) == e.cls);
        CHECK(WindowText(c) == e.caption);
        CHECK(IsWindowVisible(c));
        CHECK(IsWindowEnabled(c));

        RECT r = RectInParent(c);
        CHECK(r.left == MulDiv(e.twips[0], dpi, 1440));
        CHECK(r.top == MulDiv(e.twips[1], dpi, 1440));
        CHECK(r.right - r.left == MulDiv(e.twips[2], dpi, 1440));
        CHECK(r.bottom - r.top == MulDiv(e.twips[3], dpi, 1440));
        if (dpi == 96) {
            CHECK(r.left == e.pixels96[0]);
            CHECK(r.top == e.pixels96[1]);
            CHECK(r.right - r.left == e.pixels96[2]);
            CHECK(r.bottom - r.top == e.pixels96[3]);
        }

        LOGFONTW lf = FontOf(c);
        CHECK(lf.lfCharSet == GB2312_CHARSET);
        if (e.id == IDC_LABEL2) {
            CHECK(lstrcmpW(lf.lfFaceName, kHeiTi) == 0);
            CHECK(lf.lfWeight == FW_BOLD);
            CHECK(!lf.lfUnderline);
            CHECK(lf.lfHeight == -MulDiv(12, dpi, 72));
        } else if (e.id == IDC_LABEL3) {
            CHECK(lstrcmpW(lf.lfFaceName, kSongTi) == 0);
            CHECK(lf.lfWeight == FW_NORMAL);
            CHECK(lf.lfUnderline);
            CHECK(lf.lfHeight == -MulDiv(12, dpi, 72));
        } else {
            CHECK(lstrcmpW(lf.lfFaceName, kSongTi) == 0);
            CHECK(lf.lfHeight == -MulDiv(9, dpi, 72));
        }
    }
}

TEST_CASE("buttons are plain push buttons; labels take no focus")
{
    MainWindow w;
    for (int id = IDC_COMMAND1; id <= IDC_COMMAND6; ++id) {
        CAPTURE(id);
        LONG style = GetWindowLongW(w[id], GWL_STYLE);
        CHECK((style & BS_TYPEMASK) == BS_PUSHBUTTON);
        CHECK((style & WS_TABSTOP) != 0);
        CHECK((SendMessageW(w[id], WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON) == 0);
    }
    for (int id : {IDC_LABEL2, IDC_LABEL3, IDC_FRAME1, IDC_FRAME2, IDC_FRAME3})
        CHECK((GetWindowLongW(w[id], GWL_STYLE) & WS_TABSTOP) == 0);
}

TEST_CASE("captions are shown in their own colours" * doctest::test_suite("layout"))
{
    MainWindow w;
    CHECK(LabelTextColour(w.hwnd, w[IDC_LABEL2]) == RGB(0, 64, 64));
    CHECK(LabelTextColour(w.hwnd, w[IDC_LABEL3]) == RGB(0, 0, 255));

    // The frames draw their captions themselves: find the colour in the
    // caption's line, and nowhere below it on the frame's own surface.
    struct {
        int id;
        COLORREF colour;
    } frames[] = {
        {IDC_FRAME2, RGB(255, 0, 255)}, {IDC_FRAME1, RGB(0, 0, 255)}, {IDC_FRAME3, RGB(255, 0, 0)}};
    for (auto f : frames) {
        CAPTURE(f.id);
        RedrawWindow(w[f.id], NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        CHECK(HasPixelOfColour(w[f.id], RECT{0, 0, 200, 14}, f.colour));
        CHECK(!HasPixelOfColour(w[f.id], RECT{0, 15, 6, 60}, f.colour));
    }
}

TEST_CASE("keyboard: the focus starts on Command4, Tab and Shift+Tab cycle, Space clicks")
{
    MainWindow w;
    CHECK(GetFocus() == w[IDC_COMMAND4]);

    const int forward[] = {IDC_COMMAND5, IDC_COMMAND6, IDC_COMMAND2,
                           IDC_COMMAND3, IDC_COMMAND1, IDC_COMMAND4};
    for (int id : forward) {
        CAPTURE(id);
        PressKey(VK_TAB);
        CHECK(PumpUntil([&] { return GetFocus() == w[id]; }, 5000, TranslateFormMessage));
    }
    const int backward[] = {IDC_COMMAND1, IDC_COMMAND3, IDC_COMMAND2,
                            IDC_COMMAND6, IDC_COMMAND5, IDC_COMMAND4};
    for (int id : backward) {
        CAPTURE(id);
        PressKey(VK_TAB, true);
        CHECK(PumpUntil([&] { return GetFocus() == w[id]; }, 5000, TranslateFormMessage));
    }

    // Space on the focused button is an ordinary click that reaches the form.
    FakeTools tools;
    tools.Install(L"regsvr32");
    MessageBoxWatcher boxes;
    PressKey(VK_TAB);
    REQUIRE(PumpUntil([&] { return GetFocus() == w[IDC_COMMAND5]; }, 5000, TranslateFormMessage));
    MessageLog log;
    RecordMessages(w.hwnd, &log);
    PressKey(VK_SPACE);
    CHECK(PumpUntil([&] { return log.Contains(WM_COMMAND, MAKEWPARAM(IDC_COMMAND5, BN_CLICKED)); },
                    5000, TranslateFormMessage));
    StopRecording(w.hwnd);
    // Enter and Esc do nothing: no button has a default or cancel role.
    log.entries.clear();
    RecordMessages(w.hwnd, &log);
    PressKey(VK_RETURN);
    PressKey(VK_ESCAPE);
    PumpUntil([] { return false; }, 300, TranslateFormMessage);
    StopRecording(w.hwnd);
    CHECK(IsWindow(w.hwnd));
    CHECK(g_unloads == 0);
}

TEST_CASE("every way of closing the main window runs the unload step exactly once")
{
    auto closesOnce = [](const char* how, const std::function<void(HWND)>& close) {
        CAPTURE(how);
        MainWindow w;
        CHECK(g_loads == 1);
        CHECK(g_loaded == w.hwnd);
        close(w.hwnd);
        PumpUntil([&] { return !IsWindow(w.hwnd); }, 10000, TranslateFormMessage);
        CHECK(!IsWindow(w.hwnd));
        CHECK(g_unloads == 1);
        CHECK(OpenFormCount() == 0);
    };
    closesOnce("close command of the system menu",
               [](HWND h) { PostMessageW(h, WM_SYSCOMMAND, SC_CLOSE, 0); });
    closesOnce("Alt+F4", [](HWND) { PressKey(VK_F4, false, true); });
    closesOnce("the close box", [](HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        int frame = GetSystemMetrics(SM_CXFIXEDFRAME);
        POINT box = {r.right - frame - GetSystemMetrics(SM_CXSIZE) / 2,
                     r.top + frame + GetSystemMetrics(SM_CYCAPTION) / 2};
        REQUIRE(SendMessageW(h, WM_NCHITTEST, 0, MAKELPARAM(box.x, box.y)) == HTCLOSE);
        SetCursorPos(box.x, box.y);
        // Late pointer events can move it again; click once it holds.
        PumpUntil([&] {
            POINT at;
            GetCursorPos(&at);
            return at.x == box.x && at.y == box.y;
        });
        INPUT click[2] = {};
        click[0].type = click[1].type = INPUT_MOUSE;
        click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, click, sizeof(INPUT));
    });
    closesOnce("destroyed by the program", [](HWND h) { DestroyWindow(h); });

    // The end of a session closes nothing: the step runs on WM_ENDSESSION
    // and not again when the window is destroyed afterwards.
    MainWindow w;
    CHECK(SendMessageW(w.hwnd, WM_QUERYENDSESSION, 0, 0) != 0);
    SendMessageW(w.hwnd, WM_ENDSESSION, TRUE, 0);
    CHECK(g_unloads == 1);
    DestroyWindow(w.hwnd);
    CHECK(g_unloads == 1);
}

TEST_CASE("a main window that was moved opens centred again")
{
    {
        MainWindow w;
        SetWindowPos(w.hwnd, NULL, 10, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        CHECK(!IsCentred(w.hwnd));
        SendMessageW(w.hwnd, WM_CLOSE, 0, 0);
    }
    MainWindow w;
    CHECK(IsCentred(w.hwnd));
    CHECK(GetFocus() == w[IDC_COMMAND4]);
}
