#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Prints the time that every time stamp in the release files is set to (SOURCE_DATE_EPOCH,
# in seconds since 1970): the time of the commit the tree comes from. A tree made by
# git archive carries it in packaging/source-date-epoch; a git checkout asks git for its
# HEAD. A tree that has neither takes noon (UTC) of the version's release date in
# CHANGELOG.md, the date the package's changelog carries too.
set -euo pipefail
checkout=$(cd "$(dirname "$0")/.." && pwd)

epoch=$(sed -n '/^[0-9][0-9]*$/p' "$checkout/packaging/source-date-epoch")
if [ -z "$epoch" ] && [ -e "$checkout/.git" ]; then
    # Run through sudo, git would refuse a checkout that another user owns.
    epoch=$(git -c safe.directory="$checkout" -C "$checkout" log -1 --format=%ct 2> /dev/null || true)
fi
if [ -z "$epoch" ]; then
    version=$(sed -n 's/^project(actuator-panel VERSION \([0-9.]*\) .*/\1/p' "$checkout/CMakeLists.txt")
    date=$(sed -n "s/^## \[${version//./\\.}\] - \([0-9-]*\)$/\1/p" "$checkout/CHANGELOG.md")
    if [ -z "$date" ]; then
        echo "source-date-epoch: no commit, no packaging/source-date-epoch and no CHANGELOG.md entry for $version" >&2
        exit 1
    fi
    epoch=$(date -u -d "$date 12:00" +%s)
fi
echo "$epoch"
