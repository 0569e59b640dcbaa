#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Lets the kernel start programs of another architecture through the given qemu-user
# emulator (Debian's qemu-user-static), as Debian's own handlers do, so that a test can
# start the program it tests and mmdebstrap can make a root of that architecture. The
# handler is registered with the flag F: the kernel opens the emulator now, so it works
# in every root and on the machine itself, until the next boot or until binfmt_misc is
# no longer mounted anywhere (scripts/arm-leg.sh keeps it mounted). Needs root.
#   packaging/arm/binfmt.sh /usr/bin/qemu-aarch64-static
set -euo pipefail
emulator=${1:?usage: binfmt.sh EMULATOR}
name=$(basename "$emulator" -static)
binfmt=/proc/sys/fs/binfmt_misc
conf=/usr/lib/binfmt.d/$name.conf

[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt"
if [ -e "$binfmt/$name" ]; then
    grep -q '^flags: .*F' "$binfmt/$name" ||
        echo "binfmt: $name is registered without the flag F; a root may not find its emulator" >&2
    exit 0
fi
[ -f "$conf" ] || { echo "binfmt: no $conf; is qemu-user-static installed?" >&2; exit 1; }
# The line names Debian's wrapper of the emulator, which keeps the program's own argv[0].
line=$(grep -v '^#' "$conf" | head -n 1)
flags=${line##*:}
[[ "$flags" == *F* ]] || line+=F
echo "binfmt: registering $line"
echo "$line" > "$binfmt/register"
