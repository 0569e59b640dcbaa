#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Runs an ARM target for one Debian release and one ARM architecture:
#   arm-package        the package, cross-built in that release's root of make debian-check
#                      (CACHE/debian-SUITE), lintian-checked there, brought back to DIST;
#   arm-test           the whole suite, cross-built there and run under qemu-user;
#   arm-package-check  DIST's package for ARCH checked by packaging/check-package.sh in a
#                      root of the release made for ARCH (CACHE/debian-SUITE-ARCH), whose
#                      programs run under qemu-user through the kernel's handler that
#                      arm-package and arm-test register.
# The tree goes to a folder of its own in the root (/root/actuator-panel-ARCH), so that
# other legs can run in the same root at the same time.
# Usage: arm-leg.sh TARGET SUITE ARCH CACHE MIRROR DIST (an empty MIRROR: the archive of
# this machine's apt sources, as make debian-check takes it)
set -euo pipefail
target=${1:?usage: arm-leg.sh TARGET SUITE ARCH CACHE MIRROR DIST}
suite=${2:?no SUITE}
arch=${3:?no ARCH}
cache=${4:?no CACHE}
mirror=${5-}
dist=$(realpath -m "${6:?no DIST}")
checkout=$(cd "$(dirname "$0")/.." && pwd)

case $suite in bookworm | trixie) ;; *)
    echo "arm-leg: ARM_SUITE is bookworm or trixie, not '$suite'" >&2
    exit 2
    ;;
esac
case $arch in arm64 | armhf) ;; *)
    echo "arm-leg: ARM_ARCH is arm64 or armhf, not '$arch'" >&2
    exit 2
    ;;
esac

# The kernel keeps the handlers of binfmt_misc only while it is mounted somewhere (Linux
# 6.18 here drops them with its last mount). Each command in a root mounts it in a mount
# namespace of its own, which ends with the command; mounted here, on the machine, it keeps
# the handler that one command registers for the next.
binfmt=/proc/sys/fs/binfmt_misc
mountpoint -q "$binfmt" || mount -t binfmt_misc binfmt_misc "$binfmt" ||
    { echo "arm-leg: cannot mount $binfmt; ARM programs could not be run" >&2; exit 1; }

release=$([ "$suite" = trixie ] && echo 13 || echo 12)
dir=actuator-panel-$arch
arguments="ARM_LOCAL=1 ARM_ARCH=$arch JOBS=${JOBS:-$(nproc)}"
# CCACHE= (the release builds) reaches the root's make too.
[ -z "${CCACHE+set}" ] || arguments+=" CCACHE=$CCACHE"
case $target in
arm-package | arm-test)
    export DEBIAN_LEG_DIR=$dir DEBIAN_LEG_SETUP="make arm-deps $arguments"
    "$checkout/scripts/debian-leg.sh" "$suite" "$cache" "$mirror" "make $target $arguments"
    if [ "$target" = arm-package ]; then
        mkdir -p "$dist"
        cp "$cache/debian-$suite/root/$dir/build-$arch-pkg"/actuator-panel_*~deb"${release}_$arch.deb" "$dist/"
        ls -1 "$dist"/actuator-panel_*~deb"${release}_$arch.deb"
    fi
    ;;
arm-package-check)
    shopt -s nullglob
    debs=("$dist"/actuator-panel_*~deb"${release}_$arch.deb")
    deb=${debs[-1]:-}
    [ -n "$deb" ] || { echo "arm-leg: no $arch package for Debian $release in $dist; run make arm-package" >&2; exit 1; }
    # Without DEBIAN_LEG_SETUP the root stays locked for the whole check, which installs
    # packages in it.
    DEBIAN_LEG_ARCH=$arch DEBIAN_LEG_DIR=actuator-panel-check DEBIAN_LEG_FILES=$(realpath "$deb") \
        "$checkout/scripts/debian-leg.sh" "$suite" "$cache" "$mirror" \
        "apt-get update -qq && packaging/check-package.sh ."
    ;;
*)
    echo "arm-leg: unknown target '$target'" >&2
    exit 2
    ;;
esac
