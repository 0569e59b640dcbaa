#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Makes sure that Qt 6.8.2 for WebAssembly (qtbase: Core, Gui, Widgets, Test and the wasm
# platform plugin; static, single-threaded) is in PREFIX, and prints PREFIX. From TARBALL
# when one is given (a copy packed from such a prefix, with qt6-wasm/ at its top);
# otherwise built once from Debian 13's own qt6-base source with Debian 13's emscripten
# (about 17 minutes on 2 cores). The prefix is kept, so later builds find it ready. make web
# runs it inside the Debian 13 root.
# Qt's CMake files read emscripten's place from an emsdk folder ($EMSDK/.emscripten), also
# when a program is configured; Debian's emscripten is not one, so PREFIX.emsdk stands in
# for it, naming /usr/share/emscripten as its upstream/emscripten.
# With --source-only it only does what changes the machine's apt: when Qt is to be built
# from source, adds the deb-src entries and fetches that source into PREFIX.work.
# Usage: qt-sdk.sh [--source-only] PREFIX [TARBALL]
set -euo pipefail
source_only=no
if [ "${1:-}" = --source-only ]; then
    source_only=yes
    shift
fi
prefix=${1:?no PREFIX given}
tarball=${2:-}
# PREFIX and the folders beside it are removed and made again.
case $prefix in
    /*/*) ;;
    *) echo "qt-sdk: PREFIX must be an absolute path below a folder, not '$prefix'" >&2; exit 1 ;;
esac
ready=$prefix/.ready # written last, so that a build cut short is made again
version=6.8.2
emsdk=$prefix.emsdk
work=$prefix.work
src=$work/qt6-base-$version+dfsg

say() { echo "qt-sdk: $*" >&2; }

emsdk_standin() {
    mkdir -p "$emsdk/upstream"
    ln -sfn /usr/share/emscripten "$emsdk/upstream/emscripten"
    echo "EMSCRIPTEN_ROOT = 'upstream/emscripten'" > "$emsdk/.emscripten"
}

from_tarball() {
    local unpack=$prefix.unpack
    rm -rf "$unpack"
    mkdir -p "$unpack"
    tar -xJf "$tarball" -C "$unpack"
    mv "$unpack/qt6-wasm" "$prefix"
    rmdir "$unpack"
}

# apt-get source needs deb-src entries; add them for the archives this machine already
# installs from.
add_source_entries() {
    if grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
        return
    fi
    local list=/etc/apt/sources.list.d/actuator-panel-deb-src.sources
    say "adding deb-src entries in $list"
    for f in /etc/apt/sources.list.d/*.sources; do
        if [ -f "$f" ]; then sed -n 's/^Types:.*\bdeb\b.*/Types: deb-src/;p' "$f" && echo; fi
    done > "$list"
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list > "${list%.sources}.list"
    fi
    apt-get update -qq
}

fetch_source() {
    [ ! -d "$src" ] || return 0
    mkdir -p "$work"
    add_source_entries
    # Debian 13's own version, or whatever qt6-base the archive has now if that has gone.
    cd "$work"
    if ! apt-get source -qq "qt6-base=$version+dfsg-9+deb13u2" > /dev/null 2>&1; then
        apt-get source -qq qt6-base > /dev/null
    fi
    cd - > /dev/null
}

from_source() {
    fetch_source
    local build=$work/build
    rm -rf "$build"
    mkdir -p "$build"
    # Only what the panel and its tests use. The +dfsg source lacks sqlite, whose
    # attribution the software bill of materials reads: neither is built.
    (cd "$build" && EMSDK=$emsdk "$src/configure" -platform wasm-emscripten -qt-host-path /usr \
        -prefix "$prefix" -static -release -no-feature-thread -nomake examples -nomake tests \
        -no-feature-sql -no-feature-network -no-dbus -no-feature-printsupport \
        -no-feature-concurrent -no-feature-xml \
        -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype -qt-doubleconversion \
        -- -G Ninja \
        -DCMAKE_TOOLCHAIN_FILE=/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DQT_GENERATE_SBOM=OFF)
    EMSDK=$emsdk nice cmake --build "$build" --parallel "${JOBS:-$(nproc)}"
    cmake --install "$build" > /dev/null
    rm -rf "$work"
}

if [ "$source_only" = yes ]; then
    [ -f "$ready" ] || [ -n "$tarball" ] || fetch_source
    exit 0
fi
emsdk_standin
if [ ! -f "$ready" ]; then
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    if [ -n "$tarball" ]; then
        say "unpacking $tarball"
        from_tarball
    else
        say "building Qt $version for WebAssembly from Debian's source into $prefix (about 17 minutes)"
        from_source
    fi
    touch "$ready"
fi
echo "$prefix"
