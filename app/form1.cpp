#include "form1.h"
#include "actions.h"
#include "form2.h"
#include "beautifier.h"
#include "forms.h"
#include "owners.h"
#include "program.h"

WindowStep g_Form1LoadStep = BeautifierAttach;
WindowStep g_Form1UnloadStep = BeautifierDetach;

namespace {

const COLORREF kMagenta = RGB(255, 0, 255);
const COLORREF kBlue = RGB(0, 0, 255);
const COLORREF kRed = RGB(255, 0, 0);
const COLORREF kDarkTeal = RGB(0, 64, 64);

enum ControlType { Frame, PushButton, Label };

// The link's font comes twice: underlined at rest, plain under the pointer.
enum FontRole { WindowFont, BrandFont, LinkFont, LinkHotFont, FontRoleCount };

struct ControlSpec {
    int id;
    int parent;  // 0: the form itself
    ControlType type;
    const wchar_t* caption;
    TwipsRect place;
    COLORREF color;
    FontRole font;
};

// In tab order: the controls are created in this order, which is also the
// order in which Tab visits the buttons (Command4, 5, 6, 2, 3, 1).
const ControlSpec kControls[] = {
    {IDC_FRAME2, 0, Frame, L"操作功能", {120, 120, 5535, 3975}, kMagenta, WindowFont},
    {IDC_LABEL2, 0, Label, L"Quillhaven", {240, 4200, 1305, 240}, kDarkTeal, BrandFont},
    {IDC_LABEL3, 0, Label, kForumAddress, {1800, 4200, 2775, 240}, kBlue, LinkFont},
    {IDC_COMMAND4, IDC_FRAME2, PushButton, L"说明", {120, 3480, 5295, 375}, 0, WindowFont},
    {IDC_FRAME1,
     IDC_FRAME2,
     Frame,
     L"一般用户使用：如无法修复再使用高级用户项。(32位系统通用)",
     {120, 360, 5295, 1095},
     kBlue,
     WindowFont},
    {IDC_COMMAND5, IDC_FRAME1, PushButton, L"简单修复", {120, 360, 2415, 495}, 0, WindowFont},
    {IDC_COMMAND6, IDC_FRAME1, PushButton, L"中级修复", {2760, 360, 2415, 495}, 0, WindowFont},
    {IDC_FRAME3,
     IDC_FRAME2,
     Frame,
     L"高级用户使用：请注意做好注册表备份。（For WinXP）",
     {120, 1680, 5295, 1695},
     kRed,
     WindowFont},
    {IDC_COMMAND2, IDC_FRAME3, PushButton, L"修复注册表", {120, 240, 5055, 375}, 0, WindowFont},
    {IDC_COMMAND3, IDC_FRAME3, PushButton, L"恢复注册表", {120, 720, 5055, 375}, 0, WindowFont},
    {IDC_COMMAND1,
     IDC_FRAME3,
     PushButton,
     L"刷新后马上生效",
     {120, 1200, 5055, 375},
     0,
     WindowFont},
};

const int kClientTwipsW = 5760, kClientTwipsH = 4560;

HWND g_form1;

struct Form1State {
    FontOwner fonts[FontRoleCount];
    bool unloaded = false;
    bool closeWhenIdle = false;  // a close was asked for while an action waited
};

Form1State* StateOf(HWND hwnd)
{
    return reinterpret_cast<Form1State*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

const ControlSpec* SpecOf(int id)
{
    for (const ControlSpec& c : kControls)
        if (c.id == id)
            return &c;
    return nullptr;
}

void CreateControls(HWND hwnd, const Form1State& state)
{
    for (const ControlSpec& c : kControls) {
        HWND parent = c.parent ? Form1Control(hwnd, c.parent) : hwnd;
        HFONT font = state.fonts[c.font].get();
        switch (c.type) {
        case Frame:
            SetFrameTextColor(CreateChild(parent, kFrameClass, c.caption, 0, c.id, c.place, font),
                              c.color);
            break;
        case PushButton:
            CreateChild(parent, L"Button", c.caption, BS_PUSHBUTTON | WS_TABSTOP, c.id, c.place,
                        font);
            break;
        case Label:
            CreateChild(parent, L"Static", c.caption, SS_LEFT | SS_NOTIFY, c.id, c.place, font);
            break;
        }
    }
}

// A static control with SS_NOTIFY reports a click as soon as the button
// goes down. The link opens on the release instead, as a button does: only
// when the press began on it and the release is over it, so a press dragged
// off the link opens nothing. The capture holds the press.
LRESULT OnLinkLButtonDown(HWND link)
{
    SetCapture(link);
    return 0;
}

LRESULT OnLinkLButtonUp(HWND link, LPARAM lParam)
{
    if (GetCapture() != link)
        return 0;
    ReleaseCapture();
    POINT p = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    RECT client;
    GetClientRect(link, &client);
    if (PtInRect(&client, p))
        SendMessageW(GetParent(link), WM_COMMAND, MAKEWPARAM(IDC_LABEL3, STN_CLICKED),
                     reinterpret_cast<LPARAM>(link));
    return 0;
}

LRESULT CALLBACK LinkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_LBUTTONDOWN:
        return OnLinkLButtonDown(link);
    case WM_LBUTTONUP:
        return OnLinkLButtonUp(link, lParam);
    case WM_LBUTTONDBLCLK:
        // The second press of a double click: the first click has opened
        // the forum already.
        return 0;
    }
    return CallControlProc(link, message, wParam, lParam);
}

