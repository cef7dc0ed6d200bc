#include "core/module.h"

short g_Initialized = kFlagFalse;
short g_HasUserTrackMouseEvent = kFlagFalse;
long g_AttachedCount = 0;
long g_DetachCount = 0;
