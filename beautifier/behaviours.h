#pragma once
#include <windows.h>
#include "core/forward.h"
#include "core/kinds.h"
#include "interact/reaction.h"

// What the beautifier does with each kind of control: one row per
// ControlKind, looked up when a window is attached or detached and once per
// message. An empty preparation means the kind has nothing of its own to set
// up or take down; an empty handler, that the message goes on unchanged; an
// empty reaction, that the kind has nothing to do.
using Preparation = void (*)(HWND hwnd);
struct KindBehaviour {
    ControlKind kind;  // whose row this is
    // What attaching sets up before subclassing, and detaching takes down.
    Preparation prepare = nullptr;
    Preparation unprepare = nullptr;
    // Handlers that take the whole message.
    MessageHandler paint = nullptr;           // WM_PAINT
    MessageHandler nonClientPaint = nullptr;  // WM_NCPAINT
    MessageHandler dialogCode = nullptr;      // WM_GETDLGCODE
    MessageHandler setStyle = nullptr;        // BM_SETSTYLE
    // Reactions once the window's own procedure has handled the message.
    Reaction mouseMove = nullptr;
    Reaction mouseLeave = nullptr;
    Reaction press = nullptr;             // WM_LBUTTONDOWN
    Reaction release = nullptr;           // WM_LBUTTONUP
    Reaction doubleClick = nullptr;       // WM_LBUTTONDBLCLK
    Reaction spaceDown = nullptr;         // WM_KEYDOWN of the space key
    Reaction spaceUp = nullptr;           // WM_KEYUP of the space key
    Reaction focusChange = nullptr;       // WM_SETFOCUS and WM_KILLFOCUS
    Reaction enable = nullptr;            // WM_ENABLE
    Reaction resize = nullptr;            // WM_SIZE
    Reaction positionChanging = nullptr;  // WM_WINDOWPOSCHANGING
    // The one reaction before the window's own procedure sees the message.
    Reaction timerTick = nullptr;  // WM_TIMER
};

const KindBehaviour& BehaviourOf(ControlKind kind);
