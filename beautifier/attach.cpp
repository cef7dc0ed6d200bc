#include "attach.h"
#include "behaviours.h"
#include "core/fade_timer.h"
#include "core/kinds.h"
#include "core/module.h"
#include "core/properties.h"
#include "core/system_library.h"
#include "draw/button_faces.h"
#include "draw/strips.h"
#include "wndproc.h"

namespace {

// What the mouse and key handlers keep about a combo box, drive list, check
// box or option button, and about a header, besides MOUSEFLAG.
const char* const kToggleProps[] = {kPropMouseFlag, kPropOldState};
const char* const kHeaderProps[] = {kPropMouseFlag, kPropHdIndex, kPropHmIndex};
// A push button's own, besides its images.
const char* const kPushButtonProps[] = {kPropOldStyle, kPropMouseFlag, kPropTimerId, kPropOldState,
                                        kPropAlphaLevel};

const int kNoItem = -1;

template <size_t N>
void RemoveProps(HWND hwnd, const char* const (&names)[N])
{
    for (const char* name : names)
        RemoveWindowProp(hwnd, name);
}

}  // namespace

void AttachChildren(HWND hwnd)
{
    EnumChildWindows(hwnd, AttachChildProc, 0);
}

void DetachChildren(HWND hwnd)
{
    EnumChildWindows(hwnd, DetachChildProc, 0);
}

void PreparePushButton(HWND hwnd)
{
    CreateButtonImages(hwnd);
    LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    // Owner-draw stops the button's own painting outside WM_PAINT (on a
    // press, a focus change, ...): it asks its parent to draw instead, and
    // the parent draws nothing. BM_SETSTYLE still reaches the button's own
    // procedure, which is not yet subclassed.
    if (DrawnAsPushButton(style))
        SendMessageA(hwnd, BM_SETSTYLE, BS_OWNERDRAW, TRUE);
    SetAttachedStyle(hwnd, style);
    SetMouseInside(hwnd, false);
    SetWindowProp(hwnd, kPropTimerId, 0);
    SetFade(hwnd, IsWindowEnabled(hwnd) ? StateNormal : StateDisabled, 0);
    SetButtonRegion(hwnd);
}

void UnpreparePushButton(HWND hwnd)
{
    DeleteButtonImages(hwnd);
    StopFadeTimer(hwnd);
    // Only the button type goes back: the other style bits have been the
    // owner's since attach, and it may have disabled or hidden the button.
    LONG attached = static_cast<LONG>(GetAttachedStyle(hwnd));
    LONG now = GetWindowLongA(hwnd, GWL_STYLE);
    SetWindowLongA(hwnd, GWL_STYLE, (now & ~BS_TYPEMASK) | (attached & BS_TYPEMASK));
    RemoveProps(hwnd, kPushButtonProps);
    SetWindowRgn(hwnd, NULL, TRUE);
}

void PrepareToggle(HWND hwnd)
{
    SetMouseInside(hwnd, false);
    SetVisualState(hwnd, StateNormal);
}

void UnprepareToggle(HWND hwnd)
{
    RemoveProps(hwnd, kToggleProps);
}

// A combo box's drop-down list is a window of its own outside the combo's
// tree, so no detach of the tree meets it; it is attached when the combo
// first asks its parent for the list's colours, and goes with its combo.
void UnprepareComboBox(HWND hwnd)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(hwnd, &info) && info.hwndList)
        DetachWindow(info.hwndList);
    UnprepareToggle(hwnd);
}

// No item hot, none held down.
void PrepareHeader(HWND hwnd)
{
    SetMouseInside(hwnd, false);
    SetHeldItem(hwnd, kNoItem);
    SetHotItem(hwnd, kNoItem);
}

void UnprepareHeader(HWND hwnd)
{
    RemoveProps(hwnd, kHeaderProps);
}

namespace {

void Prepare(HWND hwnd, ControlKind kind)
{
    if (auto prepare = BehaviourOf(kind).prepare)
        prepare(hwnd);
}

void Unprepare(HWND hwnd, ControlKind kind)
{
    if (auto unprepare = BehaviourOf(kind).unprepare)
        unprepare(hwnd);
}

// Frame and client area are drawn again by whichever procedure is installed.
void Repaint(HWND hwnd)
{
    const WPARAM kWholeFrame = 1;
    SendMessageA(hwnd, WM_NCPAINT, kWholeFrame, 0);
    RedrawWindow(hwnd, NULL, NULL, RDW_INVALIDATE | RDW_INTERNALPAINT);
}

void ReleaseBeautifier()
{
    ReleaseImageStrips();
    g_Initialized = kFlagFalse;
}

const LONG_PTR kOwnProcedure = reinterpret_cast<LONG_PTR>(BeautifierWndProc);

// Read and written in the window's own character set: the beautifier's
// procedure then reads back as itself, not as a translating stand-in.
LONG_PTR InstalledProcedure(HWND hwnd)
{
    return IsWindowUnicode(hwnd) ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC)
                                 : GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
}

