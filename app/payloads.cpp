#include "payloads.h"
#include "resource_ids.h"

namespace {

#define EXPLORER_KEY L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer"
#define NAMESPACE_KEY \
    L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Desktop\\NameSpace\\"

const RegistryValue kRepairValues[] = {
    {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", EXPLORER_KEY L"\\CabinetState", L"Use Search Asst",
     L"no"},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE",
     NAMESPACE_KEY L"{1f4de370-d627-11d1-ba4f-00a0c91eedba}", nullptr,
     L"Computer Search Results Folder"},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE",
     NAMESPACE_KEY L"{450D8FBA-AD25-11D0-98A8-0800361B1103}", nullptr, L""},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE",
     NAMESPACE_KEY L"{450D8FBA-AD25-11D0-98A8-0800361B1103}", L"Removal Message",
     L"@mydocs.dll,-900"},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE",
     NAMESPACE_KEY L"{645FF040-5081-101B-9F08-00AA002F954E}", nullptr, L"Recycle Bin"},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE",
     NAMESPACE_KEY L"{e17d4fc0-5564-11d1-83f2-00a0c90dc849}", nullptr, L"Search Results Folder"},
};

// The restore set writes the same values, all empty.
const RegistryValue kRestoreValues[] = {
    {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER", EXPLORER_KEY L"\\CabinetState", L"Use Search Asst",
     L""},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE",
     NAMESPACE_KEY L"{1f4de370-d627-11d1-ba4f-00a0c91eedba}", nullptr, L""},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE",
     NAMESPACE_KEY L"{450D8FBA-AD25-11D0-98A8-0800361B1103}", nullptr, L""},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE",
     NAMESPACE_KEY L"{450D8FBA-AD25-11D0-98A8-0800361B1103}", L"Removal Message", L""},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE",
     NAMESPACE_KEY L"{645FF040-5081-101B-9F08-00AA002F954E}", nullptr, L""},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE",
     NAMESPACE_KEY L"{e17d4fc0-5564-11d1-83f2-00a0c90dc849}", nullptr, L""},
};

}  // namespace

Payload LoadPayload(int resourceId)
{
    // Resource type names match without regard to case.
    HRSRC res = FindResourceW(nullptr, MAKEINTRESOURCEW(resourceId), L"custom");
    HGLOBAL data = res ? LoadResource(nullptr, res) : nullptr;
    const void* bytes = data ? LockResource(data) : nullptr;
    if (!bytes)
        return Payload{nullptr, 0};
    return Payload{bytes, SizeofResource(nullptr, res)};
}

const RegistryValue* PayloadValues(int resourceId, int* count)
{
    *count = 6;
    return resourceId == IDR_PAYLOAD_REPAIR ? kRepairValues : kRestoreValues;
}
