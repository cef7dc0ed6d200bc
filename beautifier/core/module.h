#pragma once

// The beautifier's module-wide state.

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
