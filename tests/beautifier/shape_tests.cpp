#include <windows.h>
#include <commctrl.h>
#include <map>
#include "control_form.h"
#include "attach.h"
#include "draw/button_faces.h"
#include "draw/strips.h"

namespace {

using Names = std::set<std::string>;
const Names kPushButton = {kPropProcAddr, kPropOldStyle,   kPropMouseFlag, kPropTimerId,
                           kPropOldState, kPropAlphaLevel, "0HDC",         "1HDC",
                           "2HDC",        "3HDC",          "0BMP",         "1BMP",
                           "2BMP",        "3BMP"};

HDC ImageDC(HWND button, int state)
{
    return reinterpret_cast<HDC>(GetWindowProp(button, ImageDCProp(state).c_str()));
}

HBITMAP ImageBitmap(HWND button, int state)
{
    return reinterpret_cast<HBITMAP>(GetWindowProp(button, ImageBitmapProp(state).c_str()));
}

SIZE BitmapSize(HBITMAP bitmap)
{
    BITMAP bm = {};
    GetObjectA(bitmap, sizeof bm, &bm);
    return {bm.bmWidth, bm.bmHeight};
}

bool operator==(SIZE a, SIZE b)
{
    return a.cx == b.cx && a.cy == b.cy;
}

// A live bitmap, selected in its image DC.
bool ImageIsLive(HWND button, int state)
{
    HBITMAP bitmap = ImageBitmap(button, state);
    return GetObjectType(bitmap) == OBJ_BITMAP &&
           GetCurrentObject(ImageDC(button, state), OBJ_BITMAP) == bitmap;
}

void Resize(HWND hwnd, int w, int h)
{
    SetWindowPos(hwnd, NULL, 0, 0, w, h, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The window's region is the w x h rectangle with its four corner pixels cut.
std::string RegionNotRounded(HWND hwnd, int w, int h)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    std::string fault;
    RECT box = {}, whole = {0, 0, w, h};
    if (GetWindowRgn(hwnd, region) == ERROR) {
        fault = "no region";
    } else if (GetRgnBox(region, &box), !EqualRect(&box, &whole)) {
        fault = "box " + std::to_string(box.right) + " x " + std::to_string(box.bottom);
    } else {
        const POINT out[] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}};
        const POINT in[] = {{1, 1}, {w - 2, 1}, {1, h - 2}, {w - 2, h - 2}, {w / 2, 0}, {0, h / 2}};
        for (POINT p : out)
            if (PtInRegion(region, p.x, p.y))
                fault = "corner inside";
        for (POINT p : in)
            if (!PtInRegion(region, p.x, p.y))
                fault = "inner point outside";
    }
    DeleteObject(region);
    return fault;
}

bool HasRegion(HWND hwnd)
{
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    bool has = GetWindowRgn(hwnd, region) != ERROR;
    DeleteObject(region);
    return has;
}

std::map<std::string, INT_PTR> PropValuesOf(HWND hwnd)
{
    std::map<std::string, INT_PTR> values;
    for (const std::string& name : BeautifierPropsOf(hwnd))
        values[name] = GetWindowProp(hwnd, name.c_str());
    return values;
}

// An activation of host that names the window, answered by host's own
// procedure; true when that procedure got it unchanged and its answer came back.
bool ActivateNaming(HWND host, HWND named, WPARAM state)
{
    g_seen.clear();
    g_answering = true;
    LRESULT answer = SendMessageA(host, WM_ACTIVATE, state, reinterpret_cast<LPARAM>(named));
    g_answering = false;
    auto reached = std::count_if(g_seen.begin(), g_seen.end(), [&](const Seen& s) {
        return s.hwnd == host && s.msg == WM_ACTIVATE && s.wp == state &&
               s.lp == reinterpret_cast<LPARAM>(named);
    });
    return answer == kAnswer + WM_ACTIVATE && reached == 1;
}

}  // namespace