LRESULT OnCreate(HWND hwnd)
{
    // The fonts in the order of FontRole.
    auto* state = new Form1State{{FontOwner(CreatePointFont(L"宋体", 9, FW_NORMAL, false)),
                                  FontOwner(CreatePointFont(L"黑体", 12, FW_BOLD, false)),
                                  FontOwner(CreatePointFont(L"宋体", 12, FW_NORMAL, true)),
                                  FontOwner(CreatePointFont(L"宋体", 12, FW_NORMAL, false))}};
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    g_form1 = hwnd;
    CreateControls(hwnd, *state);
    SubclassControl(Form1Control(hwnd, IDC_LABEL3), LinkProc);
    return 0;
}

void RunUnloadStep(HWND hwnd)
{
    Form1State* state = StateOf(hwnd);
    if (!state || state->unloaded)
        return;
    state->unloaded = true;
    g_Form1UnloadStep(hwnd);
    if (HWND instructions = OpenForm2())
        SendMessageW(instructions, WM_CLOSE, 0, 0);
}

struct ButtonAction {
    int id;
    Action run;
};

const ButtonAction kActions[] = {
    {IDC_COMMAND1, RestartShell},         {IDC_COMMAND2, RepairRegistry},
    {IDC_COMMAND3, RestoreRegistry},      {IDC_COMMAND5, RepairShellLibrary},
    {IDC_COMMAND6, RegisterAllLibraries}, {IDC_LABEL3, OpenForum},
};

// The instructions replace the main window: this one closes (its unload
// step runs) and the instructions open, in one go, so the program does not
// end in between.
void ShowInstructionsInstead(HWND hwnd)
{
    SendMessageW(hwnd, WM_CLOSE, 0, 0);
    ShowForm2();
}

LRESULT OnCommand(HWND hwnd, WPARAM wParam)
{
    // An action that waits keeps dispatching messages; no second action
    // starts inside it. Buttons report BN_CLICKED, the link STN_CLICKED.
    static_assert(BN_CLICKED == STN_CLICKED, "one notification code for both");
    if (HIWORD(wParam) != BN_CLICKED || IsActionWaiting())
        return 0;
    if (LOWORD(wParam) == IDC_COMMAND4) {
        ShowInstructionsInstead(hwnd);
        return 0;
    }
    for (const ButtonAction& a : kActions)
        if (a.id == LOWORD(wParam)) {
            ActionRun run = ClickRun(hwnd);
            a.run(run);
        }
    Form1State* state = StateOf(hwnd);
    if (state && state->closeWhenIdle) {
        state->closeWhenIdle = false;
        PostMessageW(hwnd, WM_CLOSE, 0, 0);
    }
    return 0;
}

LRESULT OnClose(HWND hwnd)
{
    if (IsActionWaiting()) {
        StateOf(hwnd)->closeWhenIdle = true;
        return 0;
    }
    RunUnloadStep(hwnd);
    DestroyWindow(hwnd);
    return 0;
}

