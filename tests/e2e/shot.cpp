// sertavo-shot PROGRAM.exe OUT.bmp [HOT.bmp INSTRUCTIONS.bmp]
// Starts the program and waits until its main window has painted, then
// writes a screenshot of that window. Given the two further files, it also
// rests the pointer on the simple-repair button until its hot face has faded
// in and shoots the window again, then opens the instructions window with
// the instructions button and shoots that. Then it closes the program.
#include <cstdio>
#include <functional>
#include "../../app/form1.h"
#include "program.h"

namespace {

// The beautifier keeps a button's state on the button, where another
// process can read it.
const char kStateProp[] = "OLDSTATE";
const char kTimerProp[] = "TIMERID";
const INT_PTR kHot = 1;

// The program runs emulated on some machines: its answers may take long.
const DWORD kPatienceMs = 5 * 60 * 1000;

bool WaitFor(const std::function<bool()>& done)
{
    DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start > kPatienceMs)
            return false;
        MSG msg;
        while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageW(&msg);
        Sleep(20);
    }
    return true;
}

struct ControlSearch {
    int id;
    HWND found;
};

BOOL CALLBACK FindControlProc(HWND hwnd, LPARAM lp)
{
    auto* s = reinterpret_cast<ControlSearch*>(lp);
    if (GetDlgCtrlID(hwnd) != s->id)
        return TRUE;
    s->found = hwnd;
    return FALSE;
}

HWND ControlOf(HWND form, int id)
{
    ControlSearch s = {id, NULL};
    EnumChildWindows(form, FindControlProc, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

POINT CentreOf(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Wine hears of a pointer move again from the X server and may apply that
// late; the pointer is placed again until it stays.
bool PlacePointer(POINT p)
{
    return WaitFor([&] {
        POINT at;
        GetCursorPos(&at);
        if (at.x == p.x && at.y == p.y)
            return true;
        SetCursorPos(p.x, p.y);
        return false;
    });
}

bool ShootHotButton(HWND form, const wchar_t* path)
{
    HWND button = ControlOf(form, IDC_COMMAND5);
    return button && SetForegroundWindow(form) && PlacePointer(CentreOf(button)) && WaitFor([&] {
               return reinterpret_cast<INT_PTR>(GetPropA(button, kStateProp)) == kHot &&
                      !GetPropA(button, kTimerProp);
           }) &&
           SaveWindowShot(form, path);
}

// The instructions button hands over to the instructions window; closing
// that brings a fresh main window back, which becomes the program's again.
bool ShootInstructions(RunningProgram& program, const wchar_t* path)
{
    HWND before = program.main;
    PlacePointer({0, 0});
    PostMessageW(ControlOf(before, IDC_COMMAND4), BM_CLICK, 0, 0);
    HWND instructions = NULL;
    bool shot = WaitFor([&] {
        instructions = VisibleFormOf(program.pi.dwProcessId);
        return !IsWindow(before) && instructions;
    });
    if (shot) {
        WaitForInputIdle(program.pi.hProcess, kPatienceMs);
        RedrawWindow(instructions, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
        shot = SaveWindowShot(instructions, path);
    }
    PostMessageW(instructions, WM_CLOSE, 0, 0);
    WaitFor([&] {
        program.main = VisibleFormOf(program.pi.dwProcessId);
        return !IsWindow(instructions) && program.main;
    });
    return shot;
}

}  // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3 && argc != 5) {
        fwprintf(stderr, L"usage: sertavo-shot PROGRAM.exe OUT.bmp [HOT.bmp INSTRUCTIONS.bmp]\n");
        return 2;
    }
    RunningProgram program;
    if (!program.Start(argv[1], 15 * 60 * 1000)) {
        fwprintf(stderr, L"sertavo-shot: the main window did not appear\n");
        return 1;
    }
    bool saved = SaveWindowShot(program.main, argv[2]);
    if (saved && argc == 5) {
        saved = ShootHotButton(program.main, argv[3]) && ShootInstructions(program, argv[4]);
        if (!saved)
            fwprintf(stderr, L"sertavo-shot: the hot button or the instructions were not shot\n");
    }
    program.Close(kPatienceMs);
    return saved ? 0 : 1;
}
