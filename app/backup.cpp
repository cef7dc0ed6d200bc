#include "backup.h"
#include <aclapi.h>
#include <sddl.h>
#include <shlobj.h>
#include "accounts.h"
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

// The rights of the folders the program makes: protected from what the
// folder above hands down, to the folder and everything in it.
const wchar_t kBackupFolderRights[] = L"D:P(A;OICI;FA;;;SY)(A;OICI;FA;;;BA)(A;OICI;FRFX;;;BU)";

// The rights that hand a folder over to whoever has them: writing or adding
// files and folders, deleting it or what is in it, changing its rights or
// its owner.
const ACCESS_MASK kTakeOverRights = FILE_WRITE_DATA | FILE_APPEND_DATA | DELETE |
                                    FILE_DELETE_CHILD | WRITE_DAC | WRITE_OWNER | GENERIC_WRITE |
                                    GENERIC_ALL;

bool IsTrusted(PSID sid, PSID self)
{
    return IsWellKnownSid(sid, WinLocalSystemSid) ||
           IsWellKnownSid(sid, WinBuiltinAdministratorsSid) || (self && EqualSid(sid, self));
}

// Makes the folder with the administrators' rights, or judges the one that
// is there; a file in its place is an error. Returns the system's error,
// or 0.
DWORD MakeTrustedFolder(const std::wstring& folder, PSID self, std::wstring* untrusted)
{
    PSECURITY_DESCRIPTOR rights = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(kBackupFolderRights,
                                                              SDDL_REVISION_1, &rights, nullptr))
        return GetLastError();
    LocalOwner rightsOwner(rights);
    SECURITY_ATTRIBUTES made = {sizeof made, rights, FALSE};
    if (CreateDirectoryW(folder.c_str(), &made))
        return 0;
    DWORD error = GetLastError();
    DWORD attributes = GetFileAttributesW(folder.c_str());
    if (error != ERROR_ALREADY_EXISTS || attributes == INVALID_FILE_ATTRIBUTES ||
        !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return error;
    PSECURITY_DESCRIPTOR found = nullptr;
    error = GetNamedSecurityInfoW(folder.c_str(), SE_FILE_OBJECT,
                                  OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION, nullptr,
                                  nullptr, nullptr, nullptr, &found);
    if (error)
        return error;
    LocalOwner foundOwner(found);
    *untrusted = WhyFolderIsUntrusted(attributes, found, self);
    return 0;
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

std::wstring WhyFolderIsUntrusted(DWORD attributes, PSECURITY_DESCRIPTOR descriptor, PSID self)
{
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return L"它是一个链接（交接点、装入点或符号链接），指向别处。";
    PSID owner = nullptr;
    BOOL defaulted = FALSE;
    if (!GetSecurityDescriptorOwner(descriptor, &owner, &defaulted) || !owner ||
        !IsTrusted(owner, self))
        return L"它的所有者是 " + (owner ? AccountName(owner) : std::wstring(L"（未知）")) +
               L"，不是 SYSTEM、Administrators 或运行本程序的账户。";
    BOOL present = FALSE;
    PACL dacl = nullptr;
    if (!GetSecurityDescriptorDacl(descriptor, &present, &dacl, &defaulted) || !present || !dacl)
        return L"它没有访问控制列表：每个人都可以修改它。";
    std::wstring writers;
    for (DWORD i = 0; i < dacl->AceCount; ++i) {
        ACE_HEADER* header = nullptr;
        if (!GetAce(dacl, i, reinterpret_cast<void**>(&header)))
            return L"无法读取它的访问控制列表。";
        // An entry only handed down to what is made inside is not the
        // folder's own; a denial grants nothing.
        if ((header->AceFlags & INHERIT_ONLY_ACE) || header->AceType == ACCESS_DENIED_ACE_TYPE)
            continue;
        if (header->AceType != ACCESS_ALLOWED_ACE_TYPE)
            return L"它的访问控制列表中有本程序无法判断的条目。";
        auto* ace = reinterpret_cast<ACCESS_ALLOWED_ACE*>(header);
        PSID sid = &ace->SidStart;
        if ((ace->Mask & kTakeOverRights) && !IsTrusted(sid, self))
            writers += (writers.empty() ? L"" : L"、") + AccountName(sid);
    }
    if (!writers.empty())
        return writers + L" 可以在其中写入、添加或删除文件，或者修改它的权限。";
    return std::wstring();
}

DWORD BackUpBeforeImport(int resourceId, std::wstring* path, std::wstring* untrusted)
{
    path->clear();
    untrusted->clear();
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
    // Only the administrators may write in the folders. Anyone else who may
    // set the values (a Power User) would make a folder there that is their
    // own, and would then stand in the administrators' way.
    *path = folder + L"\\Sertavo";
    if (!RunsAsAdministrator())
        return ERROR_ACCESS_DENIED;
    std::vector<BYTE> self = ProcessUser(GetCurrentProcess());
    if (self.empty())
        return GetLastError();
    for (const wchar_t* part : {L"\\Sertavo", L"\\Backup"}) {
        folder += part;
        *path = folder;
        if (DWORD error = MakeTrustedFolder(folder, SidOf(self), untrusted))
            return error;
        if (!untrusted->empty())
            return 0;
    }
    return WriteBackupFile(folder, text, path);
}
