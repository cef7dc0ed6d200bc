#include <windows.h>
#include "form1.h"
#include "forms.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    if (!ShowForm1())
        return 1;
    MSG msg;
    // The program ends when its last form has closed.
    while (OpenFormCount() > 0 && GetMessageW(&msg, NULL, 0, 0) > 0) {
        if (TranslateFormMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
