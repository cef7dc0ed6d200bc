// The main window as the program shows it: beautified by its load step and
// left as found by its unload step.
#include "beautified_form.h"
#include "form1_expected.h"
#include "layout.h"
#include "core/high_contrast.h"
#include "draw/strips.h"

namespace {

// The buttons' sizes in twips.
struct ButtonSize {
    int id, width, height;
};
const ButtonSize kButtonTwips[] = {
    {IDC_COMMAND1, 5055, 375}, {IDC_COMMAND2, 5055, 375}, {IDC_COMMAND3, 5055, 375},
    {IDC_COMMAND4, 5295, 375}, {IDC_COMMAND5, 2415, 495}, {IDC_COMMAND6, 2415, 495},
};

SIZE BitmapSize(HGDIOBJ bitmap)
{
    BITMAP bm = {};
    if (GetObjectW(bitmap, sizeof bm, &bm) != sizeof bm)
        return SIZE{-1, -1};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

// The bounding box of a window's region, or an empty one without a region.
RECT RegionBox(HWND hwnd)
{
    RECT box = {};
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(hwnd, region) != ERROR)
        GetRgnBox(region, &box);
    DeleteObject(region);
    return box;
}

// How wide the text is when drawn in the window's own font.
int TextWidthIn(HWND hwnd, const std::wstring& text)
{
    HDC dc = GetDC(hwnd);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    SelectObject(dc, old);
    ReleaseDC(hwnd, dc);
    return size.cx;
}

struct Sending {
    HWND hwnd;
    std::vector<UINT> messages;
};

DWORD CALLBACK SendEachProc(void* sending)
{
    auto* s = static_cast<Sending*>(sending);
    for (UINT message : s->messages)
        SendMessageW(s->hwnd, message, 0, 0);
    return 0;
}

// Sends the messages to the window from another thread, as another program
// would: the window's procedure then sees InSendMessage() TRUE.
void SendFromAnotherThread(HWND hwnd, std::vector<UINT> messages)
{
    Sending sending{hwnd, messages};
    HANDLE thread = CreateThread(NULL, 0, SendEachProc, &sending, 0, NULL);
    REQUIRE(PumpUntil([&] { return WaitForSingleObject(thread, 0) == WAIT_OBJECT_0; }));
    CloseHandle(thread);
}

int g_propsAtUnload;  // windows of the form still carrying properties once detached

BOOL DetachAndLook(HWND form)
{
    BOOL detached = BeautifierDetach(form);
    g_propsAtUnload = WindowsWithBeautifierProps(form);
    return detached;
}

}  // namespace

TEST_CASE_FIXTURE(
    GdiBalance,
    "the buttons are shaped and drawn at their size in pixels at the screen's resolution" *
        doctest::test_suite("layout"))
{
    HWND form = ShowBeautifiedForm1();
    int dpi = ScreenDpi();
    for (const ButtonSize& e : kButtonTwips) {
        CAPTURE(e.id);
        HWND button = Form1Control(form, e.id);
        RECT r = ScreenRect(button);
        int w = r.right - r.left, h = r.bottom - r.top;
        CHECK(w == MulDiv(e.width, dpi, 1440));
        CHECK(h == MulDiv(e.height, dpi, 1440));
        // The four images cover the whole outer rectangle.
        for (int i = 0; i < 4; ++i) {
            CAPTURE(i);
            SIZE image = BitmapSize(
                reinterpret_cast<HGDIOBJ>(GetWindowProp(button, ImageBitmapProp(i).c_str())));
            CHECK(image.cx == w);
            CHECK(image.cy == h);
        }
        // The region's box is the outer rectangle; its corners are cut.
        RECT box = RegionBox(button);
        CHECK(box.left == 0);
        CHECK(box.top == 0);
        CHECK(box.right == w);
        CHECK(box.bottom == h);
        HRGN region = CreateRectRgn(0, 0, 0, 0);
        REQUIRE(GetWindowRgn(button, region) != ERROR);
        CHECK(!PtInRegion(region, 0, 0));
        CHECK(!PtInRegion(region, w - 1, h - 1));
        CHECK(PtInRegion(region, w / 2, 0));
        CHECK(PtInRegion(region, w - 1, h / 2));
        CHECK(PtInRegion(region, w / 2, h - 1));
        DeleteObject(region);
    }
    PostMessageW(form, WM_CLOSE, 0, 0);
    REQUIRE(PumpUntil([&] { return !IsWindow(form); }, 10000, TranslateFormMessage));
}

