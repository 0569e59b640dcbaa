#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Builds the release files of the committed tree (make release) or builds them twice and
# compares them (make release-check). Every file is built from HEAD: the Debian 12 package
# here from a copy of the tree made by git archive, the Debian 13 package and the Windows
# files in the Debian 13 root (scripts/debian-leg.sh, scripts/windows-leg.sh), the ARM
# packages in their roots (make arm-package). Every time stamp is SOURCE_DATE_EPOCH, the
# commit's time (scripts/source-date-epoch.sh).
# Usage: release.sh build|check DIR CACHE MIRROR QT_MINGW_TARBALL FILE...
#   build: the files and SHA256SUMS in DIR/<version>/, on Debian 12 (amd64) only, at the
#          release commit "Release <version>"; with RELEASE_TRIAL set, at any commit, into
#          DIR/<version>-trial-<commit>/.
#   check: the files twice, in DIR/1/ and DIR/2/, the second build in another folder, later,
#          under umask 002 instead of 022, another locale and time zone, and for the
#          Debian 12 package as the user RELEASE_USER (contributor unless set, made when
#          missing) instead of root; any file that differs is shown by diffoscope.
# FILE: deb12, deb13, windows, source, web, arm64-deb12, armhf-deb12, arm64-deb13, armhf-deb13.
# The web build takes a prebuilt Qt for WebAssembly from QT_WASM_TARBALL when it is set.
set -euo pipefail

