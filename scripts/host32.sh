#!/usr/bin/env bash
# Prints "native" when this machine's kernel runs 32-bit x86 programs itself,
# "emulated" when they run only through qemu's user-mode emulator.
if [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] &&
   grep -qx enabled /proc/sys/fs/binfmt_misc/qemu-i386 2>/dev/null; then
    echo emulated
else
    echo native
fi
