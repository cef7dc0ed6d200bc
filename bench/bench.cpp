// Times the beautified main window against the same window drawn by the
// system alone, and prints one table. Every figure is the median of many
// repetitions; nothing here passes or fails, the table only says whether a
// goal was met on the machine it ran on.
//
// Built with the counted beautifier (bench-counts), it counts instead what
// each operation costs in window-property calls and GDI creations, which no
// machine changes, and prints them as arguments for the timing run.
#include <windows.h>
#include <cpuid.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <vector>
#include "beautifier.h"
#include "attach.h"
#include "core/fade_timer.h"
#include "core/properties.h"
#include "draw/button_faces.h"
#include "draw/gdi.h"
#include "draw/strips.h"
#include "form1.h"

namespace {

LARGE_INTEGER g_frequency;

double NowMs()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(g_frequency.QuadPart);
}

void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, NULL, 0, 0, PM_REMOVE)) {
        if (TranslateFormMessage(&msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// Dispatches messages as they come until done() holds or ms have passed;
// waiting costs the thread no time.
void PumpUntil(const std::function<bool()>& done, double ms)
{
    double end = NowMs() + ms;
    for (double left; !done() && (left = end - NowMs()) > 0;) {
        MsgWaitForMultipleObjects(0, NULL, FALSE, static_cast<DWORD>(left) + 1, QS_ALLINPUT);
        Pump();
    }
}

void PumpFor(double ms)
{
    PumpUntil([] { return false; }, ms);
}

BOOL NoStep(HWND)
{
    return TRUE;
}

const int kButtons[] = {IDC_COMMAND1, IDC_COMMAND2, IDC_COMMAND3,
                        IDC_COMMAND4, IDC_COMMAND5, IDC_COMMAND6};

// The window as the program shows it, with or without the beautifier, up to
// the end of its first complete paint: the form and every child painted.
HWND Open(bool beautified)
{
    g_Form1LoadStep = beautified ? BeautifierAttach : NoStep;
    g_Form1UnloadStep = beautified ? BeautifierDetach : NoStep;
    HWND form = ShowForm1();
    RedrawWindow(form, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return form;
}

void Close(HWND form)
{
    SendMessageW(form, WM_CLOSE, 0, 0);
    Pump();
}

HWND LargestButton(HWND form)
{
    HWND largest = NULL;
    long area = -1;
    for (int id : kButtons) {
        RECT r;
        GetWindowRect(Form1Control(form, id), &r);
        long a = static_cast<long>(r.right - r.left) * (r.bottom - r.top);
        if (a > area)
            area = a, largest = Form1Control(form, id);
    }
    return largest;
}

// No fade running and no pointer inside any button.
bool Still(HWND form)
{
    for (int id : kButtons) {
        HWND b = Form1Control(form, id);
        if (GetWindowProp(b, kPropTimerId) || GetWindowProp(b, kPropMouseFlag))
            return false;
    }
    return true;
}

void Settle(HWND form)
{
    PumpFor(30);
    PumpUntil([=] { return Still(form); }, 5000);
}

// A click's notification stops at the button's parent while this runs, so
// that a click costs what the button and the beautifier do, and starts no
// action of the program.
WNDPROC g_parentProc;

LRESULT CALLBACK SwallowCommandProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
{
    if (msg == WM_COMMAND)
        return 0;
    return CallWindowProcW(g_parentProc, hwnd, msg, wp, lp);
}

struct CommandsSwallowed {
    HWND parent;
    explicit CommandsSwallowed(HWND button) : parent(GetParent(button))
    {
        g_parentProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
            parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SwallowCommandProc)));
    }
    ~CommandsSwallowed()
    {
        SetWindowLongPtrW(parent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_parentProc));
    }
};

LPARAM Middle(HWND hwnd)
{
    RECT r;
    GetWindowRect(hwnd, &r);
    return MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

// The operations whose cost is counted, each as the user or the system
// makes it happen on the main window that Open showed.
void FullRepaint(HWND form)
{
    RedrawWindow(form, NULL, NULL,
                 RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_FRAME | RDW_UPDATENOW);
}

// One tick of a fade half-way through, through the button's procedure.
void FadeStep(HWND button)
{
    SendMessageW(button, WM_TIMER, 1, 0);
}

// A move over a button the pointer is already in.
void MoveInside(HWND button)
{
    SendMessageW(button, WM_MOUSEMOVE, 0, Middle(button));
}

void Click(HWND button)
{
    SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, Middle(button));
    SendMessageW(button, WM_LBUTTONUP, 0, Middle(button));
}

// Window-property calls and GDI creations of one operation; -1 when not
// counted.
struct Cost {
    long props = -1, gdi = -1;
};

