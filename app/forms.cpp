#include "forms.h"
#include "resource_ids.h"

const wchar_t kFormClass[] = L"Form";
const wchar_t kFrameClass[] = L"Frame";

namespace {

int g_openForms = 0;

// Extra window bytes of a form: its own procedure, and the control that had
// the focus when the form was last deactivated.
const int kFormProcSlot = 0;
const int kFormFocusSlot = sizeof(LONG_PTR);
// Extra window bytes of a frame: its font and its caption colour.
const int kFrameFontSlot = 0;
const int kFrameColorSlot = sizeof(LONG_PTR);

// A plain window, unlike a dialog, forgets which control had the focus when
// another window takes the activation (a message box, another program).
// Forms keep it and give it back; a form activated for the first time gives
// the focus to the first control in its tab order.
void OnFormActivate(HWND hwnd, WPARAM wParam)
{
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus))
            SetWindowLongPtrW(hwnd, kFormFocusSlot, reinterpret_cast<LONG_PTR>(focus));
        return;
    }
    auto focus = reinterpret_cast<HWND>(GetWindowLongPtrW(hwnd, kFormFocusSlot));
    if (!focus || !IsWindow(focus) || !IsChild(hwnd, focus))
        focus = GetNextDlgTabItem(hwnd, nullptr, FALSE);
    if (focus)
        SetFocus(focus);
}

// The messages that make and end a window. The system sends them on the
// window's own thread, from its CreateWindowEx and DestroyWindow; any
// program may send or post the same. One from elsewhere would have the main
// window build a second set of controls, unload a form that stays open,
// free its state while it is still in use, or follow a pointer of the
// sender's.
bool MakesOrEnds(UINT message)
{
    return message == WM_NCCREATE || message == WM_CREATE || message == WM_DESTROY ||
           message == WM_NCDESTROY;
}

// The system never posts them: one in the thread's queue becomes WM_NULL
// before any loop dispatches it, the program's own or a message box's.
LRESULT CALLBACK DropPostedMakingAndEndingProc(int code, WPARAM wParam, LPARAM lParam)
{
    auto* queued = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && MakesOrEnds(queued->message))
        queued->message = WM_NULL;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// On the thread that makes the first form, where all the forms live.
void DropPostedMakingAndEnding()
{
    static HHOOK hook = nullptr;
    if (!hook)
        hook = SetWindowsHookExW(WH_GETMESSAGE, DropPostedMakingAndEndingProc, nullptr,
                                 GetCurrentThreadId());
}

LRESULT CALLBACK FormWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (MakesOrEnds(message) && InSendMessage())
        return 0;
    if (message == WM_ACTIVATE) {
        OnFormActivate(hwnd, wParam);
        return 0;
    }
    // A multi-line edit moves the focus on Tab by asking its parent, as it
    // would ask a dialog.
    if (message == WM_NEXTDLGCTL) {
        HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                   : GetNextDlgTabItem(hwnd, GetFocus(), wParam != 0);
        if (next)
            SetFocus(next);
        return 0;
    }
    if (message == WM_NCCREATE) {
        auto* cs = reinterpret_cast<CREATESTRUCTW*>(lParam);
        auto* start = static_cast<void**>(cs->lpCreateParams);
        SetWindowLongPtrW(hwnd, kFormProcSlot, reinterpret_cast<LONG_PTR>(start[0]));
        cs->lpCreateParams = start[1];
        ++g_openForms;
    }
    auto proc = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hwnd, kFormProcSlot));
    // WM_GETMINMAXINFO and WM_NCCALCSIZE can arrive before WM_NCCREATE.
    LRESULT result = proc ? CallWindowProcW(proc, hwnd, message, wParam, lParam)
                          : DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY && proc)
        --g_openForms;
    return result;
}

void PaintFrame(HWND hwnd, HDC dc)
{
    RECT client;
    GetClientRect(hwnd, &client);
    auto font = reinterpret_cast<HFONT>(GetWindowLongPtrW(hwnd, kFrameFontSlot));
    HGDIOBJ oldFont = SelectObject(dc, font ? font : GetStockObject(DEFAULT_GUI_FONT));

    wchar_t caption[256];
    int len = GetWindowTextW(hwnd, caption, 256);
    SIZE text = {};
    GetTextExtentPoint32W(dc, caption, len, &text);

    // The etched border runs through the middle of the caption's line.
    RECT border = client;
    border.top = text.cy / 2;
    DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);

    if (len > 0) {
        const int indent = 6, pad = 2;
        RECT box = {indent, 0, indent + text.cx + 2 * pad, text.cy};
        FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, static_cast<COLORREF>(GetWindowLongPtrW(hwnd, kFrameColorSlot)));
        TextOutW(dc, indent + pad, 0, caption, len);
    }
    SelectObject(dc, oldFont);
}

