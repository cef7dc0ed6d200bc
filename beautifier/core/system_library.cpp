#include "core/system_library.h"
#include <string>

HMODULE LoadSystemLibrary(const wchar_t* name)
{
    wchar_t folder[MAX_PATH];
    UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return NULL;
    return LoadLibraryW((std::wstring(folder, length) + L"\\" + name).c_str());
}
