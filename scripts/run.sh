#!/usr/bin/env bash
# Builds Sertavo and starts it under Wine.
# With a display ($DISPLAY), the program opens there and this script returns
# when it is closed. Without one, the program runs on a private virtual
# display: once its main window has painted, a screenshot of it is written to
# build/sertavo-main-window.png, then the program and the display are ended.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
# A failed build stops here: set -e does not see through eval "$(...)".
folders=$("$root/scripts/build.sh" Sertavo sertavo-shot)
eval "$folders"
exe=$XP/app/Sertavo.exe
arch=win32
[ "$SUITE" = "$XP" ] || arch=win64
run=("$root/scripts/wine-run" --state "$root/build/run-wine" --arch "$arch")

if [ "$("$root/scripts/host32.sh")" = emulated ]; then
    echo "Note: this machine runs 32-bit programs only through an emulator;"
    echo "the first start creates a Wine prefix and takes a few minutes."
fi

if [ -n "${DISPLAY:-}" ]; then
    echo "Starting $exe on display $DISPLAY"
    exec "${run[@]}" --user-display "$exe"
fi

shot=$root/build/sertavo-main-window
echo "No display: starting Sertavo on a private virtual display"
"${run[@]}" --start-session
trap '"${run[@]}" --end-session' EXIT
"${run[@]}" "$SUITE/tests/sertavo-shot.exe" "$exe" "$shot.bmp"
if command -v convert >/dev/null && convert "$shot.bmp" "$shot.png" 2>/dev/null; then
    rm -f "$shot.bmp"
    echo "Screenshot of the main window: $shot.png"
else
    echo "Screenshot of the main window: $shot.bmp"
fi