LRESULT CALLBACK FrameWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        return PaintCycle(hwnd, PaintFrame);
    case WM_SETFONT:
        SetWindowLongPtrW(hwnd, kFrameFontSlot, static_cast<LONG_PTR>(wParam));
        if (LOWORD(lParam))
            InvalidateRect(hwnd, nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrW(hwnd, kFrameFontSlot);
    case WM_SETTEXT: {
        LRESULT r = DefWindowProcW(hwnd, message, wParam, lParam);
        InvalidateRect(hwnd, nullptr, TRUE);
        return r;
    }
    // A frame is only a container: what its controls report belongs to the
    // form, as it would in a dialog.
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
    case WM_DRAWITEM:
        return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

LRESULT PaintCycle(HWND hwnd, void (*paint)(HWND hwnd, HDC dc))
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd, &ps);
    paint(hwnd, dc);
    EndPaint(hwnd, &ps);
    return 0;
}

bool RegisterProgramClasses(HINSTANCE instance)
{
    WNDCLASSEXW form = {};
    form.cbSize = sizeof form;
    form.lpfnWndProc = FormWndProc;
    form.cbWndExtra = 2 * sizeof(LONG_PTR);
    form.hInstance = instance;
    form.hIcon = ProgramIcon(false);
    form.hIconSm = ProgramIcon(true);
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    form.lpszClassName = kFormClass;

    WNDCLASSEXW frame = {};
    frame.cbSize = sizeof frame;
    frame.lpfnWndProc = FrameWndProc;
    frame.cbWndExtra = 2 * sizeof(LONG_PTR);
    frame.hInstance = instance;
    frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    frame.lpszClassName = kFrameClass;

    // Registering again (a second form, a second test) is harmless.
    bool ok = RegisterClassExW(&form) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    ok = (RegisterClassExW(&frame) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS) && ok;
    return ok;
}

HWND CreateForm(WNDPROC proc, const wchar_t* caption, int clientTwipsW, int clientTwipsH,
                void* state)
{
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    const DWORD exStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
    RECT r = {0, 0, TwipsToPixels(clientTwipsW), TwipsToPixels(clientTwipsH)};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    DropPostedMakingAndEnding();
    void* start[2] = {reinterpret_cast<void*>(proc), state};
    HWND hwnd = CreateWindowExW(exStyle, kFormClass, caption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                GetModuleHandleW(nullptr), start);
    if (hwnd)
        CentreOnScreen(hwnd);
    return hwnd;
}

int OpenFormCount()
{
    return g_openForms;
}

HWND CreateChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id,
                 const TwipsRect& place, HFONT font, DWORD exStyle)
{
    // Tab moves into a frame's controls as into a dialog's.
    if (lstrcmpW(cls, kFrameClass) == 0)
        exStyle |= WS_EX_CONTROLPARENT;
    HWND hwnd = CreateWindowExW(
        exStyle, cls, text, style | WS_CHILD | WS_VISIBLE, TwipsToPixels(place.left),
        TwipsToPixels(place.top), TwipsToPixels(place.width), TwipsToPixels(place.height), parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    if (hwnd && font)
        SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return hwnd;
}

void SubclassControl(HWND control, WNDPROC proc)
{
    LONG_PTR previous = SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    SetWindowLongPtrW(control, GWLP_USERDATA, previous);
}

LRESULT CallControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto previous = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(control, GWLP_USERDATA));
    return CallWindowProcW(previous, control, message, wParam, lParam);
}

void SetFrameTextColor(HWND frame, COLORREF color)
{
    SetWindowLongPtrW(frame, kFrameColorSlot, static_cast<LONG_PTR>(color));
}

HICON ProgramIcon(bool small)
{
    int cx = GetSystemMetrics(small ? SM_CXSMICON : SM_CXICON);
    int cy = GetSystemMetrics(small ? SM_CYSMICON : SM_CYICON);
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_PROGRAM),
                                         IMAGE_ICON, cx, cy, LR_DEFAULTCOLOR | LR_SHARED));
}
