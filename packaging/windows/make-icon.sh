#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Makes actuator-panel.ico, the Windows program's icon, from the desktop icon: one picture
# for each size Windows shows (16 to 256 pixels). Needs rsvg-convert (librsvg2-bin) and
# ImageMagick's convert. The .ico is committed, so the build itself needs neither.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sizes=(16 24 32 48 64 256)
pictures=()
for s in "${sizes[@]}"; do
    rsvg-convert -w "$s" -h "$s" "$here/../actuator-panel.svg" -o "$work/$s.png"
    pictures+=("$work/$s.png")
done
convert "${pictures[@]}" "$here/actuator-panel.ico"
