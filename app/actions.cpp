#include "actions.h"
#include "backup.h"
#include "native.h"
#include "owners.h"
#include "payloads.h"
#include "program.h"
#include "registry_values.h"
#include "resource_ids.h"
#include "shell.h"
#include <functional>

namespace {

const wchar_t kHintTitle[] = L"提示";

// The tools are started by their full paths: started by name alone, the
// system would look for them in the program's own folder and in the current
// folder first, and run whatever lies there with the program's rights.
enum ToolFolder { SystemFolder, WindowsFolder };
struct Tool {
    ToolFolder folder;
    const wchar_t* file;
};
const Tool kCommandInterpreter = {SystemFolder, L"cmd.exe"};
const Tool kRegistrationTool = {SystemFolder, L"regsvr32.exe"};
const Tool kRegistryEditor = {WindowsFolder, L"regedit.exe"};
const Tool kUrlHandlerHost = {SystemFolder, L"rundll32.exe"};
// Not started by the program itself but by the shell restart's command line.
// Windows XP Home Edition does not have it.
const wchar_t kTaskKill[] = L"taskkill.exe";

const wchar_t kRestartShellQuestion[] =
    L"        刷新前请先保存好数据或者关闭其他已打开的程序后再进行,以免造成不必要的损失！";
const wchar_t kRestartShellDeclined[] = L"没有重新启动桌面外壳：回答了“否”。";
const wchar_t kShellNotRestarted[] = L"\n没有重新启动桌面外壳。";
const wchar_t kRestartAsSystem[] =
    L"本程序以本地系统账户（SYSTEM）运行：重新启动桌面外壳会结束登录用户的桌面外壳，"
    L"并以系统的权限在其桌面上启动新的。";
const wchar_t kNoTaskbar[] =
    L"这个桌面上没有任务栏，也就没有可以重新启动的桌面外壳"
    L"（例如在启动脚本或服务中运行时）。";
const wchar_t kTaskbarOfAnotherUser[] =
    L"任务栏属于另一个用户：本程序只重新启动运行它的用户自己的桌面外壳。";

const wchar_t kRegisterShellCommand[] = L"regsvr32 /i  /s shell32.dll";
const wchar_t kSimpleRepairDone[] = L"简单功能修复成功，请试运行搜索功能看！";

// The command interpreter's part and the loop's part, joined as they are.
const wchar_t kRegisterAllCommand[] =
    L"cmd.exe /c"
    L"  for %1 in (%windir%\\system32\\*.dll) do regsvr32.exe  /S %1";

// In the system folder; on a standard installation the registry editor is
// given "c:\windows\system32\Ytqv.reg", in exactly these letters.
const wchar_t kStandardSystemFolder[] = L"c:\\windows\\system32";
const wchar_t kRepairPayloadFile[] = L"Ytqv.reg";
const wchar_t kRestorePayloadFile[] = L"Ntqv.reg";
const wchar_t kRepairRegistryDone[] = L"“修复注册表”成功，刷新后即可生效！";
const wchar_t kRestoreRegistryDone[] = L"“恢复注册表”成功，刷新后即可生效！";

const wchar_t kNeedsAdministrator[] =
    L"写入 HKEY_LOCAL_MACHINE 需要管理员权限，请以管理员身份运行本程序后再试。";
const wchar_t kUntrustedFolderAdvice[] =
    L"这个文件夹可能是别人事先放在这里的，其中的备份不可信，不要导入。"
    L"请管理员查看其中的内容后删除这个文件夹，再重试：本程序会重新创建它，"
    L"只有管理员可以修改。";

const wchar_t kNoTaskKill[] =
    L"这个 Windows 没有 taskkill.exe（例如 Windows XP 家庭版），不能用这种方式重新启动桌面外壳。\n"
    L"请注销后重新登录，修改即可生效。";
const wchar_t kNativeSystemOutOfReach[] =
    L"本程序是 32 位程序，在这个 64 位 Windows 上无法关闭文件系统重定向，"
    L"不能修改系统本身的文件夹和注册表。\n没有做任何修改。";

bool g_waiting = false;

int ShowBox(HWND owner, const std::wstring& text, const wchar_t* title, UINT flags)
{
    return MessageBoxW(owner, text.c_str(), title, flags);
}

// Says how the action ended: the run keeps the text, and shows it in a box
// when it shows reports of that kind. An empty text shows nothing.
void Report(ActionRun& run, bool success, const std::wstring& text, const wchar_t* title,
            UINT failureIcon = MB_ICONERROR)
{
    run.succeeded = success;
    run.report = text;
    if (!text.empty() && (success ? run.showSuccess : run.showFailure))
        ShowBox(run.owner, text, title, MB_OK | (success ? MB_ICONINFORMATION : failureIcon));
}

std::wstring Seconds(DWORD ms)
{
    return std::to_wstring((ms + 999) / 1000);
}

// The Windows folder is the shared one: on a terminal server (Server 2003 in
// application mode) GetWindowsDirectory gives a program that is not marked
// terminal-server aware a folder in its user's profile, which that user
// may write.
std::wstring FolderPath(ToolFolder folder)
{
    wchar_t path[MAX_PATH] = {};
    UINT n = folder == SystemFolder ? GetSystemDirectoryW(path, MAX_PATH)
                                    : GetSystemWindowsDirectoryW(path, MAX_PATH);
    return std::wstring(path, n < MAX_PATH ? n : 0);
}

std::wstring ToolPath(const Tool& tool)
{
    return FolderPath(tool.folder) + L"\\" + tool.file;
}

struct Waited {
    bool done;       // what was waited for came: the tool ended, or its sign
    bool ended;      // the tool has ended...
    DWORD exitCode;  // ...with this exit code
    DWORD error;     // the system's error when the wait itself failed
};

// Dispatches what is queued; a WM_QUIT is kept back for after the wait.
void DispatchQueued(bool* quit, WPARAM* quitCode)
{
    MSG queued;
    while (PeekMessageW(&queued, nullptr, 0, 0, PM_REMOVE)) {
        if (queued.message == WM_QUIT) {
            *quit = true;
            *quitCode = queued.wParam;
            continue;
        }
        TranslateMessage(&queued);
        DispatchMessageW(&queued);
    }
}

// Waits the way a modal dialog waits for its user: the owner is disabled
// (it takes no clicks or keys, and the focus leaves it) but goes on
// painting, since every message is still dispatched. The wait ends when the
// process ends or, given a sign, when the sign holds (looked at every
// 100 ms, while the process may run on).
Waited WaitModally(HWND owner, HANDLE process, DWORD timeoutMs,
                   const std::function<bool()>& sign = nullptr)
{
    HWND focus = GetFocus();
    g_waiting = true;
    if (owner)
        EnableWindow(owner, FALSE);
    HCURSOR previousCursor = SetCursor(LoadCursorW(nullptr, IDC_WAIT));

    Waited result = {};
    bool quit = false;
    WPARAM quitCode = 0;
    DWORD handles = sign ? 0 : 1;
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        DWORD left = timeoutMs == INFINITE ? INFINITE
                     : elapsed < timeoutMs ? timeoutMs - elapsed
                                           : 0;
        DWORD slice = sign && left > 100 ? 100 : left;
        DWORD r = MsgWaitForMultipleObjects(handles, &process, FALSE, slice, QS_ALLINPUT);
        if (r == WAIT_FAILED) {
            result.error = GetLastError();
            break;
        }
        // Without a handle to wait on, WAIT_OBJECT_0 is the queue's.
        if (r == WAIT_OBJECT_0 + handles)
            DispatchQueued(&quit, &quitCode);
        else if (r == WAIT_OBJECT_0)
            result.done = true;
        if (!result.done && sign)
            result.done = sign();
        if (result.done || (r == WAIT_TIMEOUT && slice == left))
            break;
    }
    result.ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    if (result.ended)
        GetExitCodeProcess(process, &result.exitCode);

