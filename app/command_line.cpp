#include "command_line.h"
#include <windows.h>
#include "accounts.h"
#include "actions.h"
#include "native.h"
#include "owners.h"
#include "program.h"

namespace {

enum ExitCode { AllSucceeded = 0, ActionFailed = 1, WrongCommandLine = 2, NeedsRepair = 3 };

struct ActionSwitch {
    const wchar_t* name;  // without its "/" or "-"
    Action run;
};

// The buttons' actions, by the switches that name them.
const ActionSwitch kActionSwitches[] = {
    {L"repair-shell", RepairShellLibrary}, {L"register-all", RegisterAllLibraries},
    {L"repair-registry", RepairRegistry},  {L"restore-registry", RestoreRegistry},
    {L"restart-shell", RestartShell},      {L"check", CheckRegistry},
};

const wchar_t kUsage[] =
    L"用法：Sertavo.exe [/quiet] [/log 文件] 操作...\n"
    L"\n"
    L"操作（可以写多个，按顺序执行，遇到失败即停止）：\n"
    L"  /repair-shell        简单修复：重新注册 shell32.dll\n"
    L"  /register-all        中级修复：重新注册系统文件夹中的全部 DLL\n"
    L"  /repair-registry     修复注册表\n"
    L"  /restore-registry    恢复注册表\n"
    L"  /restart-shell       刷新后马上生效：重新启动桌面外壳\n"
    L"  /check               检查修复注册表写入的六个值，不做任何修改\n"
    L"\n"
    L"选项：\n"
    L"  /quiet               不显示任何对话框，也不提问\n"
    L"  /log 文件            每个操作在文件末尾追加一行记录（UTF-8）\n"
    L"  /?                   显示本说明\n"
    L"\n"
    L"开关不区分大小写，也可以用 - 代替 /。\n"
    L"退出代码：0 全部成功，1 有操作失败，2 命令行有误，3 /check 发现与修复不同的值。\n"
    L"修复注册表和恢复注册表需要管理员权限，修改前会把原来的值备份到\n"
    L"“All Users\\Application Data\\Sertavo\\Backup”中。";

// What the command line asks for.
struct Request {
    bool quiet = false;
    bool help = false;
    bool logged = false;
    std::wstring logPath;
    std::vector<const ActionSwitch*> actions;
    std::wstring error;  // what is wrong with it; empty when nothing is
};

bool IsSwitch(const std::wstring& argument)
{
    return argument.size() > 1 && (argument[0] == L'/' || argument[0] == L'-');
}

bool SwitchIs(const std::wstring& argument, const wchar_t* name)
{
    return IsSwitch(argument) && lstrcmpiW(argument.c_str() + 1, name) == 0;
}

const ActionSwitch* ActionNamed(const std::wstring& argument)
{
    for (const ActionSwitch& a : kActionSwitches)
        if (SwitchIs(argument, a.name))
            return &a;
    return nullptr;
}

// Reads every argument, also after a wrong one, so that /quiet holds for
// the report of what is wrong; that report names the first.
Request Parse(const std::vector<std::wstring>& arguments)
{
    Request r;
    auto wrong = [&r](const std::wstring& why) {
        if (r.error.empty())
            r.error = why;
    };
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& a = arguments[i];
        if (const ActionSwitch* action = ActionNamed(a)) {
            r.actions.push_back(action);
        } else if (SwitchIs(a, L"quiet")) {
            r.quiet = true;
        } else if (SwitchIs(a, L"?")) {
            r.help = true;
        } else if (SwitchIs(a, L"log")) {
            if (i + 1 == arguments.size() || IsSwitch(arguments[i + 1]) || arguments[i + 1].empty())
                wrong(L"/log 后面缺少日志文件名。");
            else if (r.logged)
                wrong(L"/log 只能写一次。");
            else
                r.logPath = arguments[i + 1];
            if (i + 1 < arguments.size() && !IsSwitch(arguments[i + 1]))
                ++i;
            r.logged = true;
        } else {
            wrong((IsSwitch(a) ? L"未知的开关“" : L"未知的参数“") + a + L"”。");
        }
    }
    if (r.error.empty() && !r.help && r.actions.empty())
        r.error = L"没有指定要执行的操作。";
    return r;
}

