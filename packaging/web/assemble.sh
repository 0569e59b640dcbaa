#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Makes the served folder of the web build: the page, the program's .js and .wasm from the
# CMake build, Qt's loader, the icons, the app manifest and the service worker that keeps
# the files for offline starts, and the licences of what the program carries (the panel's
# own, Qt's and the fonts'). Nothing else, so that any web server can serve it.
# Usage: assemble.sh CMAKE_BUILD OUT
set -euo pipefail
# Files listed in the same order whatever the builder's language.
export LC_ALL=C
here=$(cd "$(dirname "$0")" && pwd)
cmake_build=${1:?no CMake build folder given}
out=${2:?no output folder given}
rm -rf "${out:?}"
mkdir -p "$out"
cp "$here/index.html" "$here/manifest.webmanifest" "$here"/actuator-panel-*.png "$out/"
cp "$here/../actuator-panel.svg" "$out/"
for f in actuator-panel.js actuator-panel.wasm qtloader.js; do
    cp "$cmake_build/$f" "$out/"
done
{
    echo "Actuator Panel for the web browser: the licences of what it carries."
    # Each under a name that does not depend on where the tree was built.
    printf '\n==== LICENSE ====\n\n'
    cat "$here/../../LICENSE"
    for notice in /usr/share/doc/qt6-base-dev/copyright \
        /usr/share/doc/fonts-dejavu-core/copyright /usr/share/doc/fonts-ebgaramond/copyright; do
        printf '\n==== %s ====\n\n' "${notice##*/doc/}"
        cat "$notice"
    done
} > "$out/LICENSES.txt"
# The service worker keeps every file of the folder so far, in a store named by the release
# and by those files, so that any other build's files replace the kept ones.
version=$(sed -n 's/^project(actuator-panel VERSION \([0-9.]*\).*/\1/p' "$here/../../CMakeLists.txt")
digest=$(cd "$out" && sha256sum -- * | sha256sum | cut -c1-12)
files=$(cd "$out" && printf "'%s', " * | sed 's/, $//')
sed -e "s/@VERSION@/${version:?no version in CMakeLists.txt}/" -e "s/@DIGEST@/$digest/" \
    -e "s/@FILES@/$files/" "$here/service-worker.js" > "$out/service-worker.js"
# The program's files also come compressed, gzip and brotli at their strongest, for a server
# that sends a file's precompressed copy to a browser that takes it: a third of the
# download, without compressing on every request. gzip -n leaves out the name and the
# time, so that the copies are the same in every build.
for f in actuator-panel.wasm actuator-panel.js qtloader.js; do
    gzip -9 -n -c "$out/$f" > "$out/$f.gz"
    brotli -q 11 -c "$out/$f" > "$out/$f.br"
done
# The same modes and time on every file, so that a zip of the folder is the same in
# every build.
chmod 644 "$out"/*
touch -d "@${SOURCE_DATE_EPOCH:-$("$here/../../scripts/source-date-epoch.sh")}" "$out"/*
ls -1 "$out"
