#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# makensis, as CPack runs it for the installer, with the files CPack writes beside the
# installer's script (project.nsi, NSIS.InstallOptions.ini, which the installer carries)
# set to the time SOURCE_DATE_EPOCH first, when it is set: the installer keeps each file's
# time, CPack writes these after its pre-build scripts have run, and makensis reads no
# SOURCE_DATE_EPOCH itself.
set -euo pipefail
if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    for argument in "$@"; do
        case $argument in
            *.nsi) find "$(dirname "$argument")" -maxdepth 1 -type f \
                -exec touch -h -d "@$SOURCE_DATE_EPOCH" {} + ;;
        esac
    done
fi
exec makensis "$@"
