#pragma once
#include <string>
#include <vector>

// The program started with arguments, from a logon or startup script or a
// remote-execution tool:
//   Sertavo.exe [/quiet] [/log FILE] ACTION...
// Runs the actions named, in order, with no main window, through the same
// functions as the buttons; stops at the first that fails. Returns the
// program's exit code: 0 when every action succeeded, 1 when one failed or
// the log could not be written, 2 when the command line is wrong (then
// nothing runs). arguments leaves out the program's own name.
int RunCommandLine(const std::vector<std::wstring>& arguments);
