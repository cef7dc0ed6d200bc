#pragma once
#include <windows.h>
#include <doctest.h>
#include <functional>
#include <string>
#include <vector>

// Dispatches every message waiting for this thread, the way the program's
// own loop does (including the forms' keyboard navigation when a translator
// is given).
typedef bool (*MessageTranslator)(MSG*);
void PumpMessages(MessageTranslator translate = nullptr);

// Pumps messages until done() holds or the deadline passes; returns done().
// Deadlines are generous: the tests wait for events, never for fixed times.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000,
               MessageTranslator translate = nullptr);

// The colour at (x, y) of a window, relative to its outer top-left corner.
COLORREF WindowPixel(HWND hwnd, int x, int y);

// A window's outer rectangle relative to its parent's client area.
RECT RectInParent(HWND hwnd);
SIZE ClientSize(HWND hwnd);

// The text a window answers to WM_GETTEXT sent through its procedure (and so
// through any subclass of it), in UTF-16.
std::wstring WindowText(HWND hwnd);
std::wstring ClassName(HWND hwnd);

// The font a window uses (WM_GETFONT), as its LOGFONT.
LOGFONTW FontOf(HWND hwnd);

// Real keyboard input to the foreground window.
void PressKey(WORD vk, bool shift = false, bool alt = false, bool control = false);

// Records the messages that reach a window through a recording procedure
// installed in front of its own.
struct MessageLog {
    struct Entry {
        HWND hwnd;
        UINT msg;
        WPARAM wp;
        LPARAM lp;
    };
    std::vector<Entry> entries;
    bool Contains(UINT msg, WPARAM wp) const;
    size_t Count(UINT msg) const;
};
void RecordMessages(HWND hwnd, MessageLog* log);
void StopRecording(HWND hwnd);

// A Unix path handed over by the test environment, as a Windows path.
std::wstring WindowsPathFromEnv(const char* variable);

// A helper program of the tests (a stand-in for a system tool, a window of
// another process): from the folder SERTAVO_TEST_TOOLS names, else from the
// test program's own. Where 32-bit code runs only emulated, the 32-bit test
// programs take the native ones, which start in a fraction of the time.
std::wstring TestToolPath(const wchar_t* name);
