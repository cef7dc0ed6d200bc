#!/usr/bin/env bash
# Builds the bench and runs it headless under Wine, on the private display
# and in the private prefix of the test build: it prints a table of the
# beautified main window's timings against the same window drawn by the
# system alone, and what it ran on.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
eval "$("$root/scripts/build.sh" bench)"
arch=win32
[ "$SUITE" = "$XP" ] || arch=win64
run=("$root/scripts/wine-run" --state "$SUITE/wine" --arch "$arch")

# A session that was already running (a test run's) is left running.
if [ -f "$SUITE/wine/display" ]; then
    "${run[@]}" --start-session
else
    "${run[@]}" --start-session
    trap '"${run[@]}" --end-session' EXIT
fi
"${run[@]}" "$SUITE/bench/bench.exe"
