#pragma once
#include <windows.h>

// Loads a library of the system folder by its full path. Asked by name
// alone, Windows looks in the program's folder first for every library
// that is not one of its known ones, and a file of that name left there
// would run inside the program with its user's rights. 0 when it cannot be
// loaded.
HMODULE LoadSystemLibrary(const wchar_t* name);
