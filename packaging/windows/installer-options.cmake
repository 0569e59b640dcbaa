# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Read by CPack when it makes the installer: options for makensis, given before the script.
# CPack splits this text into arguments the way a shell would, so a backslash is written
# twice and a space inside an argument after a backslash; NSIS then reads $\" as a quote.
# - A 64-bit installer, as the program is (CPack's own script has no place for Target).
# - The finish page offers "Run Actuator Panel", ticked. The installer runs as administrator;
#   Explorer starts the program as the user who is logged in, not elevated. A silent
#   install shows no pages and so starts nothing.
set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS [=[-XTarget\ amd64-unicode;-DMUI_FINISHPAGE_RUN=$WINDIR\\explorer.exe;-DMUI_FINISHPAGE_RUN_PARAMETERS=$\\\"$INSTDIR\\actuator-panel.exe$\\\"]=])
