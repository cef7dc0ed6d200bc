#include "accounts.h"
#include <sddl.h>
#include "owners.h"

std::vector<BYTE> ProcessUser(HANDLE process)
{
    HANDLE opened;
    if (!OpenProcessToken(process, TOKEN_QUERY, &opened))
        return {};
    HandleOwner token(opened);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<BYTE> user(size);
    if (!size || !GetTokenInformation(token.get(), TokenUser, user.data(), size, &size))
        return {};
    return user;
}

PSID SidOf(std::vector<BYTE>& user)
{
    return reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
}

std::wstring AccountName(PSID sid)
{
    wchar_t name[256], domain[256];
    DWORD nameSize = 256, domainSize = 256;
    SID_NAME_USE use;
    if (LookupAccountSidW(nullptr, sid, name, &nameSize, domain, &domainSize, &use))
        return domain[0] ? std::wstring(domain) + L"\\" + name : std::wstring(name);
    wchar_t* text = nullptr;
    if (!ConvertSidToStringSidW(sid, &text))
        return L"?";
    LocalOwner owned(text);
    return text;
}

bool RunsAsAdministrator()
{
    BYTE sid[SECURITY_MAX_SID_SIZE];
    DWORD size = sizeof sid;
    BOOL member = FALSE;
    return CreateWellKnownSid(WinBuiltinAdministratorsSid, nullptr, sid, &size) &&
           CheckTokenMembership(nullptr, sid, &member) && member;
}
