#pragma once
#include "testing.h"
#include "form1.h"

// Load and unload steps that count their calls.
extern int g_loads, g_unloads;
extern HWND g_loaded;

// Opens the main window with recording load and unload steps, and makes sure
// it is gone again at the end of the test.
struct MainWindow {
    HWND hwnd;
    MainWindow();
    ~MainWindow();
    HWND operator[](int id) const { return Form1Control(hwnd, id); }
    // A click on a button, as its own processing gives it (BM_CLICK); the
    // action runs to its end before this returns.
    void Click(int id) const;
};

// Stand-ins for the system tools, put over the tools at their own paths for
// the length of a test (the system's own are put back afterwards). The test
// run has Wine load cmd.exe, regsvr32.exe, regedit.exe and rundll32.exe from
// those files (WINEDLLOVERRIDES), so while no stand-in is there, these tools
// cannot be started at all.
struct FakeTools {
    struct Started {
        std::wstring tool;
        int show;
        std::wstring program;  // the path it was started from
        std::wstring currentFolder;
        std::wstring windir;  // as its environment has it
        std::wstring commandLine;
    };
    FakeTools();
    ~FakeTools();
    // A recorder at the tool's path that exits with exitCode after delayMs.
    void Install(const wchar_t* tool, DWORD exitCode = 0, DWORD delayMs = 0);
    // A registry editor that records and then really imports its file.
    void InstallImportingEditor();
    // A command interpreter that raises a taskbar at once and ends after
    // stayMs, or when its taskbar is closed.
    void InstallRaisingTaskbar(DWORD stayMs);
    // A file at the tool's path that is no program at all.
    void InstallBroken(const wchar_t* tool);
    // A recorder under the tool's name beside the test program, where a
    // search by name would look first.
    void PlantBesideProgram(const wchar_t* tool);
    // The tool taken away from the system folder.
    void RemoveFromSystem(const wchar_t* tool);
    std::vector<Started> StartedTools() const;

private:
    void Replace(const std::wstring& path, const std::function<bool()>& write);
    void InstallRecorder(const wchar_t* tool, const std::string& config);
    std::vector<std::wstring> replaced_, planted_;
};

// The path of a system tool ("regsvr32", "regedit", ...) on this system.
std::wstring SystemToolPath(const wchar_t* tool);
bool SamePath(const std::wstring& a, const std::wstring& b);

// Watches the message boxes this thread shows, notes what each one says and
// answers it.
struct SeenBox {
    std::wstring title, text;
    HWND owner;
    std::vector<int> buttons;  // IDOK, IDYES, IDNO, ... present
    int defaultButton;
    const wchar_t* icon;  // IDI_INFORMATION, IDI_ERROR, ... or nullptr
};
struct MessageBoxWatcher {
    // Called when a box is shown; answers it. By default: its first button.
    std::function<void(HWND box, const SeenBox&)> answer;
    // Called while each box is shown, before it is answered.
    std::function<void()> whileShown;
    std::vector<SeenBox> seen;
    MessageBoxWatcher();
    ~MessageBoxWatcher();
};
void ClickBoxButton(HWND box, int id);

// A file at the fixed system-folder path the registry actions write to.
std::wstring SystemFolderFile(const wchar_t* name);
// Both look at the native system folder on 64-bit Windows, as the program
// writes there.
std::string FileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
std::wstring Decode(UINT codePage, const std::string& s);
std::wstring FromUtf8(const std::string& s);

// A program run as its own process to its end, what it wrote to its
// standard output and error read through a pipe. One that outlives the
// deadline is ended and marked.
struct CapturedRun {
    DWORD exitCode;
    std::string output;
    bool timedOut;
};
CapturedRun RunCapturingOutput(const std::wstring& application, std::wstring commandLine,
                               DWORD timeoutMs = 60000);
