#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Checks that no commit since the last release has a subject longer than 72 characters.
# "Since the last release" is since the newest v* tag that HEAD contains, but never before
# FIXED, the commit from which on the rule holds: older history stays as it was written.
# A clone without tags is checked since FIXED, and a shallow clone that lacks FIXED (it was
# cut after it) in every commit it holds.
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
tag=$(git describe --tags --abbrev=0 --match 'v[0-9]*' HEAD 2> /dev/null || true)
if git cat-file -e "$fixed^{commit}" 2> /dev/null; then
    base=$fixed
    if [ -n "$tag" ] && git merge-base --is-ancestor "$fixed" "$tag"; then
        base=$tag
    fi
elif [ "$(git rev-parse --is-shallow-repository)" = true ]; then
    base=$tag
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

since=${base:-the first commit of this shallow clone}
if [ ${#long[@]} -gt 0 ]; then
    say "${#long[@]} of $count subjects since $since are longer than $limit characters:"
    printf '  %s\n' "${long[@]}" >&2
    exit 1
fi
echo "commit-check: the $count subjects since $since are at most $limit characters"