    if (owner)
        EnableWindow(owner, TRUE);
    g_waiting = false;
    SetCursor(previousCursor);
    if (focus && IsWindow(focus))
        SetFocus(focus);
    if (quit)
        PostQuitMessage(static_cast<int>(quitCode));
    return result;
}

// Waits for the tool of the run and notes how it ended.
Waited WaitForTool(ActionRun& run, HANDLE process, DWORD timeoutMs,
                   const std::function<bool()>& sign = nullptr)
{
    Waited w = WaitModally(run.owner, process, timeoutMs, sign);
    run.toolEnded = w.ended;
    run.exitCode = w.exitCode;
    return w;
}

// What a tool's exit code says.
enum class ExitCodeMeans {
    Result,       // 0 is success, anything else failure
    AbnormalEnd,  // only an NTSTATUS error (0xC0000000 or more) is a failure
    Nothing,
};

std::wstring ExitCodeText(DWORD code)
{
    wchar_t hex[16];
    wsprintfW(hex, L"0x%08lX", code);
    return code >= 0xC0000000 ? std::wstring(hex) : std::to_wstring(code);
}

// The one judge of a wait for a tool: what went wrong, for the report, or
// empty when nothing did. work names what the tool was to do.
std::wstring JudgeWait(const Waited& w, const std::wstring& commandLine, DWORD timeoutMs,
                       const wchar_t* work, ExitCodeMeans means)
{
    if (w.error)
        return L"无法等待命令结束：\n" + commandLine + L"\n\n" + SystemErrorText(w.error);
    if (!w.done)
        return work + (L"在 " + Seconds(timeoutMs) + L" 秒内没有完成：\n") + commandLine;
    bool failed = means == ExitCodeMeans::Result        ? w.exitCode != 0
                  : means == ExitCodeMeans::AbnormalEnd ? w.exitCode >= 0xC0000000
                                                        : false;
    if (w.ended && failed)
        return work + (L"失败，退出代码为 " + ExitCodeText(w.exitCode) + L"：\n") + commandLine;
    return std::wstring();
}

