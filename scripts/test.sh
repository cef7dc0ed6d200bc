#!/usr/bin/env bash
# Builds Sertavo and runs the whole test suite headless under Wine, on a
# private X display and in a private Wine prefix inside the build folder.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/deps.sh"
# A failed build stops here: set -e does not see through eval "$(...)".
folders=$("$root/scripts/build.sh")
eval "$folders"
host=$("$root/scripts/host32.sh")

# Which program each test runs, the architecture it was built for (read from
# its PE header) and whether this host runs it natively or through qemu.
echo "Test programs (this host runs 32-bit code: $host):"
ctest --test-dir "$SUITE" -N -V | awk '
    /: Test command: / {
        n = split($0, part, "\"")
        for (i = 1; i <= n; i++) if (part[i] ~ /\.exe$/) exe[$1 + 0] = part[i]
        wine[$1 + 0] = $0 ~ /wine-run/
    }
    /Test +#[0-9]+:/ {
        id = $0; sub(/.*#/, "", id); sub(/:.*/, "", id)
        if (exe[id + 0] != "") print $NF, wine[id + 0], exe[id + 0]
    }' |
while read -r name underWine exe; do
    format=$(x86_64-w64-mingw32-objdump -f "$exe" | sed -n 's/.*file format //p')
    case $format in
        pei-i386) arch=i686; how=$([ "$host" = native ] && echo native || echo "emulated (qemu)") ;;
        pei-x86-64) arch=x86-64; how=native ;;
        *) arch=$format; how=? ;;
    esac
    [ "$underWine" = 1 ] || how="read, not run"
    printf '  %-22s %-7s %-16s %s\n' "$name" "$arch" "$how" "${exe#"$root"/}"
done
ctest --test-dir "$SUITE" --output-on-failure -j 2 "$@"
