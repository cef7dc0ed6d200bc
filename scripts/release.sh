#!/usr/bin/env bash
# Makes the download: dist/Sertavo-<version>.zip (the PE32 of build/xp, the
# readme for users, their SHA256SUMS) and dist/SHA256SUMS for the zip, then
# checks them (scripts/check-release.sh).
#   release.sh                       builds (scripts/build.sh) and packs into dist/
#   release.sh --no-build EXE DIR    packs the build that made EXE into DIR
# The second form is the test suite's: it packs what the tests ran.
#
# The same commit gives the same zip: its entries carry the commit's time
# (SOURCE_DATE_EPOCH, unless already set; a fixed one outside a git
# checkout) and the program is linked without a time stamp. Uncommitted
# changes make a zip that no commit reproduces.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)

if [ "${1:-}" = --no-build ]; then
    exe=$2 out=$3
else
    "$root/scripts/deps.sh"
    # A failed build stops here: set -e does not see through eval "$(...)".
    folders=$("$root/scripts/build.sh")
    eval "$folders"
    exe=$XP/app/Sertavo.exe out=$root/dist
fi
tree=$(cd "$(dirname "$exe")/.." && pwd)
[ -f "$tree/CPackConfig.cmake" ] || { echo "release: $tree has no CPackConfig.cmake" >&2; exit 1; }

if [ -z "${SOURCE_DATE_EPOCH:-}" ]; then
    SOURCE_DATE_EPOCH=$(git -C "$root" log -1 --format=%ct 2>/dev/null) || SOURCE_DATE_EPOCH=
    if [ -z "$SOURCE_DATE_EPOCH" ]; then
        # 1980-01-01 UTC, the earliest time a zip entry can hold.
        SOURCE_DATE_EPOCH=315532800
        echo "release: no commit to take the time from; the zip's entries carry 1980-01-01" >&2
    fi
fi
[ -z "$(git -C "$root" status --porcelain 2>/dev/null)" ] ||
    echo "release: warning: uncommitted changes; no commit reproduces this zip" >&2

# CPack writes the DOS time of each entry in local time.
mkdir -p "$out"
rm -rf "$tree/package"
SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH TZ=UTC \
    cpack --config "$tree/CPackConfig.cmake" -B "$tree/package" >/dev/null
zip=$(cd "$tree/package" && ls Sertavo-*.zip)
rm -f "$out"/Sertavo-*.zip
cp "$tree/package/$zip" "$out/"
(cd "$out" && sha256sum "$zip" > SHA256SUMS)

"$root/scripts/check-release.sh" "$out/$zip" "$exe"
echo "$out/$zip"
cat "$out/SHA256SUMS"
