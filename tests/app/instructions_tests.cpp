#include "app_testing.h"
#include "layout.h"
#include "form2.h"
#include "program.h"
#include "resource_ids.h"

namespace {

// The text of the instructions, line by line, each ended by CR LF.
const wchar_t kExpectedText[] =
    L"    如上图，电脑搜索不能显示\r\n"
    L"，你\r\n"
    L"可以用这个工具修复试试。建议\r\n"
    L"用“一般用户使用”项修复，先\r\n"
    L"用“简单修复”项，如果不行，\r\n"
    L"再进行“中间修复”项，使用时\r\n"
    L"间稍微久一点。还不成功的话，\r\n"
    L"最后使用“高级用户使用”项。\r\n"
    L"注意：“高级用户使用项”因为\r\n"
    L"要动刀注册表，所以使用前\r\n"
    L"先做好注册表备份工作然后再进\r\n"
    L"行。\r\n"
    L"    最后，祝你好运！\r\n";

std::wstring TextOf(HWND hwnd)
{
    std::wstring text(GetWindowTextLengthW(hwnd) + 1, L'\0');
    text.resize(GetWindowTextW(hwnd, &text[0], static_cast<int>(text.size())));
    return text;
}

BOOL CALLBACK CountVisibleTopLevelProc(HWND hwnd, LPARAM n)
{
    if (IsWindowVisible(hwnd) && !GetParent(hwnd))
        ++*reinterpret_cast<int*>(n);
    return TRUE;
}

int VisibleTopLevelWindows()
{
    int n = 0;
    EnumThreadWindows(GetCurrentThreadId(), CountVisibleTopLevelProc, reinterpret_cast<LPARAM>(&n));
    return n;
}

bool IsCentredOnScreen(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return abs(r.left + r.right - GetSystemMetrics(SM_CXSCREEN)) <= 1 &&
           abs(r.top + r.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 1;
}

// Closes whatever forms a test left open, without a hand-back.
struct FormsClosedAfterwards {
    ~FormsClosedAfterwards()
    {
        if (OpenForm2())
            DestroyWindow(OpenForm2());
        if (OpenForm1())
            DestroyWindow(OpenForm1());
        PumpMessages();
    }
};

HFONT FontHandle(HWND hwnd)
{
    return reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
}

void MovePointerTo(HWND hwnd, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(hwnd, &p);
    SetCursorPos(p.x, p.y);
}

bool LinkUnderlined(HWND form)
{
    return FontOf(Form1Control(form, IDC_LABEL3)).lfUnderline != 0;
}

// A rectangle in twips as the screen's resolution gives it in pixels.
RECT TwipsToRect(int left, int top, int width, int height)
{
    int dpi = ScreenDpi();
    int x = MulDiv(left, dpi, 1440), y = MulDiv(top, dpi, 1440);
    return RECT{x, y, x + MulDiv(width, dpi, 1440), y + MulDiv(height, dpi, 1440)};
}

bool SameRect(const RECT& a, const RECT& b)
{
    return EqualRect(&a, &b) != 0;
}

}  // namespace

TEST_CASE("Command4 swaps the main window for the instructions, and closing them brings it back")
{
    FormsClosedAfterwards cleanup;
    MainWindow w;
    w.Click(IDC_COMMAND4);
    CHECK(!IsWindow(w.hwnd));
    CHECK(g_unloads == 1);
    HWND f2 = OpenForm2();
    REQUIRE(f2 != NULL);
    CHECK(VisibleTopLevelWindows() == 1);

    HWND picture = GetDlgItem(f2, IDC_PICTURE1);
    HWND text = GetDlgItem(f2, IDC_TEXT1);
    // Picture1 has the focus; Tab and Shift+Tab move between the two.
    CHECK(GetFocus() == picture);
    SetForegroundWindow(f2);
    CHECK(PumpUntil([&] { return GetFocus() == picture; }, 5000, TranslateFormMessage));
    PressKey(VK_TAB);
    CHECK(PumpUntil([&] { return GetFocus() == text; }, 5000, TranslateFormMessage));
    PressKey(VK_TAB);
    CHECK(PumpUntil([&] { return GetFocus() == picture; }, 5000, TranslateFormMessage));
    PressKey(VK_TAB, true);
    CHECK(PumpUntil([&] { return GetFocus() == text; }, 5000, TranslateFormMessage));

    // Tabbing in selects the whole text, so a letter replaces it; Ctrl+Z
    // brings it back.
    auto textBecomes = [&](const std::wstring& expected) {
        return PumpUntil([&] { return TextOf(text) == expected; }, 5000, TranslateFormMessage);
    };
    PressKey('X');
    CHECK(textBecomes(L"x"));
    PressKey('Z', false, false, true);
    CHECK(textBecomes(kExpectedText));
    // Enter makes a new line; Esc leaves the window open (a close it asked
    // for would come before the letter typed after it).
    PressKey(VK_END, false, false, true);
    PressKey(VK_RETURN);
    CHECK(textBecomes(std::wstring(kExpectedText) + L"\r\n"));
    PressKey(VK_ESCAPE);
    PressKey('Y');
    CHECK(textBecomes(std::wstring(kExpectedText) + L"\r\ny"));
    CHECK(IsWindow(f2));

    // The text may be edited; the edit does not outlive the window.
    SetWindowTextW(text, L"edited");
    PressKey(VK_F4, false, true);
    CHECK(PumpUntil([&] { return !IsWindow(f2); }, 5000, TranslateFormMessage));
    HWND f1 = OpenForm1();
    REQUIRE(f1 != NULL);
    CHECK(g_loads == 2);
    CHECK(IsWindowVisible(f1));
    CHECK(IsCentredOnScreen(f1));
    CHECK(GetFocus() == Form1Control(f1, IDC_COMMAND4));
    CHECK(VisibleTopLevelWindows() == 1);

    SendMessageW(Form1Control(f1, IDC_COMMAND4), BM_CLICK, 0, 0);
    REQUIRE(OpenForm2() != NULL);
    CHECK(TextOf(GetDlgItem(OpenForm2(), IDC_TEXT1)) == kExpectedText);
}

TEST_CASE("the instructions: a fixed form of 3195 x 4695 twips with a picture box and a text box" *
          doctest::test_suite("layout"))
{
    FormsClosedAfterwards cleanup;
    MainWindow w;
    w.Click(IDC_COMMAND4);
    HWND f2 = OpenForm2();
    REQUIRE(f2 != NULL);
    int dpi = ScreenDpi();

    CHECK(ClassName(f2) == L"Form");
    CHECK(WindowText(f2) == L"\x4F7F\x7528\x8BF4\x660E");  // 使用说明
    LONG style = GetWindowLongW(f2, GWL_STYLE);
    CHECK((style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) == 0);
    CHECK((style & WS_SYSMENU) != 0);
    CHECK(GetWindow(f2, GW_OWNER) == NULL);
    SIZE client = ClientSize(f2);
    CHECK(client.cx == MulDiv(3195, dpi, 1440));
    CHECK(client.cy == MulDiv(4695, dpi, 1440));
    if (dpi == 96) {
        CHECK(client.cx == 213);
        CHECK(client.cy == 313);
    }
    CHECK(IsCentredOnScreen(f2));
    CHECK(GetClassLongPtrW(f2, GCLP_HICON) != 0);

    // Both boxes have the sunken client edge, which stays two pixels wide at
    // any resolution.
    HWND picture = GetDlgItem(f2, IDC_PICTURE1);
    HWND text = GetDlgItem(f2, IDC_TEXT1);
    REQUIRE(picture != NULL);
    REQUIRE(text != NULL);
    RECT pr = RectInParent(picture), tr = RectInParent(text);
    CHECK(SameRect(pr, TwipsToRect(120, 120, 2895, 1845)));
    CHECK(SameRect(tr, TwipsToRect(120, 2040, 3015, 2535)));
    if (dpi == 96) {
        CHECK(SameRect(pr, RECT{8, 8, 201, 131}));
        CHECK(SameRect(tr, RECT{8, 136, 209, 305}));
    }
    CHECK(ClientSize(picture).cx == pr.right - pr.left - 4);
    CHECK(ClientSize(picture).cy == pr.bottom - pr.top - 4);
    CHECK(ClassName(text) == L"Edit");
    LONG textStyle = GetWindowLongW(text, GWL_STYLE);
    CHECK((textStyle & ES_MULTILINE) != 0);
    CHECK((textStyle & WS_VSCROLL) != 0);
    CHECK((textStyle & ES_READONLY) == 0);
    CHECK(TextOf(text) == kExpectedText);

    // The text keeps its point size: 9-point 宋体.
    LOGFONTW lf = FontOf(text);
    CHECK(lf.lfCharSet == GB2312_CHARSET);
    CHECK(lstrcmpW(lf.lfFaceName, L"\x5B8B\x4F53") == 0);
    CHECK(lf.lfHeight == -MulDiv(9, dpi, 72));
}

TEST_CASE("fifty swaps leave one window each time and release what each window created")
{
    FormsClosedAfterwards cleanup;
    MainWindow w;
    HWND f1 = w.hwnd;
    for (int i = 0; i < 50; ++i) {
        CAPTURE(i);
        HFONT mainFonts[] = {FontHandle(f1), FontHandle(Form1Control(f1, IDC_LABEL2)),
                             FontHandle(Form1Control(f1, IDC_LABEL3))};
        SendMessageW(Form1Control(f1, IDC_COMMAND4), BM_CLICK, 0, 0);
        HWND f2 = OpenForm2();
        REQUIRE(f2 != NULL);
        CHECK(VisibleTopLevelWindows() == 1);
        for (HFONT font : mainFonts)
            CHECK(GetObjectType(font) == 0);

        HFONT instructionsFont = FontHandle(f2);
        CHECK(GetObjectType(instructionsFont) == OBJ_FONT);
        SendMessageW(f2, WM_CLOSE, 0, 0);
        CHECK(!IsWindow(f2));
        CHECK(GetObjectType(instructionsFont) == 0);
        f1 = OpenForm1();
        REQUIRE(f1 != NULL);
        CHECK(VisibleTopLevelWindows() == 1);
    }
    CHECK(g_loads == 51);
    CHECK(g_unloads == 50);
}

TEST_CASE(
    "the instructions picture is a 189 x 119, 24-bit bitmap shown at the picture box's corner" *
    doctest::test_suite("layout"))
{
    FormsClosedAfterwards cleanup;
    // From the XP program itself.
    std::wstring path = WindowsPathFromEnv("SERTAVO_XP_EXE");
    HMODULE exe = LoadLibraryExW(path.c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    REQUIRE(exe != NULL);
    HRSRC res =
        FindResourceW(exe, MAKEINTRESOURCEW(IDR_INSTRUCTIONS_PICTURE), MAKEINTRESOURCEW(10));
    REQUIRE(res != NULL);
    CHECK(SizeofResource(exe, res) == 67646);
    auto* file = static_cast<const BYTE*>(LockResource(LoadResource(exe, res)));
    CHECK(file[0] == 'B');
    CHECK(file[1] == 'M');
    auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(file + 14);
    CHECK(info->biWidth == 189);
    CHECK(info->biHeight == 119);
    CHECK(info->biBitCount == 24);
    CHECK(info->biCompression == BI_RGB);

    // The window shows those pixels, top row first, inside the sunken border.
    const BYTE* pixels = file + reinterpret_cast<const BITMAPFILEHEADER*>(file)->bfOffBits;
    auto filePixel = [&](int x, int y) {
        const BYTE* p = pixels + (118 - y) * 568 + x * 3;
        return RGB(p[2], p[1], p[0]);
    };
    MainWindow w;
    w.Click(IDC_COMMAND4);
    HWND picture = GetDlgItem(OpenForm2(), IDC_PICTURE1);
    REQUIRE(picture != NULL);
    UpdateWindow(picture);
    HDC dc = GetDC(picture);
    for (POINT p : {POINT{0, 0}, POINT{188, 0}, POINT{20, 30}, POINT{100, 60}, POINT{188, 118},
                    POINT{5, 110}}) {
        CAPTURE(p.x);
        CAPTURE(p.y);
        CHECK(GetPixel(dc, p.x, p.y) == filePixel(p.x, p.y));
    }
    // It is shown at its own size at any resolution: a larger box shows the
    // button face around it.
    SIZE box = ClientSize(picture);
    if (box.cx > 189)
        CHECK(GetPixel(dc, 189, 0) == GetSysColor(COLOR_BTNFACE));
    if (box.cy > 119)
        CHECK(GetPixel(dc, 0, 119) == GetSysColor(COLOR_BTNFACE));
    ReleaseDC(picture, dc);
    FreeLibrary(exe);
}

TEST_CASE(
    "the forum link: plain with a hand under the pointer, underlined again over the bare form" *
    doctest::test_suite("layout"))
{
    MainWindow w;
    HWND link = w[IDC_LABEL3];
    CHECK(LinkUnderlined(w.hwnd));

    // The address fits the width of its box at the link's font.
    HDC dc = GetDC(link);
    HGDIOBJ old = SelectObject(dc, FontHandle(link));
    SIZE extent;
    GetTextExtentPoint32W(dc, kForumAddress, lstrlenW(kForumAddress), &extent);
    SelectObject(dc, old);
    ReleaseDC(link, dc);
    CHECK(extent.cx <= ClientSize(link).cx);

    HCURSOR hand = LoadCursorA(NULL, MAKEINTRESOURCEA(32649));
    MovePointerTo(link, 20, 8);
    CHECK(PumpUntil([&] { return !LinkUnderlined(w.hwnd) && GetCursor() == hand; }, 5000,
                    TranslateFormMessage));
    HFONT hotFont = FontHandle(link);

    MovePointerTo(w.hwnd, 4, 300);  // the bare form below the labels
    CHECK(PumpUntil([&] { return LinkUnderlined(w.hwnd); }, 5000, TranslateFormMessage));

    // Straight from the link onto a button: the link stays plain.
    MovePointerTo(link, 30, 8);
    CHECK(PumpUntil([&] { return !LinkUnderlined(w.hwnd); }, 5000, TranslateFormMessage));
    CHECK(FontHandle(link) == hotFont);  // the same two fonts, not one per move
    HWND button = w[IDC_COMMAND4];
    MovePointerTo(button, 20, 10);
    PumpUntil([&] { return GetCursor() != hand; }, 2000, TranslateFormMessage);
    CHECK(!LinkUnderlined(w.hwnd));
}

namespace {

// A press or release of the left button at a point of a window. The point
// goes with the event itself: a pointer moved just before may not have
// arrived yet, and the press would land where the pointer was.
void LeftButtonAt(HWND hwnd, int x, int y, bool down)
{
    POINT p = {x, y};
    ClientToScreen(hwnd, &p);
    INPUT in = {};
    in.type = INPUT_MOUSE;
    in.mi.dx = MulDiv(p.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
    in.mi.dy = MulDiv(p.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE |
                    (down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP);
    SendInput(1, &in, sizeof in);
}

size_t LinkClicksSeen(const MessageLog& log)
{
    size_t n = 0;
    for (const MessageLog::Entry& e : log.entries)
        n += e.msg == WM_COMMAND && e.wp == MAKEWPARAM(IDC_LABEL3, STN_CLICKED);
    return n;
}

}  // namespace

TEST_CASE(
    "a click on the link, press and release over it, opens the forum through the system's URL "
    "handler")
{
    MainWindow w;
    FakeTools tools;
    tools.Install(L"rundll32");
    MessageBoxWatcher boxes;
    HWND link = w[IDC_LABEL3];
    MessageLog formLog, linkLog;
    RecordMessages(w.hwnd, &formLog);
    RecordMessages(link, &linkLog);
    // Wherever the pointer is, the release goes to the link or to the form.
    auto buttonUpsReach = [&](size_t n) {
        return PumpUntil(
            [&] { return linkLog.Count(WM_LBUTTONUP) + formLog.Count(WM_LBUTTONUP) == n; }, 10000,
            TranslateFormMessage);
    };

    // Pressed on the link and released over the bare form: nothing opens.
    LeftButtonAt(link, 10, 8, true);
    REQUIRE(
        PumpUntil([&] { return linkLog.Count(WM_LBUTTONDOWN) == 1; }, 10000, TranslateFormMessage));
    LeftButtonAt(w.hwnd, 4, 300, false);
    REQUIRE(buttonUpsReach(1));
    CHECK(LinkClicksSeen(formLog) == 0);

    // A click opens the forum once, and so does a double click. Each is made
    // at another place on the link, so that no two presses pair up as a
    // double click by accident.
    LeftButtonAt(link, 60, 8, true);
    LeftButtonAt(link, 60, 8, false);
    REQUIRE(buttonUpsReach(2));
    for (int i = 0; i < 2; ++i) {
        LeftButtonAt(link, 110, 8, true);
        LeftButtonAt(link, 110, 8, false);
    }
    REQUIRE(buttonUpsReach(4));
    CHECK(linkLog.Count(WM_LBUTTONDBLCLK) == 1);
    CHECK(LinkClicksSeen(formLog) == 2);
    REQUIRE(
        PumpUntil([&] { return tools.StartedTools().size() == 2; }, 10000, TranslateFormMessage));
    for (const FakeTools::Started& started : tools.StartedTools()) {
        CHECK(started.commandLine ==
              L"rundll32.exe url.dll,FileProtocolHandler \"http://quillhaven.com/\"");
        CHECK(started.show == SW_SHOWNORMAL);
    }
    CHECK(boxes.seen.empty());
    StopRecording(link);
    StopRecording(w.hwnd);

    FakeTools broken;
    broken.InstallBroken(L"rundll32");
    SendMessageW(w.hwnd, WM_COMMAND, MAKEWPARAM(IDC_LABEL3, STN_CLICKED),
                 reinterpret_cast<LPARAM>(link));
    REQUIRE(boxes.seen.size() == 1);
    CHECK(boxes.seen[0].title == L"Sertavo");
    CHECK(boxes.seen[0].icon == IDI_ERROR);
    CHECK(IsWindow(w.hwnd));
}
