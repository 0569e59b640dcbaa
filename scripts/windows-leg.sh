#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Runs a Windows target (windows, windows-test, windows-bench) inside the cached Debian 13
# root that make debian-check keeps, whatever this machine's release: the cross build needs
# Debian 13's mingw-w64, its Qt 6.8.2 host tools and its Wine 10. The tree goes to a folder
# of its own in the root (/root/actuator-panel-windows), so that a Debian leg can run at the
# same time, and the program, the zip and the installer come back to WINDOWS_BUILD here.
# WINDOWS_LEG_DIR names another folder (one plain name), as make release-check does for
# its second build.
# Qt for Windows is kept in the root's cache (/root/.cache/actuator-panel/qt6-mingw-6.8.2),
# unpacked from QT_MINGW_TARBALL when it is given, else built there once from source.
# Usage: windows-leg.sh TARGET CACHE MIRROR WINDOWS_BUILD [QT_MINGW_TARBALL]
# An empty MIRROR takes the Debian archive of this machine's own apt sources.
set -euo pipefail
target=${1:?no target given}
cache=${2:?no cache folder given}
mirror=${3-}
build=$(realpath -m "${4:?no WINDOWS_BUILD folder given}")
tarball=${5:-}
checkout=$(cd "$(dirname "$0")/.." && pwd)
dir=${WINDOWS_LEG_DIR:-actuator-panel-windows}
# Its bin/ is replaced below, so it must be a new folder or a Windows build's, never /usr.
if [ -e "$build/bin" ] && [ ! -f "$build/bin/actuator-panel.exe" ]; then
    echo "windows-leg: $build/bin holds no actuator-panel.exe; WINDOWS_BUILD must name a Windows build folder" >&2
    exit 1
fi

arguments="WINDOWS_LOCAL=1 JOBS=${JOBS:-$(nproc)}"
# CCACHE= (the release builds) reaches the root's make too.
[ -z "${CCACHE+set}" ] || arguments+=" CCACHE=$CCACHE"
if [ -n "$tarball" ]; then
    tarball=$(realpath "$tarball")
    export DEBIAN_LEG_FILES=$tarball
    arguments+=" QT_MINGW_TARBALL=/root/$dir/$(basename "$tarball")"
fi
# Whatever changes the root outside the tree's folder runs as the leg's setup, while the
# root is locked: the packages, and the deb-src entries and source that building Qt needs.
export DEBIAN_LEG_DIR=$dir DEBIAN_LEG_SETUP="make windows-sdk-source $arguments"
"$checkout/scripts/debian-leg.sh" trixie "$cache" "$mirror" "make $target $arguments"

# What make windows makes, back in this checkout.
out=$cache/debian-trixie/root/$dir/build-windows
rm -rf "${build:?}/bin"
mkdir -p "$build"
cp -a "$out/bin" "$build/"
cp -a "$out"/actuator-panel-*-win64.* "$build/"
ls -1 "$build/bin/actuator-panel.exe" "$build"/actuator-panel-*-win64.*
