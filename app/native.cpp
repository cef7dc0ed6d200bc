#include "native.h"

namespace {

using IsWow64ProcessProc = BOOL(WINAPI*)(HANDLE, BOOL*);
using DisableRedirectionProc = BOOL(WINAPI*)(void**);
using RevertRedirectionProc = BOOL(WINAPI*)(void*);

using GetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);

using SetDllDirectoryProc = BOOL(WINAPI*)(const wchar_t*);
using SetDepPolicyProc = BOOL(WINAPI*)(DWORD);
// SetProcessDEPPolicy's PROCESS_DEP_ENABLE, which the headers give only for
// Vista and later: DEP on until the process ends.
const DWORD kDepEnable = 0x00000001;

// A function of a system library that is always loaded, looked up by name:
// 32-bit Windows XP has no Wow64DisableWow64FsRedirection (it comes with the
// 64-bit editions, Server 2003 SP1 and later).
template <class Proc>
Proc SystemFunction(const wchar_t* library, const char* name)
{
    // Through a function type without parameters: GetProcAddress's own type
    // does not convert to the real one directly.
    auto proc = reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(library), name));
    return reinterpret_cast<Proc>(proc);
}

template <class Proc>
Proc Kernel32Function(const char* name)
{
    return SystemFunction<Proc>(L"kernel32.dll", name);
}

}  // namespace

bool RunsUnderWow64()
{
    auto isWow64 = Kernel32Function<IsWow64ProcessProc>("IsWow64Process");
    BOOL wow64 = FALSE;
    return isWow64 && isWow64(GetCurrentProcess(), &wow64) && wow64;
}

bool CanReachNativeSystem()
{
    return !RunsUnderWow64() ||
           (Kernel32Function<DisableRedirectionProc>("Wow64DisableWow64FsRedirection") &&
            Kernel32Function<RevertRedirectionProc>("Wow64RevertWow64FsRedirection"));
}

NativeFileSystem::NativeFileSystem() : ok_(true), turnedOff_(false), previous_(nullptr)
{
    if (!RunsUnderWow64())
        return;
    auto disable = Kernel32Function<DisableRedirectionProc>("Wow64DisableWow64FsRedirection");
    if (!disable) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        ok_ = false;
        return;
    }
    turnedOff_ = disable(&previous_) != FALSE;
    ok_ = turnedOff_;
}

NativeFileSystem::~NativeFileSystem()
{
    if (!turnedOff_)
        return;
    DWORD error = GetLastError();
    if (auto revert = Kernel32Function<RevertRedirectionProc>("Wow64RevertWow64FsRedirection"))
        revert(previous_);
    // What the guarded call left for its caller stays readable afterwards.
    SetLastError(error);
}

REGSAM NativeRegistryView()
{
    return RunsUnderWow64() ? KEY_WOW64_64KEY : 0;
}

WindowsVersion RealWindowsVersion()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    // Every NT exports RtlGetVersion; GetVersionExW only stands in should a
    // system not.
    auto rtlGetVersion = SystemFunction<GetVersionProc>(L"ntdll.dll", "RtlGetVersion");
    if (!(rtlGetVersion && rtlGetVersion(&info) == 0) && !GetVersionExW(&info))
        return WindowsVersion{0, 0, 0, std::wstring()};
    return WindowsVersion{info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber,
                          info.szCSDVersion};
}

std::wstring VersionText(const WindowsVersion& version)
{
    return std::to_wstring(version.major) + L"." + std::to_wstring(version.minor) + L"." +
           std::to_wstring(version.build) +
           (version.servicePack.empty() ? L"" : L" " + version.servicePack);
}

bool RepairsApplyTo(WindowsVersion version)
{
    return version.major == 5 && (version.minor == 1 || version.minor == 2);
}

void ProtectProcess()
{
    // An empty folder takes the current one out of the search order.
    if (auto setDllDirectory = Kernel32Function<SetDllDirectoryProc>("SetDllDirectoryW"))
        setDllDirectory(L"");
    if (auto setDepPolicy = Kernel32Function<SetDepPolicyProc>("SetProcessDEPPolicy"))
        setDepPolicy(kDepEnable);
}
