#!/usr/bin/env bash
# Builds Sertavo and runs the whole test suite headless under Wine, on a
# private X display and in a private Wine prefix inside the build folder.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
eval "$("$root/scripts/build.sh")"
ctest --test-dir "$SUITE" --output-on-failure -j 2 "$@"
