#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Runs a Windows program under Wine in the Windows build's own Wine prefix (WINEPREFIX,
# made on first use), and exits with the program's exit status. The test runner uses it
# for every test program of the Windows build.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX names the Wine prefix to run in}"
export WINEPREFIX
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer dialogs, and no menu entries for the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot --init > /dev/null 2>&1
    wineserver --wait
fi
exec wine "$@"
