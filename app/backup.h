#pragma once
#include <windows.h>
#include <string>

// Before a registry file is imported, the values it would change are
// saved as a registry file of their own that puts back exactly the state
// before when imported (a double click, "regedit /s FILE", "reg import
// FILE"): each value that existed with its type and data, "name"=- for one
// that did not, [-KEY] for a key that did not. It goes to
//   <common application data>\Sertavo\Backup\registry-YYYYMMDD-HHMMSS.reg
// (on Windows XP under "C:\Documents and Settings\All Users\Application
// Data"), in the registry editor's own export format: "Windows Registry
// Editor Version 5.00", UTF-16LE with a byte-order mark, CR LF.
//
// Writes the backup for the payload's set unless importing it would change
// nothing. Returns the system's error, or 0; *path is the file written
// (empty when none was needed), or on an error the file or folder it could
// not make.
DWORD BackUpBeforeImport(int resourceId, std::wstring* path);
