#pragma once
#include <windows.h>
#include <string>

// The program is 32-bit. On 64-bit Windows it runs under WOW64, which
// redirects it: "system32" is SysWOW64 for its file operations, and
// HKLM\Software is Wow6432Node for its registry calls. The 64-bit shell it
// repairs sees neither, so the actions reach past the redirection to the
// native system. On 32-bit Windows all of this does nothing.

// True when the program runs under WOW64. IsWow64Process is looked up at
// run time, as the first XP releases lack it.
bool RunsUnderWow64();

// True when the native system folder and registry can be reached: always on
// 32-bit Windows; under WOW64 when this Windows can turn the file-system
// redirection off.
bool CanReachNativeSystem();

// Turns the file-system redirection of the calling thread off for as long
// as it lives, under WOW64. Keep it short: while it lives every file the
// thread opens, and every library the system loads for it, comes from the
// native folders.
class NativeFileSystem {
public:
    NativeFileSystem();
    ~NativeFileSystem();
    NativeFileSystem(const NativeFileSystem&) = delete;
    NativeFileSystem& operator=(const NativeFileSystem&) = delete;
    // False when the redirection should be off and could not be turned off;
    // the system's error is then in GetLastError.
    bool ok() const { return ok_; }

private:
    bool ok_;
    bool turnedOff_;
    void* previous_;
};

// The access flag that opens registry keys in the native view:
// KEY_WOW64_64KEY under WOW64, and nothing elsewhere.
REGSAM NativeRegistryView();

// The version of the Windows the program runs on. GetVersionEx answers 6.2
// on Windows 8.1 and later to programs whose manifest does not name them;
// the kernel's own RtlGetVersion tells the truth on every release.
struct WindowsVersion {
    DWORD major, minor, build;
    std::wstring servicePack;  // "Service Pack 3", or empty
};
WindowsVersion RealWindowsVersion();
// "5.1.2600 Service Pack 3", as a log names the Windows it ran on.
std::wstring VersionText(const WindowsVersion& version);

// The repairs mend the search of Windows XP (5.1) and of Server 2003 and
// XP x64 (5.2). Windows 2000 has no Search Companion, and Vista (6.0) and
// later replaced the whole search.
bool RepairsApplyTo(WindowsVersion version);

// Asks at start for what Windows gives only to programs that ask: libraries
// loaded later are not looked for in the current folder (SetDllDirectory,
// XP SP1 and later), and DEP holds for the process for good, whatever the
// system's boot options apply to others (SetProcessDEPPolicy, XP SP3, Vista
// SP1 and Server 2008). Both are looked up at run time; where one is
// missing or refused, the program runs as it would have without.
void ProtectProcess();
