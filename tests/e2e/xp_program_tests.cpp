// The Windows XP executable started as a user starts it. Where the kernel
// runs no 32-bit code it runs under an emulator: slow, hence long deadlines.
#include "testing.h"
#include "program.h"

namespace {
const DWORD kPatience = 15 * 60 * 1000;

BOOL CALLBACK CountChildProc(HWND, LPARAM n)
{
    ++*reinterpret_cast<int*>(n);
    return TRUE;
}

int ChildCount(HWND hwnd)
{
    int n = 0;
    EnumChildWindows(hwnd, CountChildProc, reinterpret_cast<LPARAM>(&n));
    return n;
}
}  // namespace

TEST_CASE("the XP program opens its main window centred and closes when asked")
{
    RunningProgram program;
    REQUIRE(program.Start(WindowsPathFromEnv("SERTAVO_XP_EXE"), kPatience));

    wchar_t title[64] = {};
    GetWindowTextW(program.main, title, 64);
    CHECK(std::wstring(title) == L"Sertavo");
    RECT client;
    GetClientRect(program.main, &client);
    CHECK(client.right == 384);
    CHECK(client.bottom == 304);
    RECT r;
    GetWindowRect(program.main, &r);
    CHECK(abs(r.left + r.right - GetSystemMetrics(SM_CXSCREEN)) <= 1);
    CHECK(abs(r.top + r.bottom - GetSystemMetrics(SM_CYSCREEN)) <= 1);
    // Three frames, six buttons, two labels.
    CHECK(ChildCount(program.main) == 11);
    // The bare surface shows the system's button face.
    CHECK(ScreenPixel(program.main, 2, 300) == GetSysColor(COLOR_BTNFACE));

    CHECK(program.Close(kPatience) == 0);
}
