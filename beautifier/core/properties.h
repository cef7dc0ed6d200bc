#pragma once
#include <windows.h>
#include <string>

// Everything the beautifier remembers about a window lives on the window
// itself, as ANSI window properties holding one pointer-sized integer each.
// A property that was never set reads 0.

// The window procedure that was installed before the beautifier's own;
// nonzero exactly while the window is attached.
extern const char kPropProcAddr[];    // "PROCADDR"
// The window style read at attach, before a button is switched to owner-draw.
extern const char kPropOldStyle[];    // "OLDSTYLE"
// 1 while the mouse is inside and a leave notification is pending, else 0.
extern const char kPropMouseFlag[];   // "MOUSEFLAG"
// Identifier of the running fade timer; 0 when none runs.
extern const char kPropTimerId[];     // "TIMERID"
// The VisualState last shown.
extern const char kPropOldState[];    // "OLDSTATE"
// Opacity 0 to 255 with which a push button's state image is blended.
extern const char kPropAlphaLevel[];  // "ALPHALEVEL"
// Header item held down, and header item under the mouse; -1 for none.
extern const char kPropHdIndex[];     // "HDINDEX"
extern const char kPropHmIndex[];     // "HMINDEX"
// The procedure a detached window's messages still go on to when another
// procedure had been installed over the beautifier's: the beautifier stays
// in that chain, drawing nothing, so that the later procedure can still
// forward to what it found. Nonzero only on such a window.
extern const char kPropPassOn[];      // "PASSON"

// A push button's image of visual state i is a memory DC and its bitmap,
// kept under the decimal index followed directly by "HDC" or "BMP".
std::string ImageDCProp(int state);      // "0HDC" .. "3HDC"
std::string ImageBitmapProp(int state);  // "0BMP" .. "3BMP"

INT_PTR GetWindowProp(HWND hwnd, const char* name);
BOOL SetWindowProp(HWND hwnd, const char* name, INT_PTR value);
// Removes the property and returns the value it held (0 if none).
INT_PTR RemoveWindowProp(HWND hwnd, const char* name);

// The value of OLDSTATE.
enum VisualState {
    StateNormal = 0,
    StateHot = 1,
    StatePressed = 2,
    StateDisabled = 3,  // push buttons only
};

// What the beautifier makes of a window, decided by its class name alone.
enum class ControlKind {
    Container,     // dialog or form
    PushButton,    // command button, and every window of the standard "button" class
    ComboBox,
    DriveList,     // a combo box listing drives
    CheckBox,
    OptionButton,
    ProgressBar,
    Header,        // column header
    DataList,      // data-bound list
    ComboList,     // the drop-down list of a combo box
    Grid,
    Other,         // labels, frames, text boxes, static texts and all the rest
};

// The class name as GetClassNameA reports it; empty when it cannot be read.
std::string GetWindowClassName(HWND hwnd);
// The kind of a class name, compared without regard to letter case.
ControlKind KindOfClassName(const std::string& className);
ControlKind ClassifyWindow(HWND hwnd);

// Flags kept in 16-bit variables: 0 is false, -1 (all bits set) is true.
const short kFlagFalse = 0;
const short kFlagTrue = -1;

// The one-time initialisation (export probe and image strips) has run.
extern short g_Initialized;
// user32 exports TrackMouseEvent; when it does not, comctl32's
// _TrackMouseEvent stands in.
extern short g_HasUserTrackMouseEvent;
// Windows currently subclassed by the beautifier.
extern long g_AttachedCount;
// Detaches so far. A handler that forwards a message compares it before and
// after: only when it moved may the window have been detached meanwhile.
extern long g_DetachCount;
