#pragma once
#include <windows.h>
#include <string>
#include <vector>

// The accounts processes run as, and their names.

// The user a process runs as: its token's TOKEN_USER, empty when the process
// or its token cannot be opened (the error is then in GetLastError).
std::vector<BYTE> ProcessUser(HANDLE process);
// The account's SID inside what ProcessUser returned.
PSID SidOf(std::vector<BYTE>& user);

// An account as the system names it, "DOMAIN\user" ("NT AUTHORITY\SYSTEM",
// "BUILTIN\Users"); the SID as text ("S-1-5-21-...") when no name is known,
// as for an account that was deleted or one of another domain out of reach.
std::wstring AccountName(PSID sid);

// True when the program's token holds the Administrators group, enabled:
// an administrator's, or the local system account's.
bool RunsAsAdministrator();
