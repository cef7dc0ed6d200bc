// Stands in for a system tool in the tests. Copied over the tool at its own
// path ("C:\WINDOWS\system32\regsvr32.exe", "C:\WINDOWS\regedit.exe", ...),
// and run there because Wine is told to load those programs from their files
// (WINEDLLOVERRIDES=...=n), it appends one line to "recorded.txt":
//   NAME<TAB>SHOW<TAB>PROGRAM<TAB>CURRENT FOLDER<TAB>WINDIR<TAB>COMMAND LINE
// where SHOW is the show mode it was started with (-1 without
// STARTF_USESHOWWINDOW), PROGRAM the path it was started from and WINDIR
// the windir of its environment. Then it
// waits and exits as "NAME.cfg" says: "EXITCODE DELAY_MS [import]" (default
// "0 0"). With "import" it is a registry editor that really imports the file
// its command line ends with, through the native "reg.exe import", and exits
// with reg's exit code: Wine's own registry editor cannot be started while
// the override is in force. With "taskbar" it is a shell that comes up: it
// shows a window of the taskbar's class while it waits, and ends early when
// that window is closed.
// Both files are in the folder that SERTAVO_RECORDS names (the test
// program's), or else in the recorder's own folder.
#include <windows.h>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

std::wstring ModulePath()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(NULL, path, MAX_PATH);
    return path;
}

std::wstring RecordFolder(const std::wstring& module)
{
    wchar_t folder[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableW(L"SERTAVO_RECORDS", folder, MAX_PATH);
    if (n > 0 && n < MAX_PATH)
        return std::wstring(folder) + L"\\";
    return module.substr(0, module.find_last_of(L'\\') + 1);
}

std::wstring BaseName(const std::wstring& module)
{
    std::wstring name = module.substr(module.find_last_of(L'\\') + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

void AppendRecord(const std::wstring& file, const std::wstring& line)
{
    char utf8[4096];
    int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, utf8, sizeof utf8, NULL, NULL);
    HANDLE log = CreateFileW(file.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             NULL, OPEN_ALWAYS, 0, NULL);
    DWORD written;
    WriteFile(log, utf8, n > 0 ? n - 1 : 0, &written, NULL);
    CloseHandle(log);
}

typedef BOOL(WINAPI* RedirectionProc)(void**);

// Runs the native reg.exe on the file; a 32-bit recorder on 64-bit Windows
// turns the file-system redirection off to reach it.
DWORD ImportWithReg(const std::wstring& file)
{
    wchar_t system[MAX_PATH] = {};
    GetSystemDirectoryW(system, MAX_PATH);
    std::wstring reg = std::wstring(system) + L"\\reg.exe";
    std::wstring line = L"reg import \"" + file + L"\"";
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto disable = reinterpret_cast<RedirectionProc>(
        reinterpret_cast<void (*)()>(GetProcAddress(kernel, "Wow64DisableWow64FsRedirection")));
    void* previous = nullptr;
    bool off = disable && disable(&previous);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    BOOL started = CreateProcessW(reg.c_str(), &line[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL,
                                  NULL, &si, &pi);
    if (off) {
        auto revert = reinterpret_cast<BOOL(WINAPI*)(void*)>(
            reinterpret_cast<void (*)()>(GetProcAddress(kernel, "Wow64RevertWow64FsRedirection")));
        revert(previous);
    }
    if (!started)
        return 1000 + GetLastError();
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return code;
}

void WaitAsTaskbar(DWORD delay)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = DefWindowProcW;
    wc.lpszClassName = L"Shell_TrayWnd";
    RegisterClassW(&wc);
    HWND taskbar = CreateWindowExW(0, wc.lpszClassName, L"stand-in", WS_POPUP, 0, 0, 0, 0, NULL,
                                   NULL, NULL, NULL);
    MSG m;
    for (DWORD start = GetTickCount(); IsWindow(taskbar) && GetTickCount() - start < delay;) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&m, NULL, 0, 0, PM_REMOVE))
            DispatchMessageW(&m);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    std::wstring module = ModulePath();
    std::wstring folder = RecordFolder(module);
    std::wstring name = BaseName(module);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    GetStartupInfoW(&si);
    int show = (si.dwFlags & STARTF_USESHOWWINDOW) ? si.wShowWindow : -1;
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    wchar_t windir[MAX_PATH] = {};
    GetEnvironmentVariableW(L"windir", windir, MAX_PATH);
    std::wstring commandLine = GetCommandLineW();
    AppendRecord(folder + L"recorded.txt", name + L"\t" + std::to_wstring(show) + L"\t" + module +
                                               L"\t" + current + L"\t" + windir + L"\t" +
                                               commandLine + L"\n");

    unsigned exitCode = 0, delay = 0;
    char mode[16] = {};
    FILE* cfg = _wfopen((folder + name + L".cfg").c_str(), L"r");
    if (cfg) {
        if (fscanf(cfg, "%u %u %15s", &exitCode, &delay, mode) < 1)
            exitCode = 0;
        fclose(cfg);
    }
    if (strcmp(mode, "taskbar") == 0)
        WaitAsTaskbar(delay);
    else
        Sleep(delay);
    if (strcmp(mode, "import") == 0)
        return static_cast<int>(
            ImportWithReg(commandLine.substr(commandLine.find_last_of(L' ') + 1)));
    return static_cast<int>(exitCode);
}