// The standard output the program was given (a pipe, a file or a
// console), or nullptr. A program of the GUI subsystem has none of its own.
HANDLE GivenOutput()
{
    HANDLE handle = GetStdHandle(STD_OUTPUT_HANDLE);
    if (!handle || handle == INVALID_HANDLE_VALUE || GetFileType(handle) == FILE_TYPE_UNKNOWN)
        return nullptr;
    return handle;
}

// The console of the process that started the program, opened for
// writing, or nullptr.
HANDLE OpenParentConsole()
{
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return nullptr;
    HANDLE handle =
        CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                    nullptr, OPEN_EXISTING, 0, nullptr);
    return handle == INVALID_HANDLE_VALUE ? nullptr : handle;
}

bool IsConsole(HANDLE handle)
{
    DWORD mode;
    return GetConsoleMode(handle, &mode) != FALSE;
}

// Where the lines for the user go: the standard output the program was
// given, or else the console of the process that started it.
class Output {
public:
    Output() : Output(GivenOutput()) {}

    void WriteLine(const std::wstring& text)
    {
        if (!handle_)
            return;
        std::wstring line;
        for (wchar_t c : text + L"\n")
            line += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
        DWORD written;
        if (console_) {
            WriteConsoleW(handle_, line.c_str(), static_cast<DWORD>(line.size()), &written,
                          nullptr);
            return;
        }
        // Redirected output is read in the console's code page, as the
        // system's own tools write it; without a console, in the OEM code
        // page a console would start with. Where that has no Chinese (a
        // Western system), the ASCII word beside each result still tells
        // success from failure.
        UINT codePage = GetConsoleOutputCP() ? GetConsoleOutputCP() : GetOEMCP();
        std::string bytes = Encode(codePage, line);
        WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }

    static std::string Encode(UINT codePage, const std::wstring& text)
    {
        int n = WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()),
                                    nullptr, 0, nullptr, nullptr);
        std::string bytes(n, '\0');
        if (n)
            WideCharToMultiByte(codePage, 0, text.c_str(), static_cast<int>(text.size()), &bytes[0],
                                n, nullptr, nullptr);
        return bytes;
    }

private:
    explicit Output(HANDLE given)
        : parentConsole_(given ? nullptr : OpenParentConsole()),
          handle_(given ? given : parentConsole_.get()),
          console_(given ? IsConsole(given) : handle_ != nullptr)
    {
    }

    HandleOwner parentConsole_;  // opened only when the program was given no output
    HANDLE handle_;
    bool console_;
};

std::wstring OneLine(std::wstring text)
{
    for (wchar_t& c : text)
        if (c == L'\r' || c == L'\n' || c == L'\t')
            c = L' ';
    return text;
}

std::wstring Padded(int value, size_t width)
{
    std::wstring digits = std::to_wstring(value);
    return std::wstring(digits.size() < width ? width - digits.size() : 0, L'0') + digits;
}

// The local time in ISO 8601 with its offset from UTC, so that the lines of
// machines in other time zones compare in one shared log.
std::wstring LocalTimeStamp()
{
    SYSTEMTIME utc, local;
    GetSystemTime(&utc);
    SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local);
    FILETIME u, l;
    SystemTimeToFileTime(&utc, &u);
    SystemTimeToFileTime(&local, &l);
    auto ticks = [](const FILETIME& f) {
        return static_cast<long long>((static_cast<unsigned long long>(f.dwHighDateTime) << 32) |
                                      f.dwLowDateTime);
    };
    const long long kTicksPerMinute = 60LL * 10 * 1000 * 1000;
    int offset = static_cast<int>((ticks(l) - ticks(u)) / kTicksPerMinute);
    int magnitude = offset < 0 ? -offset : offset;
    return Padded(local.wYear, 4) + L"-" + Padded(local.wMonth, 2) + L"-" + Padded(local.wDay, 2) +
           L"T" + Padded(local.wHour, 2) + L":" + Padded(local.wMinute, 2) + L":" +
           Padded(local.wSecond, 2) + (offset < 0 ? L"-" : L"+") + Padded(magnitude / 60, 2) +
           L":" + Padded(magnitude % 60, 2);
}

