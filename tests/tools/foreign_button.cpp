// Windows of a process of its own, captioned with the command line, for the
// tests of windows of another process: a hidden push button and a hidden
// dialog-class form holding another. Both buttons have elliptic regions of
// their own. It ends after a minute.
#include <windows.h>

namespace {

HWND ShapedButton(const char* caption, DWORD style, HWND parent)
{
    HWND button =
        CreateWindowExA(0, "Button", caption, style, 0, 0, 80, 24, parent, NULL, NULL, NULL);
    SetWindowRgn(button, CreateEllipticRgn(0, 0, 80, 24), FALSE);
    return button;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR caption, int)
{
    ShapedButton(caption, WS_POPUP, NULL);
    HWND form =
        CreateWindowExA(0, "#32770", caption, WS_POPUP, 0, 0, 200, 100, NULL, NULL, NULL, NULL);
    ShapedButton(caption, WS_CHILD | WS_VISIBLE, form);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000;) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return 0;
}
