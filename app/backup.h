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
// Users may add files and folders in the common application data folder
// (on Windows XP), so a folder found there may be a standard user's, or lead
// elsewhere, and a backup in it a file the user planted for an
// administrator to import. Each level the program makes (Sertavo, Backup)
// is the administrators' alone: SYSTEM and Administrators may do anything,
// Users only read, whatever the folder above hands down; the backups
// inherit that. A level that is already there serves only when it is a real
// folder, owned by SYSTEM, Administrators or the program's own account, and
// nobody else may write, add, delete or change its rights.
//
// Writes the backup for the payload's set unless importing it would change
// nothing. Returns the system's error, or 0; *path is the file written
// (empty when none was needed), or on an error the file or folder it could
// not make or use. *untrusted, when not empty, says why the folder at *path
// may not hold backups; nothing was written then.
DWORD BackUpBeforeImport(int resourceId, std::wstring* path, std::wstring* untrusted);

// Why a folder that is already there may not hold backups, judged from its
// attributes and its security descriptor, or empty when it may. self is the
// account the program runs as.
std::wstring WhyFolderIsUntrusted(DWORD attributes, PSECURITY_DESCRIPTOR descriptor, PSID self);
