#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Runs the README's own commands, `make test` and then `make package-check`, in a minimal
# root of another Debian release, as a new user of that release would: a clean copy of
# the checkout's committed tree in a root that has only Debian's minimal system and make.
# The root is made once with mmdebstrap and kept in CACHE/debian-SUITE, so later runs
# reuse it together with the packages the commands installed there; delete that folder
# to start from nothing again. Exits with the commands' status. Other commands can be
# given instead, such as "make bench-tick".
# Usage: debian-leg.sh SUITE CACHE [MIRROR [COMMANDS]]     (SUITE: trixie, testing, ...)
# An empty MIRROR takes the Debian archive that this machine's own apt sources name.
# For a leg that runs beside others in the same root (make windows does), three variables:
#   DEBIAN_LEG_DIR    the folder under /root that gets the tree (actuator-panel by default),
#                     one plain name;
#   DEBIAN_LEG_FILES  host files copied into that folder after the tree;
#   DEBIAN_LEG_SETUP  commands that run first (such as installing packages); the root is
#                     locked only until they are done, COMMANDS then run with a lock of
#                     the folder alone.
# DEBIAN_LEG_ARCH=arm64 (or another) uses a root of that architecture, CACHE/debian-SUITE-ARCH,
# whose programs the kernel must be able to run (packaging/arm/binfmt.sh).
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
    echo "make debian-check needs root: it makes a Debian root with mmdebstrap and enters it with chroot; run it as root or with sudo" >&2
    exit 1
fi

suite=${1:?no suite given}
cache=$(realpath -m "${2:?no cache folder given}")
mirror=${3:-}
commands=${4:-make test && make package-check}
arch=${DEBIAN_LEG_ARCH:-}
root=$cache/debian-$suite${arch:+-$arch}
checkout=$(cd "$(dirname "$0")/.." && pwd)
dir=${DEBIAN_LEG_DIR:-actuator-panel}
setup=${DEBIAN_LEG_SETUP:-}
read -r -a files <<< "${DEBIAN_LEG_FILES:-}"

say() { echo "debian-leg ($suite): $*" >&2; }

# The suite names the root's folder and the tree's folder is removed and made again inside
# it, so each must be one plain name: "..", "" or a path would reach beyond the root.
plain_name() {
    case $2 in
        "" | . | .. | *[!A-Za-z0-9._-]*)
            say "$1 must be one plain name (letters, digits, '.', '_', '-'), not '$2'"
            exit 1 ;;
    esac
}
plain_name SUITE "$suite"
plain_name DEBIAN_LEG_DIR "$dir"
[ "$cache" != / ] || { say "CACHE must not be /"; exit 1; }

# The Debian archive this machine installs from itself: the first enabled "deb" entry of
# its apt sources, one-line or deb822, in the order apt reads them, for the main component
# of this machine's own Debian release or of a suite such as stable or unstable. Not the
# security archive and not other vendors' archives, whose suites are named otherwise.
host_archive() {
    local codename="" f
    # shellcheck disable=SC1091 # the machine's own file, read in a subshell
    [ ! -r /etc/os-release ] || codename=$(. /etc/os-release && [ "${ID:-}" = debian ] &&
        echo "${VERSION_CODENAME:-}") || true
    local suites=" ${codename:+$codename }stable oldstable testing unstable sid "
    local parts=(/etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources)
    for f in /etc/apt/sources.list $(printf '%s\n' "${parts[@]}" | sort); do
        [ -r "$f" ] || continue
        case $f in
            *.sources)
                sed '/^[[:space:]]*#/d; s/#.*//' "$f" | awk -v suites="$suites" '
                    BEGIN { RS = ""; FS = "\n" }
                    {
                        types = uris = list = comps = ""; enabled = "yes"
                        for (i = 1; i <= NF; i++) {
                            line = $i; key = tolower(line); sub(/:.*/, "", key); sub(/^[^:]*:/, "", line)
                            if (key == "types") types = " " line " "
                            else if (key == "uris") uris = line
                            else if (key == "suites") list = " " line " "
                            else if (key == "components") comps = " " line " "
                            else if (key == "enabled") enabled = line
                        }
                        if (enabled ~ /no/ || types !~ /[ \t]deb[ \t]/ || comps !~ /[ \t]main[ \t]/) next
                        n = split(list, s, /[ \t]+/)
                        for (i = 1; i <= n; i++) if (s[i] != "" && index(suites, " " s[i] " ")) {
                            m = split(uris, u, /[ \t]+/); for (j = 1; j <= m; j++) if (u[j] != "") { print u[j]; exit }
                        }
                    }' ;;
            *)
                sed 's/#.*//; s/\[[^]]*\]//' "$f" | awk -v suites="$suites" '
                    $1 == "deb" && index(suites, " " $3 " ") {
                        for (i = 4; i <= NF; i++) if ($i == "main") { print $2; exit }
                    }' ;;
        esac | head -n 1 | sed "s|\$|	$f|"
    done | head -n 1
}

