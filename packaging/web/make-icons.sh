#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Makes the installed web app's icons, 192 and 512 pixels square, from the desktop icon.
# Needs rsvg-convert (librsvg2-bin) and optipng. The pictures are committed, so the web
# build itself needs neither.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for s in 192 512; do
    rsvg-convert -w "$s" -h "$s" "$here/../actuator-panel.svg" -o "$here/actuator-panel-$s.png"
    optipng -quiet -strip all -o2 "$here/actuator-panel-$s.png"
done
