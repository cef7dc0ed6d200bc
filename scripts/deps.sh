#!/usr/bin/env bash
# Makes sure this Debian machine can build Sertavo and run it under Wine:
# installs the missing packages when run as root, otherwise prints the one
# command that does. Where the kernel runs no 32-bit code (some virtual
# machines run 64-bit user code only), 32-bit programs are run through the
# qemu user-mode emulator, registered for i386 executables.
set -eu

packages=(cmake make g++-mingw-w64-i686-win32 g++-mingw-w64-x86-64-win32
          wine wine64 wine32:i386 xvfb xauth fonts-wqy-zenhei doctest-dev
          imagemagick qemu-user-static procps unzip git)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

binfmt=/proc/sys/fs/binfmt_misc
runs_i386() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

install_cmd="dpkg --add-architecture i386 && apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends ${missing[*]}"
if [ ${#missing[@]} -gt 0 ]; then
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing packages: ${missing[*]}" >&2
        echo "Run as root:  $install_cmd" >&2
        exit 1
    fi
    echo "Installing: ${missing[*]}"
    dpkg --add-architecture i386
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if ! runs_i386; then
    # The magic and mask of an i386 ELF executable, as qemu's own binfmt
    # files give them; F opens the (static) emulator now, so it also serves
    # programs started inside other mount namespaces.
    rule=':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F'
    if [ "$(id -u)" -ne 0 ]; then
        echo "This kernel runs no 32-bit programs. Run as root:" >&2
        echo "  mountpoint -q $binfmt || mount -t binfmt_misc binfmt_misc $binfmt; printf '%s' '$rule' > $binfmt/register" >&2
        exit 1
    fi
    mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt"
    [ -e "$binfmt/qemu-i386" ] || printf '%s' "$rule" > "$binfmt/register"
    runs_i386 || { echo "deps: 32-bit programs still do not run" >&2; exit 1; }
fi
exit 0
