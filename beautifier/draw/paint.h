#pragma once
#include <windows.h>

// What WM_PAINT and WM_NCPAINT do for each kind of attached window, as
// message handlers (core/forward.h). Each kind's row of the beautifier's
// table names the ones it takes; a kind without one is painted by its own
// procedure alone.

// WM_PAINT.
// A push button is drawn opaque from its image of the state it shows, which
// ends a running fade; a "button" window of a type that keeps its own face
// is left to its own procedure.
LRESULT PaintPushButtonWhole(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam);
// The editable drop-down combo box (CBS_DROPDOWN) is drawn whole; the other
// styles, and drive lists, are painted by their own procedure and then get
// the flat frame and drop-down button, in the state they last showed.
LRESULT PaintComboBoxByStyle(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam);
LRESULT DecorateComboBox(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Painted by their own procedure, then the flat glyph in the normal state;
// the next mouse event brings back hot or pressed.
LRESULT DecorateCheckBox(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DecorateOptionButton(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                             LPARAM lParam);
// Data-bound lists and combo boxes' lists: painted by their own procedure,
// then the flat frame; grids the same with their frame.
LRESULT DecorateList(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT DecorateGrid(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Drawn whole; their own procedure never paints.
LRESULT PaintProgressBarWhole(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam,
                              LPARAM lParam);
LRESULT PaintHeaderWhole(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// WM_NCPAINT.
// The progress bar is painted whole and the system's painting skipped (0
// is returned).
LRESULT PaintProgressFrame(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
// Painted by the system, then a client edge becomes the flat one.
LRESULT FlattenClientEdge(WNDPROC previous, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
