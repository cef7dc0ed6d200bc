#include "app_testing.h"
#include <algorithm>
#include "actions.h"
#include "forms.h"
#include "native.h"

int g_loads, g_unloads;
HWND g_loaded;

namespace {

BOOL RecordLoad(HWND hwnd)
{
    ++g_loads;
    g_loaded = hwnd;
    return TRUE;
}

BOOL RecordUnload(HWND)
{
    ++g_unloads;
    return TRUE;
}

std::wstring TestProgramFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(NULL, path, MAX_PATH);
    std::wstring p = path;
    return p.substr(0, p.find_last_of(L'\\') + 1);
}

MessageBoxWatcher* g_watcher;
UINT_PTR g_pollTimer;

const wchar_t* BoxIcon(HWND box)
{
    // The message box shows its icon in a static control of its own.
    const int kIconControl = 0x0440;
    auto icon = reinterpret_cast<HICON>(SendDlgItemMessageW(box, kIconControl, STM_GETICON, 0, 0));
    const wchar_t* known[] = {IDI_INFORMATION, IDI_ERROR, IDI_WARNING, IDI_QUESTION};
    for (const wchar_t* k : known)
        if (icon && icon == LoadIconW(NULL, k))
            return k;
    return nullptr;
}

std::wstring BoxText(HWND box)
{
    // The text is the static control with identifier 0xFFFF.
    wchar_t text[1024] = {};
    GetDlgItemTextW(box, 0xFFFF, text, 1024);
    return text;
}

