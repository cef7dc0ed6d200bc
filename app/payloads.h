#pragma once
#include <windows.h>

// The registry files carried in the program's resources, and the values
// that importing each one writes.
struct Payload {
    const void* bytes;
    DWORD size;
};

// The bytes of a payload resource (type "CUSTOM"), or {nullptr, 0}.
Payload LoadPayload(int resourceId);

struct RegistryValue {
    HKEY root;
    const wchar_t* rootName;
    const wchar_t* key;
    const wchar_t* name;  // nullptr: the key's default value
    const wchar_t* data;
};

// The string values a payload sets, in the order of the file.
const RegistryValue* PayloadValues(int resourceId, int* count);