std::wstring StartFailureText(const std::wstring& program, const wchar_t* commandLine, DWORD error)
{
    return std::wstring(L"无法启动命令：\n") + commandLine + L"\n\n" +
           SystemErrorText(error, program);
}

// Starts a tool for the run and returns its process, for the caller to
// close; a tool that cannot be started is reported, and gives nullptr.
HANDLE StartTool(ActionRun& run, const Tool& tool, const wchar_t* commandLine, int showMode,
                 const wchar_t* title)
{
    run.commandLine = commandLine;
    std::wstring program = ToolPath(tool);
    StartedProcess p = StartCommand(program, commandLine, showMode);
    if (!p.started) {
        Report(run, false, StartFailureText(program, commandLine, p.error), title);
        return nullptr;
    }
    return p.process;
}

// Starts a tool and leaves it to run: the run succeeds once it has started.
void StartUnwatched(ActionRun& run, const Tool& tool, const wchar_t* commandLine, int showMode)
{
    HandleOwner process(StartTool(run, tool, commandLine, showMode, kProgramTitle));
    if (process.get())
        Report(run, true, std::wstring(), kProgramTitle);
}

// A command that a click starts and leaves to run. The command line waits
// for it up to timeoutMs, or given a sign, until the sign of its work.
void RunLeftToRun(ActionRun& run, const Tool& tool, const wchar_t* commandLine, int showMode,
                  DWORD timeoutMs, const wchar_t* work, ExitCodeMeans means,
                  const std::function<bool()>& sign = nullptr)
{
    if (!run.waitForAll) {
        StartUnwatched(run, tool, commandLine, showMode);
        return;
    }
    // A tool still running at the end is left to run.
    HandleOwner process(StartTool(run, tool, commandLine, showMode, kProgramTitle));
    if (!process.get())
        return;
    Waited w = WaitForTool(run, process.get(), timeoutMs, sign);
    std::wstring failure = JudgeWait(w, commandLine, timeoutMs, work, means);
    Report(run, failure.empty(), failure, kProgramTitle);
}

