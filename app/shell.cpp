#include "shell.h"
#include <algorithm>
#include "owners.h"

namespace {

const wchar_t kTaskbarClass[] = L"Shell_TrayWnd";

// The user a process runs as: its token's TOKEN_USER, empty when the process
// or its token cannot be opened (the error is then in GetLastError).
std::vector<BYTE> ProcessUser(HANDLE process)
{
    HANDLE opened;
    if (!OpenProcessToken(process, TOKEN_QUERY, &opened))
        return {};
    HandleOwner token(opened);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (!size || !GetTokenInformation(token.get(), TokenUser, user.data(), size, &size))
        return {};
    return user;
}

PSID SidOf(std::vector<BYTE>& user)
{
    return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
}

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
