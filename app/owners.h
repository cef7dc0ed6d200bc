#pragma once
#include <windows.h>
#include <memory>
#include <type_traits>

// Owners of the system objects the program makes: each frees its object
// when it goes out of scope, and none can be copied, so that an object is
// freed once. get() lends the object; release() hands it on to whoever
// frees it next.

struct CloseKernelHandle {
    // CreateFile reports a failure with INVALID_HANDLE_VALUE, not with a
    // null handle; neither is closed.
    void operator()(HANDLE handle) const
    {
        if (handle != INVALID_HANDLE_VALUE)
            CloseHandle(handle);
    }
};

struct DeleteGdiObject {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

struct FreeLocalMemory {
    void operator()(void* memory) const { LocalFree(memory); }
};

struct CloseRegistryKey {
    void operator()(HKEY key) const { RegCloseKey(key); }
};

// A process, thread or file. A file that was written is closed with an
// explicit, checked CloseHandle(file.release()): its close is where a write
// the system could not flush is reported.
using HandleOwner = std::unique_ptr<void, CloseKernelHandle>;
using FontOwner = std::unique_ptr<std::remove_pointer_t<HFONT>, DeleteGdiObject>;
// What the system hands over in LocalAlloc'ed memory: security descriptors,
// SIDs as text.
using LocalOwner = std::unique_ptr<void, FreeLocalMemory>;
using KeyOwner = std::unique_ptr<std::remove_pointer_t<HKEY>, CloseRegistryKey>;
