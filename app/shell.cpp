#include "shell.h"
#include <algorithm>
#include "accounts.h"
#include "owners.h"

namespace {

const wchar_t kTaskbarClass[] = L"Shell_TrayWnd";

}  // namespace

std::vector<HWND> TaskbarWindows()
{
    std::vector<HWND> taskbars;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, kTaskbarClass, nullptr));)
        taskbars.push_back(w);
    return taskbars;
}

bool NewTaskbarUp(const std::vector<HWND>& before)
{
    for (HWND w : TaskbarWindows())
        if (std::find(before.begin(), before.end(), w) == before.end())
            return true;
    return false;
}

bool RunsAsLocalSystem()
{
    std::vector<BYTE> user = ProcessUser(GetCurrentProcess());
    return !user.empty() && IsWellKnownSid(SidOf(user), WinLocalSystemSid);
}

bool TaskbarIsOurs(HWND taskbar, DWORD* error)
{
    std::vector<BYTE> ours = ProcessUser(GetCurrentProcess()), theirs;
    DWORD id = 0;
    GetWindowThreadProcessId(taskbar, &id);
    if (HandleOwner process{OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, id)})
        theirs = ProcessUser(process.get());
    if (theirs.empty() || ours.empty()) {
        *error = GetLastError() ? GetLastError() : ERROR_ACCESS_DENIED;
        return false;
    }
    *error = 0;
    return EqualSid(SidOf(theirs), SidOf(ours)) != FALSE;
}

std::wstring ShellRestartCommand()
{
    DWORD session = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &session))
        return std::wstring();
    return L"cmd /c taskkill /f /fi \"SESSION eq " + std::to_wstring(session) +
           L"\" /im explorer.exe & explorer.exe";
}
