#include <windows.h>
#include <shellapi.h>
#include "command_line.h"
#include "form1.h"
#include "forms.h"
#include "native.h"

namespace {

// The program's arguments, its own name left out.
std::vector<std::wstring> Arguments()
{
    int count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> arguments;
    for (int i = 1; argv && i < count; ++i)
        arguments.push_back(argv[i]);
    LocalFree(argv);
    return arguments;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    ProtectProcess();
    // With arguments the program runs the actions named and no window.
    std::vector<std::wstring> arguments = Arguments();
    if (!arguments.empty())
        return RunCommandLine(arguments);

    if (!ShowForm1())
        return 1;
    MSG message;
    // The program ends when its last form has closed.
    while (OpenFormCount() > 0 && GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (TranslateFormMessage(&message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
