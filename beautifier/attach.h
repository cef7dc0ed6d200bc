#pragma once
#include <windows.h>

// The one-time initialisation: the export probe and the image strips. They
// live until the last attached window is detached.
void InitializeBeautifier();

// Subclasses the window with the beautifier's procedure, after preparing it
// by its kind; a container's descendants are attached first. FALSE, with the
// window left as it was, when the handle is 0, the window belongs to another
// process, is already attached, or cannot be subclassed.
BOOL AttachWindow(HWND hwnd);
// Undoes all of it, a container's descendants first; the last window to go
// releases the image strips. Where another procedure has been installed over
// the beautifier's, that one stays and the beautifier's only passes messages
// on (PASSON). FALSE when the handle is 0 or the window is not attached.
BOOL DetachWindow(HWND hwnd);

// What attaching sets up on a window of its kind before subclassing it, and
// detaching takes down again; the table of behaviours names each kind's.
// A container's descendants are attached before it, and detached before it.
void AttachChildren(HWND hwnd);
void DetachChildren(HWND hwnd);
void PreparePushButton(HWND hwnd);
void UnpreparePushButton(HWND hwnd);
// Combo boxes, drive lists, check boxes and option buttons.
void PrepareToggle(HWND hwnd);
void UnprepareToggle(HWND hwnd);
void UnprepareComboBox(HWND hwnd);
void PrepareHeader(HWND hwnd);
void UnprepareHeader(HWND hwnd);

// The window belongs to this process.
bool IsOwnProcessWindow(HWND hwnd);

// EnumChildWindows callbacks: each window met is attached (detached); the
// enumeration always goes on.
BOOL CALLBACK AttachChildProc(HWND hwnd, LPARAM);
BOOL CALLBACK DetachChildProc(HWND hwnd, LPARAM);

// -1 when the system library is loaded, or can be loaded from the system
// folder, and exports the function; else 0. A library loaded only to ask is
// released again.
short IsFunctionExported(const char* function, const wchar_t* library);