void NoteAndAnswer(HWND box)
{
    SetPropW(box, L"TestBoxSeen", reinterpret_cast<HANDLE>(1));
    SeenBox s;
    wchar_t title[256] = {};
    GetWindowTextW(box, title, 256);
    s.title = title;
    s.text = BoxText(box);
    s.owner = GetWindow(box, GW_OWNER);
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO})
        if (GetDlgItem(box, id))
            s.buttons.push_back(id);
    s.defaultButton = 0;
    for (int id : s.buttons)
        if ((GetWindowLongW(GetDlgItem(box, id), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            s.defaultButton = id;
    s.icon = BoxIcon(box);
    g_watcher->seen.push_back(s);
    if (g_watcher->whileShown)
        g_watcher->whileShown();
    g_watcher->answer(box, s);
}

BOOL CALLBACK FindNewBox(HWND hwnd, LPARAM)
{
    wchar_t cls[16] = {};
    GetClassNameW(hwnd, cls, 16);
    if (lstrcmpW(cls, L"#32770") == 0 && IsWindowVisible(hwnd) && !GetPropW(hwnd, L"TestBoxSeen"))
        NoteAndAnswer(hwnd);
    return TRUE;
}

// A thread timer keeps firing inside the message box's own modal loop.
void CALLBACK PollForBoxes(HWND, UINT, UINT_PTR, DWORD)
{
    if (g_watcher)
        EnumThreadWindows(GetCurrentThreadId(), FindNewBox, 0);
}

}  // namespace

MainWindow::MainWindow()
{
    g_loads = g_unloads = 0;
    g_Form1LoadStep = RecordLoad;
    g_Form1UnloadStep = RecordUnload;
    // The pointer rests away from the window: a window that opens under it
    // gets pointer messages (the link reacts to them).
    SetCursorPos(0, 0);
    hwnd = ShowForm1();
    REQUIRE(hwnd != NULL);
    SetForegroundWindow(hwnd);
    PumpUntil([&] { return GetForegroundWindow() == hwnd; });
    PumpMessages(TranslateFormMessage);
}

MainWindow::~MainWindow()
{
    if (IsWindow(hwnd))
        DestroyWindow(hwnd);
    PumpMessages();
}

void MainWindow::Click(int id) const
{
    SendMessageW((*this)[id], BM_CLICK, 0, 0);
    PumpMessages(TranslateFormMessage);
}

std::wstring SystemToolPath(const wchar_t* tool)
{
    // The registry editor lives in the Windows folder, the others in the
    // system folder.
    std::wstring folder =
        lstrcmpiW(tool, L"regedit") == 0 ? WindowsFolderPath() : SystemFolderPath();
    return folder + L"\\" + tool + L".exe";
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

FakeTools::FakeTools()
{
    // The recorders write their records, and read their settings, beside
    // the test program, whichever folder they run from.
    std::wstring folder = TestProgramFolder();
    SetEnvironmentVariableW(L"SERTAVO_RECORDS", folder.substr(0, folder.size() - 1).c_str());
    DeleteFileW((folder + L"recorded.txt").c_str());
}

FakeTools::~FakeTools()
{
    // A recorder that was left waiting (a time-out test) holds its file
    // until it ends. A test that stopped half-way leaves the original beside
    // the tool, and the next test that replaces the tool puts it back; when
    // stand-ins nest, the inner one has put it back already.
    const DWORD kPatience = 5 * 60 * 1000;
    for (const std::wstring& path : replaced_)
        PumpUntil(
            [&] {
                NativeFileSystem native;
                std::wstring original = path + L".original";
                return !FileExists(original) || MoveFileExW(original.c_str(), path.c_str(),
                                                            MOVEFILE_REPLACE_EXISTING) != FALSE;
            },
            kPatience);
    for (const std::wstring& f : planted_)
        PumpUntil([&] { return DeleteFileW(f.c_str()) || GetLastError() == ERROR_FILE_NOT_FOUND; });
    DeleteFileW((TestProgramFolder() + L"recorded.txt").c_str());
}

// Puts the system's own file aside, once, and writes another in its place;
// a tool started earlier holds its file until it has ended, so wait for that.
void FakeTools::Replace(const std::wstring& path, const std::function<bool()>& write)
{
    REQUIRE(PumpUntil([&] {
        NativeFileSystem native;
        std::wstring original = path + L".original";
        if (!FileExists(original) && FileExists(path) && !MoveFileW(path.c_str(), original.c_str()))
            return false;
        return write();
    }));
    if (std::find(replaced_.begin(), replaced_.end(), path) == replaced_.end())
        replaced_.push_back(path);
}

void FakeTools::InstallRecorder(const wchar_t* tool, const std::string& config)
{
    std::wstring folder = TestProgramFolder();
    std::wstring recorder = TestToolPath(L"tool-recorder.exe");
    std::wstring exe = SystemToolPath(tool);
    Replace(exe, [&] { return CopyFileW(recorder.c_str(), exe.c_str(), FALSE) != FALSE; });
    std::wstring cfg = folder + tool + L".cfg";
    HANDLE h = CreateFileW(cfg.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    DWORD n;
    WriteFile(h, config.data(), static_cast<DWORD>(config.size()), &n, NULL);
    CloseHandle(h);
    planted_.push_back(cfg);
}

void FakeTools::Install(const wchar_t* tool, DWORD exitCode, DWORD delayMs)
{
    InstallRecorder(tool, std::to_string(exitCode) + " " + std::to_string(delayMs));
}

void FakeTools::InstallImportingEditor()
{
    InstallRecorder(L"regedit", "0 0 import");
}

void FakeTools::InstallRaisingTaskbar(DWORD stayMs)
{
    InstallRecorder(L"cmd", "0 " + std::to_string(stayMs) + " taskbar");
}

void FakeTools::InstallBroken(const wchar_t* tool)
{
    std::wstring exe = SystemToolPath(tool);
    Replace(exe, [&] {
        HANDLE h = CreateFileW(exe.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
        if (h == INVALID_HANDLE_VALUE)
            return false;
        DWORD n;
        WriteFile(h, "not a program", 13, &n, NULL);
        CloseHandle(h);
        return true;
    });
}

void FakeTools::PlantBesideProgram(const wchar_t* tool)
{
    std::wstring folder = TestProgramFolder();
    std::wstring exe = folder + tool + L".exe";
    REQUIRE(CopyFileW(TestToolPath(L"tool-recorder.exe").c_str(), exe.c_str(), FALSE));
    planted_.push_back(exe);
}

void FakeTools::RemoveFromSystem(const wchar_t* tool)
{
    Replace(SystemToolPath(tool), [] { return true; });
}

std::vector<FakeTools::Started> FakeTools::StartedTools() const
{
    std::vector<Started> started;
    std::wstring log = FromUtf8(FileBytes(TestProgramFolder() + L"recorded.txt"));
    size_t pos = 0;
    while (pos < log.size()) {
        size_t end = log.find(L'\n', pos);
        std::wstring line = log.substr(pos, end - pos);
        pos = end == std::wstring::npos ? log.size() : end + 1;
        std::vector<std::wstring> fields;
        for (size_t from = 0, tab;
             fields.size() < 5 && (tab = line.find(L'\t', from)) != std::wstring::npos;
             from = tab + 1)
            fields.push_back(line.substr(from, tab - from));
        if (fields.size() < 5)
            continue;
        size_t rest = 5;
        for (const std::wstring& f : fields)
            rest += f.size();
        started.push_back({fields[0], std::stoi(fields[1]), fields[2], fields[3], fields[4],
                           line.substr(rest)});
    }
    return started;
}

MessageBoxWatcher::MessageBoxWatcher()
{
    answer = [](HWND box, const SeenBox& s) { ClickBoxButton(box, s.buttons.at(0)); };
    g_watcher = this;
    g_pollTimer = SetTimer(NULL, 0, 30, PollForBoxes);
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    KillTimer(NULL, g_pollTimer);
    g_watcher = nullptr;
}

void ClickBoxButton(HWND box, int id)
{
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, id)));
}

std::wstring SystemFolderFile(const wchar_t* name)
{
    return std::wstring(L"c:\\windows\\system32\\") + name;
}

std::string FileBytes(const std::wstring& path)
{
    NativeFileSystem native;
    HANDLE h = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                           OPEN_EXISTING, 0, NULL);
    if (h == INVALID_HANDLE_VALUE)
        return std::string();
    std::string bytes(GetFileSize(h, NULL), '\0');
    DWORD n = 0;
    ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &n, NULL);
    CloseHandle(h);
    bytes.resize(n);
    return bytes;
}