// Asked before WM_CREATE has made the fonts, the window has none of its own.
LRESULT OnGetFont(HWND hwnd)
{
    Form1State* state = StateOf(hwnd);
    return state ? reinterpret_cast<LRESULT>(state->fonts[WindowFont].get()) : 0;
}

// The link is underlined at rest and plain while the pointer moves over it;
// it comes back to rest only by a move over the form's bare surface.
void SetLinkHot(HWND hwnd, bool hot)
{
    Form1State* state = StateOf(hwnd);
    if (!state)
        return;
    HWND link = Form1Control(hwnd, IDC_LABEL3);
    HFONT font = state->fonts[hot ? LinkHotFont : LinkFont].get();
    if (reinterpret_cast<HFONT>(SendMessageW(link, WM_GETFONT, 0, 0)) != font)
        SendMessageW(link, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

// WM_SETCURSOR reaches the parent first for every pointer move over a
// child; the link (a static with SS_NOTIFY) takes part in hit-testing.
LRESULT OnSetCursor(HWND hwnd, WPARAM wParam, LPARAM lParam)
{
    if (IsActionWaiting()) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
    }
    if (reinterpret_cast<HWND>(wParam) == Form1Control(hwnd, IDC_LABEL3) &&
        HIWORD(lParam) == WM_MOUSEMOVE) {
        SetLinkHot(hwnd, true);
        SetCursor(LoadCursorA(nullptr, MAKEINTRESOURCEA(32649)));  // IDC_HAND
        return TRUE;
    }
    return DefWindowProcW(hwnd, WM_SETCURSOR, wParam, lParam);
}

LRESULT OnCtlColorStatic(HWND hwnd, HDC dc, HWND control)
{
    const ControlSpec* entry = SpecOf(GetDlgCtrlID(control));
    if (!entry || entry->type != Label)
        return DefWindowProcW(hwnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(control));
    SetTextColor(dc, entry->color);
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT OnNcDestroy(HWND hwnd)
{
    Form1State* state = StateOf(hwnd);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (g_form1 == hwnd)
        g_form1 = nullptr;
    delete state;
    return DefWindowProcW(hwnd, WM_NCDESTROY, 0, 0);
}

LRESULT CALLBACK Form1Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(hwnd);
    case WM_CTLCOLORSTATIC:
        return OnCtlColorStatic(hwnd, reinterpret_cast<HDC>(wParam),
                                reinterpret_cast<HWND>(lParam));
    case WM_GETFONT:
        return OnGetFont(hwnd);
    case WM_COMMAND:
        return OnCommand(hwnd, wParam);
    case WM_SETCURSOR:
        return OnSetCursor(hwnd, wParam, lParam);
    case WM_MOUSEMOVE:
        SetLinkHot(hwnd, false);
        return 0;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
        g_Form1LoadStep(hwnd);
        return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_CLOSE:
        return OnClose(hwnd);
    case WM_ENDSESSION:
        // The session ends without destroying the window: unload now.
        if (wParam)
            RunUnloadStep(hwnd);
        return 0;
    case WM_DESTROY:
        // Destroyed without a close (by the program itself): unload all the same.
        RunUnloadStep(hwnd);
        return 0;
    case WM_NCDESTROY:
        return OnNcDestroy(hwnd);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

HWND OpenForm1()
{
    return g_form1;
}

HWND Form1Control(HWND form1, int id)
{
    const ControlSpec* entry = SpecOf(id);
    if (!entry)
        return nullptr;
    HWND parent = entry->parent ? Form1Control(form1, entry->parent) : form1;
    return GetDlgItem(parent, id);
}

HWND ShowForm1()
{
    if (!RegisterProgramClasses(GetModuleHandleW(nullptr)))
        return nullptr;
    HWND hwnd = CreateForm(Form1Proc, kProgramTitle, kClientTwipsW, kClientTwipsH, nullptr);
    if (!hwnd)
        return nullptr;
    g_Form1LoadStep(hwnd);
    // Command4 comes first in the tab order: showing the form focuses it.
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return hwnd;
}

bool TranslateFormMessage(MSG* message)
{
    HWND top = message->hwnd ? GetAncestor(message->hwnd, GA_ROOT) : nullptr;
    if (!top)
        return false;
    wchar_t cls[16];
    if (!GetClassNameW(top, cls, 16) || lstrcmpW(cls, kFormClass) != 0)
        return false;
    return IsDialogMessageW(top, message) != FALSE;
}