# The whole run is one function, so that bash has read all of it before it starts: the
# builds take minutes, and the checkout may change meanwhile.
main() {
    mode=${1:?no mode given (build or check)}
    dir=${2:?no folder given}
    cache=${3:-}
    mirror=${4:-}
    qt_tarball=${5:-}
    shift 5 || true
    kinds=("$@")
    checkout=$(cd "$(dirname "$0")/.." && pwd)
    cache=${cache:-${XDG_CACHE_HOME:-$HOME/.cache}/actuator-panel}
    user=${RELEASE_USER:-contributor}

    say() { echo "release: $*" >&2; }

    case $mode in build | check) ;; *) say "unknown mode '$mode' (build or check)"; exit 1 ;; esac
    [ ${#kinds[@]} -gt 0 ] || { say "no files named"; exit 1; }
    for kind in "${kinds[@]}"; do
        case $kind in
            deb12 | deb13 | windows | source | web | arm64-deb12 | armhf-deb12 | arm64-deb13 | armhf-deb13) ;;
            *) say "unknown file '$kind'"; exit 1 ;;
        esac
    done
    if [ "$(id -u)" -ne 0 ]; then
        say "needs root: the Debian 13 package and the Windows files are built in a Debian 13 root with chroot; run it as root or with sudo"
        exit 1
    fi

    git_() { git -c safe.directory="$checkout" -C "$checkout" "$@"; }
    # A release is the commit's files: a change not committed would be in none of them, or,
    # built in, in files that no one could make again from the commit.
    changes=$(git_ status --porcelain)
    if [ -n "$changes" ]; then
        say "the work tree has changes that are not committed, and the release files are built from the commit alone; commit or stash them first:"
        echo "$changes" >&2
        exit 1
    fi
    commit=$(git_ rev-parse HEAD)
    version=$(sed -n 's/^project(actuator-panel VERSION \([0-9.]*\) .*/\1/p' "$checkout/CMakeLists.txt")
    [ -n "$version" ] || { say "no version in CMakeLists.txt"; exit 1; }
    # The release of record: the commit "Release <version>" with the version's CHANGELOG
    # heading, found by its subject, since the published history carries no tags. A
    # release is made on the host docs/releasing.md names, Debian 12 on amd64, because the
    # Debian 12 package is built on this machine itself; and from the release commit, or
    # with RELEASE_TRIAL=1 from any commit, into a folder of its own.
    host_id=$(sed -n 's/^ID="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' /etc/os-release 2> /dev/null)
    host_release=$(sed -n 's/^VERSION_ID="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' /etc/os-release 2> /dev/null)
    host_arch=$(dpkg --print-architecture 2> /dev/null || uname -m)
    subject=$(git_ log -1 --format=%s HEAD)
    record=$(git_ log --format='%h %s' HEAD | awk -v s="Release $version" 'substr($0, index($0, " ") + 1) == s && !found { print $1; found = 1 }')
    grep -q "^## \[$version\] - [0-9]\{4\}-[0-9]\{2\}-[0-9]\{2\}$" "$checkout/CHANGELOG.md" ||
        { say "CHANGELOG.md has no heading \"## [$version] - YYYY-MM-DD\" for the version of CMakeLists.txt"; exit 1; }
    if [ "$mode" = build ]; then
        if [ "$host_id $host_release $host_arch" != "debian 12 amd64" ]; then
            say "a release is made on Debian 12 on amd64 (docs/releasing.md), and this host is ${host_id:-unknown} ${host_release:-?} on $host_arch: its own package would not be the Debian 12 one; run it on Debian 12, amd64"
            exit 1
        fi
        if [ "$subject" != "Release $version" ] && [ -z "${RELEASE_TRIAL:-}" ]; then
            say "HEAD is not the release commit of $version (its subject is \"$subject\", not \"Release $version\")${record:+; the release of record is $record: check it out}; RELEASE_TRIAL=1 builds from HEAD all the same, into a folder of its own"
            exit 1
        fi
    fi
    SOURCE_DATE_EPOCH=${SOURCE_DATE_EPOCH:-$("$checkout/scripts/source-date-epoch.sh")}
    export SOURCE_DATE_EPOCH
    # No compiler cache: each build compiles everything itself, or a second build would
    # only copy the first one's objects and the comparison would show nothing.
    export CCACHE=
    mkdir -p "$dir"
    dir=$(realpath "$dir")

    # One build of every file named into OUT, from a work folder WORK; VARIANT 1 or 2 says
    # under which conditions.
    build_all() {
        local out=$1 work=$2 variant=$3 kind
        local mask=022 locale=C tz=UTC leg=release-1 as_user=()
        if [ "$variant" = 2 ]; then
            mask=002 tz=Pacific/Kiritimati leg=release-two
            locale=$(locale -a | grep -m 1 -i '^de_DE\.utf-\?8$' || echo C.UTF-8)
            id -u "$user" > /dev/null 2>&1 || useradd --create-home "$user"
            as_user=(runuser -u "$user" -- env HOME="$(getent passwd "$user" | cut -d: -f6)")
        fi
        umask "$mask"
        export LC_ALL=$locale TZ=$tz
        rm -rf "${out:?}" "${work:?}"
        mkdir -p "$out" "$work"
        say "build $variant of $commit ($version, SOURCE_DATE_EPOCH=$SOURCE_DATE_EPOCH): umask $mask, LC_ALL=$LC_ALL, TZ=$TZ, in $work"
        for kind in "${kinds[@]}"; do
            say "build $variant: $kind"
            case $kind in
                deb12)
                    # The tree's own copy, owned by whoever builds it.
                    local tree
                    tree=$(mktemp -d "${TMPDIR:-/tmp}/actuator-panel-$leg.XXXXXX")
                    git_ archive HEAD | tar -x -C "$tree"
                    [ ${#as_user[@]} -eq 0 ] || chown -R "$user:" "$tree"
                    (cd "$tree" && nice "${as_user[@]}" make --no-print-directory package JOBS="${JOBS:-$(nproc)}" CCACHE= > "$work/deb12.log")
                    cp "$tree"/build-pkg/actuator-panel_*.deb "$out/"
                    rm -rf "${tree:?}" ;;
                deb13)
                    DEBIAN_LEG_DIR=actuator-panel-$leg "$checkout/scripts/debian-leg.sh" trixie "$cache" "$mirror" \
                        "umask $mask && export LC_ALL=$locale TZ=$tz && nice make package JOBS=${JOBS:-$(nproc)} CCACHE=" \
                        > "$work/deb13.log"
                    cp "$cache/debian-trixie/root/actuator-panel-$leg"/build-pkg/actuator-panel_*.deb "$out/" ;;
                windows)
                    WINDOWS_LEG_DIR=actuator-panel-windows-$leg nice "$checkout/scripts/windows-leg.sh" windows \
                        "$cache" "$mirror" "$work/build-windows" ${qt_tarball:+"$qt_tarball"} > "$work/windows.log"
                    cp "$work/build-windows/actuator-panel-$version-win64.exe" \
                        "$work/build-windows/actuator-panel-$version-win64.zip" "$out/" ;;
                web)
                    # The served folder as one zip, its files in name order with the
                    # commit's time (packaging/web/zip-folder.py).
                    WEB_LEG_DIR=actuator-panel-web-$leg nice "$checkout/scripts/web-leg.sh" "$cache" \
                        "$mirror" "$work/build-web" ${QT_WASM_TARBALL:+"$QT_WASM_TARBALL"} > "$work/web.log"
                    "$checkout/packaging/web/zip-folder.py" "$work/build-web" \
                        "$out/actuator-panel-$version-web.zip" "actuator-panel-$version-web" ;;
                source)
                    # git archive writes the same tar for a commit; xz with one thread and fixed
                    # options compresses it the same way every time.
                    git_ archive --format=tar --prefix="actuator-panel-$version/" HEAD |
                        xz -9 --threads=1 -c > "$out/actuator-panel-$version.tar.xz" ;;
                arm*)
                    local arch=${kind%-deb*} release=${kind#*-deb}
                    local suite=trixie
                    [ "$release" = 13 ] || suite=bookworm
                    make --no-print-directory -C "$checkout" arm-package ARM_ARCH="$arch" ARM_SUITE="$suite" \
                        ARM_DIST="$work/$kind" DEBIAN_CACHE="$cache" DEBIAN_MIRROR="$mirror" > "$work/$kind.log"
                    cp "$work/$kind"/actuator-panel_*_"$arch".deb "$out/" ;;
            esac
        done
        local files
        mapfile -t files < <(find "$out" -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort)
        (cd "$out" && sha256sum -- "${files[@]}") > "$work/SHA256SUMS"
        mv "$work/SHA256SUMS" "$out/SHA256SUMS"
        (cd "$out" && sha256sum --quiet -c SHA256SUMS)
    }

    if [ "$mode" = build ]; then
        folder=$version
        [ "$subject" = "Release $version" ] || folder=$version-trial-${commit:0:7}
        build_all "$dir/$folder" "$dir/work-$folder" 1
        say "the release files of $version, from $commit (\"$subject\"), in $dir/$folder:"
        cat "$dir/$folder/SHA256SUMS"
        exit 0
    fi

    "$checkout/scripts/install-deps.sh" diffoscope-minimal > /dev/null
    started=$(date +%s)
    build_all "$dir/1" "$dir/work-1" 1
    build_all "$dir/2" "$dir/work-2" 2
    status=0
    mapfile -t names < <(find "$dir/1" "$dir/2" -maxdepth 1 -type f -printf '%f\n' | LC_ALL=C sort -u)
    for f in "${names[@]}"; do
        if [ ! -e "$dir/1/$f" ] || [ ! -e "$dir/2/$f" ]; then
            say "DIFFERS: $f is made by one build only"
            status=1
        elif ! cmp -s "$dir/1/$f" "$dir/2/$f"; then
            say "DIFFERS: $f; diffoscope's account (the first 300 lines; the whole in $dir/$f.diffoscope.txt):"
            diffoscope --no-progress --text "$dir/$f.diffoscope.txt" "$dir/1/$f" "$dir/2/$f" > /dev/null || true
            head -n 300 "$dir/$f.diffoscope.txt"
            status=1
        else
            say "identical: $f $(sha256sum "$dir/1/$f" | cut -d' ' -f1)"
        fi
    done
    say "two builds in $(( ($(date +%s) - started) / 60 )) minutes"
    [ "$status" -eq 0 ] || { say "FAILED: the two builds differ"; exit 1; }
    say "PASSED: the two builds are byte for byte the same"
}

main "$@"
