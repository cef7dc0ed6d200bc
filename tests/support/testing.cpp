#include "testing.h"

void PumpMessages(MessageTranslator translate)
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (translate && translate(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs, MessageTranslator translate)
{
    DWORD start = GetTickCount();
    for (;;) {
        PumpMessages(translate);
        if (done())
            return true;
        if (GetTickCount() - start > timeoutMs)
            return done();
        MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}

COLORREF WindowPixel(HWND hwnd, int x, int y)
{
    HDC dc = GetWindowDC(hwnd);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(hwnd, dc);
    return c;
}

RECT RectInParent(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    MapWindowPoints(NULL, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND hwnd)
{
    RECT r;
    GetClientRect(hwnd, &r);
    return SIZE{r.right, r.bottom};
}

std::wstring WindowText(HWND hwnd)
{
    wchar_t buf[512] = {};
    LRESULT n = SendMessageW(hwnd, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(buf));
    return std::wstring(buf, n > 0 ? n : 0);
}

std::wstring ClassName(HWND hwnd)
{
    wchar_t buf[256] = {};
    int n = GetClassNameW(hwnd, buf, 256);
    return std::wstring(buf, n);
}

LOGFONTW FontOf(HWND hwnd)
{
    LOGFONTW lf = {};
    auto font = reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0));
    if (font)
        GetObjectW(font, sizeof lf, &lf);
    return lf;
}

void PressKey(WORD vk, bool shift, bool alt, bool control)
{
    std::vector<INPUT> in;
    auto key = [&](WORD k, bool up) {
        INPUT i = {};
        i.type = INPUT_KEYBOARD;
        i.ki.wVk = k;
        i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        in.push_back(i);
    };
    if (alt)
        key(VK_MENU, false);
    if (control)
        key(VK_CONTROL, false);
    if (shift)
        key(VK_SHIFT, false);
    key(vk, false);
    key(vk, true);
    if (shift)
        key(VK_SHIFT, true);
    if (control)
        key(VK_CONTROL, true);
    if (alt)
        key(VK_MENU, true);
    SendInput(static_cast<UINT>(in.size()), in.data(), sizeof(INPUT));
}

namespace {

const wchar_t kLogProp[] = L"TestMessageLog";
const wchar_t kPrevProp[] = L"TestPreviousProc";

LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    auto* log = static_cast<MessageLog*>(GetPropW(hwnd, kLogProp));
    auto prev = reinterpret_cast<WNDPROC>(GetPropW(hwnd, kPrevProp));
    if (log)
        log->entries.push_back({hwnd, msg, wp, lp});
    if (msg == WM_NCDESTROY)
        StopRecording(hwnd);
    return CallWindowProcW(prev, hwnd, msg, wp, lp);
}

}  // namespace

bool MessageLog::Contains(UINT msg, WPARAM wp) const
{
    for (const Entry& e : entries)
        if (e.msg == msg && e.wp == wp)
            return true;
    return false;
}

size_t MessageLog::Count(UINT msg) const
{
    size_t n = 0;
    for (const Entry& e : entries)
        n += e.msg == msg;
    return n;
}

void RecordMessages(HWND hwnd, MessageLog* log)
{
    SetPropW(hwnd, kLogProp, log);
    SetPropW(hwnd, kPrevProp, reinterpret_cast<HANDLE>(GetWindowLongPtrW(hwnd, GWLP_WNDPROC)));
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RecordingProc));
}

void StopRecording(HWND hwnd)
{
    auto prev = GetPropW(hwnd, kPrevProp);
    if (!prev)
        return;
    SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(prev));
    RemovePropW(hwnd, kLogProp);
    RemovePropW(hwnd, kPrevProp);
}

std::wstring WindowsPathFromEnv(const char* variable)
{
    char buf[1024] = {};
    DWORD n = GetEnvironmentVariableA(variable, buf, sizeof buf);
    if (n == 0 || n >= sizeof buf)
        return std::wstring();
    std::wstring path(buf, buf + n);
    // Wine maps the Unix root to drive Z:.
    if (!path.empty() && path[0] == L'/') {
        for (wchar_t& c : path)
            if (c == L'/')
                c = L'\\';
        path = L"Z:" + path;
    }
    return path;
}

std::wstring TestToolPath(const wchar_t* name)
{
    std::wstring folder = WindowsPathFromEnv("SERTAVO_TEST_TOOLS");
    if (folder.empty()) {
        wchar_t path[MAX_PATH] = {};
        GetModuleFileNameW(NULL, path, MAX_PATH);
        folder = path;
        folder.resize(folder.find_last_of(L'\\'));
    }
    return folder + L"\\" + name;
}