#ifndef BEAUTIFIER_GDI_ACCOUNTING

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// Adds the milliseconds of reps calls to t; between calls, whatever the
// call left queued is dispatched, untimed.
void Sample(std::vector<double>& t, int reps, const std::function<void()>& call,
            const std::function<void()>& after)
{
    for (int i = 0; i < reps; ++i) {
        double start = NowMs();
        call();
        t.push_back(NowMs() - start);
        after();
    }
}

double TimeIt(int reps, const std::function<void()>& call, const std::function<void()>& after)
{
    std::vector<double> t;
    Sample(t, reps, call, after);
    return Median(t);
}

double ThreadCpuMs()
{
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](FILETIME f) {
        return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// The smallest step in which the system counts the thread's time.
double ThreadCpuTickMs()
{
    double first = ThreadCpuMs(), now;
    double end = NowMs() + 200;
    while ((now = ThreadCpuMs()) == first && NowMs() < end) {
    }
    double second = now;
    while ((now = ThreadCpuMs()) == second && NowMs() < end) {
    }
    return now - second;
}

struct Fade {
    double cpuMs, wallMs;
};

// One hover of the largest button, from the pointer's arrival to the last
// step of the fade it starts, the steps driven by the button's own timer.
// The plain button has no fade: it is watched for wallMs all the same.
Fade Hover(HWND form, bool beautified, double wallMs)
{
    HWND b = LargestButton(form);
    RECT r;
    GetWindowRect(b, &r);
    SetCursorPos(0, 0);
    Settle(form);
    double cpu = ThreadCpuMs(), start = NowMs();
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageW(b, WM_MOUSEMOVE, 0, MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2));
    if (beautified) {
        bool started = false;
        PumpUntil(
            [&] {
                bool running = GetWindowProp(b, kPropTimerId) != 0;
                started = started || running;
                return started && !running;
            },
            5000);
    } else {
        PumpFor(wallMs);
    }
    Fade f = {ThreadCpuMs() - cpu, NowMs() - start};
    SetCursorPos(0, 0);
    Settle(form);
    return f;
}

// What the counting run reported, by operation, from arguments of the form
// name=props/gdi.
Cost CostFromArgs(int argc, char** argv, const char* name)
{
    size_t n = std::strlen(name);
    Cost c;
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], name, n) == 0 && argv[i][n] == '=')
            std::sscanf(argv[i] + n + 1, "%ld/%ld", &c.props, &c.gdi);
    return c;
}

struct Row {
    const char* figure;
    double beautified, plain;  // plain < 0: the system has nothing to compare
    const char* unit;
    double goal;
    bool goalIsRatio;
    Cost cost;
};

void PrintSystem()
{
    using WineVersion = const char*(CDECL*)();
    auto wine = reinterpret_cast<WineVersion>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version")));
    unsigned regs[12] = {};
    char brand[49] = {};
    for (unsigned i = 0; i < 3; ++i)
        __get_cpuid(0x80000002 + i, &regs[4 * i], &regs[4 * i + 1], &regs[4 * i + 2],
                    &regs[4 * i + 3]);
    std::memcpy(brand, regs, 48);
    const char* b = brand;
    while (*b == ' ')
        ++b;
    for (size_t n = std::strlen(brand); n > 0 && brand[n - 1] == ' ';)
        brand[--n] = '\0';
    SYSTEM_INFO si;
    GetNativeSystemInfo(&si);
    std::printf("Ran on: %s, %s; %u-bit build, %lu processors\n", wine ? "Wine" : "Windows",
                wine ? wine() : "", unsigned(8 * sizeof(void*)), si.dwNumberOfProcessors);
    std::printf("CPU: %s\n\n", b);
}

void PrintTable(const std::vector<Row>& rows)
{
    std::printf("| %-44s | %11s | %11s | %6s | %-10s | %-4s | %5s | %4s |\n", "figure",
                "beautified", "plain", "ratio", "goal", "met", "props", "GDI");
    std::printf(
        "|----------------------------------------------|-------------|-------------"
        "|--------|------------|------|-------|------|\n");
    for (const Row& r : rows) {
        char plain[32] = "-", ratio[16] = "-", goal[16] = "-";
        const char* met = "-";
        if (r.plain >= 0)
            std::snprintf(plain, sizeof plain, "%.3f %s", r.plain, r.unit);
        if (r.plain > 0)
            std::snprintf(ratio, sizeof ratio, "%.2f", r.beautified / r.plain);
        if (r.goal > 0) {
            bool ok = r.goalIsRatio ? r.plain > 0 && r.beautified / r.plain <= r.goal
                                    : r.beautified < r.goal;
            std::snprintf(goal, sizeof goal, r.goalIsRatio ? "<= %.1f x" : "< %g %s", r.goal,
                          r.unit);
            met = ok ? "yes" : "no";
        }
        char value[32], props[16] = "-", gdi[16] = "-";
        std::snprintf(value, sizeof value, "%.3f %s", r.beautified, r.unit);
        if (r.cost.props >= 0)
            std::snprintf(props, sizeof props, "%ld", r.cost.props);
        if (r.cost.gdi >= 0)
            std::snprintf(gdi, sizeof gdi, "%ld", r.cost.gdi);
        std::printf("| %-44s | %11s | %11s | %6s | %-10s | %-4s | %5s | %4s |\n", r.figure, value,
                    plain, ratio, goal, met, props, gdi);
    }
}

