#!/usr/bin/env bash
# Configures and builds Sertavo. Prints the build folders it used:
#   XP=<folder of the Windows XP build>  SUITE=<folder of the test build>
# The product is always the 32-bit build (build/xp). The test programs are
# built for 32-bit too where the kernel runs 32-bit code; where 32-bit code
# runs only emulated (many times slower), the same sources are built for
# x86-64 as well (build/x64) and the tests run natively in 64-bit Wine, while
# the 32-bit product is still started and checked end to end.
#   build.sh [TARGET...]   (default: everything)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc 2>/dev/null || echo 2)

configure() {  # folder toolchain extra-args...
    local dir=$1 tc=$2; shift 2
    if [ ! -f "$dir/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$dir" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$tc" "$@" >/dev/null
    else
        cmake "$dir" "$@" >/dev/null
    fi
}

targets=()
for t in "$@"; do targets+=(--target "$t"); done

xp=$root/build/xp
if [ "$("$root/scripts/host32.sh")" = native ]; then
    configure "$xp" mingw-i686.cmake -DSERTAVO_BUILD_TESTS=ON
    cmake --build "$xp" -j "$jobs" "${targets[@]}" >&2
    suite=$xp
else
    configure "$xp" mingw-i686.cmake -DSERTAVO_BUILD_TESTS=OFF
    cmake --build "$xp" -j "$jobs" --target Sertavo >&2
    suite=$root/build/x64
    configure "$suite" mingw-x86_64.cmake -DSERTAVO_BUILD_TESTS=ON \
        -DSERTAVO_XP_EXE="$xp/app/Sertavo.exe"
    cmake --build "$suite" -j "$jobs" "${targets[@]}" >&2
fi
echo "XP=$xp SUITE=$suite"
