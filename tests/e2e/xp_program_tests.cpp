// The Windows XP executable started as a user starts it. Where the kernel
// runs no 32-bit code it runs under an emulator: slow, hence long deadlines.
#include <process.h>
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

TEST_CASE("the XP program opens centred, closes when asked, and loads no msimg32.dll beside it")
{
    // msimg32 is no known library: Windows, and Wine under this run's override,
    // look for it beside the program first. No process can load an empty file.
    wchar_t temp[MAX_PATH] = {};
    std::wstring folder(temp, GetTempPathW(MAX_PATH, temp)), exe = folder + L"Sertavo.exe";
    REQUIRE(CopyFileW(WindowsPathFromEnv("SERTAVO_XP_EXE").c_str(), exe.c_str(), FALSE));
    CloseHandle(CreateFileW((folder + L"msimg32.dll").c_str(), GENERIC_WRITE, 0, NULL,
                            CREATE_ALWAYS, 0, NULL));
    CHECK(_wspawnl(_P_WAIT, exe.c_str(), L"Sertavo.exe", L"/quiet", L"/?", NULL) == 0);
    RunningProgram program;
    REQUIRE(program.Start(exe, kPatience));

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
