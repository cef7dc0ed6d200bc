// A hidden push button in a process of its own, captioned with the command
// line, for the tests of windows of another process. It ends after a minute.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR caption, int)
{
    CreateWindowExA(0, "Button", caption, WS_POPUP, 0, 0, 80, 24, NULL, NULL, NULL, NULL);
    for (DWORD start = GetTickCount(); GetTickCount() - start < 60000;) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
    }
    return 0;
}