TEST_CASE_FIXTURE(
    AttachedForm,
    "a resized push button gets images and a rounded region of its new size, and the old images go")
{
    HWND button = Add("Button", 0, 100, 30);
    Attach();
    HBITMAP old[4];
    for (int state = 0; state < 4; ++state)
        old[state] = ImageBitmap(button, state);
    Resize(button, 140, 40);
    auto face = [](int state, int x, int y) {
        return GetPixel(ButtonFaceStrip, x, kButtonFaceHeight * state + y);
    };
    for (int state = 0; state < 4; ++state) {
        CAPTURE(state);
        HDC dc = ImageDC(button, state);
        CHECK(ImageIsLive(button, state));
        CHECK(BitmapSize(ImageBitmap(button, state)) == SIZE{140, 40});
        CHECK(GetObjectType(old[state]) == 0);
        // The face's right edge, corners copied as they are, lies at the new
        // width; where the old right edge was, the face's middle is stretched.
        const int right = kButtonFaceWidth - 1, bottom = kButtonFaceHeight - 1;
        for (int y = 0; y < 3; ++y) {
            CHECK(GetPixel(dc, 139, y) == face(state, right, y));
            CHECK(GetPixel(dc, 139, 39 - y) == face(state, right, bottom - y));
        }
        CHECK(GetPixel(dc, 99, 1) == face(state, kButtonFaceWidth / 2, 1));
    }
    CHECK(RegionNotRounded(button, 140, 40) == "");
    Resize(button, 60, 20);
    CHECK(RegionNotRounded(button, 60, 20) == "");
    for (int state = 0; state < 4; ++state) {
        CHECK(ImageIsLive(button, state));
        CHECK(BitmapSize(ImageBitmap(button, state)) == SIZE{60, 20});
    }
}

TEST_CASE_FIXTURE(AttachedForm, "a size change of any other kind only reaches its own procedure")
{
    HWND controls[] = {Add("ThunderCheckBox", BS_AUTOCHECKBOX, 120, 20),
                       Add("ComboBox", CBS_DROPDOWNLIST, 120, 200), Add(WC_HEADERA, 0, 120, 20),
                       Add("ProgressBarWndClass", 0, 120, 20),
                       Add("Edit", 0, 100, 24, WS_EX_CLIENTEDGE)};
    MessageLog reached;
    for (HWND h : controls)
        RecordMessages(h, &reached);
    Attach();
    long live = GdiLiveObjectCount();
    for (HWND h : controls) {
        CAPTURE(GetWindowClassName(h));
        auto props = PropValuesOf(h);
        reached.entries.clear();
        Resize(h, 150, 26);
        const LPARAM size = MAKELPARAM(77, 11);
        SendMessageA(h, WM_SIZE, SIZE_RESTORED, size);
        CHECK(std::count_if(reached.entries.begin(), reached.entries.end(), [&](auto& e) {
                  return e.hwnd == h && e.msg == WM_SIZE && e.wp == SIZE_RESTORED && e.lp == size;
              }) == 1);
        CHECK(PropValuesOf(h) == props);
        CHECK(!HasRegion(h));
    }
    CHECK(GdiLiveObjectCount() == live);
    // The recorders were installed first: the beautifier goes before they do.
    REQUIRE(BeautifierDetach(form));
    for (HWND h : controls)
        StopRecording(h);
}

TEST_CASE_FIXTURE(
    AttachedForm,
    "a push button whose new image bitmap cannot be made keeps the old one, and nothing leaks")
{
    HWND button = Add("Button", 0, 100, 30);
    Attach();
    long live = GdiLiveObjectCount();
    int width = 100;
    // The four bitmaps are made in the order of the states, before anything else.
    for (int failing = 0; failing < 4; ++failing) {
        CAPTURE(failing);
        HBITMAP old[4];
        for (int state = 0; state < 4; ++state)
            old[state] = ImageBitmap(button, state);
        SIZE oldSize = {width, 30};
        width += 10;
        GdiFailNthCreation(failing + 1);
        Resize(button, width, 30);
        GdiFailNthCreation(0);
        for (int state = 0; state < 4; ++state) {
            CAPTURE(state);
            HBITMAP now = ImageBitmap(button, state);
            CHECK(ImageIsLive(button, state));
            if (state == failing) {
                CHECK(now == old[state]);
                CHECK(BitmapSize(now) == oldSize);
            } else {
                CHECK(BitmapSize(now) == SIZE{width, 30});
                CHECK(GetObjectType(old[state]) == 0);
            }
        }
        CHECK(RegionNotRounded(button, width, 30) == "");
        CHECK(GdiLiveObjectCount() == live);
        // The state whose image kept the old size still shows it, clipped.
        SetWindowProp(button, kPropOldState, failing);
        SetWindowProp(button, kPropAlphaLevel, kOpaque);
        Mark(button);
        PaintPushButton(button, NULL, PushButtonState(button));
        CHECK(WindowPixel(button, oldSize.cx / 2, 1) != kMarker);
    }
    // Whatever creation fails, every image stays usable and the count holds.
    long before = GdiCreationCount();
    Resize(button, ++width, 30);
    long made = GdiCreationCount() - before;
    REQUIRE(made >= 5);
    for (long n = 1; n <= made; ++n) {
        CAPTURE(n);
        GdiFailNthCreation(n);
        Resize(button, ++width, 30);
        GdiFailNthCreation(0);
        for (int state = 0; state < 4; ++state)
            CHECK(ImageIsLive(button, state));
        CHECK(GdiLiveObjectCount() == live);
    }
}

