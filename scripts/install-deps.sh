#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Installs the Debian packages that building, running and testing the panel need, and
# any further packages named as arguments (the fuzz build adds clang this way).
# Does nothing when they are all present; uses sudo when not run as root. Elsewhere than on
# Debian and its derivatives it only names them, and the build then finds what is there.
set -euo pipefail

packages=(
    cmake make g++ pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-dejavu-core fonts-ebgaramond
    xvfb xauth
    libx11-dev xdotool dpkg-dev
    at-spi2-core dbus-daemon python3-pyatspi
    valgrind
    "$@"
)

if ! command -v dpkg-query > /dev/null || ! command -v apt-get > /dev/null; then
    echo "install-deps: not a Debian system; install these (Debian's names) by hand: ${packages[*]}" >&2
    exit 0
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq "${missing[@]}"
