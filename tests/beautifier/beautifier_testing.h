#pragma once
#include <functional>
#include <set>
#include <string>
#include "testing.h"
#include "beautifier.h"
#include "core/properties.h"
#include "draw/gdi.h"
#include "draw/primitives.h"

// Fixture of the beautifier's tests: each ends with as many live GDI objects
// as it started with, and with no creation set to fail.
struct GdiBalance {
    long start = GdiLiveObjectCount();
    ~GdiBalance()
    {
        GdiFailNthCreation(0);
        CHECK(GdiLiveObjectCount() == start);
    }
};

using PixelRule = std::function<COLORREF(int x, int y)>;

// A memory DC of w x h whose pixels the rule gives.
inline HDC PaintedImage(int w, int h, const PixelRule& rule)
{
    HDC dc = CreateMemoryDC(w, h);
    REQUIRE(dc != NULL);
    for (int i = 0; i < w * h; ++i)
        SetPixel(dc, i % w, i / w, rule(i % w, i / w));
    return dc;
}

// "" when the w x h pixels of dc follow the rule, else the first that does not.
inline std::string FirstPixelNotAsExpected(HDC dc, int w, int h, const PixelRule& expected)
{
    for (int i = 0; i < w * h; ++i)
        if (GetPixel(dc, i % w, i / w) != expected(i % w, i / w))
            return "(" + std::to_string(i % w) + ", " + std::to_string(i / w) + ")";
    return "";
}

// The names of the beautifier's properties that a window carries.
inline std::set<std::string> BeautifierPropsOf(HWND hwnd)
{
    std::set<std::string> found;
    EnumPropsExA(
        hwnd,
        [](HWND, LPSTR name, HANDLE, ULONG_PTR found) {
            std::set<std::string> ours = {kPropProcAddr, kPropOldStyle, kPropMouseFlag,
                                          kPropTimerId,  kPropOldState, kPropAlphaLevel,
                                          kPropHdIndex,  kPropHmIndex};
            for (int i = 0; i < 4; ++i)
                ours.insert({ImageDCProp(i), ImageBitmapProp(i)});
            if (HIWORD(name) && ours.count(name))
                reinterpret_cast<std::set<std::string>*>(found)->insert(name);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

inline BOOL CALLBACK CountWindowsWithProps(HWND hwnd, LPARAM n)
{
    *reinterpret_cast<int*>(n) += !BeautifierPropsOf(hwnd).empty();
    return TRUE;
}

// The windows of this thread, top-level and all their descendants, that
// carry any of the beautifier's properties.
inline int WindowsWithBeautifierProps()
{
    int n = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND top, LPARAM n) {
            EnumChildWindows(top, CountWindowsWithProps, n);
            return CountWindowsWithProps(top, n);
        },
        reinterpret_cast<LPARAM>(&n));
    return n;
}

// The GDI objects a push button's image cache holds.
inline std::vector<HGDIOBJ> ImageHandlesOf(HWND button)
{
    std::vector<HGDIOBJ> handles;
    for (int i = 0; i < 4; ++i)
        for (const std::string& name : {ImageDCProp(i), ImageBitmapProp(i)})
            handles.push_back(reinterpret_cast<HGDIOBJ>(GetWindowProp(button, name.c_str())));
    return handles;
}

// Messages that reached the windows of the test classes, each with whether
// the window was attached when it did.
struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    bool attached;
};
inline std::vector<Seen> g_seen;
// While set, the test classes answer every message with kAnswer plus the
// message number instead of the default processing.
inline bool g_answering = false;
const LRESULT kAnswer = 0x5E000;

inline LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    g_seen.push_back({hwnd, msg, wp, lp, GetWindowProp(hwnd, kPropProcAddr) != 0});
    return g_answering ? kAnswer + msg : DefWindowProcA(hwnd, msg, wp, lp);
}

// A window of the class: the system's class, or else an ANSI class of this
// program with RecordingProc.
inline HWND TestWindow(const char* cls, DWORD style, HWND parent = NULL, int x = 0, int y = 0,
                       int w = 100, int h = 30)
{
    HINSTANCE self = GetModuleHandleA(NULL);
    WNDCLASSA wc = {};
    if (!GetClassInfoA(self, cls, &wc)) {
        wc.lpfnWndProc = RecordingProc;
        wc.hInstance = self;
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = cls;
        RegisterClassA(&wc);
    }
    HWND hwnd = CreateWindowExA(0, cls, "Sertavo", style, x, y, w, h, parent, NULL, self, NULL);
    REQUIRE(hwnd != NULL);
    return hwnd;
}

// A form on the screen holding one attached push button of 100 x 30 with
// its face painted, and no focus anywhere in it.
struct ShownButton : GdiBalance {
    HWND form = TestWindow("ThunderRT6FormDC", WS_POPUP, NULL, 200, 200, 240, 60);
    HWND button = TestWindow("Button", WS_CHILD | WS_VISIBLE, form, 10, 10, 100, 30);
    ShownButton()
    {
        REQUIRE(BeautifierAttach(form));
        ShowWindow(form, SW_SHOWNOACTIVATE);
        REQUIRE(PumpUntil([&] {
            return !GetUpdateRect(form, NULL, FALSE) && !GetUpdateRect(button, NULL, FALSE);
        }));
    }
    ~ShownButton()
    {
        BeautifierDetach(form);
        DestroyWindow(form);
    }
    COLORREF Shown(int x, int y) const { return WindowPixel(button, x, y); }
    COLORREF Image(int state, int x, int y) const
    {
        return GetPixel(reinterpret_cast<HDC>(GetWindowProp(button, ImageDCProp(state).c_str())),
                        x, y);
    }
};