TEST_CASE_FIXTURE(GdiBalance,
                  "an activation attaches the window it names when the receiver owns it or it is a "
                  "dialog, and nothing else")
{
    ForeignButton other("sertavo-foreign-activation");

    HWND host = TestWindow("ThunderRT6FormDC", WS_POPUP);
    REQUIRE(BeautifierAttach(host));
    REQUIRE(g_AttachedCount == 1);
    // Made after the attach, so that only an activation can attach them.
    HWND ownedOther = TestWindow("SertavoOther", WS_POPUP, host);
    HWND ownedButton = TestWindow("Button", WS_POPUP, host);
    HWND ownedChild = TestWindow("SertavoOther", WS_CHILD, host);
    HWND dialog =
        CreateWindowExA(0, "#32770", "", WS_POPUP, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
    HWND dialogButton = TestWindow("Button", WS_CHILD, dialog);
    HWND stray = TestWindow("SertavoOther", WS_POPUP);

    CHECK(ActivateNaming(host, NULL, WA_ACTIVE));
    CHECK(g_AttachedCount == 1);

    // The window is attached before the receiver's own procedure sees the change.
    CHECK(ActivateNaming(host, ownedOther, WA_INACTIVE));
    auto attachedAt = std::find_if(g_seen.begin(), g_seen.end(), [&](const Seen& s) {
        return s.hwnd == ownedOther && s.attached;
    });
    auto forwardedAt =
        std::find_if(g_seen.begin(), g_seen.end(), [&](const Seen& s) { return s.hwnd == host; });
    CHECK(attachedAt < forwardedAt);
    CHECK(BeautifierPropsOf(ownedOther) == Names{kPropProcAddr});
    CHECK(ActivateNaming(host, ownedButton, WA_ACTIVE));
    CHECK(BeautifierPropsOf(ownedButton) == kPushButton);
    CHECK(RegionNotRounded(ownedButton, 100, 30) == "");
    CHECK(ActivateNaming(host, ownedChild, WA_CLICKACTIVE));
    CHECK(BeautifierPropsOf(ownedChild) == Names{kPropProcAddr});
    CHECK(g_AttachedCount == 4);

    // A dialog is attached by its kind, its controls with it.
    CHECK(ActivateNaming(host, dialog, WA_ACTIVE));
    CHECK(BeautifierPropsOf(dialog) == Names{kPropProcAddr});
    CHECK(BeautifierPropsOf(dialogButton) == kPushButton);
    CHECK(g_AttachedCount == 6);

    CHECK(ActivateNaming(host, stray, WA_ACTIVE));
    CHECK(BeautifierPropsOf(stray).empty());

    long live = GdiLiveObjectCount();
    auto buttonProps = PropValuesOf(ownedButton);
    CHECK(ActivateNaming(host, ownedButton, WA_INACTIVE));
    CHECK(ActivateNaming(host, host, WA_ACTIVE));
    CHECK(PropValuesOf(ownedButton) == buttonProps);
    CHECK(g_AttachedCount == 6);
    CHECK(GdiLiveObjectCount() == live);

    // A window of another process is never touched, not even prepared and
    // given up again: no image is made for it.
    HWND foreign = other.hwnd;
    LONG style = GetWindowLongA(foreign, GWL_STYLE);
    bool hadRegion = HasRegion(foreign);
    long creations = GdiCreationCount();
    CHECK(ActivateNaming(host, foreign, WA_INACTIVE));
    CHECK(GdiCreationCount() == creations);
    CHECK(BeautifierPropsOf(foreign).empty());
    CHECK(GetWindowLongA(foreign, GWL_STYLE) == style);
    CHECK(HasRegion(foreign) == hadRegion);
    CHECK(g_AttachedCount == 6);
    CHECK(GdiLiveObjectCount() == live);

    for (HWND h : {ownedOther, ownedButton, dialog, host})
        CHECK(BeautifierDetach(h));
    CHECK(g_AttachedCount == 0);
    CHECK(!g_Initialized);
    for (HWND h : {ownedOther, ownedButton, ownedChild, dialog, dialogButton, host})
        CHECK(BeautifierPropsOf(h).empty());
    DestroyWindow(dialog);
    DestroyWindow(stray);
    DestroyWindow(host);
}
