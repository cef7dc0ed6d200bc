#pragma once
#include <windows.h>

// The repair actions behind the buttons of the main window. Each runs to its
// end inside the click and shows exactly one message box for one click (the
// intermediate repair shows none unless its command cannot be started).

// The result of starting a command line as a new process.
struct StartedProcess {
    bool started;
    HANDLE process;  // owned by the caller when started
    DWORD error;     // the system's error code when not started
};

// Starts a command line the way CreateProcess does without an application
// name (the first token names the program, searched on the standard path,
// ".exe" assumed), with the show mode in the start-up information. Never
// waits and shows nothing.
StartedProcess StartCommand(const wchar_t* commandLine, int showMode);

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

// Shows the error box of a command that could not be started.
void ReportStartFailure(HWND owner, const wchar_t* title, const wchar_t* commandLine, DWORD error);