// Vista and later search otherwise: the six values mean nothing there, and
// registering every library of the system folder runs each library's own
// code for nothing (Windows Resource Protection refuses most of it). There
// a repair starts nothing and says why.
bool RepairsApplyHere(ActionRun& run)
{
    WindowsVersion version = RealWindowsVersion();
    if (RepairsApplyTo(version))
        return true;
    std::wstring number = std::to_wstring(version.major) + L"." + std::to_wstring(version.minor);
    Report(run, false,
           L"这些修复只适用于 Windows XP 和 Windows Server 2003。\n这个 Windows 的版本是 " +
               number + L"，它的搜索功能与 Windows XP 不同，不需要这些修复。\n没有做任何修改。",
           kProgramTitle, MB_ICONWARNING);
    return false;
}

// On 64-bit Windows an action that cannot reach the native system does
// nothing at all: what it changed would be invisible to the 64-bit shell.
bool NativeSystemInReach(ActionRun& run, const wchar_t* title)
{
    if (CanReachNativeSystem())
        return true;
    Report(run, false, kNativeSystemOutOfReach, title);
    return false;
}

// Writes the payload as a new file, replacing whatever had that name. Returns
// the system error, or 0; created tells whether a file was made (and so must
// be removed again), also when writing it failed half-way.
DWORD WritePayloadFile(const wchar_t* path, const Payload& payload, bool* created)
{
    *created = false;
    if (!payload.bytes)
        return ERROR_RESOURCE_DATA_NOT_FOUND;
    NativeFileSystem native;
    if (!native.ok())
        return GetLastError();
    HandleOwner file(CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE)
        return GetLastError();
    *created = true;
    DWORD written = 0;
    DWORD error = 0;
    if (!WriteFile(file.get(), payload.bytes, payload.size, &written, nullptr))
        error = GetLastError();
    else if (written != payload.size)
        error = ERROR_WRITE_FAULT;
    if (!CloseHandle(file.release()) && !error)
        error = GetLastError();
    return error;
}

DWORD DeletePayloadFile(const wchar_t* path)
{
    NativeFileSystem native;
    if (!native.ok() || !DeleteFileW(path))
        return GetLastError();
    return 0;
}

// The first value of the set that does not read back as the file writes it,
// described for the user; empty when all of them do.
std::wstring FirstValueNotWritten(int resourceId)
{
    int count = 0;
    const RegistryValue* values = PayloadValues(resourceId, &count);
    for (int i = 0; i < count; ++i) {
        const RegistryValue& v = values[i];
        if (ReadRegistryValue(v).Holds(v.data))
            continue;
        std::wstring name = v.name ? std::wstring(L"“") + v.name + L"”" : std::wstring(L"（默认）");
        return std::wstring(L"导入后注册表值没有写入：\n") + v.rootName + L"\\" + v.key + L"\n值 " +
               name + L"\n\n" + kNeedsAdministrator;
    }
    return std::wstring();
}

// A value as the log and the console show it: its text between quotation
// marks, "（无）" when it is missing.
std::wstring Shown(const ValueRead& read)
{
    if (read.IsText())
        return L"\"" + EscapedForLog(read.Text()) + L"\"";
    return read.exists ? L"（类型 " + std::to_wstring(read.type) + L"）" : std::wstring(L"（无）");
}

// Every value of the set as it reads back, on one line, named as in a
// registry file ("@" for a key's default value).
std::wstring ValuesAsRead(int resourceId)
{
    int count = 0;
    const RegistryValue* values = PayloadValues(resourceId, &count);
    std::wstring line;
    for (int i = 0; i < count; ++i)
        line += (i ? L"; " : L"") + FullValueName(values[i]) + L"=" +
                Shown(ReadRegistryValue(values[i]));
    return line;
}

// The registry file's path in the system folder.
std::wstring PayloadPath(const ActionRun& run, const wchar_t* file)
{
    bool standard = lstrcmpiW(run.systemFolder.c_str(), kStandardSystemFolder) == 0;
    return (standard ? std::wstring(kStandardSystemFolder) : run.systemFolder) + L"\\" + file;
}

