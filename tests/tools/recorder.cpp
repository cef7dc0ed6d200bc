// Stands in for a system tool in the tests. Copied next to a program under
// the tool's name ("regedit.exe", "cmd.exe", ...), it is found before the
// system's own copy. It appends one line to "recorded.txt" in its folder:
//   NAME<TAB>SHOW<TAB>COMMAND LINE
// where SHOW is the show mode it was started with (-1 without
// STARTF_USESHOWWINDOW), then waits and exits as "NAME.cfg" in the same
// folder says: "EXITCODE DELAY_MS" (default "0 0").
#include <windows.h>
#include <cstdio>
#include <string>

static std::wstring Folder(std::wstring* name)
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring p = path;
    size_t slash = p.find_last_of(L'\\');
    *name = p.substr(slash + 1);
    size_t dot = name->find_last_of(L'.');
    if (dot != std::wstring::npos)
        name->erase(dot);
    return p.substr(0, slash + 1);
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::wstring name;
    std::wstring folder = Folder(&name);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    GetStartupInfoW(&si);
    int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;

    std::wstring line = name + L"\t" + std::to_wstring(show) + L"\t" + GetCommandLineW() + L"\n";
    char utf8[4096];
    int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof utf8, NULL, NULL);
    HANDLE log = CreateFileW((folder + L"recorded.txt").c_str(), FILE_APPEND_DATA,
                             FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS, 0, NULL);
    DWORD written;
    WriteFile(log, utf8, n > 0 ? n - 1 : 0, &written, NULL);
    CloseHandle(log);

    unsigned exitCode = 0, delay = 0;
    FILE* cfg = _wfopen((folder + name + L".cfg").c_str(), L"r");
    if (cfg) {
        if (fscanf(cfg, "%u %u", &exitCode, &delay) < 1)
            exitCode = 0;
        fclose(cfg);
    }
    Sleep(delay);
    return static_cast<int>(exitCode);
}
