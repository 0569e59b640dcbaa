#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Checks that no commit since the last release has a subject longer than 72 characters.
# The last release is the newest commit before HEAD whose subject is "Release X.Y.Z" (the
# release of record: the published history carries no tags), but never before FIXED,
# the commit from which on the rule holds: older history stays as it was written. A
# shallow clone that lacks FIXED (it was cut after it) is checked since its last release
# commit, or in every commit it holds when it has none.
# Usage: check-commits.sh FIXED
set -euo pipefail
fixed=${1:?no fixed commit given}
limit=72
export LC_ALL=C.UTF-8 # characters, not bytes, are counted

say() { echo "commit-check: $*" >&2; }

if ! git rev-parse --git-dir > /dev/null 2>&1; then
    say "not a git checkout, so no commits to check"
    exit 0
fi
# At a release commit itself, the release before it: the commits of the release are checked.
head=$(git rev-parse HEAD)
release=$(git log --format='%H %s' HEAD | awk -v head="$head" '$1 != head && $2 == "Release" && $3 ~ /^[0-9]+\.[0-9]+\.[0-9]+$/ && NF == 3 && !found { print $1; found = 1 }')
if git cat-file -e "$fixed^{commit}" 2> /dev/null; then
    base=$fixed
    if [ -n "$release" ] && git merge-base --is-ancestor "$fixed" "$release"; then
        base=$release
    fi
elif [ "$(git rev-parse --is-shallow-repository)" = true ]; then
    base=$release
else
    say "commit $fixed is not in this repository's history; the check cannot tell which commits are new"
    exit 1
fi

range=HEAD
[ -z "$base" ] || range=$base..HEAD
count=0
long=()
while IFS= read -r line; do
    count=$((count + 1))
    subject=${line#* }
    [ "${#subject}" -le "$limit" ] || long+=("${line%% *} (${#subject}): $subject")
done < <(git log --format='%h %s' "$range")

since="the first commit of this shallow clone"
[ -z "$base" ] || since="$(git log -1 --format='%h "%s"' "$base")"
if [ ${#long[@]} -gt 0 ]; then
    say "${#long[@]} of $count subjects since $since are longer than $limit characters:"
    printf '  %s\n' "${long[@]}" >&2
    exit 1
fi
echo "commit-check: the $count subjects since $since are at most $limit characters"
