#pragma once
#include <windows.h>

// Owners of the system objects the program makes: each frees its object
// when it goes out of scope, and none can be copied, so that an object is
// freed once. release() hands the object on to whoever frees it next.
template <class T, void (*Free)(T)>
class Owner {
public:
    explicit Owner(T object = nullptr) : object_(object) {}
    ~Owner()
    {
        if (object_)
            Free(object_);
    }
    Owner(const Owner&) = delete;
    Owner& operator=(const Owner&) = delete;

    T get() const { return object_; }
    T release()
    {
        T object = object_;
        object_ = nullptr;
        return object;
    }

private:
    T object_;
};

// CreateFile reports a failure with INVALID_HANDLE_VALUE, not with a null
// handle; neither is closed.
inline void CloseKernelHandle(HANDLE handle)
{
    if (handle != INVALID_HANDLE_VALUE)
        CloseHandle(handle);
}

inline void DeleteFontObject(HFONT font)
{
    DeleteObject(font);
}

inline void CloseRegistryKey(HKEY key)
{
    RegCloseKey(key);
}

// A process, thread or file. A file that was written is closed with an
// explicit, checked CloseHandle(file.release()): its close is where a write
// the system could not flush is reported.
using HandleOwner = Owner<HANDLE, CloseKernelHandle>;
using FontOwner = Owner<HFONT, DeleteFontObject>;
using KeyOwner = Owner<HKEY, CloseRegistryKey>;