#endif

// Beautified, with the image strips already built: a hidden window stays
// attached meanwhile, so that no detach of the main window releases them.
struct StripsKept {
    HWND keeper = CreateWindowA("Static", "", 0, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    StripsKept() { BeautifierAttach(keeper); }
    ~StripsKept()
    {
        BeautifierDetach(keeper);
        DestroyWindow(keeper);
    }
    StripsKept(const StripsKept&) = delete;
    StripsKept& operator=(const StripsKept&) = delete;
};

// A button with a fade half-way through, as a tick finds it.
void StartFadeHalfWay(HWND button)
{
    SetFade(button, StateHot, 128);
    StartFadeTimer(button);
}

// The pointer in a button, entered and its fade done. Wine hears of a
// pointer move again from the X server, later, and may then report a leave:
// the move that is measured finds the button entered and the pointer over it
// all the same.
void RestIn(HWND button)
{
    RECT r;
    GetWindowRect(button, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    MoveInside(button);
    PumpUntil([=] { return !GetWindowProp(button, kPropTimerId); }, 5000);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    SetMouseInside(button, true);
}

#ifdef BEAUTIFIER_GDI_ACCOUNTING

template <class Operation>
Cost CostOf(Operation operation)
{
    long props = PropertyCallCount(), gdi = GdiCreationCount();
    operation();
    return {PropertyCallCount() - props, GdiCreationCount() - gdi};
}

int PrintCosts()
{
    StripsKept strips;
    HWND form = Open(false);
    Settle(form);
    Cost attach = CostOf([=] { BeautifierAttach(form); });
    Settle(form);
    Cost repaint = CostOf([=] { FullRepaint(form); });
    HWND big = LargestButton(form);
    StartFadeHalfWay(big);
    Cost fade = CostOf([=] { FadeStep(big); });
    StopFadeTimer(big);
    RestIn(big);
    Cost move = CostOf([=] { MoveInside(big); });
    Cost click;
    {
        CommandsSwallowed swallowed(big);
        click = CostOf([=] { Click(big); });
    }
    SetCursorPos(0, 0);
    Close(form);
    const std::pair<const char*, Cost> costs[] = {
        {"attach", attach}, {"repaint", repaint}, {"fade", fade}, {"move", move}, {"click", click}};
    for (const auto& [name, c] : costs)
        std::printf("%s=%ld/%ld ", name, c.props, c.gdi);
    std::printf("\n");
    return 0;
}

#else

int PrintTimes(int argc, char** argv)
{
    bool emulated = argc > 1 && std::strcmp(argv[1], "--emulated") == 0;
    SetCursorPos(0, 0);
    PrintSystem();
    if (emulated)
        std::printf(
            "This 32-bit program ran through an emulator: its times are not comparable"
            " with those of a machine that runs it natively.\n\n");
    std::vector<Row> rows;

    // Start-up, alternating so that both see the same machine; the first
    // round only warms the caches of the system and of Wine.
    const int kStarts = 40;
    std::vector<double> starts[2];
    for (int i = 0; i <= kStarts; ++i)
        for (int beautified = 0; beautified < 2; ++beautified) {
            double start = NowMs();
            HWND form = Open(beautified);
            double t = NowMs() - start;
            if (i > 0)
                starts[beautified].push_back(t);
            Close(form);
            PumpFor(10);
        }
    rows.push_back({"start-up: creation to first complete paint",
                    Median(starts[1]),
                    Median(starts[0]),
                    "ms",
                    1.5,
                    true,
                    {}});

    // Repaints, fade steps, moves and clicks in rounds that alternate the
    // two windows, so that both meet the machine's load alike.
    const int kRounds = 5, kFades = 9;
    std::vector<double> repaints[2], steps[2], moves[2], clicks[2];
    for (int round = 0; round < kRounds; ++round)
        for (int beautified = 1; beautified >= 0; --beautified) {
            HWND form = Open(beautified);
            Settle(form);
            Sample(
                repaints[beautified], 40, [=] { FullRepaint(form); }, Pump);
            HWND big = LargestButton(form);
            if (beautified) {
                Sample(
                    steps[1], 100, [=] { FadeStep(big); }, [=] { StartFadeHalfWay(big); });
                StopFadeTimer(big);
                RedrawWindow(form, NULL, NULL, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
            } else {
                Sample(
                    steps[0], 100,
                    [=] {
                        RedrawWindow(big, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
                    },
                    [] {});
            }
            RestIn(big);
            Sample(
                moves[beautified], 100, [=] { MoveInside(big); }, [] {});
            {
                CommandsSwallowed swallowed(big);
                Sample(
                    clicks[beautified], 40, [=] { Click(big); }, Pump);
            }
            SetCursorPos(0, 0);
            Close(form);
        }

    double fadeShare[2] = {}, fadeTotal[2] = {}, fadeWallMs = 0;
    for (int beautified = 1; beautified >= 0; --beautified) {
        HWND form = Open(beautified);
        Settle(form);
        // The beautified window goes first: the plain one is watched for as
        // long as its fades lasted.
        std::vector<double> share, wall;
        double cpuSum = 0, wallSum = 0;
        for (int i = 0; i < kFades; ++i) {
            Fade f = Hover(form, beautified, fadeWallMs);
            share.push_back(100 * f.cpuMs / f.wallMs);
            wall.push_back(f.wallMs);
            cpuSum += f.cpuMs;
            wallSum += f.wallMs;
        }
        fadeShare[beautified] = Median(share);
        fadeTotal[beautified] = 100 * cpuSum / wallSum;
        if (beautified)
            fadeWallMs = Median(wall);
        Close(form);
    }
    rows.push_back({"full repaint (RedrawWindow, all children)", Median(repaints[1]),
                    Median(repaints[0]), "ms", 1.5, true, CostFromArgs(argc, argv, "repaint")});
    rows.push_back({"fade step, largest button (plain: repaint)", Median(steps[1]),
                    Median(steps[0]), "ms", 0.3, false, CostFromArgs(argc, argv, "fade")});
    rows.push_back(
        {"hover fade: UI thread CPU / wall time", fadeShare[1], fadeShare[0], "%", 2, false, {}});
    rows.push_back({"mouse move over a button, pointer inside", Median(moves[1]), Median(moves[0]),
                    "ms", 0, false, CostFromArgs(argc, argv, "move")});
    rows.push_back({"click on a button (press and release)", Median(clicks[1]), Median(clicks[0]),
                    "ms", 0, false, CostFromArgs(argc, argv, "click")});

    // Attach and detach with the strips already built.
    HWND form = Open(false);
    Settle(form);
    double build = TimeIt(200, BuildImageStrips, ReleaseImageStrips);
    double release = TimeIt(200, ReleaseImageStrips, BuildImageStrips);
    ReleaseImageStrips();
    double attach, detach;
    {
        StripsKept strips;
        auto attachAgain = [=] {
            Pump();
            BeautifierAttach(form);
            Pump();
        };
        auto detachAgain = [=] {
            Pump();
            BeautifierDetach(form);
            Pump();
        };
        attach = TimeIt(
            100, [=] { BeautifierAttach(form); }, detachAgain);
        attachAgain();
        detach = TimeIt(
            100, [=] { BeautifierDetach(form); }, attachAgain);
        detachAgain();
    }
    Close(form);
    rows.push_back({"attach main window (strips built)", attach, -1, "ms", 0, false,
                    CostFromArgs(argc, argv, "attach")});
    rows.push_back({"detach main window (strips kept)", detach, -1, "ms", 0, false, {}});
    rows.push_back({"one-time: build the image strips", build, -1, "ms", 0, false, {}});
    rows.push_back({"one-time: release the image strips", release, -1, "ms", 0, false, {}});

    PrintTable(rows);
    std::printf(
        "\nHover fade: %.0f ms of wall time (86 steps of 15 ms), median of %d fades;"
        " the thread's time is counted in steps of %.1f ms. Over all %d fades: "
        "%.2f %% beautified, %.2f %% plain.\n",
        fadeWallMs, kFades, ThreadCpuTickMs(), kFades, fadeTotal[1], fadeTotal[0]);
    return 0;
}

#endif

}  // namespace

int main(int argc, char** argv)
{
    QueryPerformanceFrequency(&g_frequency);
#ifdef BEAUTIFIER_GDI_ACCOUNTING
    (void)argc;
    (void)argv;
    return PrintCosts();
#else
    return PrintTimes(argc, argv);
#endif
}
