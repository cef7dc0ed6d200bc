#include "backup.h"
#include <shlobj.h>
#include "owners.h"
#include "payloads.h"
#include "registry_values.h"

namespace {

// A name or text between quotation marks, as a registry file writes it.
std::wstring Quoted(const std::wstring& text)
{
    std::wstring quoted = L"\"";
    for (wchar_t c : text)
        quoted += c == L'\\' || c == L'"' ? std::wstring(L"\\") + c : std::wstring(1, c);
    return quoted + L"\"";
}

// A REG_SZ that a "..." line gives back byte for byte: one terminator, no
// control characters (a line break would end the line).
bool PlainText(const ValueRead& r)
{
    std::wstring text = r.Text();
    if (r.type != REG_SZ || r.bytes.size() != (text.size() + 1) * sizeof(wchar_t))
        return false;
    for (wchar_t c : text)
        if (c < L' ')
            return false;
    return true;
}

// Any other value, as bytes: hex:..., hex(2):... for REG_EXPAND_SZ, and so
// on; REG_DWORD as dword:.
std::wstring Data(const ValueRead& r)
{
    wchar_t text[16];
    if (r.type == REG_DWORD && r.bytes.size() == sizeof(DWORD)) {
        wsprintfW(text, L"dword:%08lx", *reinterpret_cast<const DWORD*>(r.bytes.data()));
        return text;
    }
    wsprintfW(text, r.type == REG_BINARY ? L"hex:" : L"hex(%lx):", r.type);
    std::wstring data = text;
    for (size_t i = 0; i < r.bytes.size(); ++i) {
        wsprintfW(text, i ? L",%02x" : L"%02x", r.bytes[i]);
        data += text;
    }
    return data;
}

// The registry file that puts the set's values, and the keys they lie in,
// back as they are now; empty when importing the set would change nothing.
// Returns the system's error, or 0.
DWORD BackupText(int resourceId, std::wstring* text)
{
    int count = 0;
    const RegistryValue* values = PayloadValues(resourceId, &count);
    bool changes = false;
    std::wstring body, openKey;
    for (int i = 0; i < count; ++i) {
        const RegistryValue& v = values[i];
        ValueRead read = ReadRegistryValue(v);
        DWORD error = read.error;
        std::wstring missing = error ? std::wstring() : FirstMissingKey(v, &error);
        if (error)
            return error;
        changes = changes || !read.Holds(v.data);
        // The import would make the key, and any missing above it.
        if (!missing.empty()) {
            std::wstring line = std::wstring(L"[-") + v.rootName + L"\\" + missing + L"]";
            if (body.find(line) == std::wstring::npos)
                body += L"\r\n" + line + L"\r\n";
            openKey.clear();
            continue;
        }
        std::wstring key = std::wstring(v.rootName) + L"\\" + v.key;
        if (key != openKey)
            body += L"\r\n[" + key + L"]\r\n";
        openKey = key;
        body += (v.name ? Quoted(v.name) : std::wstring(L"@")) + L"=" +
                (!read.exists      ? L"-"
                 : PlainText(read) ? Quoted(read.Text())
                                   : Data(read)) +
                L"\r\n";
    }
    *text = changes ? L"Windows Registry Editor Version 5.00\r\n" + body + L"\r\n" : std::wstring();
    return 0;
}

// Makes the folder unless it is there; a file in its place is an error.
DWORD MakeFolder(const std::wstring& folder)
{
    if (CreateDirectoryW(folder.c_str(), nullptr))
        return 0;
    DWORD error = GetLastError();
    DWORD attributes = GetFileAttributesW(folder.c_str());
    bool isFolder =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return error == ERROR_ALREADY_EXISTS && isFolder ? 0 : error;
}

// Writes the text as a new file named after the local time; a second backup
// within the same second gets "-2", and so on. Returns the system's error,
// or 0; a file only half written is removed again.
DWORD WriteBackupFile(const std::wstring& folder, const std::wstring& text, std::wstring* path)
{
    SYSTEMTIME t;
    GetLocalTime(&t);
    wchar_t stamp[32];
    wsprintfW(stamp, L"\\registry-%04u%02u%02u-%02u%02u%02u", t.wYear, t.wMonth, t.wDay, t.wHour,
              t.wMinute, t.wSecond);
    HandleOwner file;
    for (int n = 1; n <= 100; ++n) {
        *path = folder + stamp + (n > 1 ? L"-" + std::to_wstring(n) : L"") + L".reg";
        file.reset(CreateFileW(path->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS)
            break;
    }
    if (file.get() == INVALID_HANDLE_VALUE)
        return GetLastError();
    std::wstring bytes = L"\xFEFF" + text;
    DWORD size = static_cast<DWORD>(bytes.size() * sizeof(wchar_t)), written = 0, error = 0;
    if (!WriteFile(file.get(), bytes.data(), size, &written, nullptr))
        error = GetLastError();
    else if (written != size)
        error = ERROR_WRITE_FAULT;
    if (!CloseHandle(file.release()) && !error)
        error = GetLastError();
    if (error)
        DeleteFileW(path->c_str());
    return error;
}

}  // namespace

DWORD BackUpBeforeImport(int resourceId, std::wstring* path)
{
    path->clear();
    std::wstring text;
    if (DWORD error = BackupText(resourceId, &text))
        return error;
    if (text.empty())
        return 0;
    wchar_t common[MAX_PATH] = {};
    HRESULT found =
        SHGetFolderPathW(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, common);
    if (FAILED(found))
        return HRESULT_FACILITY(found) == FACILITY_WIN32 ? HRESULT_CODE(found)
                                                         : ERROR_PATH_NOT_FOUND;
    std::wstring folder = common;
    for (const wchar_t* part : {L"\\Sertavo", L"\\Backup"}) {
        folder += part;
        *path = folder;
        if (DWORD error = MakeFolder(folder))
            return error;
    }
    return WriteBackupFile(folder, text, path);
}
