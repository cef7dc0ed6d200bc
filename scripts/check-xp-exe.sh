#!/usr/bin/env bash
# check-xp-exe.sh PROGRAM.exe...
# Checks that each program loads on Windows XP SP3: a 32-bit PE whose header
# asks for subsystem and OS version 5.01 or lower, that imports only from the
# system's own DLLs and only functions that XP SP3 exports (the export lists
# in tools/xp-exports), and that asks for DEP and ASLR. Prints what fails;
# exit 0 when nothing does.
set -u
lists=$(cd "$(dirname "$0")/../tools/xp-exports" && pwd)
# XP's known DLLs and their imports: all others it looks for beside the program first.
system_dlls=" advapi32 comdlg32 gdi32 kernel32 msvcrt ntdll ole32 oleaut32 shell32 user32 version "
objdump=${OBJDUMP:-i686-w64-mingw32-objdump}
fail=0

for exe in "$@"; do
    dump=$("$objdump" -p "$exe" 2>&1) || { echo "$exe: cannot read: $dump"; fail=1; continue; }
    field() { printf '%s\n' "$dump" | awk -v f="$1" '$1 == f { print $2; exit }'; }

    case $dump in *"file format pei-i386"*) ;; *) echo "$exe: not a 32-bit PE"; fail=1; continue ;; esac
    [ "$(field Subsystem)" = 00000002 ] || { echo "$exe: not a GUI program"; fail=1; }
    for f in MajorSubsystemVersion MajorOSystemVersion; do
        [ "$(field $f)" = 5 ] || { echo "$exe: $f is $(field $f), not 5"; fail=1; }
    done
    for f in MinorSubsystemVersion MinorOSystemVersion; do
        [ "$(field $f)" = 1 ] || { echo "$exe: $f is $(field $f), not 1"; fail=1; }
    done
    [ $((0x$(field DllCharacteristics) & 0x140)) = $((0x140)) ] ||
        { echo "$exe: DllCharacteristics lack NX_COMPAT or DYNAMIC_BASE (0x140)"; fail=1; }

    bad=$(printf '%s\n' "$dump" | awk -v lists="$lists" -v known="$system_dlls" '
        /^The Import Tables/ { on = 1; next }
        /^The Export Tables|^PE File Base Relocations|^The .* Section/ { on = 0 }
        !on { next }
        /DLL Name: / {
            dll = tolower($3); base = dll; sub(/\.dll$/, "", base)
            if (!index(known, " " base " ")) print "taken from beside the program first: " dll
            file = lists "/" base ".txt"; n = 0
            while ((getline line < file) > 0) { ok[dll, line] = 1; n++ }
            close(file)
            if (n == 0) print "not a system DLL of XP: " dll
            next
        }
        dll != "" && /^\t[0-9a-fA-F]+\t/ && $3 != "<none>" {
            total++
            if (!((dll, $3) in ok)) print "not on XP: " dll "!" $3
        }
        END { if (total == 0) print "no imports read" }') || bad="the import table could not be checked"
    if [ -n "$bad" ]; then
        printf '%s: %s\n' "$exe" "$bad" | sed "2,\$s|^|$exe: |"
        fail=1
    else
        echo "$exe: loads on Windows XP SP3"
    fi
done
exit $fail
