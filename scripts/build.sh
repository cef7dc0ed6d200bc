#!/usr/bin/env bash
# Configures and builds Sertavo. Prints the build folders it used:
#   XP=<folder of the Windows XP build>  SUITE=<folder of the test build>
# The product and the test programs are always built for 32-bit (build/xp),
# so a test program that does not compile as i686 fails the build on every
# host. Where the kernel runs 32-bit code, build/xp is also the test build.
# Where 32-bit code runs only emulated (many times slower), the same sources
# are built for x86-64 as well (build/x64): that tree runs its own suite
# natively in 64-bit Wine, and the 32-bit beautifier and application tests
# of build/xp under the emulator beside it.
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
configure "$xp" mingw-i686.cmake -DSERTAVO_BUILD_TESTS=ON
cmake --build "$xp" -j "$jobs" "${targets[@]}" >&2
suite=$xp
if [ "$("$root/scripts/host32.sh")" = emulated ]; then
    suite=$root/build/x64
    configure "$suite" mingw-x86_64.cmake -DSERTAVO_BUILD_TESTS=ON \
        -DSERTAVO_XP_EXE="$xp/app/Sertavo.exe" -DSERTAVO_I686_TESTS="$xp/tests"
    cmake --build "$suite" -j "$jobs" "${targets[@]}" >&2
fi
echo "XP=$xp SUITE=$suite"
