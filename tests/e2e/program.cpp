#include "program.h"
#include <vector>

namespace {

struct Search {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindMainWindowProc(HWND hwnd, LPARAM lp)
{
    auto* s = reinterpret_cast<Search*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (pid == s->pid && IsWindowVisible(hwnd) && lstrcmpW(cls, L"Form") == 0) {
        s->found = hwnd;
        return FALSE;
    }
    return TRUE;
}

// A capture of a screen rectangle as a bottom-up 24-bit DIB.
struct ScreenCapture {
    int width = 0, height = 0;
    std::vector<BYTE> bits;
    BITMAPINFOHEADER header = {};

    explicit ScreenCapture(RECT r)
    {
        width = r.right - r.left;
        height = r.bottom - r.top;
        HDC screen = GetDC(NULL);
        HDC mem = CreateCompatibleDC(screen);
        HBITMAP bmp = CreateCompatibleBitmap(screen, width, height);
        HGDIOBJ old = SelectObject(mem, bmp);
        BitBlt(mem, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
        SelectObject(mem, old);
        header.biSize = sizeof header;
        header.biWidth = width;
        header.biHeight = height;
        header.biPlanes = 1;
        header.biBitCount = 24;
        bits.resize(((width * 3 + 3) & ~3) * height);
        GetDIBits(mem, bmp, 0, height, bits.data(), reinterpret_cast<BITMAPINFO*>(&header),
                  DIB_RGB_COLORS);
        DeleteDC(mem);
        DeleteObject(bmp);
        ReleaseDC(NULL, screen);
    }
    COLORREF At(int x, int y) const
    {
        const BYTE* p = &bits[(height - 1 - y) * ((width * 3 + 3) & ~3) + x * 3];
        return RGB(p[2], p[1], p[0]);
    }
};

}  // namespace

HWND VisibleFormOf(DWORD processId)
{
    Search s = {processId, NULL};
    EnumWindows(FindMainWindowProc, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

bool RunningProgram::Start(const std::wstring& exe, DWORD timeoutMs)
{
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    std::wstring cmd = L"\"" + exe + L"\"";
    if (!CreateProcessW(exe.c_str(), &cmd[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    DWORD start = GetTickCount();
    while (!main && GetTickCount() - start < timeoutMs) {
        if (WaitForSingleObject(pi.hProcess, 200) == WAIT_OBJECT_0)
            return false;
        main = VisibleFormOf(pi.dwProcessId);
    }
    if (!main)
        return false;
    WaitForInputIdle(pi.hProcess, timeoutMs);
    // Paint whatever is still pending before anyone looks at the screen.
    RedrawWindow(main, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return true;
}

long RunningProgram::Close(DWORD timeoutMs)
{
    if (!pi.hProcess)
        return -1;
    if (main)
        PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    return static_cast<long>(code);
}

RunningProgram::~RunningProgram()
{
    if (!pi.hProcess)
        return;
    if (WaitForSingleObject(pi.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

bool SaveWindowShot(HWND hwnd, const std::wstring& bmpPath)
{
    RECT r;
    if (!GetWindowRect(hwnd, &r))
        return false;
    ScreenCapture shot(r);
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof shot.header;
    file.bfSize = file.bfOffBits + static_cast<DWORD>(shot.bits.size());
    HANDLE h = CreateFileW(bmpPath.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    DWORD n;
    bool ok = WriteFile(h, &file, sizeof file, &n, NULL) &&
              WriteFile(h, &shot.header, sizeof shot.header, &n, NULL) &&
              WriteFile(h, shot.bits.data(), static_cast<DWORD>(shot.bits.size()), &n, NULL);
    CloseHandle(h);
    return ok;
}

COLORREF ScreenPixel(HWND hwnd, int x, int y)
{
    POINT p = {x, y};
    ClientToScreen(hwnd, &p);
    ScreenCapture one(RECT{p.x, p.y, p.x + 1, p.y + 1});
    return one.At(0, 0);
}