// Why the log's name must not be written through, or nullptr. A link, or one
// of several names of one file (a hard link), has the lines land in the
// file it leads to, which anyone who may write in the log's folder (a
// logon script's share) can choose: the hosts file, a startup script. A
// run as the local system account would append to it.
const wchar_t* WhyLogIsNotItsOwn(DWORD attributes, DWORD names)
{
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return L"它是一个链接（重解析点），写入的内容会落到它指向的地方。没有写入任何内容。";
    if (names > 1)
        return L"这个文件还有别的名字（硬链接），写入的内容也会落到另一个名字的文件里。"
               L"没有写入任何内容。";
    return nullptr;
}

// Opens the log for this program alone, creating it if need be; others may
// still read it. Appends from many writers that share a file are kept apart
// only on a local disk: over the network the client's cached size decides
// where a write lands. So each writer takes the file alone, and while
// another holds it (another machine, a spreadsheet, a virus scanner) tries
// again with growing pauses, for up to 30 s. A log that is not a file of its
// own is refused, before it is opened and again on the handle, so that a
// link put in its place between the two is not followed. Returns what went
// wrong, or empty.
std::wstring OpenLog(const std::wstring& path, HandleOwner* file)
{
    if (const wchar_t* why = WhyLogIsNotItsOwn(GetFileAttributesW(path.c_str()), 1))
        return why;
    const DWORD kPatienceMs = 30 * 1000, kLongestPauseMs = 1000;
    DWORD start = GetTickCount();
    for (DWORD pause = 50;; pause = pause < kLongestPauseMs / 2 ? pause * 2 : kLongestPauseMs) {
        file->reset(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
        if (file->get() != INVALID_HANDLE_VALUE)
            break;
        DWORD error = GetLastError();
        if (error != ERROR_SHARING_VIOLATION || GetTickCount() - start >= kPatienceMs)
            return SystemErrorText(error, path);
        // Uneven pauses, so that writers who wait together do not come back
        // together.
        Sleep(pause + GetTickCount() % pause);
    }
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file->get(), &info))
        return SystemErrorText(GetLastError(), path);
    if (const wchar_t* why = WhyLogIsNotItsOwn(info.dwFileAttributes, info.nNumberOfLinks)) {
        file->reset();
        return why;
    }
    return std::wstring();
}

// The names of a log line's fields, in their order, as the first line of a
// new log gives them; a reader of the log (a spreadsheet, a script) takes
// lines beginning with "#" for comments, as in the W3C and firewall logs
// of Windows.
const char kLogHeading[] =
    "#Fields: time\tcomputer\taccount\twindows\taction\tcommand\texit-code\tresult\tvalues\t"
    "backup\r\n";

// Appends one line to the log. A file that is empty, however it came to be
// (an administrator may make it beforehand to set its rights), first gets
// the UTF-8 byte-order mark and the heading, in the same write: of many
// writers that find it empty, the first alone does. Returns what went
// wrong, or empty.
std::wstring AppendToLog(const std::wstring& path, const std::wstring& line)
{
    HandleOwner file;
    std::wstring wrong = OpenLog(path, &file);
    if (!wrong.empty())
        return wrong;
    LARGE_INTEGER zero = {}, end = {};
    if (!SetFilePointerEx(file.get(), zero, &end, FILE_END))
        return SystemErrorText(GetLastError(), path);
    std::string bytes = (end.QuadPart == 0 ? std::string("\xEF\xBB\xBF") + kLogHeading : "") +
                        Output::Encode(CP_UTF8, line + L"\r\n");
    DWORD written = 0, error = 0;
    if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr))
        error = GetLastError();
    else if (written != bytes.size())
        error = ERROR_WRITE_FAULT;
    if (!CloseHandle(file.release()) && !error)
        error = GetLastError();
    return error ? SystemErrorText(error, path) : std::wstring();
}

std::wstring ResultText(const ActionRun& run)
{
    if (run.succeeded)
        return L"成功";
    return (run.needsRepair ? L"需要修复：" : L"失败：") + OneLine(run.report);
}

// Where the lines come from, as the fields after the time give it: the
// machine's name (as "net view" shows it), the account the program runs as
// ("DOMAIN\user", "NT AUTHORITY\SYSTEM") and the Windows, so that the lines
// of many machines in one shared log tell apart.
std::wstring LogOrigin()
{
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(computer, &size))
        computer[0] = L'\0';
    std::vector<BYTE> user = ProcessUser(GetCurrentProcess());
    std::wstring account = user.empty() ? std::wstring(L"-") : AccountName(SidOf(user));
    return EscapedForLog(computer[0] ? computer : L"-") + L"\t" + EscapedForLog(account) + L"\t" +
           EscapedForLog(VersionText(RealWindowsVersion()));
}

