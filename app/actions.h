#pragma once
#include <windows.h>
#include <string>

// The repair actions behind the buttons of the main window. Each runs to its
// end inside the click and shows one message box for one click (the
// intermediate repair shows none unless its command cannot be started; a
// registry button shows a second when its file cannot be deleted after it).

// The result of starting a command line as a new process.
struct StartedProcess {
    bool started;
    HANDLE process;  // owned by the caller when started
    DWORD error;     // the system's error code when not started
};

// The system's folders, as the system names them ("C:\WINDOWS\system32",
// "C:\WINDOWS"): the tools are started from there.
std::wstring SystemFolderPath();
std::wstring WindowsFolderPath();

// Starts the program at its full path with the command line given, which
// the program receives unchanged, in the system folder, with the show mode
// in the start-up information. On 64-bit Windows the native program of
// that path is started. Never waits and shows nothing.
StartedProcess StartCommand(const std::wstring& program, const wchar_t* commandLine, int showMode);

// How long the actions wait for the tools they wait for.
struct ActionTimeouts {
    DWORD registryEditorMs;
    DWORD registrationMs;
};
extern ActionTimeouts g_ActionTimeouts;

// True while an action waits for a tool; the main window then shows the
// wait cursor, starts no other action and puts off a close.
bool IsActionWaiting();

void RestartShell(HWND owner);         // Command1
void RepairShellLibrary(HWND owner);   // Command5
void RegisterAllLibraries(HWND owner); // Command6
void RepairRegistry(HWND owner);       // Command2
void RestoreRegistry(HWND owner);      // Command3
void OpenForum(HWND owner);            // Label3