bool FileExists(const std::wstring& path)
{
    NativeFileSystem native;
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Decode(UINT codePage, const std::string& s)
{
    std::wstring w(s.size(), L'\0');
    int n = MultiByteToWideChar(codePage, 0, s.data(), static_cast<int>(s.size()), &w[0],
                                static_cast<int>(w.size()));
    w.resize(n);
    return w;
}

std::wstring FromUtf8(const std::string& s)
{
    return Decode(CP_UTF8, s);
}

CapturedRun RunCapturingOutput(const std::wstring& application, std::wstring commandLine,
                               DWORD timeoutMs)
{
    SECURITY_ATTRIBUTES sa = {sizeof sa, NULL, TRUE};
    HANDLE read, write;
    REQUIRE(CreatePipe(&read, &write, &sa, 0));
    SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESTDHANDLES;
    si.hStdOutput = si.hStdError = write;
    PROCESS_INFORMATION pi;
    BOOL started = CreateProcessW(application.empty() ? NULL : application.c_str(), &commandLine[0],
                                  NULL, NULL, TRUE, CREATE_NO_WINDOW, NULL, NULL, &si, &pi);
    CloseHandle(write);
    if (!started)
        CloseHandle(read);
    REQUIRE(started);
    // Read while it runs, so that it never waits on a full pipe.
    CapturedRun run = {};
    DWORD begin = GetTickCount();
    for (bool ended = false; !ended;) {
        ended = WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0;
        DWORD available = 0;
        char buf[4096];
        DWORD n;
        while (PeekNamedPipe(read, NULL, 0, NULL, &available, NULL) && available &&
               ReadFile(read, buf, sizeof buf, &n, NULL) && n)
            run.output.append(buf, n);
        if (!ended && GetTickCount() - begin > timeoutMs) {
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, INFINITE);
            run.timedOut = true;
        }
    }
    GetExitCodeProcess(pi.hProcess, &run.exitCode);
    CloseHandle(read);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
    return run;
}
