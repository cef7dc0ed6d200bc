#pragma once
#include <windows.h>
#include <string>
#include <vector>
#include "payloads.h"

// One value of a payload's set as the registry holds it, read in the native
// view: on 64-bit Windows the 64-bit one, where the 64-bit shell reads it.
struct ValueRead {
    DWORD error;  // the system's error when it could not be read; a missing key or value is none
    bool exists;
    DWORD type;
    std::vector<BYTE> bytes;  // as stored, whatever the length

    // The text of a REG_SZ or REG_EXPAND_SZ value as stored, unexpanded.
    bool IsText() const { return exists && (type == REG_SZ || type == REG_EXPAND_SZ); }
    std::wstring Text() const;
    // True when it holds what a registry file's "name"="data" line writes.
    bool Holds(const wchar_t* data) const;
};

ValueRead ReadRegistryValue(const RegistryValue& v);

// The value's full name, as the registry editor shows it:
// "HKEY_CURRENT_USER\...\CabinetState\Use Search Asst", "...\{...}\@".
std::wstring FullValueName(const RegistryValue& v);

// The highest key on the value's path that does not exist ("" when the
// value's key exists), which importing a registry file would create.
// *error is the system's error when that cannot be told.
std::wstring FirstMissingKey(const RegistryValue& v, DWORD* error);

// 0 when the value can be set: its key opens for setting values, or, where
// the key is missing, the key above the missing ones opens for making keys.
// Otherwise the system's error (ERROR_ACCESS_DENIED for a standard user
// under HKEY_LOCAL_MACHINE).
DWORD CanWriteValue(const RegistryValue& v);
