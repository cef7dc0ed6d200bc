#pragma once
#include <windows.h>
#include <string>
#include <vector>

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
    // From the command line only; a click leaves these to run.
    DWORD newTaskbarMs;        // the shell restart, until a new taskbar is up
    DWORD registrationLoopMs;  // the loop over every library of the system folder
};
inline constexpr ActionTimeouts kActionTimeouts = {30 * 1000, 60 * 1000, 60 * 1000,
                                                   2 * 60 * 60 * 1000};

// True while an action waits for a tool; the main window then shows the
// wait cursor, starts no other action and puts off a close.
bool IsActionWaiting();

// How an action runs, and what came of it. A click and the command line run
// the same actions and differ only in these settings.
struct ActionRun {
    HWND owner;         // disabled while a tool is waited for; owns the boxes
    bool showSuccess;   // a success is reported in a box
    bool showFailure;   // a failure is reported in a box
    bool ask;           // the shell restart asks first (else it goes ahead)
    bool waitForAll;    // also the commands a click leaves to run are waited for
    bool showConsoles;  // the loop over every library shows its console
    ActionTimeouts timeouts;
    // What the run found of the system (the tests put others in place).
    std::wstring systemFolder;  // where the registry files are written
    bool asLocalSystem;         // the program runs as the local system account

    bool succeeded;
    std::wstring commandLine;  // the command started, or tried
    bool toolEnded;            // the tool ended while waited for...
    DWORD exitCode;            // ...with this exit code
    std::wstring report;       // what the action says of its end
    std::wstring valuesRead;   // registry actions: the six values, as read back
    std::wstring backup;       // registry actions: the backup written before the import
    bool needsRepair;          // the check found values that the registry repair would change
    std::vector<std::wstring> lines;  // what the action has to say line by line
};

// A click: every report in a box, the question asked, the commands that run
// on by themselves not waited for.
ActionRun ClickRun(HWND owner);
// The command line: no window, boxes only for failures and the question
// (none of them when quiet), and every tool waited for.
ActionRun CommandLineRun(bool quiet);

// An action, as a button or a command-line switch names it.
using Action = void (*)(ActionRun& run);

void RestartShell(ActionRun& run);          // Command1
void RepairShellLibrary(ActionRun& run);    // Command5
void RegisterAllLibraries(ActionRun& run);  // Command6
void RepairRegistry(ActionRun& run);        // Command2
void RestoreRegistry(ActionRun& run);       // Command3
void OpenForum(ActionRun& run);             // Label3
// The command line's look first: reads the six values the registry repair
// writes and says which differ; changes nothing and shows no window.
void CheckRegistry(ActionRun& run);

// A text as a log's line holds it: a tab or a line break would split the
// line, and is written \t, \n or \r.
std::wstring EscapedForLog(const std::wstring& text);

// The system's text for an error code, with the file or program it is
// about in place of the "%1" that some of the texts hold.
std::wstring SystemErrorText(DWORD error, const std::wstring& subject = std::wstring());
