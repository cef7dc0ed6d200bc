#include "app_testing.h"
#include <shlobj.h>
#include <sddl.h>
#include "accounts.h"
#include "actions.h"
#include "backup.h"
#include "native.h"
#include "payloads.h"
#include "resource_ids.h"

namespace {

const wchar_t kHint[] = L"提示";
const std::wstring kRepairFile = SystemFolderFile(L"Ytqv.reg");
const std::wstring kRestoreFile = SystemFolderFile(L"Ntqv.reg");

#define NAMESPACE L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace"
#define CABINET L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\CabinetState"

bool Contains(const std::wstring& text, const std::wstring& part)
{
    return text.find(part) != std::wstring::npos;
}

std::string PayloadBytes(int id)
{
    Payload p = LoadPayload(id);
    return std::string(static_cast<const char*>(p.bytes), p.size);
}

// Puts the registry in the state a successful import of the payload leaves
// (or, given data, sets every value of the set to it), in the view given, so
// that the read-back has something to find. The program reads the native
// view, the 64-bit one on 64-bit Windows.
void WriteValuesOf(int id, const wchar_t* data = nullptr, REGSAM view = NativeRegistryView())
{
    int count = 0;
    const RegistryValue* values = PayloadValues(id, &count);
    for (int i = 0; i < count; ++i) {
        HKEY key;
        REQUIRE(RegCreateKeyExW(values[i].root, values[i].key, 0, NULL, 0, KEY_SET_VALUE | view,
                                NULL, &key, NULL) == ERROR_SUCCESS);
        const wchar_t* text = data ? data : values[i].data;
        RegSetValueExW(key, values[i].name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                       static_cast<DWORD>((lstrlenW(text) + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }
}

// The values of a payload's set as the file writes them, and as one view of
// the registry holds them.
std::vector<std::wstring> DataOf(int id)
{
    int count = 0;
    const RegistryValue* values = PayloadValues(id, &count);
    std::vector<std::wstring> data;
    for (int i = 0; i < count; ++i)
        data.push_back(values[i].data);
    return data;
}

std::vector<std::wstring> ValuesIn(int id, REGSAM view = NativeRegistryView())
{
    int count = 0;
    const RegistryValue* values = PayloadValues(id, &count);
    std::vector<std::wstring> found;
    for (int i = 0; i < count; ++i) {
        wchar_t data[256] = L"(missing)";
        HKEY key;
        if (RegOpenKeyExW(values[i].root, values[i].key, 0, KEY_QUERY_VALUE | view, &key) ==
            ERROR_SUCCESS) {
            DWORD size = sizeof data - sizeof(wchar_t);
            RegQueryValueExW(key, values[i].name, NULL, NULL, reinterpret_cast<BYTE*>(data), &size);
            RegCloseKey(key);
        }
        found.push_back(data);
    }
    return found;
}

// Makes the payload's path a folder (or removes that folder again): the
// payload cannot be written there. True when the path then is (or is no
// longer) a folder.
bool CreatePayloadPathAsFolder(bool folder)
{
    NativeFileSystem native;
    if (folder)
        return CreateDirectoryW(kRepairFile.c_str(), NULL) != FALSE;
    DWORD attributes = GetFileAttributesW(kRepairFile.c_str());
    bool wasFolder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return RemoveDirectoryW(kRepairFile.c_str()) && wasFolder;
}

// Where the registry actions keep their backups.
std::wstring BackupFolder()
{
    wchar_t common[MAX_PATH] = {};
    SHGetFolderPathW(NULL, CSIDL_COMMON_APPDATA, NULL, SHGFP_TYPE_CURRENT, common);
    return std::wstring(common) + L"\\Sertavo\\Backup";
}

// The backups there, removed when asked.
std::vector<std::wstring> Backups(bool remove = false)
{
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW f;
    HANDLE h = FindFirstFileW((BackupFolder() + L"\\registry-*.reg").c_str(), &f);
    for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileW(h, &f)) {
        found.push_back(BackupFolder() + L"\\" + f.cFileName);
        if (remove)
            DeleteFileW(found.back().c_str());
    }
    if (h != INVALID_HANDLE_VALUE)
        FindClose(h);
    return found;
}

bool HasOnly(const SeenBox& box, std::initializer_list<int> ids)
{
    return box.buttons == std::vector<int>(ids);
}

// The shell restart's command line, for this program's session.
std::wstring ExpectedShellRestartCommand()
{
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    return L"cmd /c taskkill /f /fi \"SESSION eq " + std::to_wstring(session) +
           L"\" /im explorer.exe & explorer.exe";
}

}  // namespace

TEST_CASE("the shell restart asks first; only Yes starts its hidden command")
{
    MainWindow w;
    FakeTools tools;
    tools.Install(L"cmd");
    MessageBoxWatcher boxes;

    boxes.answer = [](HWND box, const SeenBox&) { ClickBoxButton(box, IDNO); };
    w.Click(IDC_COMMAND1);
    REQUIRE(boxes.seen.size() == 1);
    const SeenBox& q = boxes.seen[0];
    CHECK(q.title == kHint);
    CHECK(q.text ==
          L"        刷新前请先保存好数据或者关闭其他已打开的程序后再进行,以免造成不必要的损失！");
    CHECK(HasOnly(q, {IDYES, IDNO}));
    CHECK(q.defaultButton == IDNO);
    CHECK(q.icon == IDI_INFORMATION);
    CHECK(q.owner == w.hwnd);
    CHECK(tools.StartedTools().empty());

    SUBCASE("Enter answers No")
    {
        boxes.answer = [](HWND, const SeenBox&) { PressKey(VK_RETURN); };
        w.Click(IDC_COMMAND1);
        CHECK(boxes.seen.size() == 2);
        CHECK(tools.StartedTools().empty());
    }
    SUBCASE("Yes restarts the shell without waiting or reporting")
    {
        boxes.answer = [](HWND box, const SeenBox&) { ClickBoxButton(box, IDYES); };
        w.Click(IDC_COMMAND1);
        CHECK(boxes.seen.size() == 1 + 1);
        REQUIRE(PumpUntil([&] { return tools.StartedTools().size() == 1; }));
        auto started = tools.StartedTools()[0];
        CHECK(SamePath(started.program, SystemToolPath(L"cmd")));
        CHECK(started.commandLine == ExpectedShellRestartCommand());
        CHECK(started.show == SW_HIDE);
    }
    SUBCASE("a Windows without taskkill.exe is told to log off and on, and nothing starts")
    {
        tools.RemoveFromSystem(L"taskkill");
        w.Click(IDC_COMMAND1);
        REQUIRE(boxes.seen.size() == 2);
        CHECK(boxes.seen[1].icon == IDI_ERROR);
        CHECK(HasOnly(boxes.seen[1], {IDOK}));
        CHECK(Contains(boxes.seen[1].text, L"taskkill.exe"));
        CHECK(Contains(boxes.seen[1].text, L"注销后重新登录"));
        CHECK(tools.StartedTools().empty());
    }
}

TEST_CASE("waited for, the shell restart is judged by a new taskbar, and refused as SYSTEM")
{
    FakeTools tools;
    ActionRun run = CommandLineRun(true);
    run.timeouts.newTaskbarMs = 1000;
    tools.Install(L"cmd");
    RestartShell(run);
    CHECK(!run.succeeded);
    CHECK(Contains(run.report, L"新的任务栏"));

    // The interpreter runs on with the new shell, past the time allowed.
    tools.InstallRaisingTaskbar(60 * 1000);
    run.timeouts.newTaskbarMs = 30 * 1000;
    RestartShell(run);
    CHECK(run.succeeded);
    CHECK(!run.toolEnded);
    PostMessageW(FindWindowW(L"Shell_TrayWnd", L"stand-in"), WM_CLOSE, 0, 0);

    // As SYSTEM, neither the restart nor the forum's browser starts.
    run.asLocalSystem = true;
    RestartShell(run);
    CHECK(!run.succeeded);
    CHECK(Contains(run.report, L"本地系统账户"));
    tools.Install(L"rundll32");
    OpenForum(run);
    CHECK(Contains(run.report, L"Ctrl+C"));
    CHECK(Contains(run.report, L"http://quillhaven.com/"));
    CHECK(tools.StartedTools().size() == 2);
}

TEST_CASE("the simple repair registers the shell library and reports what it saw")
{
    MainWindow w;
    FakeTools tools;
    MessageBoxWatcher boxes;

    SUBCASE("success once the system's registration tool has ended with 0")
    {
        // One lying beside the program never runs.
        tools.PlantBesideProgram(L"regsvr32");
        tools.Install(L"regsvr32", 0, 300);
        w.Click(IDC_COMMAND5);
        auto started = tools.StartedTools();
        REQUIRE(started.size() == 1);
        CHECK(SamePath(started[0].program, SystemToolPath(L"regsvr32")));
        CHECK(SamePath(started[0].currentFolder, SystemFolderPath()));
        CHECK(started[0].commandLine == L"regsvr32 /i  /s shell32.dll");
        CHECK(started[0].show == SW_SHOWNORMAL);
        REQUIRE(boxes.seen.size() == 1);
        CHECK(boxes.seen[0].text == L"简单功能修复成功，请试运行搜索功能看！");
        CHECK(boxes.seen[0].title == L"Sertavo");
        CHECK(boxes.seen[0].icon == IDI_INFORMATION);
        CHECK(HasOnly(boxes.seen[0], {IDOK}));
    }
    SUBCASE("an exit code other than 0 is reported as a failure")
    {
        tools.Install(L"regsvr32", 5);
        w.Click(IDC_COMMAND5);
        REQUIRE(boxes.seen.size() == 1);
        CHECK(boxes.seen[0].title == L"Sertavo");
        CHECK(boxes.seen[0].icon == IDI_ERROR);
        CHECK(Contains(boxes.seen[0].text, L"退出代码为 5"));
    }
    SUBCASE("a registration that does not end in time is reported as such")
    {
        tools.Install(L"regsvr32", 0, 3000);
        ActionRun run = ClickRun(w.hwnd);
        run.timeouts = {300, 300, 300, 300};
        RepairShellLibrary(run);
        REQUIRE(boxes.seen.size() == 1);
        CHECK(boxes.seen[0].icon == IDI_ERROR);
        CHECK(Contains(boxes.seen[0].text, L"秒内没有完成"));
    }
    SUBCASE("a tool that cannot be started is named, and the program goes on")
    {
        tools.InstallBroken(L"regsvr32");
        w.Click(IDC_COMMAND5);
        REQUIRE(boxes.seen.size() == 1);
        CHECK(boxes.seen[0].title == L"Sertavo");
        CHECK(boxes.seen[0].icon == IDI_ERROR);
        CHECK(Contains(boxes.seen[0].text, L"regsvr32 /i  /s shell32.dll"));
        CHECK(Contains(boxes.seen[0].text, L"193"));  // ERROR_BAD_EXE_FORMAT
        // The system's message names the program, not its placeholder.
        CHECK(Contains(boxes.seen[0].text, SystemToolPath(L"regsvr32")));
        CHECK(!Contains(boxes.seen[0].text, L"%1"));
        CHECK(IsWindow(w.hwnd));
        CHECK(IsWindowEnabled(w.hwnd));
    }
}

TEST_CASE("the intermediate repair starts its visible loop and reports nothing")
{
    MainWindow w;
    FakeTools tools;
    MessageBoxWatcher boxes;
    tools.Install(L"cmd");
    // The loop's interpreter expands %windir%: a caller's own must not reach it.
    SetEnvironmentVariableW(L"windir", L"C:\\users\\Public");
    w.Click(IDC_COMMAND6);
    SetEnvironmentVariableW(L"windir", WindowsFolderPath().c_str());
    REQUIRE(PumpUntil([&] { return tools.StartedTools().size() == 1; }));
    auto started = tools.StartedTools()[0];
    CHECK(started.commandLine ==
          L"cmd.exe /c  for %1 in (%windir%\\system32\\*.dll) do regsvr32.exe  /S %1");
    CHECK(started.show == SW_SHOWNORMAL);
    CHECK(started.windir == WindowsFolderPath());
    CHECK(boxes.seen.empty());

    FakeTools broken;
    broken.InstallBroken(L"cmd");
    w.Click(IDC_COMMAND6);
    REQUIRE(boxes.seen.size() == 1);
    CHECK(boxes.seen[0].title == L"Sertavo");
    CHECK(boxes.seen[0].icon == IDI_ERROR);
    CHECK(IsWindow(w.hwnd));
}

TEST_CASE("a registry button writes its payload fresh, imports it, and removes it after the report")
{
    MainWindow w;
    FakeTools tools;
    MessageBoxWatcher boxes;
    tools.Install(L"regedit");
    WriteValuesOf(IDR_PAYLOAD_REPAIR);

    // A file of that name is replaced by the program's own bytes.
    {
        NativeFileSystem native;
        HANDLE h = CreateFileW(kRepairFile.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        std::string other(4000, 'x');
        DWORD n;
        WriteFile(h, other.data(), static_cast<DWORD>(other.size()), &n, NULL);
        CloseHandle(h);
    }
    std::string whileReportOpen;
    std::wstring payloadFile = kRepairFile;
    boxes.whileShown = [&] { whileReportOpen = FileBytes(payloadFile); };
    w.Click(IDC_COMMAND2);

    auto started = tools.StartedTools();
    REQUIRE(started.size() == 1);
    CHECK(started[0].commandLine == L"regedit /s c:\\windows\\system32\\Ytqv.reg");
    CHECK(started[0].show == SW_HIDE);
    REQUIRE(boxes.seen.size() == 1);
    CHECK(boxes.seen[0].text == L"“修复注册表”成功，刷新后即可生效！");
    CHECK(boxes.seen[0].title == kHint);
    CHECK(boxes.seen[0].icon == IDI_INFORMATION);
    CHECK(whileReportOpen.size() == 1770);
    CHECK(whileReportOpen == PayloadBytes(IDR_PAYLOAD_REPAIR));
    CHECK(whileReportOpen.compare(0, 4, std::string("\xFF\xFE\x57\x00", 4)) == 0);
    CHECK(!FileExists(kRepairFile));

    WriteValuesOf(IDR_PAYLOAD_RESTORE);
    payloadFile = kRestoreFile;
    w.Click(IDC_COMMAND3);
    started = tools.StartedTools();
    REQUIRE(started.size() == 2);
    CHECK(started[1].commandLine == L"regedit /s c:\\windows\\system32\\Ntqv.reg");
    REQUIRE(boxes.seen.size() == 2);
    CHECK(boxes.seen[1].text == L"“恢复注册表”成功，刷新后即可生效！");
    CHECK(whileReportOpen.size() == 1610);
    CHECK(!FileExists(kRestoreFile));
}

TEST_CASE("registry buttons report each failing step honestly")
{
    MainWindow w;
    FakeTools tools;
    MessageBoxWatcher boxes;
    WriteValuesOf(IDR_PAYLOAD_REPAIR);

    SUBCASE("the payload cannot be written: the path is a directory")
    {
        tools.Install(L"regedit");
        REQUIRE(CreatePayloadPathAsFolder(true));
        w.Click(IDC_COMMAND2);
        CHECK(CreatePayloadPathAsFolder(false));
        REQUIRE(boxes.seen.size() == 1);
        CHECK(boxes.seen[0].icon == IDI_ERROR);
        CHECK(boxes.seen[0].title == kHint);
        CHECK(Contains(boxes.seen[0].text, L"无法写入"));
        CHECK(tools.StartedTools().empty());
    }
    SUBCASE("no backup, no change: a file stands where the backup folder goes")
    {
        tools.Install(L"regedit");
        WriteValuesOf(IDR_PAYLOAD_REPAIR, L"stale");
        Backups(true);
        RemoveDirectoryW(BackupFolder().c_str());
        CreateDirectoryW(BackupFolder().substr(0, BackupFolder().rfind(L'\\')).c_str(), NULL);
        CloseHandle(
            CreateFileW(BackupFolder().c_str(), GENERIC_WRITE, 0, NULL, CREATE_NEW, 0, NULL));
        w.Click(IDC_COMMAND2);
        DeleteFileW(BackupFolder().c_str());
        REQUIRE(boxes.seen.size() == 1);
        CHECK(boxes.seen[0].icon == IDI_ERROR);
        CHECK(Contains(boxes.seen[0].text, BackupFolder()));
        CHECK(tools.StartedTools().empty());

        // Which folders found there may hold backups, by their descriptors.
        // Windows XP's All Users\Application Data hands Users the right to
        // add files and folders; what is only handed down does not count.
        std::vector<BYTE> self = ProcessUser(GetCurrentProcess());
        struct {
            const wchar_t* sddl;
            const wchar_t* why;  // nullptr: trusted
        } const folders[] = {
            {L"O:BAD:AI(A;OICIID;FA;;;SY)(A;OICIID;FA;;;BA)(A;OICIIOID;GA;;;CO)"
             L"(A;OICIID;0x1200a9;;;BU)(A;CIID;0x100006;;;BU)",
             L"BUILTIN\\Users 可以在其中写入"},
            {L"O:SYD:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)(D;;FA;;;WD)", nullptr},
        };
        for (const auto& f : folders) {
            CAPTURE(std::wstring(f.sddl));
            PSECURITY_DESCRIPTOR sd = NULL;
            REQUIRE(ConvertStringSecurityDescriptorToSecurityDescriptorW(f.sddl, SDDL_REVISION_1,
                                                                         &sd, NULL));
            std::wstring why = WhyFolderIsUntrusted(FILE_ATTRIBUTE_DIRECTORY, sd, SidOf(self));
            CHECK((f.why ? Contains(why, f.why) : why.empty()));
            LocalFree(sd);
        }
    }
    SUBCASE("the registry editor exits with an error")
    {
        tools.Install(L"regedit", 3);
        w.Click(IDC_COMMAND2);
        REQUIRE(boxes.seen.size() == 1);
        CHECK(boxes.seen[0].icon == IDI_ERROR);
        CHECK(Contains(boxes.seen[0].text, L"退出代码为 3"));
    }
    SUBCASE("the registry editor does not finish in time")
    {
        tools.Install(L"regedit", 0, 3000);
        ActionRun run = ClickRun(w.hwnd);
        run.timeouts = {300, 300, 300, 300};
        RepairRegistry(run);
        REQUIRE(boxes.seen.size() == 1);
        CHECK(boxes.seen[0].icon == IDI_ERROR);
        CHECK(Contains(boxes.seen[0].text, L"秒内没有完成"));
    }
    SUBCASE("a value does not read back: the first one is named, with the rights it needs")
    {
        tools.Install(L"regedit");
        WriteValuesOf(IDR_PAYLOAD_REPAIR, L"stale");
        w.Click(IDC_COMMAND2);
        REQUIRE(boxes.seen.size() == 1);
        CHECK(boxes.seen[0].icon == IDI_ERROR);
        CHECK(Contains(boxes.seen[0].text, L"HKEY_CURRENT_USER\\" CABINET));
        CHECK(Contains(boxes.seen[0].text, L"Use Search Asst"));
        CHECK(Contains(boxes.seen[0].text, L"管理员权限"));
    }
    SUBCASE("the file cannot be removed after the import: a second box names it")
    {
        tools.Install(L"regedit");
        // Held open, without sharing its deletion, while the report is shown.
        HANDLE held = INVALID_HANDLE_VALUE;
        boxes.whileShown = [&] {
            NativeFileSystem native;
            if (held == INVALID_HANDLE_VALUE)
                held =
                    CreateFileW(kRepairFile.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
        };
        w.Click(IDC_COMMAND2);
        CHECK(held != INVALID_HANDLE_VALUE);
        CloseHandle(held);
        REQUIRE(boxes.seen.size() == 2);
        CHECK(boxes.seen[0].icon == IDI_INFORMATION);
        CHECK(boxes.seen[1].icon == IDI_WARNING);
        CHECK(Contains(boxes.seen[1].text, L"无法删除"));
        CHECK(Contains(boxes.seen[1].text, kRepairFile));
        NativeFileSystem native;
        DeleteFileW(kRepairFile.c_str());
    }
    SUBCASE("the registry editor cannot be started")
    {
        tools.InstallBroken(L"regedit");
        w.Click(IDC_COMMAND2);
        REQUIRE(boxes.seen.size() == 1);
        CHECK(boxes.seen[0].title == kHint);
        CHECK(Contains(boxes.seen[0].text, L"regedit /s c:\\windows\\system32\\Ytqv.reg"));
    }
    CHECK(!FileExists(kRepairFile));
    CHECK(IsWindow(w.hwnd));
}

TEST_CASE("end to end: the registry really imports both sets")
{
    MainWindow w;
    FakeTools tools;
    tools.InstallImportingEditor();
    MessageBoxWatcher boxes;
    // The user's own state: values of theirs, one value and one key absent.
    WriteValuesOf(IDR_PAYLOAD_REPAIR, L"stale");
    HKEY key;
    RegOpenKeyExW(HKEY_LOCAL_MACHINE, NAMESPACE, 0, KEY_ALL_ACCESS | NativeRegistryView(), &key);
    RegDeleteKeyW(key, L"{1f4de370-d627-11d1-ba4f-00a0c91eedba}");
    HKEY sub;
    RegOpenKeyExW(key, L"{450D8FBA-AD25-11D0-98A8-0800361B1103}", 0, KEY_SET_VALUE, &sub);
    RegDeleteValueW(sub, L"Removal Message");
    RegCloseKey(sub);
    RegCloseKey(key);
    const std::vector<std::wstring> before = ValuesIn(IDR_PAYLOAD_REPAIR);
    Backups(true);

    // One backup before the change; a repair that changes nothing makes none.
    w.Click(IDC_COMMAND2);
    w.Click(IDC_COMMAND2);
    REQUIRE(boxes.seen.size() == 2);
    CHECK(boxes.seen[0].text == L"“修复注册表”成功，刷新后即可生效！");
    CHECK(ValuesIn(IDR_PAYLOAD_REPAIR) == DataOf(IDR_PAYLOAD_REPAIR));
    auto backups = Backups();
    REQUIRE(backups.size() == 1);
    {
        // Imported as a user would, by the native registry tool.
        NativeFileSystem native;
        CHECK(RunCapturingOutput(SystemFolderPath() + L"\\reg.exe",
                                 L"reg import \"" + backups[0] + L"\"")
                  .exitCode == 0);
    }
    CHECK(ValuesIn(IDR_PAYLOAD_REPAIR) == before);
    CHECK(RegOpenKeyExW(HKEY_LOCAL_MACHINE, NAMESPACE L"\\{1f4de370-d627-11d1-ba4f-00a0c91eedba}",
                        0, KEY_READ | NativeRegistryView(), &key) == ERROR_FILE_NOT_FOUND);

    // The keys stay; the values are empty.
    w.Click(IDC_COMMAND3);
    REQUIRE(boxes.seen.size() == 3);
    CHECK(boxes.seen[2].text == L"“恢复注册表”成功，刷新后即可生效！");
    CHECK(ValuesIn(IDR_PAYLOAD_RESTORE) == DataOf(IDR_PAYLOAD_RESTORE));
    CHECK(!FileExists(kRepairFile));
    CHECK(!FileExists(kRestoreFile));

    // An XP installed elsewhere (C:\WINNT after an upgrade from Windows 2000).
    ActionRun run = ClickRun(w.hwnd);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    run.systemFolder = std::wstring(temp) + L"WINNT";
    CreateDirectoryW(run.systemFolder.c_str(), NULL);
    RepairRegistry(run);
    CHECK(run.succeeded);
    CHECK(tools.StartedTools().back().commandLine ==
          L"regedit /s " + run.systemFolder + L"\\Ytqv.reg");
    CHECK(!FileExists(run.systemFolder + L"\\Ytqv.reg"));
}

TEST_CASE("on 64-bit Windows the actions change the native system, where the 64-bit shell looks" *
          doctest::test_suite("wow64"))
{
    // Only a 32-bit build on 64-bit Windows runs under WOW64.
    REQUIRE(RunsUnderWow64());
    MainWindow w;
    FakeTools tools;
    MessageBoxWatcher boxes;

    // The recorder is in the native system folder; in SysWOW64 only Wine's
    // own tool lies, which the test run's override keeps from starting.
    tools.Install(L"regsvr32");
    w.Click(IDC_COMMAND5);
    REQUIRE(boxes.seen.size() == 1);
    CHECK(boxes.seen[0].text == L"简单功能修复成功，请试运行搜索功能看！");
    CHECK(tools.StartedTools().size() == 1);

    // Stale values in both views: success can only come from the import
    // into the native view, read back from there.
    tools.InstallImportingEditor();
    WriteValuesOf(IDR_PAYLOAD_REPAIR, L"stale", KEY_WOW64_32KEY);
    WriteValuesOf(IDR_PAYLOAD_REPAIR, L"stale", KEY_WOW64_64KEY);
    w.Click(IDC_COMMAND2);
    REQUIRE(boxes.seen.size() == 2);
    CHECK(boxes.seen[1].text == L"“修复注册表”成功，刷新后即可生效！");
    CHECK(ValuesIn(IDR_PAYLOAD_REPAIR, KEY_WOW64_64KEY) == DataOf(IDR_PAYLOAD_REPAIR));

    w.Click(IDC_COMMAND3);
    REQUIRE(boxes.seen.size() == 3);
    CHECK(boxes.seen[2].text == L"“恢复注册表”成功，刷新后即可生效！");
    CHECK(ValuesIn(IDR_PAYLOAD_RESTORE, KEY_WOW64_64KEY) == DataOf(IDR_PAYLOAD_RESTORE));
    CHECK(!FileExists(kRepairFile));
    CHECK(!FileExists(kRestoreFile));
}

namespace {
MainWindow* g_window;
bool g_enabledDuringWait, g_waitCursorShown;

void CALLBACK DuringTheWait(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    g_enabledDuringWait = IsWindowEnabled(g_window->hwnd) != FALSE;
    g_waitCursorShown = IsActionWaiting();
    // A real click on another button, and a request to close.
    HWND other = (*g_window)[IDC_COMMAND6];
    RECT r;
    GetWindowRect(other, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    INPUT click[2] = {};
    click[0].type = click[1].type = INPUT_MOUSE;
    click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, click, sizeof(INPUT));
    PressKey(VK_SPACE);
}

void CALLBACK CloseTheWindow(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(NULL, timer);
    PostMessageW(g_window->hwnd, WM_CLOSE, 0, 0);
}
}  // namespace

TEST_CASE("while an action waits, the window takes no input, and a close waits for the action")
{
    MainWindow w;
    g_window = &w;
    FakeTools tools;
    MessageBoxWatcher boxes;
    tools.Install(L"regsvr32", 0, 1500);
    tools.Install(L"cmd");
    SetFocus(w[IDC_COMMAND5]);

    MessageLog log;
    RecordMessages(w.hwnd, &log);
    SetTimer(NULL, 0, 200, DuringTheWait);
    w.Click(IDC_COMMAND5);
    StopRecording(w.hwnd);
    CHECK(!g_enabledDuringWait);
    CHECK(g_waitCursorShown);
    REQUIRE(boxes.seen.size() == 1);
    // Disabled for the wait, enabled again, and only then disabled by the
    // report box (which enables it when it closes).
    std::vector<WPARAM> enables;
    for (const MessageLog::Entry& e : log.entries)
        if (e.msg == WM_ENABLE)
            enables.push_back(e.wp);
    CHECK(enables == std::vector<WPARAM>{FALSE, TRUE, FALSE, TRUE});
    PumpUntil([] { return false; }, 300, TranslateFormMessage);
    auto started = tools.StartedTools();
    REQUIRE(started.size() == 1);
    CHECK(started[0].tool == L"regsvr32");

    // The focus is back on the button, and Space clicks it again.
    CHECK(GetFocus() == w[IDC_COMMAND5]);
    PressKey(VK_SPACE);
    CHECK(PumpUntil([&] { return boxes.seen.size() == 2; }, 10000, TranslateFormMessage));
    CHECK(tools.StartedTools().size() == 2);

    // A close asked for during the wait happens once the action is over.
    tools.Install(L"regsvr32", 0, 800);
    SetTimer(NULL, 0, 200, CloseTheWindow);
    w.Click(IDC_COMMAND5);
    CHECK(boxes.seen.size() == 3);
    CHECK(PumpUntil([&] { return !IsWindow(w.hwnd); }));
    CHECK(g_unloads == 1);
}

namespace {

// The program built from these sources, started as its own process with the
// arguments given, as a script starts it; its lines of output.
struct ProgramRun {
    DWORD exitCode;
    std::vector<std::wstring> lines;
};

std::vector<std::wstring> Lines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    for (size_t pos = 0, end; pos < text.size(); pos = end + 2) {
        end = text.find(L"\r\n", pos);
        if (end == std::wstring::npos)
            end = text.size();
        lines.push_back(text.substr(pos, end - pos));
    }
    return lines;
}

ProgramRun RunProgramWith(const std::wstring& arguments)
{
    std::wstring exe = WindowsPathFromEnv("SERTAVO_EXE");
    REQUIRE(!exe.empty());
    // Generous: a 32-bit build may run emulated, a minute for each start.
    const DWORD kPatience = 15 * 60 * 1000;
    CapturedRun run = RunCapturingOutput(exe, L"\"" + exe + L"\" " + arguments, kPatience);
    // A box or a window would have kept it from ending.
    REQUIRE(!run.timedOut);
    // Redirected, it writes in the code page of the console, or else the
    // OEM code page: the one of this process too.
    return ProgramRun{run.exitCode, Lines(Decode(CP_OEMCP, run.output))};
}

std::wstring TempFile(const wchar_t* name)
{
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    return std::wstring(folder) + name;
}

// A Windows path as Wine's Unix side names it.
std::string UnixPath(const std::wstring& path)
{
    auto unixName = reinterpret_cast<char*(CDECL*)(const wchar_t*)>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    char* name = unixName ? unixName(path.c_str()) : nullptr;
    REQUIRE(name);
    std::string unixPath = name;
    HeapFree(GetProcessHeap(), 0, name);
    return unixPath;
}

// Makes what Windows cannot make, through a Unix shell, which Wine starts
// for a Windows program: another owner, Unix modes, symbolic links.
void RunUnixShell(const std::string& command)
{
    std::wstring line = L"/bin/sh -c \"(" + FromUtf8(command) + L") 2>/dev/null\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    REQUIRE(CreateProcessW(NULL, &line[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi));
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
}

// The fields of a log's line.
enum LogField { kTime, kComputer, kAccount, kWindows, kAction, kCommand, kExit, kResult, kValues };
const char kLogStart[] = "\xEF\xBB\xBF#Fields: time\tcomputer\taccount\twindows\taction\t";

// The log's lines but its headings, each split at its tabs; byteOrderMarks
// counts the marks, headings the lines that begin with "#".
std::vector<std::vector<std::wstring>> LogLines(const std::wstring& path, size_t* byteOrderMarks,
                                                size_t* headings = nullptr)
{
    std::string bytes = FileBytes(path);
    const std::string mark = "\xEF\xBB\xBF";
    *byteOrderMarks = 0;
    if (headings)
        *headings = 0;
    for (size_t at = bytes.find(mark); at != std::string::npos; at = bytes.find(mark, at + 1))
        ++*byteOrderMarks;
    std::vector<std::vector<std::wstring>> lines;
    for (const std::wstring& line :
         Lines(FromUtf8(bytes.compare(0, 3, mark) == 0 ? bytes.substr(3) : bytes))) {
        if (line[0] == L'#') {
            if (headings)
                ++*headings;
            continue;
        }
        std::vector<std::wstring> fields;
        for (size_t from = 0, tab;; from = tab + 1) {
            tab = line.find(L'\t', from);
            fields.push_back(line.substr(from, tab - from));
            if (tab == std::wstring::npos)
                break;
        }
        lines.push_back(fields);
    }
    return lines;
}

bool IsLocalTimeStamp(const std::wstring& s)
{
    // 2024-05-01T09:30:00+08:00
    const wchar_t shape[] = L"dddd-dd-ddTdd:dd:dd+dd:dd";
    if (s.size() != sizeof shape / sizeof shape[0] - 1)
        return false;
    for (size_t i = 0; i < s.size(); ++i)
        if (shape[i] == L'd'   ? !iswdigit(s[i])
            : shape[i] == L'+' ? s[i] != L'+' && s[i] != L'-'
                               : s[i] != shape[i])
            return false;
    return true;
}

}  // namespace

TEST_CASE(
    "the command line runs the buttons' actions in order, with no window, and logs a line for each")
{
    FakeTools tools;
    tools.Install(L"regsvr32");
    tools.InstallRaisingTaskbar(2000);
    tools.InstallImportingEditor();
    WriteValuesOf(IDR_PAYLOAD_REPAIR, L"stale");
    // The backup folder the first registry action makes serves the second.
    RunUnixShell("rm -rf '" + UnixPath(BackupFolder().substr(0, BackupFolder().rfind(L'\\'))) + "'");
    // Made empty beforehand, as an administrator sets a log's rights.
    std::wstring log = TempFile(L"sertavo-command-line.log");
    CloseHandle(CreateFileW(log.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL));

    // Switches in any case, with "-" as well as "/".
    ProgramRun run =
        RunProgramWith(L"/quiet /LOG \"" + log +
                       L"\" /repair-shell -Repair-Registry /register-all /RESTART-SHELL");
    CHECK(run.exitCode == 0);
    REQUIRE(run.lines.size() == 4);
    CHECK(run.lines[0] == L"/repair-shell OK 成功");
    CHECK(run.lines[1].find(L"/repair-registry OK 成功；备份：" + BackupFolder()) == 0);
    CHECK(run.lines[2] == L"/register-all OK 成功");
    CHECK(run.lines[3] == L"/restart-shell OK 成功");
    auto started = tools.StartedTools();
    REQUIRE(started.size() == 4);
    CHECK(started[0].commandLine == L"regsvr32 /i  /s shell32.dll");
    CHECK(started[1].commandLine == L"regedit /s c:\\windows\\system32\\Ytqv.reg");
    CHECK(started[2].commandLine ==
          L"cmd.exe /c  for %1 in (%windir%\\system32\\*.dll) do regsvr32.exe  /S %1");
    CHECK(started[2].show == SW_HIDE);
    CHECK(started[3].commandLine == ExpectedShellRestartCommand());
    CHECK(ValuesIn(IDR_PAYLOAD_REPAIR) == DataOf(IDR_PAYLOAD_REPAIR));
    CHECK(!FileExists(kRepairFile));

    size_t marks = 0, headings = 0;
    CHECK(FileBytes(log).compare(0, sizeof kLogStart - 1, kLogStart) == 0);
    auto lines = LogLines(log, &marks, &headings);
    CHECK(marks == 1);
    CHECK(headings == 1);
    REQUIRE(lines.size() == 4);
    const wchar_t* actions[] = {L"/repair-shell", L"/repair-registry", L"/register-all",
                                L"/restart-shell"};
    wchar_t computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    GetComputerNameW(computer, &size);
    std::vector<BYTE> user = ProcessUser(GetCurrentProcess());
    for (size_t i = 0; i < 4; ++i) {
        CAPTURE(i);
        REQUIRE(lines[i].size() >= 8);
        CHECK(IsLocalTimeStamp(lines[i][kTime]));
        CHECK(lines[i][kComputer] == computer);
        CHECK(lines[i][kAccount] == AccountName(SidOf(user)));
        CHECK(lines[i][kWindows] == VersionText(RealWindowsVersion()));
        CHECK(lines[i][kAction] == actions[i]);
        CHECK(lines[i][kCommand] == started[i].commandLine);
        // The restart's interpreter runs on with the new shell.
        CHECK(lines[i][kExit] == (i == 3 ? L"-" : L"0"));
        CHECK(lines[i][kResult] == L"成功");
    }
    // The registry action's line ends with the six values read back, and the
    // backup made before the import.
    REQUIRE(lines[1].size() == 10);
    CHECK(run.lines[1].find(lines[1][kValues + 1]) != std::wstring::npos);
    CHECK(Contains(lines[1][kValues],
                   L"HKEY_CURRENT_USER\\" CABINET L"\\Use Search Asst=\"no\""));
    CHECK(Contains(lines[1][kValues],
                   L"{e17d4fc0-5564-11d1-83f2-00a0c90dc849}\\@=\"Search Results Folder\""));
    CHECK(Contains(lines[1][kValues], L"Removal Message=\"@mydocs.dll,-900\""));

    // A second run appends to the same log.
    run = RunProgramWith(L"-quiet -log \"" + log + L"\" /restore-registry");
    CHECK(run.exitCode == 0);
    CHECK(ValuesIn(IDR_PAYLOAD_RESTORE) == DataOf(IDR_PAYLOAD_RESTORE));
    lines = LogLines(log, &marks, &headings);
    CHECK(marks == 1);
    CHECK(headings == 1);
    REQUIRE(lines.size() == 5);
    CHECK(lines[4][kAction] == L"/restore-registry");
    DeleteFileW(log.c_str());

    // A look first, which changes nothing: 3 when a value differs.
    size_t startedBefore = tools.StartedTools().size();
    run = RunProgramWith(L"/quiet /check");
    CHECK(run.exitCode == 3);
    REQUIRE(run.lines.size() == 7);
    CHECK(run.lines[0].find(
              L"DIFFERS 不同 HKEY_CURRENT_USER\\" CABINET L"\\Use Search Asst=\"\"") == 0);
    WriteValuesOf(IDR_PAYLOAD_REPAIR);
    CHECK(RunProgramWith(L"/quiet /check /repair-shell").exitCode == 0);
    CHECK(tools.StartedTools().size() == startedBefore + 1);

    // Runs that append at once, while another program holds the log, lose
    // no line.
    log = TempFile(L"sertavo-shared.log");
    HANDLE held =
        CreateFileW(log.c_str(), GENERIC_WRITE, FILE_SHARE_READ, NULL, CREATE_ALWAYS, 0, NULL);
    std::wstring exe = WindowsPathFromEnv("SERTAVO_EXE");
    PROCESS_INFORMATION runs[4];
    for (PROCESS_INFORMATION& pi : runs) {
        STARTUPINFOW si = {};
        si.cb = sizeof si;
        std::wstring line = L"\"" + exe + L"\" /quiet /log \"" + log + L"\" /repair-shell";
        REQUIRE(CreateProcessW(exe.c_str(), &line[0], NULL, NULL, FALSE, CREATE_NO_WINDOW, NULL,
                               NULL, &si, &pi));
        CloseHandle(pi.hThread);
    }
    PumpUntil([] { return false; }, 3000);
    CloseHandle(held);
    for (PROCESS_INFORMATION& pi : runs) {
        DWORD code = 1;
        WaitForSingleObject(pi.hProcess, 15 * 60 * 1000);
        GetExitCodeProcess(pi.hProcess, &code);
        CHECK(code == 0);
        CloseHandle(pi.hProcess);
    }
    CHECK(LogLines(log, &marks, &headings).size() == 4);
    CHECK(marks == 1);
    CHECK(headings == 1);
    DeleteFileW(log.c_str());
}

TEST_CASE("the command line stops at a failure with exit code 1, and runs nothing when it is wrong")
{
    FakeTools tools;
    tools.Install(L"regsvr32", 5);
    tools.Install(L"cmd");
    std::wstring log = TempFile(L"sertavo-command-line.log");
    DeleteFileW(log.c_str());

    ProgramRun run = RunProgramWith(L"/quiet /log \"" + log + L"\" /repair-shell /register-all");
    CHECK(run.exitCode == 1);
    REQUIRE(run.lines.size() == 1);
    CHECK(Contains(run.lines[0], L"/repair-shell FAILED 失败"));
    CHECK(tools.StartedTools().size() == 1);
    size_t marks = 0;
    auto lines = LogLines(log, &marks);
    REQUIRE(lines.size() == 1);
    REQUIRE(lines[0].size() == 8);
    CHECK(lines[0][kExit] == L"5");
    CHECK(Contains(lines[0][kResult], L"失败："));
    CHECK(Contains(lines[0][kResult], L"退出代码为 5"));

    // The usage says what was wrong.
    const std::wstring wrong[] = {L"/repair-shell /bogus /quiet", L"/quiet /repair-shell /log",
                                  L"/quiet /log \"" + log + L"\""};
    const wchar_t* why[] = {L"/bogus", L"/log", L"没有指定"};
    for (size_t i = 0; i < 3; ++i) {
        CAPTURE(i);
        run = RunProgramWith(wrong[i]);
        CHECK(run.exitCode == 2);
        REQUIRE(!run.lines.empty());
        CHECK(Contains(run.lines[0], L"命令行有误"));
        CHECK(Contains(run.lines[0], why[i]));
    }
    CHECK(tools.StartedTools().size() == 1);
    CHECK(LogLines(log, &marks).size() == 1);
    DeleteFileW(log.c_str());

    // A loop ended by Ctrl+C, or by closing its console.
    tools.Install(L"cmd", 0xC000013A);
    run = RunProgramWith(L"/quiet /register-all");
    CHECK(run.exitCode == 1);
    REQUIRE(run.lines.size() == 1);
    CHECK(Contains(run.lines[0], L"0xC000013A"));

    // Values that would split the log's line, or that are longer than most.
    tools.Install(L"regedit");
    std::wstring odd = L"a\tb\nc" + std::wstring(300, L'x');
    WriteValuesOf(IDR_PAYLOAD_REPAIR, odd.c_str());
    // Into a log of an earlier version, which has no heading.
    RunUnixShell("printf '\\357\\273\\2772024-05-01T09:30:00+08:00\\t/check\\t-\\t-\\tOK\\r\\n' > '" +
                 UnixPath(log) + "'");
    CHECK(RunProgramWith(L"/quiet /log \"" + log + L"\" /repair-registry").exitCode == 1);
    size_t headings = 0;
    lines = LogLines(log, &marks, &headings);
    CHECK(headings == 0);
    REQUIRE(lines.size() == 2);
    REQUIRE(lines[1].size() == 10);
    CHECK(Contains(lines[1][kValues],
                   L"Use Search Asst=\"a\\tb\\nc" + std::wstring(300, L'x') + L"\""));
    DeleteFileW(log.c_str());

    // A log path that names a folder is found before anything runs.
    size_t startedBefore = tools.StartedTools().size();
    std::wstring folder = TempFile(L"");
    folder.pop_back();
    run = RunProgramWith(L"/quiet /log \"" + folder + L"\" /repair-shell");
    CHECK(run.exitCode == 2);
    CHECK(tools.StartedTools().size() == startedBefore);
    REQUIRE(!run.lines.empty());
    CHECK(Contains(run.lines[0], L"文件夹"));
    CHECK(Contains(run.lines[0], folder));

    // A log that leads to another file, as a second name of it or as a
    // link, is refused before anything runs, and the other file stays as
    // it was.
    std::wstring other = TempFile(L"sertavo-other");
    RunUnixShell("rm -rf '" + UnixPath(other) + "' '" + UnixPath(log) + "'; echo hosts > '" +
                 UnixPath(other) + "'; ln '" + UnixPath(other) + "' '" + UnixPath(log) + "'");
    for (const wchar_t* why : {L"硬链接", L"链接"}) {
        run = RunProgramWith(L"/quiet /log \"" + log + L"\" /repair-shell");
        CHECK(run.exitCode == 1);
        REQUIRE(run.lines.size() > 1);
        CHECK(Contains(run.lines[1], why));
        CHECK(FileBytes(other) == "hosts\n");
        RunUnixShell("rm -f '" + UnixPath(log) + "'; mkdir '" + UnixPath(other) + ".d'; ln -s '" +
                     UnixPath(other) + ".d' '" + UnixPath(log) + "'");
    }
    CHECK(tools.StartedTools().size() == startedBefore);

    // A backup folder that is a link, another owner's or everyone's to
    // write, at either level: no backup, so no change.
    WriteValuesOf(IDR_PAYLOAD_REPAIR, L"stale");
    std::string top = UnixPath(BackupFolder().substr(0, BackupFolder().rfind(L'\\')));
    const std::string elsewhere = UnixPath(other) + ".d";
    const struct {
        std::string plant;  // makes the folder $d
        const wchar_t* why;
    } plants[] = {{"ln -s '" + elsewhere + "' $d", L"链接"},
                  {"mkdir $d && chown nobody $d", L"所有者"},
                  {"mkdir -m 777 $d", L"可以在其中写入"}};
    for (const std::string& level : {top, top + "/Backup"}) {
        for (const auto& p : plants) {
            CAPTURE(level);
            CAPTURE(std::wstring(p.why));
            RunUnixShell("d='" + level + "'; rm -rf '" + top + "'; mkdir -p '" + top +
                         "'; rmdir $d; " + p.plant);
            run = RunProgramWith(L"/quiet /repair-registry");
            CHECK(run.exitCode == 1);
            REQUIRE(!run.lines.empty());
            CHECK(Contains(run.lines[0], L"备份文件夹不可信"));
            CHECK(Contains(run.lines[0], p.why));
            CHECK(ValuesIn(IDR_PAYLOAD_REPAIR) == std::vector<std::wstring>(6, L"stale"));
            CHECK(Backups().empty());
        }
    }
    RunUnixShell("rm -rf '" + top + "' '" + UnixPath(other) + "' '" + UnixPath(log) + "'");
    // Nothing was written where the links led.
    CHECK(RemoveDirectoryW((other + L".d").c_str()));
    CHECK(tools.StartedTools().size() == startedBefore);
}

// Wine reports the Windows its AppDefaults key names to that program alone,
// from its next start on.
struct ProgramSeesWindows7 {
    const wchar_t* key = L"Software\\Wine\\AppDefaults\\Sertavo.exe";
    ProgramSeesWindows7()
    {
        HKEY k;
        REQUIRE(RegCreateKeyExW(HKEY_CURRENT_USER, key, 0, NULL, 0, KEY_SET_VALUE, NULL, &k,
                                NULL) == 0);
        RegSetValueExW(k, L"Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(L"win7"), 10);
        RegCloseKey(k);
    }
    ~ProgramSeesWindows7() { RegDeleteKeyW(HKEY_CURRENT_USER, key); }
};

TEST_CASE("on Windows 7 the repairs change nothing and say why; the shell restart still runs" *
          doctest::test_suite("win7"))
{
    // The test run has Wine report Windows 7 to this program as well.
    REQUIRE(RealWindowsVersion().major == 6);
    FakeTools tools;
    tools.Install(L"regsvr32");
    tools.Install(L"regedit");
    tools.InstallRaisingTaskbar(2000);
    WriteValuesOf(IDR_PAYLOAD_REPAIR, L"stale");
    const std::vector<std::wstring> before = ValuesIn(IDR_PAYLOAD_REPAIR);
    const int buttons[] = {IDC_COMMAND5, IDC_COMMAND6, IDC_COMMAND2, IDC_COMMAND3};
    const wchar_t* switches[] = {L"/repair-shell", L"/register-all", L"/repair-registry",
                                 L"/restore-registry"};
    MainWindow w;
    MessageBoxWatcher boxes;
    ProgramSeesWindows7 child;
    for (size_t i = 0; i < 4; ++i) {
        CAPTURE(i);
        w.Click(buttons[i]);
        REQUIRE(boxes.seen.size() == i + 1);
        CHECK(boxes.seen[i].title == L"Sertavo");
        CHECK(boxes.seen[i].icon == IDI_WARNING);
        CHECK(Contains(boxes.seen[i].text, L"只适用于 Windows XP 和 Windows Server 2003"));
        CHECK(Contains(boxes.seen[i].text, L"版本是 6.1"));

        ProgramRun run =
            RunProgramWith(std::wstring(L"/quiet ") + switches[i] + L" /restart-shell");
        CHECK(run.exitCode == 1);
        REQUIRE(run.lines.size() == 1);
        CHECK(run.lines[0].find(std::wstring(switches[i]) + L" FAILED 失败：这些修复只适用于") ==
              0);
    }
    CHECK(tools.StartedTools().empty());
    CHECK(!FileExists(kRepairFile));
    CHECK(!FileExists(kRestoreFile));
    CHECK(ValuesIn(IDR_PAYLOAD_REPAIR) == before);

    CHECK(RunProgramWith(L"/quiet /restart-shell").exitCode == 0);
    CHECK(tools.StartedTools().size() == 1);
}