// Returns the procedure replaced, 0 when the system refused.
LONG_PTR InstallProcedure(HWND hwnd, LONG_PTR procedure)
{
    // A window keeps the character set of its procedure: subclassing a
    // Unicode window with the ANSI call would turn it into an ANSI one,
    // whose texts then pass through the system code page and lose every
    // character that page lacks.
    return IsWindowUnicode(hwnd) ? SetWindowLongPtrW(hwnd, GWLP_WNDPROC, procedure)
                                 : SetWindowLongPtrA(hwnd, GWLP_WNDPROC, procedure);
}

// PROCADDR is stored before the procedure is replaced, so the beautifier's
// procedure never runs on the window without it. A window that still has
// the beautifier's procedure in its chain from an earlier attach (passOn)
// takes it up again instead of being subclassed twice.
bool Subclass(HWND hwnd, LONG_PTR passOn)
{
    LONG_PTR previous = passOn ? passOn : InstalledProcedure(hwnd);
    if (!previous || !SetWindowProp(hwnd, kPropProcAddr, previous))
        return false;
    if (passOn) {
        RemoveWindowProp(hwnd, kPropPassOn);
        return true;
    }
    if (InstallProcedure(hwnd, kOwnProcedure))
        return true;
    RemoveWindowProp(hwnd, kPropProcAddr);
    return false;
}

}  // namespace

void InitializeBeautifier()
{
    g_Initialized = kFlagTrue;
    g_HasUserTrackMouseEvent = IsFunctionExported("TrackMouseEvent", L"user32.dll");
    BuildImageStrips();
}

BOOL AttachWindow(HWND hwnd)
{
    // A window of another process is never touched, not even prepared: the
    // system would refuse the subclass, and restyling or reshaping it would
    // break that program.
    if (!hwnd || !IsOwnProcessWindow(hwnd) || GetWindowProp(hwnd, kPropProcAddr))
        return FALSE;
    // Below a procedure installed since an earlier attach, a second copy of
    // the beautifier's would see every message twice.
    LONG_PTR passOn = GetWindowProp(hwnd, kPropPassOn);
    if (passOn && InstalledProcedure(hwnd) != kOwnProcedure)
        return FALSE;
    ControlKind kind = ClassifyWindow(hwnd);
    Prepare(hwnd, kind);
    // A window that cannot be subclassed is left as it was and not counted:
    // no detach would ever find it attached.
    if (!Subclass(hwnd, passOn)) {
        Unprepare(hwnd, kind);
        return FALSE;
    }
    ++g_AttachedCount;
    Repaint(hwnd);
    return TRUE;
}

BOOL DetachWindow(HWND hwnd)
{
    if (!hwnd)
        return FALSE;
    LONG_PTR previous = GetWindowProp(hwnd, kPropProcAddr);
    if (!previous)
        return FALSE;
    Unprepare(hwnd, ClassifyWindow(hwnd));
    RemoveWindowProp(hwnd, kPropProcAddr);
    // Code that subclassed the window after the beautifier forwards to the
    // beautifier's procedure and, when it lets go, puts it back: taking it
    // out of the chain from under that code would cut the window off from
    // its own procedure. It stays, passing everything on.
    if (InstalledProcedure(hwnd) == kOwnProcedure)
        InstallProcedure(hwnd, previous);
    else
        SetWindowProp(hwnd, kPropPassOn, previous);
    ++g_DetachCount;
    Repaint(hwnd);
    if (--g_AttachedCount <= 0) {
        g_AttachedCount = 0;
        ReleaseBeautifier();
    }
    return TRUE;
}

bool IsOwnProcessWindow(HWND hwnd)
{
    DWORD process = 0;
    return GetWindowThreadProcessId(hwnd, &process) && process == GetCurrentProcessId();
}

BOOL CALLBACK AttachChildProc(HWND hwnd, LPARAM)
{
    AttachWindow(hwnd);
    return TRUE;
}

BOOL CALLBACK DetachChildProc(HWND hwnd, LPARAM)
{
    DetachWindow(hwnd);
    return TRUE;
}

short IsFunctionExported(const char* function, const wchar_t* library)
{
    HMODULE module = GetModuleHandleW(library);
    HMODULE loaded = module ? NULL : LoadSystemLibrary(library);
    if (!module)
        module = loaded;
    if (!module)
        return kFlagFalse;
    bool exported = GetProcAddress(module, function) != NULL;
    if (loaded)
        FreeLibrary(loaded);
    return exported ? kFlagTrue : kFlagFalse;
}