// What a refusal means here, after the system's text for it.
std::wstring AdministratorHint(DWORD error)
{
    return error == ERROR_ACCESS_DENIED ? std::wstring(L"\n\n") + kNeedsAdministrator
                                        : std::wstring();
}

// A standard user can set none of the values. Saying so before the backup
// leaves nothing behind: no folder made with a standard user's rights that
// would then stand in the administrator's way.
bool ValuesWritable(ActionRun& run, int resourceId)
{
    int count = 0;
    const RegistryValue* values = PayloadValues(resourceId, &count);
    for (int i = 0; i < count; ++i) {
        DWORD error = CanWriteValue(values[i]);
        if (!error)
            continue;
        Report(run, false,
               L"无法写入注册表值，没有做任何修改：\n" + FullValueName(values[i]) + L"\n\n" +
                   SystemErrorText(error) + AdministratorHint(error),
               kHintTitle);
        return false;
    }
    return true;
}

// Writes the payload to its file, has the registry editor import it, checks
// that every value arrived, says what happened, and removes the file again.
void ImportRegistryPayload(ActionRun& run, const wchar_t* file, int resourceId,
                           const wchar_t* reportText)
{
    if (!RepairsApplyHere(run) || !NativeSystemInReach(run, kHintTitle) ||
        !ValuesWritable(run, resourceId))
        return;
    // No backup, no change.
    std::wstring backup, untrusted;
    DWORD error = BackUpBeforeImport(resourceId, &backup, &untrusted);
    if (!untrusted.empty()) {
        Report(run, false,
               L"备份文件夹不可信，没有做任何修改：\n" + backup + L"\n\n" + untrusted + L"\n\n" +
                   kUntrustedFolderAdvice,
               kHintTitle);
        return;
    }
    if (error) {
        Report(run, false,
               L"无法写入注册表的备份，没有做任何修改：\n" + backup + L"\n\n" +
                   SystemErrorText(error, backup) + AdministratorHint(error),
               kHintTitle);
        return;
    }
    run.backup = backup;
    std::wstring path = PayloadPath(run, file);
    std::wstring failure;
    bool created = false;
    if (DWORD error = WritePayloadFile(path.c_str(), LoadPayload(resourceId), &created)) {
        failure =
            std::wstring(L"无法写入注册表文件：\n") + path + L"\n\n" + SystemErrorText(error, path);
    } else {
        std::wstring command = L"regedit /s " + path;
        run.commandLine = command;
        std::wstring editorPath = ToolPath(kRegistryEditor);
        StartedProcess editor = StartCommand(editorPath, command.c_str(), SW_HIDE);
        if (!editor.started) {
            failure = StartFailureText(editorPath, command.c_str(), editor.error);
        } else {
            HandleOwner process(editor.process);
            DWORD timeout = run.timeouts.registryEditorMs;
            failure = JudgeWait(WaitForTool(run, process.get(), timeout), command, timeout,
                                L"注册表编辑器的导入", ExitCodeMeans::Result);
            if (failure.empty())
                failure = FirstValueNotWritten(resourceId);
        }
    }
    run.valuesRead = ValuesAsRead(resourceId);
    if (failure.empty())
        Report(run, true, reportText, kHintTitle);
    else
        Report(run, false, failure, kHintTitle);
    if (!created)
        return;
    // The file must not stay in the system folder unnoticed.
    if (DWORD error = DeletePayloadFile(path.c_str())) {
        std::wstring text = std::wstring(L"无法删除注册表文件，请手动删除：\n") + path + L"\n\n" +
                            SystemErrorText(error, path);
        run.succeeded = false;
        run.report += (run.report.empty() ? L"" : L"\n\n") + text;
        if (run.showFailure)
            ShowBox(run.owner, text, kHintTitle, MB_OK | MB_ICONWARNING);
    }
}

