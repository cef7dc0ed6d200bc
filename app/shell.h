#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The desktop shell the shell restart ends and starts again, found by its
// taskbar: the top-level windows of class "Shell_TrayWnd" on the program's
// desktop. GetShellWindow is no help: under Wine's virtual desktop it
// answers nothing while a taskbar is up. For a moment during a restart
// there may be two taskbars.
std::vector<HWND> TaskbarWindows();

// True when a taskbar is up that is not one of those noted before. Process
// ids are no sign: Windows XP gives the new shell the ended one's id as
// often as not, while a new window never has an old one's handle.
bool NewTaskbarUp(const std::vector<HWND>& before);

// True when the program runs as the local system account: a startup script
// or a remote-execution tool's service.
bool RunsAsLocalSystem();

// True when the taskbar's process runs as the program's own user. False
// with *error 0 when it runs as another; false with the system's error when
// that cannot be read. A restart from another account would end that user's
// shell and start a new one, with the caller's rights, on that user's
// desktop.
bool TaskbarIsOurs(HWND taskbar, DWORD* error);

// The shell restart's command line: it ends the shells of the program's
// own session only, not those of other users logged on at the same time.
// Empty, with the system's error in GetLastError, when the session is not
// known.
std::wstring ShellRestartCommand();
