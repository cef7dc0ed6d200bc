#pragma once
#include <cstdio>
#include <functional>
#include <set>
#include <string>
#include "testing.h"
#include "beautifier.h"
#include "core/kinds.h"
#include "core/module.h"
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
    for (int i = 0; i < w * h; ++i) {
        if (GetPixel(dc, i % w, i / w) == expected(i % w, i / w))
            continue;
        char at[32];
        snprintf(at, sizeof at, "(%d, %d)", i % w, i / w);
        return at;
    }
    return "";
}

inline BOOL CALLBACK NoteBeautifierPropProc(HWND, LPSTR name, HANDLE, ULONG_PTR found)
{
    static const std::set<std::string> ours = {
        kPropProcAddr, kPropOldStyle, kPropMouseFlag, kPropTimerId, kPropOldState, kPropAlphaLevel,
        kPropHdIndex,  kPropHmIndex,  kPropPassOn,    "0HDC",       "1HDC",        "2HDC",
        "3HDC",        "0BMP",        "1BMP",         "2BMP",       "3BMP"};
    if (HIWORD(name) && ours.count(name))
        reinterpret_cast<std::set<std::string>*>(found)->insert(name);
    return TRUE;
}

// The names of the beautifier's properties that a window carries.
inline std::set<std::string> BeautifierPropsOf(HWND hwnd)
{
    std::set<std::string> found;
    EnumPropsExA(hwnd, NoteBeautifierPropProc, reinterpret_cast<LPARAM>(&found));
    return found;
}

inline BOOL CALLBACK CountWindowWithPropsProc(HWND hwnd, LPARAM n)
{
    *reinterpret_cast<int*>(n) += !BeautifierPropsOf(hwnd).empty();
    return TRUE;
}

// The window and those of its descendants that carry any of them.
inline int WindowsWithBeautifierProps(HWND root)
{
    int n = !BeautifierPropsOf(root).empty();
    EnumChildWindows(root, CountWindowWithPropsProc, reinterpret_cast<LPARAM>(&n));
    return n;
}

// The DCs and bitmaps of a push button's images.
inline std::vector<HGDIOBJ> ImageHandlesOf(HWND button)
{
    std::vector<HGDIOBJ> handles;
    for (int i = 0; i < 4; ++i)
        for (const std::string& name : {ImageDCProp(i), ImageBitmapProp(i)})
            handles.push_back(reinterpret_cast<HGDIOBJ>(GetWindowProp(button, name.c_str())));
    return handles;
}

// The messages that reach windows of the test classes, each noted with
// whether its window was attached then. While g_answering is set they are
// answered with kAnswer plus the message number.
struct Seen {
    HWND hwnd;
    UINT msg;
    WPARAM wp;
    LPARAM lp;
    bool attached;
};
inline std::vector<Seen> g_seen;
inline bool g_answering = false;
const LRESULT kAnswer = 0x5E000;

inline LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    g_seen.push_back({hwnd, msg, wp, lp, GetWindowProp(hwnd, kPropProcAddr) != 0});
    return g_answering ? kAnswer + msg : DefWindowProcA(hwnd, msg, wp, lp);
}

// A window of a system class, or of a test class (ANSI, RecordingProc).
inline HWND TestWindow(const char* cls, DWORD style, HWND parent = NULL, int x = 0, int y = 0,
                       int w = 100, int h = 30)
{
    WNDCLASSA wc = {};
    wc.hInstance = GetModuleHandleA(NULL);
    if (!GetClassInfoA(wc.hInstance, cls, &wc)) {
        wc.lpfnWndProc = RecordingProc;
        wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        wc.lpszClassName = cls;
        RegisterClassA(&wc);
    }
    HWND hwnd = CreateWindowExA(0, cls, "Sertavo", style, x, y, w, h, parent, NULL,
                                GetModuleHandleA(NULL), NULL);
    REQUIRE(hwnd != NULL);
    return hwnd;
}

// A push button of another process (the foreign-button tool), named by its
// text, and a form of that process holding another; the process ends with
// the owner.
struct ForeignButton {
    PROCESS_INFORMATION pi = {};
    HWND hwnd = NULL, form = NULL;
    explicit ForeignButton(const std::string& text)
    {
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        std::wstring command = L"\"" + TestToolPath(L"foreign-button.exe") + L"\" " +
                               std::wstring(text.begin(), text.end());
        REQUIRE(CreateProcessW(NULL, &command[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
        REQUIRE(PumpUntil([&] {
            hwnd = FindWindowA("Button", text.c_str());
            form = FindWindowA("#32770", text.c_str());
            return hwnd && form && GetWindow(form, GW_CHILD);
        }));
    }
    ~ForeignButton()
    {
        TerminateProcess(pi.hProcess, 0);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    ForeignButton(const ForeignButton&) = delete;
    ForeignButton& operator=(const ForeignButton&) = delete;
};