bool SystemHasTaskKill()
{
    NativeFileSystem native;
    DWORD attributes = GetFileAttributesW((FolderPath(SystemFolder) + L"\\" + kTaskKill).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whose rights a program started here would have, against those of the
// user at this desktop. The desktop's user is the owner of its taskbar.
enum class DesktopUser {
    Ours,           // the program runs as the user whose taskbar is up
    NoTaskbar,      // a startup script, a service: nobody's shell to go by
    AsLocalSystem,  // the program runs as the local system account
    AnotherUser,    // the taskbar belongs to another account (Run as)
    Unknown,        // the taskbar's owner cannot be read; the error says why
};

DesktopUser WhoseDesktop(const ActionRun& run, DWORD* error)
{
    *error = 0;
    if (run.asLocalSystem)
        return DesktopUser::AsLocalSystem;
    std::vector<HWND> taskbars = TaskbarWindows();
    if (taskbars.empty())
        return DesktopUser::NoTaskbar;
    for (HWND taskbar : taskbars)
        if (!TaskbarIsOurs(taskbar, error))
            return *error ? DesktopUser::Unknown : DesktopUser::AnotherUser;
    return DesktopUser::Ours;
}

// Why the shell restart must not run here, or empty when it may: it
// restarts the shell of the user who runs it, on this desktop, only.
std::wstring ShellRestartRefusal(const ActionRun& run)
{
    DWORD error = 0;
    switch (WhoseDesktop(run, &error)) {
    case DesktopUser::Ours:
        return std::wstring();
    case DesktopUser::NoTaskbar:
        return kNoTaskbar;
    case DesktopUser::AsLocalSystem:
        return kRestartAsSystem;
    case DesktopUser::AnotherUser:
        return kTaskbarOfAnotherUser;
    case DesktopUser::Unknown:
        break;
    }
    return L"无法确定任务栏属于哪个用户：" + SystemErrorText(error);
}

// True when the environment entry ("NAME=value") sets the variable named.
bool Sets(const wchar_t* entry, const wchar_t* name)
{
    size_t n = wcslen(name);
    return _wcsnicmp(entry, name, n) == 0 && entry[n] == L'=';
}

// The program's environment as the tools get it, with windir and SystemRoot
// naming the system's own Windows folder. Both come from whoever started
// the program (runas /env, a user's own variables), and the command
// interpreter expands them in the command lines it runs: the loop over
// every library would otherwise register the libraries of a folder of the
// caller's choosing, with the program's rights. The rest passes on as it
// is, in its order.
std::wstring ToolEnvironment()
{
    const wchar_t* const kNames[] = {L"SystemRoot", L"windir"};
    std::wstring windows = FolderPath(WindowsFolder);
    bool named[2] = {};
    std::wstring block;
    auto add = [&block](const std::wstring& entry) { (block += entry) += L'\0'; };
    wchar_t* inherited = GetEnvironmentStringsW();
    for (const wchar_t* entry = inherited; entry && *entry; entry += lstrlenW(entry) + 1) {
        int i = Sets(entry, kNames[0]) ? 0 : Sets(entry, kNames[1]) ? 1 : -1;
        if (i < 0)
            add(entry);
        else if (!named[i])
            add(kNames[i] + (L"=" + windows));
        if (i >= 0)
            named[i] = true;
    }
    if (inherited)
        FreeEnvironmentStringsW(inherited);
    for (int i = 0; i < 2; ++i)
        if (!named[i])
            add(kNames[i] + (L"=" + windows));
    return block + L'\0';
}

ActionRun RunOnThisSystem()
{
    ActionRun run = {};
    run.timeouts = kActionTimeouts;
    run.systemFolder = SystemFolderPath();
    run.asLocalSystem = RunsAsLocalSystem();
    return run;
}

}  // namespace

ActionRun ClickRun(HWND owner)
{
    ActionRun run = RunOnThisSystem();
    run.owner = owner;
    run.showSuccess = run.showFailure = run.ask = run.showConsoles = true;
    return run;
}

ActionRun CommandLineRun(bool quiet)
{
    ActionRun run = RunOnThisSystem();
    run.showFailure = run.ask = run.showConsoles = !quiet;
    run.waitForAll = true;
    return run;
}

std::wstring EscapedForLog(const std::wstring& text)
{
    std::wstring escaped;
    for (wchar_t c : text)
        escaped += c == L'\t'   ? L"\\t"
                   : c == L'\n' ? L"\\n"
                   : c == L'\r' ? L"\\r"
                                 : std::wstring(1, c);
    return escaped;
}

std::wstring SystemErrorText(DWORD error, const std::wstring& subject)
{
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring result = n ? std::wstring(text, n) : std::wstring();
    if (text)
        LocalFree(text);
    while (!result.empty() &&
           (result.back() == L'\n' || result.back() == L'\r' || result.back() == L' '))
        result.pop_back();
    for (size_t at = result.find(L"%1"); at != std::wstring::npos && !subject.empty();
         at = result.find(L"%1", at + subject.size()))
        result.replace(at, 2, subject);
    return result + L"（错误代码 " + std::to_wstring(error) + L"）";
}

std::wstring SystemFolderPath()
{
    return FolderPath(SystemFolder);
}

std::wstring WindowsFolderPath()
{
    return FolderPath(WindowsFolder);
}

StartedProcess StartCommand(const std::wstring& program, const wchar_t* commandLine, int showMode)
{
    std::wstring environment = ToolEnvironment();
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW;
    si.wShowWindow = static_cast<WORD>(showMode);
    PROCESS_INFORMATION pi = {};
    // CreateProcessW may write into the command line it is given.
    std::wstring line = commandLine;
    // The tool's own folder as its current folder: the command interpreter
    // looks there first for the programs its command line names.
    std::wstring folder = SystemFolderPath();
    NativeFileSystem native;
    if (!native.ok() ||
        !CreateProcessW(program.c_str(), &line[0], nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, &environment[0], folder.c_str(), &si, &pi))
        return StartedProcess{false, nullptr, GetLastError()};
    CloseHandle(pi.hThread);
    return StartedProcess{true, pi.hProcess, 0};
}

bool IsActionWaiting()
{
    return g_waiting;
}

void RestartShell(ActionRun& run)
{
    if (!NativeSystemInReach(run, kProgramTitle))
        return;
    if (!SystemHasTaskKill()) {
        Report(run, false, kNoTaskKill, kProgramTitle);
        return;
    }
    std::wstring refusal = ShellRestartRefusal(run);
    std::wstring command = ShellRestartCommand();
    if (refusal.empty() && command.empty())
        refusal = L"无法确定本程序所在的会话：" + SystemErrorText(GetLastError());
    if (!refusal.empty()) {
        Report(run, false, refusal + kShellNotRestarted, kProgramTitle);
        return;
    }
    if (run.ask && ShowBox(run.owner, kRestartShellQuestion, kHintTitle,
                           MB_YESNO | MB_ICONINFORMATION | MB_DEFBUTTON2) != IDYES) {
        run.succeeded = false;
        run.report = kRestartShellDeclined;
        return;
    }
    // The command interpreter waits for the explorer.exe it starts, which
    // becomes the shell and never ends: the restart has worked once a new
    // taskbar is up, whether or not the interpreter still runs.
    std::vector<HWND> before = TaskbarWindows();
    RunLeftToRun(run, kCommandInterpreter, command.c_str(), SW_HIDE, run.timeouts.newTaskbarMs,
                 L"桌面外壳的重新启动（新的任务栏出现）", ExitCodeMeans::Nothing,
                 [&before] { return NewTaskbarUp(before); });
}

void RepairShellLibrary(ActionRun& run)
{
    if (!RepairsApplyHere(run) || !NativeSystemInReach(run, kProgramTitle))
        return;
    HandleOwner process(
        StartTool(run, kRegistrationTool, kRegisterShellCommand, SW_SHOWNORMAL, kProgramTitle));
    if (!process.get())
        return;
    DWORD timeout = run.timeouts.registrationMs;
    std::wstring failure =
        JudgeWait(WaitForTool(run, process.get(), timeout), kRegisterShellCommand, timeout,
                  L"shell32.dll 的注册", ExitCodeMeans::Result);
    Report(run, failure.empty(), failure.empty() ? kSimpleRepairDone : failure, kProgramTitle);
}

void RegisterAllLibraries(ActionRun& run)
{
    if (!RepairsApplyHere(run) || !NativeSystemInReach(run, kProgramTitle))
        return;
    // The console shows the loop's progress; a click reports nothing after
    // it. The loop's exit code is that of its last library, which says
    // nothing of the others; only an NTSTATUS error (0xC000013A: Ctrl+C or
    // a closed console) says that the loop itself did not finish. One
    // hanging library must not hold a startup script for ever: past its
    // time the loop is reported and left running.
    RunLeftToRun(run, kCommandInterpreter, kRegisterAllCommand,
                 run.showConsoles ? SW_SHOWNORMAL : SW_HIDE, run.timeouts.registrationLoopMs,
                 L"全部 DLL 的注册", ExitCodeMeans::AbnormalEnd);
}

void RepairRegistry(ActionRun& run)
{
    ImportRegistryPayload(run, kRepairPayloadFile, IDR_PAYLOAD_REPAIR, kRepairRegistryDone);
}

void RestoreRegistry(ActionRun& run)
{
    ImportRegistryPayload(run, kRestorePayloadFile, IDR_PAYLOAD_RESTORE, kRestoreRegistryDone);
}

void CheckRegistry(ActionRun& run)
{
    int count = 0;
    const RegistryValue* values = PayloadValues(IDR_PAYLOAD_REPAIR, &count);
    int differing = 0;
    for (int i = 0; i < count; ++i) {
        ValueRead read = ReadRegistryValue(values[i]);
        if (read.error) {
            Report(run, false,
                   L"无法读取注册表值：\n" + FullValueName(values[i]) + L"\n\n" +
                       SystemErrorText(read.error),
                   kProgramTitle);
            return;
        }
        bool same = read.Holds(values[i].data);
        differing += !same;
        run.lines.push_back((same ? L"OK      相同 " : L"DIFFERS 不同 ") +
                            FullValueName(values[i]) + L"=" +
                            (read.exists ? Shown(read) : std::wstring(L"absent")));
    }
    run.valuesRead = ValuesAsRead(IDR_PAYLOAD_REPAIR);
    run.succeeded = differing == 0;
    run.needsRepair = !run.succeeded;
    run.report = run.succeeded ? L"六个值都与修复注册表写入的相同。"
                               : std::to_wstring(differing) + L" 个值与修复注册表写入的不同。";
}

void OpenForum(ActionRun& run)
{
    // A browser has an Open dialog, from which its user can start any
    // program: with rights that are not the desktop user's own, the address
    // is only shown (Ctrl+C copies a message box's text).
    DWORD error = 0;
    DesktopUser user = WhoseDesktop(run, &error);
    if (user != DesktopUser::Ours && user != DesktopUser::NoTaskbar) {
        std::wstring why = user == DesktopUser::AsLocalSystem
                               ? L"本程序以本地系统账户（SYSTEM）运行"
                           : user == DesktopUser::AnotherUser
                               ? L"本程序以另一个账户的权限在这个桌面上运行"
                               : L"无法确定这个桌面属于哪个用户（" + SystemErrorText(error) + L"）";
        Report(run, true,
               why + L"，从这里打开的浏览器也会有这些权限，所以没有打开它。\n"
                     L"请复制下面的地址（按 Ctrl+C 可以复制这段文字），在自己的浏览器中打开：\n\n" +
                   kForumLinkTarget,
               kProgramTitle);
        return;
    }
    // The system's URL handler opens the address in the default browser.
    std::wstring command = std::wstring(L"rundll32.exe url.dll,FileProtocolHandler") + L" " + L'"' +
                           kForumLinkTarget + L'"';
    StartUnwatched(run, kUrlHandlerHost, command.c_str(), SW_SHOWNORMAL);
}