// TIME  COMPUTER  ACCOUNT  WINDOWS  ACTION  COMMAND LINE  EXIT CODE  RESULT
// [VALUES READ BACK  [BACKUP]], by tabs, as the heading names them.
std::wstring LogLine(const std::wstring& origin, const ActionSwitch& action, const ActionRun& run)
{
    std::wstring line = LocalTimeStamp() + L"\t" + origin + L"\t/" + action.name + L"\t" +
                        (run.commandLine.empty() ? L"-" : run.commandLine) + L"\t" +
                        (run.toolEnded ? std::to_wstring(run.exitCode) : L"-") + L"\t" +
                        ResultText(run);
    if (!run.valuesRead.empty())
        line += L"\t" + run.valuesRead;
    if (!run.backup.empty())
        line += L"\t备份：" + run.backup;
    return line;
}

// Writes what the program has to say, and shows it in a box unless quiet.
void Tell(const Request& request, Output& out, const std::wstring& text, UINT icon)
{
    out.WriteLine(text);
    if (!request.quiet)
        MessageBoxW(nullptr, text.c_str(), kProgramTitle, MB_OK | icon);
}

int ShowUsage(const Request& request, Output& out)
{
    if (request.error.empty()) {
        Tell(request, out, kUsage, MB_ICONINFORMATION);
        return AllSucceeded;
    }
    Tell(request, out, L"命令行有误：" + request.error + L"\n\n" + kUsage, MB_ICONERROR);
    return WrongCommandLine;
}

// The path as the messages name it: whole, from the drive or share on.
std::wstring FullPath(const std::wstring& path)
{
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    std::wstring full(n, L'\0');
    n = n ? GetFullPathNameW(path.c_str(), n, &full[0], nullptr) : 0;
    return n && n < full.size() ? full.substr(0, n) : path;
}

// Opens the log (making it when it is new) before any action runs, so that
// a log that could not take the lines stops the run before anything has
// changed. Returns the exit code to end with, or AllSucceeded to go on.
int CheckLog(const Request& request, Output& out)
{
    HandleOwner file;
    std::wstring wrong = OpenLog(request.logPath, &file);
    if (wrong.empty())
        return AllSucceeded;
    DWORD attributes = GetFileAttributesW(request.logPath.c_str());
    bool folder = attributes != INVALID_FILE_ATTRIBUTES &&
                  (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) ==
                      FILE_ATTRIBUTE_DIRECTORY;
    Tell(request, out,
         (folder ? L"命令行有误：/log 指定的是文件夹，不是文件：" : L"无法使用日志文件：") +
             request.logPath + L"\n" + wrong,
         MB_ICONERROR);
    return folder ? WrongCommandLine : ActionFailed;
}

}  // namespace

int RunCommandLine(const std::vector<std::wstring>& arguments)
{
    Output out;
    Request request = Parse(arguments);
    if (!request.error.empty() || request.help)
        return ShowUsage(request, out);
    if (request.logged) {
        request.logPath = FullPath(request.logPath);
        if (int refused = CheckLog(request, out))
            return refused;
    }

    bool logWritten = true;
    std::wstring origin = request.logged ? LogOrigin() : std::wstring();
    for (const ActionSwitch* action : request.actions) {
        ActionRun run = CommandLineRun(request.quiet);
        action->run(run);
        for (const std::wstring& line : run.lines)
            out.WriteLine(line);
        // An ASCII word beside the Chinese, which a Western code page loses.
        const wchar_t* word = run.succeeded     ? L" OK "
                              : run.needsRepair ? L" DIFFERS "
                                                : L" FAILED ";
        out.WriteLine(std::wstring(L"/") + action->name + word + ResultText(run) +
                      (run.backup.empty() ? L"" : L"；备份：" + run.backup));
        if (request.logged) {
            std::wstring wrong = AppendToLog(request.logPath, LogLine(origin, *action, run));
            if (!wrong.empty()) {
                if (logWritten)
                    out.WriteLine(L"无法写入日志文件 " + request.logPath + L"：" + OneLine(wrong));
                logWritten = false;
            }
        }
        if (!run.succeeded)
            return run.needsRepair ? NeedsRepair : ActionFailed;
    }
    return logWritten ? AllSucceeded : ActionFailed;
}
