#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Makes sure that Qt 6.8.2 for 64-bit Windows (mingw-w64) is in PREFIX and prints PREFIX.
# From TARBALL when one is given (a copy packed from such a PREFIX, with qt6-mingw/ at its
# top); otherwise built once from Debian 13's own qt6-base source with Debian 13's host Qt
# tools, which must be of the same version (about 45 minutes on 2 cores). The prefix is
# kept, so later builds find it ready. make windows runs it inside the Debian 13 root.
# With --source-only it only does what changes the machine's apt: when Qt is to be built
# from source, adds the deb-src entries and fetches that source into PREFIX.work; the root's
# leg runs that part while it holds the root's lock.
# Usage: qt-sdk.sh [--source-only] PREFIX [TARBALL]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
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
toolchain=$prefix/lib/cmake/Qt6/qt.toolchain.cmake
ready=$prefix/.ready # written last, so that a build cut short is made again
version=6.8.2
sudo=""
[ "$(id -u)" -eq 0 ] || sudo=sudo

say() { echo "qt-sdk: $*" >&2; }

from_tarball() {
    local unpack=$prefix.unpack
    rm -rf "$unpack"
    mkdir -p "$unpack"
    tar -xJf "$tarball" -C "$unpack"
    mv "$unpack/qt6-mingw" "$prefix"
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
    {
        for f in /etc/apt/sources.list.d/*.sources; do
            if [ -f "$f" ]; then sed -n 's/^Types:.*\bdeb\b.*/Types: deb-src/;p' "$f" && echo; fi
        done
    } | $sudo tee "$list" > /dev/null
    if [ -f /etc/apt/sources.list ]; then
        sed -n 's/^deb \(.*\)/deb-src \1/p' /etc/apt/sources.list |
            $sudo tee "${list%.sources}.list" > /dev/null
    fi
    $sudo apt-get update -qq
}

work=$prefix.work
src=$work/qt6-base-$version+dfsg

fetch_source() {
    # moc, rcc and uic of the build machine generate code for the target's Qt, so they
    # must be of the same version.
    local host
    host=$(dpkg-query -W -f='${Version}' qt6-base-dev-tools 2> /dev/null || true)
    case $host in
        "$version"+*) ;;
        *) say "needs the host Qt tools $version (Debian 13's qt6-base-dev-tools), found '${host:-none}'"
           exit 1 ;;
    esac
    [ ! -d "$src" ] || return 0
    mkdir -p "$work"
    add_source_entries
    (cd "$work" && apt-get source -qq "qt6-base=${host%+b*}")
}

from_source() {
    fetch_source
    local build=$work/build
    rm -rf "$build"
    mkdir -p "$build"
    # Only what the panel and its tests use. The +dfsg source lacks the tablet (wintab)
    # headers and sqlite; direct2d must stay on, the windows font database needs it. No
    # software bill of materials, which 6.8 writes by default.
    (cd "$build" && "$src/configure" -prefix "$prefix" -release -shared -qt-host-path /usr \
        -nomake examples -nomake tests \
        -no-feature-sql -no-feature-network -no-dbus -no-opengl -no-feature-vulkan \
        -no-feature-printsupport -no-feature-concurrent -no-feature-xml \
        -no-feature-androiddeployqt -no-feature-tabletevent -no-feature-direct2d1_1 \
        -qt-zlib -qt-libpng -qt-libjpeg -qt-pcre -qt-harfbuzz -qt-freetype \
        -qt-doubleconversion \
        -- -G Ninja -DCMAKE_TOOLCHAIN_FILE="$here/mingw-w64-x86_64.cmake" \
        -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake -DQT_GENERATE_SBOM=OFF \
        -DCMAKE_CXX_FLAGS="-ffile-prefix-map=$work/=" -DCMAKE_C_FLAGS="-ffile-prefix-map=$work/=")
    nice cmake --build "$build" --parallel "${JOBS:-$(nproc)}"
    cmake --install "$build" --strip
    # The toolchain file goes with the prefix, so that it does not depend on this checkout.
    cp "$here/mingw-w64-x86_64.cmake" "$prefix/"
    # shellcheck disable=SC2016 # CMake expands the variable, when it reads the file
    sed -i 's|set(__qt_initially_configured_toolchain_file "[^"]*")|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/../../../mingw-w64-x86_64.cmake")|' \
        "$toolchain"
    rm -rf "$work"
}

if [ "$source_only" = yes ]; then
    [ -f "$ready" ] || [ -n "$tarball" ] || fetch_source
    exit 0
fi
if [ ! -f "$ready" ]; then
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    if [ -n "$tarball" ]; then
        say "unpacking $tarball"
        from_tarball
    else
        say "building Qt $version for Windows from Debian's source into $prefix (about 45 minutes)"
        from_source
    fi
    touch "$ready"
fi
echo "$prefix"
