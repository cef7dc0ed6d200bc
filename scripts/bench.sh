#!/usr/bin/env bash
# Builds the bench and runs it headless under Wine, on the private display
# and in the private prefix of the test build: it prints a table of the
# beautified main window's timings against the same window drawn by the
# system alone, with what each operation costs in window-property calls and
# GDI creations, and what it ran on. The bench is the 32-bit build, as the
# program users get; where 32-bit code runs only emulated it still runs, and
# says that its times are not comparable, and the same sources built for
# x86-64 run natively after it, for times that are.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
# A failed build stops here: set -e does not see through eval "$(...)".
folders=$("$root/scripts/build.sh" bench bench-counts)
eval "$folders"
arch=win32
[ "$SUITE" = "$XP" ] || arch=win64
run=("$root/scripts/wine-run" --state "$SUITE/wine" --arch "$arch")
emulated=()
[ "$("$root/scripts/host32.sh")" = native ] || emulated=(--emulated)

# A session that was already running (a test run's) is left running.
if [ -f "$SUITE/wine/display" ]; then
    "${run[@]}" --start-session
else
    "${run[@]}" --start-session
    trap '"${run[@]}" --end-session' EXIT
fi
# The counts first: the timing run puts them in its table.
counts=$("${run[@]}" "$XP/bench/bench-counts.exe" | tr -d '\r')
"${run[@]}" "$XP/bench/bench.exe" "${emulated[@]}" $counts
if [ "$SUITE" != "$XP" ]; then
    echo
    echo "The same bench built for x86-64, run natively:"
    "${run[@]}" "$SUITE/bench/bench.exe" $counts
fi