# The archive serves testing's Release file for a while after its Valid-Until date
# whenever testing has not moved for some days; the released suites are always current.
apt_options=()
[ "$suite" != testing ] || apt_options=(--aptopt='Acquire::Check-Valid-Until "false"')
arch_options=()
[ -z "$arch" ] || arch_options=(--arch="$arch")

make_root() {
    local partial=$root.partial found
    if [ -z "$mirror" ]; then
        found=$(host_archive)
        if [ -z "$found" ]; then
            say "no Debian archive found in this machine's apt sources (/etc/apt/sources.list, /etc/apt/sources.list.d/*.list and *.sources); name one with DEBIAN_MIRROR=URL"
            exit 1
        fi
        mirror=${found%%	*}
        say "the Debian archive of ${found#*	}: $mirror (DEBIAN_MIRROR=URL names another)"
    fi
    rm -rf "${partial:?}"
    mkdir -p "$cache"
    say "making a minimal Debian $suite root in $root"
    mmdebstrap --quiet --variant=minbase --include=make "${arch_options[@]}" "${apt_options[@]}" \
        "$suite" "$partial" "$mirror"
    # Packages installed later must not start services inside the root.
    printf '#!/bin/sh\nexit 101\n' > "$partial/usr/sbin/policy-rc.d"
    chmod +x "$partial/usr/sbin/policy-rc.d"
    mv "$partial" "$root"
}

# Runs a command inside the root, in a mount namespace of its own so that the mounts of
# /dev, /proc and /sys go away with it, with the plain environment of a login as root.
in_root() {
    cp -L /etc/resolv.conf "$root/etc/resolv.conf"
    # shellcheck disable=SC2016 # expanded by the inner shell, in the new namespace
    unshare --mount --propagation private bash -c '
        root=$1
        shift
        mount --rbind /dev "$root/dev"
        mount -t proc proc "$root/proc"
        mount --rbind /sys "$root/sys"
        exec chroot "$root" /usr/bin/env -i HOME=/root TERM=dumb \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"' \
        in_root "$root" "$@"
}

# The whole run is one function, so that bash has read all of it before it starts.
main() {
    command -v mmdebstrap > /dev/null || "$checkout/scripts/install-deps.sh" mmdebstrap
    # One run at a time in a root: a second waits for the first. A leg with a folder of
    # its own takes that folder's lock first, so that it never waits for the root while
    # holding it.
    mkdir -p "$cache"
    if [ -n "$setup" ]; then
        exec 8> "$root.$dir.lock"
        flock 8
    fi
    exec 9> "$root.lock"
    flock 9
    [ -x "$root/usr/bin/make" ] || make_root

    say "copying the committed tree of $checkout"
    rm -rf "${root:?}/root/$dir"
    mkdir -p "$root/root/$dir"
    # Run through sudo, git would refuse a checkout that another user owns.
    git -c safe.directory="$checkout" -C "$checkout" archive --format=tar HEAD |
        tar -x -C "$root/root/$dir"
    [ ${#files[@]} -eq 0 ] || cp "${files[@]}" "$root/root/$dir/"

    status=0
    if [ -n "$setup" ]; then
        say "running: $setup"
        in_root bash -c "cd /root/$dir && $setup" || status=$?
        exec 9>&-
    fi
    if [ "$status" -eq 0 ]; then
        say "running: $commands"
        in_root bash -c "cd /root/$dir && $commands" || status=$?
    fi

    # shellcheck disable=SC2016 # expanded by the shell in the root
    versions=$(in_root bash -c '. /etc/os-release
        echo "$PRETTY_NAME (Debian $(cat /etc/debian_version))," \
            "Qt $(dpkg-query -W -f="\${Version}" "qt6-base-dev:$(dpkg --print-architecture)" 2> /dev/null || echo "not installed")," \
            "$(g++ --version 2> /dev/null | head -n 1 || echo "no g++")"')
    if [ "$status" -eq 0 ]; then
        say "PASSED on $versions"
    else
        say "FAILED (status $status) on $versions"
    fi
    exit "$status"
}

main
