#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Runs make web inside the cached Debian 13 root that make debian-check keeps, whatever this
# machine's release: the build needs Debian 13's emscripten and its Qt 6.8.2 host tools.
# The tree goes to a folder of its own in the root (/root/actuator-panel-web), so that
# another leg can run at the same time, and the served folder comes back to WEB_BUILD here.
# WEB_LEG_DIR names another folder (one plain name), as make release-check does for its
# second build.
# Qt for WebAssembly is kept in the root's cache (/root/.cache/actuator-panel/qt6-wasm-6.8.2),
# unpacked from QT_WASM_TARBALL when it is given, else built there once from source.
# Usage: web-leg.sh CACHE MIRROR WEB_BUILD [QT_WASM_TARBALL]
# An empty MIRROR takes the Debian archive of this machine's own apt sources.
set -euo pipefail
cache=${1:?no cache folder given}
mirror=${2-}
build=$(realpath -m "${3:?no WEB_BUILD folder given}")
tarball=${4:-}
checkout=$(cd "$(dirname "$0")/.." && pwd)
dir=${WEB_LEG_DIR:-actuator-panel-web}
# It is emptied below, so it must be a new folder or a web build's.
if [ -n "$(ls -A "$build" 2> /dev/null)" ] && [ ! -f "$build/actuator-panel.wasm" ]; then
    echo "web-leg: $build holds no actuator-panel.wasm; WEB_BUILD must name a web build folder" >&2
    exit 1
fi

arguments="WEB_LOCAL=1 JOBS=${JOBS:-$(nproc)}"
if [ -n "${WEB_FUNCTION_NAMES:-}" ]; then
    arguments+=" WEB_FUNCTION_NAMES=1"
fi
if [ -n "$tarball" ]; then
    tarball=$(realpath "$tarball")
    export DEBIAN_LEG_FILES=$tarball
    arguments+=" QT_WASM_TARBALL=/root/$dir/$(basename "$tarball")"
fi
# Whatever changes the root outside the tree's folder runs as the leg's setup, while the
# root is locked: the packages, and the deb-src entries and source that building Qt needs.
export DEBIAN_LEG_DIR=$dir DEBIAN_LEG_SETUP="make web-sdk-source $arguments"
"$checkout/scripts/debian-leg.sh" trixie "$cache" "$mirror" "make web $arguments"

out=$cache/debian-trixie/root/$dir/build-web
rm -rf "${build:?}"
cp -a "$out" "$build"
ls -1 "$build"
