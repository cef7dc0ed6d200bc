#pragma once
#include <windows.h>
#include "layout.h"

// Every top-level window of the program is of the class "Form", a name that
// the beautifier treats as a container; each form brings its own procedure,
// handed over in CreateForm and called for every message from WM_NCCREATE on.
// Frames are of the class "Frame": a frame must not be a system "Button"
// group box, which the beautifier would take for a push button.
extern const wchar_t kFormClass[];
extern const wchar_t kFrameClass[];

bool RegisterProgramClasses(HINSTANCE instance);

// Creates a hidden, fixed-border form whose client area is the given size in
// twips, centred on the screen. state is handed to the procedure in the
// CREATESTRUCT of WM_NCCREATE and WM_CREATE.
HWND CreateForm(WNDPROC proc, const wchar_t* caption, int clientTwipsW, int clientTwipsH,
                void* state);

// The number of forms that exist; the program ends when it drops to 0.
int OpenFormCount();

// Creates a child control placed in twips, with the given font.
HWND CreateChild(HWND parent, const wchar_t* cls, const wchar_t* text, DWORD style, int id,
                 const TwipsRect& place, HFONT font, DWORD exStyle = 0);

// Puts proc in front of a control's own procedure; proc passes on what it
// does not handle itself with CallControlProc. The control's user data
// holds the procedure it had.
void SubclassControl(HWND control, WNDPROC proc);
LRESULT CallControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

// WM_PAINT of a window the program draws itself: one paint cycle, its DC
// handed to paint. Returns 0, as a handled WM_PAINT does.
LRESULT PaintCycle(HWND hwnd, void (*paint)(HWND hwnd, HDC dc));

// Sets the colour of a frame's caption.
void SetFrameTextColor(HWND frame, COLORREF color);

// The icon of the program, in the large and small sizes of the system.
HICON ProgramIcon(bool small);
