#!/usr/bin/env bash
# check-release.sh ZIP TESTED_EXE
# Checks the download made by release.sh: SHA256SUMS beside the zip and the
# one inside hold the right sums and cover every file; the zip's Sertavo.exe
# is the tested one byte for byte, loads on XP (check-xp-exe.sh) and has no
# link time in its PE header; readme-zh.txt has a byte-order mark, valid
# UTF-8 or UTF-16LE, and CR LF line ends only. Prints what fails.
set -u
zip=$1 tested=$2
fail() { echo "check-release: $*"; failed=1; }
failed=0
tmp=$(mktemp -d); trap 'rm -rf "$tmp"' EXIT

(cd "$(dirname "$zip")" && sha256sum -c --quiet SHA256SUMS) || fail "SHA256SUMS beside the zip"
unzip -q "$zip" -d "$tmp/x" || { fail "cannot unpack $zip"; exit 1; }
(cd "$tmp/x" && sha256sum -c --quiet SHA256SUMS) || fail "SHA256SUMS in the zip"
listed=$( (cut -c67- "$tmp/x/SHA256SUMS"; echo SHA256SUMS) | sort)
[ "$listed" = "$(unzip -Z1 "$zip" | sort)" ] || fail "SHA256SUMS does not cover exactly the zip's files"

cmp "$tmp/x/Sertavo.exe" "$tested" || fail "the zip's Sertavo.exe is not $tested"
"$(dirname "$0")/check-xp-exe.sh" "$tmp/x/Sertavo.exe" >/dev/null || fail "Sertavo.exe does not load on XP"
# The COFF header follows "PE\0\0" at the offset kept at 0x3C; its time
# stamp is the third field (objdump -p shows it as a local date, the epoch
# for 0).
pe=$(od -An -tu4 -j60 -N4 "$tmp/x/Sertavo.exe" | tr -d ' ')
stamp=$(od -An -tu4 -j$((pe + 8)) -N4 "$tmp/x/Sertavo.exe" | tr -d ' ')
[ "$stamp" = 0 ] || fail "Sertavo.exe carries a link time ($stamp)"

readme=$tmp/x/readme-zh.txt
case $(head -c3 "$readme" | od -An -tx1 | tr -d ' ') in
    efbbbf) iconv -f UTF-8 -t UTF-8 "$readme" > "$tmp/utf8" ;;
    fffe*) iconv -f UTF-16 -t UTF-8 "$readme" > "$tmp/utf8" ;;
    *) false ;;
esac 2>/dev/null || fail "readme-zh.txt: no byte-order mark or not valid UTF-8/UTF-16"
[ "$(tail -c2 "$tmp/utf8" | od -An -tx1)" = " 0d 0a" ] &&
    ! LC_ALL=C grep -q -v $'\r$' "$tmp/utf8" &&
    ! LC_ALL=C grep -q $'\r.' "$tmp/utf8" || fail "readme-zh.txt: a line end other than CR LF"
exit $failed
