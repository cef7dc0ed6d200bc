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

// Stand-ins for the system tools, put next to the test program (where
// CreateProcess looks first) for the length of a test.
struct FakeTools {
    struct Started {
        std::wstring tool;
        int show;
        std::wstring commandLine;
    };
    FakeTools();
    ~FakeTools();
    // A recorder under the tool's name that exits with exitCode after delayMs.
    void Install(const wchar_t* tool, DWORD exitCode = 0, DWORD delayMs = 0);
    // A file under the tool's name that is no program at all.
    void InstallBroken(const wchar_t* tool);
    std::vector<Started> StartedTools() const;

  private:
    std::vector<std::wstring> files_;
};

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

// The Windows folder the actions write to, for this process.
std::wstring SystemFolderFile(const wchar_t* name);
std::string FileBytes(const std::wstring& path);
bool FileExists(const std::wstring& path);