TEST_CASE_FIXTURE(GdiBalance,
                  "the buttons show the flat rounded face, text centred, focus on Command4; unload "
                  "leaves nothing" *
                      doctest::test_suite("layout"))
{
    HWND form = ShowBeautifiedForm1(DetachAndLook);
    CHECK(g_AttachedCount == 12);  // the form, three frames, six buttons, two labels
    // Making and ending messages from elsewhere make nothing, unload nothing
    // and detach nothing.
    g_propsAtUnload = -1;
    SendFromAnotherThread(form, {WM_NCCREATE, WM_CREATE, WM_DESTROY, WM_NCDESTROY});
    SendFromAnotherThread(Form1Control(form, IDC_COMMAND4), {WM_DESTROY, WM_NCDESTROY});
    PostMessageW(form, WM_DESTROY, 0, 0);
    PumpMessages();
    int children = 0;
    for (HWND c = GetWindow(form, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        ++children;
    CHECK(children == 3);  // the three frames, which hold the rest
    CHECK(WindowsWithBeautifierProps(form) == 12);
    CHECK(g_propsAtUnload == -1);
    // Every caption reads back whole through the subclassed windows, in any
    // code page of the system.
    CHECK(WindowText(form) == L"Sertavo");
    for (const ExpectedControl& e : kForm1Expected) {
        CAPTURE(e.id);
        CHECK(WindowText(Form1Control(form, e.id)) == e.caption);
    }
    std::vector<HGDIOBJ> made = {ButtonFaceStrip, GetCurrentObject(ButtonFaceStrip, OBJ_BITMAP)};
    for (int id : kForm1Buttons) {
        CAPTURE(id);
        HWND button = Form1Control(form, id);
        std::vector<HGDIOBJ> images = ImageHandlesOf(button);
        made.insert(made.end(), images.begin(), images.end());
        Shot b(button);
        CHECK(b.At(b.w / 2, 0) == RGB(27, 143, 213));
        CHECK(b.At(b.w / 2, 1) == RGB(255, 255, 255));
        CHECK(b.At(0, 0) == b.At(-1, 0));  // outside the rounded corner
        CHECK(b.At(1, 1) != b.At(-1, 0));
        // Text: the dark pixels well inside the face.
        int left = b.w, right = -1, dots = 0;
        for (int x = 4; x < b.w - 4; ++x) {
            for (int y = 4; y < b.h - 4; ++y)
                if (GetRValue(b.At(x, y)) + GetGValue(b.At(x, y)) < 200) {
                    left = std::min(left, x);
                    right = std::max(right, x);
                }
            // The dotted focus rectangle runs along row 2, white on the faces.
            dots += b.At(x, 2) != RGB(255, 255, 255);
        }
        CHECK(abs(left - (b.w - 1 - right)) <= 2);
        // The glyphs are the caption's own: a "?" in place of each Chinese
        // character would be half as wide.
        CHECK(abs((right - left + 1) - TextWidthIn(button, WindowText(button))) <= 3);
        CHECK((id == IDC_COMMAND4 ? dots > b.w / 3 : dots == 0));
    }

    g_propsAtUnload = -1;
    PostMessageW(form, WM_CLOSE, 0, 0);
    REQUIRE(PumpUntil([&] { return !IsWindow(form); }, 10000, TranslateFormMessage));
    CHECK(g_propsAtUnload == 0);
    CHECK(g_AttachedCount == 0);
    CHECK(!g_Initialized);
    for (HGDIOBJ h : made) {
        CHECK(h != NULL);
        CHECK(GetObjectType(h) == 0);
    }
}

TEST_CASE_FIXTURE(GdiBalance,
                  "high contrast leaves the main window to the system, and its end takes it back")
{
    // Wine cannot switch high contrast; the beautifier's check is told.
    struct HighContrast {
        explicit HighContrast(int on) { OverrideHighContrast(on); }
        ~HighContrast() { OverrideHighContrast(-1); }
    } on(1);
    HWND form = ShowBeautifiedForm1();
    HWND button = Form1Control(form, IDC_COMMAND5);
    CHECK(!BeautifierAttach(form));
    CHECK(WindowsWithBeautifierProps(form) == 0);
    CHECK(g_AttachedCount == 0);
    CHECK((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON);

    OverrideHighContrast(0);
    SendMessageW(form, WM_SYSCOLORCHANGE, 0, 0);
    CHECK(GetWindowProp(form, kPropProcAddr) != 0);
    CHECK(g_AttachedCount == 12);
    CHECK(GetWindowProp(button, kPropProcAddr) != 0);

    OverrideHighContrast(1);
    SendMessageW(form, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    CHECK(WindowsWithBeautifierProps(form) == 0);
    CHECK(g_AttachedCount == 0);
    CHECK(!g_Initialized);
    CHECK((GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON);
    // A later change that leaves high contrast on changes nothing.
    SendMessageW(form, WM_SYSCOLORCHANGE, 0, 0);
    CHECK(g_AttachedCount == 0);

    PostMessageW(form, WM_CLOSE, 0, 0);
    REQUIRE(PumpUntil([&] { return !IsWindow(form); }, 10000, TranslateFormMessage));
}
