#!/usr/bin/env bash
# Makes the README's screenshots of the real program (build/xp/app/Sertavo.exe)
# on a private virtual display under Wine: the main window at rest, the same
# window with the pointer resting on a button, and the instructions window.
# They are written to docs/screenshots/ as PNG files.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
# A failed build stops here: set -e does not see through eval "$(...)".
folders=$("$root/scripts/build.sh" Sertavo sertavo-shot)
eval "$folders"
arch=win32
[ "$SUITE" = "$XP" ] || arch=win64
run=("$root/scripts/wine-run" --state "$root/build/run-wine" --arch "$arch")
out=$root/docs/screenshots
tmp=$root/build/screenshots
mkdir -p "$out" "$tmp"

"${run[@]}" --start-session
trap '"${run[@]}" --end-session' EXIT
names=(main-window main-window-button-hot instructions-window)
"${run[@]}" "$SUITE/tests/sertavo-shot.exe" "$XP/app/Sertavo.exe" \
    "$tmp/${names[0]}.bmp" "$tmp/${names[1]}.bmp" "$tmp/${names[2]}.bmp"
for n in "${names[@]}"; do
    convert "$tmp/$n.bmp" "$out/$n.png"
    echo "$out/$n.png"
done
