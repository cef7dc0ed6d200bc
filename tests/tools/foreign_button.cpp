// A hidden push button in a process of its own, captioned with the command
// line, for the tests of what happens to windows that belong to another
// process. It goes when it is closed, or after a minute.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR caption, int)
{
    HWND button = CreateWindowExA(0, "Button", caption, WS_POPUP | BS_PUSHBUTTON, 0, 0, 80, 24,
                                  NULL, NULL, NULL, NULL);
    DWORD start = GetTickCount();
    while (IsWindow(button) && GetTickCount() - start < 60000) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return 0;
}
