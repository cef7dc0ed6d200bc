#pragma once
#include <windows.h>
#include <commctrl.h>
#include <algorithm>
#include <string>
#include "beautifier_testing.h"
#include "draw/window_dc.h"

// A shown, topmost form of real controls of every kind, laid out down its
// side, and what reads them back.

// Painted over a window before a painter runs: what still shows it was not drawn.
const COLORREF kMarker = RGB(1, 2, 3);

// Classes of the kinds table that the system lacks, over system classes that behave alike.
// Other tests of this program register the kinds' other names for windows of their own.
inline void RegisterSuperclasses()
{
    const char* classes[][2] = {
        {"ThunderCheckBox", "Button"},       {"ThunderOptionButton", "Button"},
        {"ThunderDriveListBox", "ComboBox"}, {"ProgressBarWndClass", "msctls_progress32"},
        {"DataListWndClass", "Static"},      {"ApexGridTest", "Static"}};
    for (auto& c : classes) {
        WNDCLASSA wc = {};
        if (!GetClassInfoA(GetModuleHandleA(NULL), c[0], &wc) && GetClassInfoA(NULL, c[1], &wc)) {
            wc.hInstance = GetModuleHandleA(NULL);
            wc.lpszClassName = c[0];
            RegisterClassA(&wc);
        }
    }
}

inline WindowBounds BoundsOf(HWND hwnd)
{
    WindowBounds b;
    GetWindowBounds(hwnd, &b);
    return b;
}

struct ControlForm : GdiBalance {
    HWND form;
    int nextY = 0;
    ControlForm()
    {
        InitCommonControls();
        RegisterSuperclasses();
        // The system's dialog class: a container, whose children attaching reaches.
        form = CreateWindowExA(WS_EX_TOPMOST, "#32770", "", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN,
                               40, 40, 400, 700, NULL, NULL, NULL, NULL);
    }
    ~ControlForm()
    {
        DestroyWindow(form);
        CHECK(BorrowedDCCount() == 0);
    }
    HWND Add(const char* cls, DWORD style, int w, int h, DWORD exStyle = 0)
    {
        HWND c = CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, 10, nextY + 10, w,
                                 h, form, NULL, NULL, NULL);
        REQUIRE(c != NULL);
        nextY += BoundsOf(c).height + 10;
        PumpMessages();
        return c;
    }
};

inline void Mark(HWND hwnd)
{
    FillSolidRect(WindowDC(hwnd).get(), 0, 0, BoundsOf(hwnd).width, BoundsOf(hwnd).height, kMarker);
}

// "" when the whole window follows the rule, else the first pixel that does not.
inline std::string WindowNotAsExpected(HWND hwnd, const PixelRule& rule)
{
    WindowBounds b = BoundsOf(hwnd);
    return FirstPixelNotAsExpected(WindowDC(hwnd).get(), b.width, b.height, rule);
}

// How far in from the window's outer edge a pixel lies: 0 on the outermost ring.
inline int Ring(HWND hwnd, int x, int y)
{
    WindowBounds b = BoundsOf(hwnd);
    return std::min(std::min(x, y), std::min(b.width - 1 - x, b.height - 1 - y));
}

inline RECT AddHeaderItem(HWND header, int index, int width, const std::string& text)
{
    HDITEMA item = {};
    item.mask = HDI_TEXT | HDI_WIDTH;
    item.cxy = width;
    item.pszText = const_cast<char*>(text.c_str());
    SendMessageA(header, HDM_INSERTITEMA, index, reinterpret_cast<LPARAM>(&item));
    RECT r = {};
    SendMessageA(header, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&r));
    return r;
}

// The form attached as the program attaches its windows: every control goes
// through the beautifier's window procedure.
struct AttachedForm : ControlForm {
    // Attached, and painted as attaching asked.
    void Attach()
    {
        REQUIRE(BeautifierAttach(form));
        PumpMessages();
    }
    ~AttachedForm()
    {
        BeautifierDetach(form);
        CHECK(WindowsWithBeautifierProps(form) == 0);
    }
};
