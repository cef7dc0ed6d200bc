#include "registry_values.h"
#include "native.h"
#include "owners.h"

namespace {

bool Missing(LONG r)
{
    return r == ERROR_FILE_NOT_FOUND || r == ERROR_PATH_NOT_FOUND;
}

}  // namespace

std::wstring ValueRead::Text() const
{
    std::wstring text(reinterpret_cast<const wchar_t*>(bytes.data()),
                      bytes.size() / sizeof(wchar_t));
    // The stored text need not end with its terminator.
    while (!text.empty() && text.back() == L'\0')
        text.pop_back();
    return text;
}

bool ValueRead::Holds(const wchar_t* data) const
{
    return exists && type == REG_SZ && Text() == data;
}

ValueRead ReadRegistryValue(const RegistryValue& v)
{
    ValueRead read = {};
    HKEY opened;
    LONG r = RegOpenKeyExW(v.root, v.key, 0, KEY_QUERY_VALUE | NativeRegistryView(), &opened);
    if (r != ERROR_SUCCESS) {
        read.error = Missing(r) ? 0 : r;
        return read;
    }
    KeyOwner key(opened);
    read.bytes.resize(256);
    for (;;) {
        DWORD size = static_cast<DWORD>(read.bytes.size());
        r = RegQueryValueExW(key.get(), v.name, nullptr, &read.type, read.bytes.data(), &size);
        // The value may grow between two calls.
        if (r == ERROR_MORE_DATA) {
            read.bytes.resize(size);
            continue;
        }
        read.exists = r == ERROR_SUCCESS;
        read.error = read.exists || Missing(r) ? 0 : r;
        read.bytes.resize(read.exists ? size : 0);
        return read;
    }
}

std::wstring FullValueName(const RegistryValue& v)
{
    return std::wstring(v.rootName) + L"\\" + v.key + L"\\" + (v.name ? v.name : L"@");
}

std::wstring FirstMissingKey(const RegistryValue& v, DWORD* error)
{
    *error = 0;
    std::wstring path = v.key;
    for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
        std::wstring key = path.substr(0, end);
        HKEY opened;
        LONG r =
            RegOpenKeyExW(v.root, key.c_str(), 0, KEY_QUERY_VALUE | NativeRegistryView(), &opened);
        if (r == ERROR_SUCCESS)
            RegCloseKey(opened);
        else if (Missing(r))
            return key;
        else
            *error = r;
        if (r != ERROR_SUCCESS || end == std::wstring::npos)
            return std::wstring();
    }
}

DWORD CanWriteValue(const RegistryValue& v)
{
    DWORD error = 0;
    std::wstring missing = FirstMissingKey(v, &error);
    if (error)
        return error;
    size_t parent = missing.rfind(L'\\');
    std::wstring key = missing.empty()                ? std::wstring(v.key)
                       : parent == std::wstring::npos ? std::wstring()
                                                      : missing.substr(0, parent);
    REGSAM access = (missing.empty() ? KEY_SET_VALUE : KEY_CREATE_SUB_KEY) | NativeRegistryView();
    HKEY opened;
    LONG r = RegOpenKeyExW(v.root, key.c_str(), 0, access, &opened);
    if (r == ERROR_SUCCESS)
        RegCloseKey(opened);
    return static_cast<DWORD>(r);
}
