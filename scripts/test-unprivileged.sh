#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Runs the tests of an existing build again as a contributor on a German desktop would:
# as an ordinary user, with LANG=de_DE.UTF-8. As root it runs them as the user TEST_USER
# (contributor unless set), made when missing; as anyone else, as that user. The build is
# only read; ctest writes its logs under Testing/ in it.
set -euo pipefail
build=$(realpath "${1:-build}")
user=${TEST_USER:-contributor}
lang=${TEST_LANG:-de_DE.UTF-8}
jobs=${JOBS:-$(nproc)}

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
# The C library's locale too, not only Qt's, so that it is generated when missing.
if ! locale -a 2> /dev/null | grep -qix "${lang%%.*}.utf-\?8"; then
    scripts/install-deps.sh locales
    $sudo localedef -i "${lang%%.*}" -f UTF-8 "$lang"
fi

# Every locale variable goes, so that none inherited (LC_NUMERIC, say) overrides LANG.
clear_locale=(-u LC_ALL -u LANGUAGE -u LANG)
for v in $(compgen -e); do
    [[ $v != LC_* ]] || clear_locale+=(-u "$v")
done
run=(env "${clear_locale[@]}" LANG="$lang" ctest --test-dir "$build" --output-on-failure
    -j "$jobs")
if [ "$(id -u)" -ne 0 ]; then
    echo "test-unprivileged: as $(id -un), LANG=$lang"
    exec "${run[@]}"
fi
id -u "$user" > /dev/null 2>&1 || useradd --create-home "$user"
if ! runuser -u "$user" -- test -r "$build/CTestTestfile.cmake"; then
    echo "test-unprivileged: $user cannot read $build; build where every user can read" >&2
    exit 1
fi
mkdir -p "$build/Testing"
chown -R "$user" "$build/Testing"
echo "test-unprivileged: as $user, LANG=$lang"
runuser -u "$user" -- "${run[@]}"
