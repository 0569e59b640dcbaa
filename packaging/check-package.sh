#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Checks the Debian package from the given build folder with lintian, which must find no
# error and no warning; installs it with apt-get, checks what it
# put where, validates its desktop entry and its AppStream metadata, starts the installed
# program on a virtual X display, checks that its window appears at the panel's size,
# ends it, and removes the package again. Then it starts the program once more on a German
# desktop, makes a move with real clicks and keys, and reads the position readout, whose
# decimal separator must be the comma. Before that, a move stopped and saved must give the
# export file's bytes (packaging/check-export.py).
#   packaging/check-package.sh build-pkg
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)

build=${1:-build-pkg}
# shellcheck disable=SC2012 # the newest of the build's own packages, named by CPack
deb=$(ls -t "$build"/actuator-panel_*~*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "no actuator-panel_*.deb in $build; run make package" >&2; exit 1; }
deb=$(realpath "$deb")

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
for tool in xvfb-run:xvfb xdotool:xdotool desktop-file-validate:desktop-file-utils \
    appstreamcli:appstream lintian:lintian xclip:xclip python3:python3-minimal; do
    command -v "${tool%%:*}" > /dev/null || $sudo apt-get install -y -qq "${tool#*:}"
done

fail() {
    echo "package check FAILED: $*" >&2
    exit 1
}

remove() {
    echo "== removing actuator-panel"
    $sudo apt-get remove -y -qq actuator-panel > /dev/null
    [ ! -e /usr/bin/actuator-panel ] || fail "/usr/bin/actuator-panel is still there"
}

echo "== lintian $(lintian --version | sed 's/^Lintian v//')"
# Informational tags are shown too; only errors and warnings fail the check.
status=0
report=$(lintian --info --fail-on error,warning "$deb" 2>&1) || status=$?
grep -v '^running with root privileges' <<< "$report" | sed 's/^/   /' || true
[ "$status" -eq 0 ] || fail "lintian reports errors or warnings"
# lintian's AppStream check runs appstreamcli validate-tree over the package and names no
# message in its hint, so its override (lintian-overrides) would pass any. The same run
# here lets only the missing homepage through, the one message the override is for.
# AppStream before 1.0 does not know that message and has nothing to let through.
tree=$(mktemp -d)
dpkg-deb -x "$deb" "$tree"
tree_options=(--no-net)
as_major=$(appstreamcli --version | sed -n 's/^AppStream version: \([0-9]*\)\..*/\1/p')
[ "${as_major:-0}" -lt 1 ] || tree_options+=(--override=url-homepage-missing=info)
appstreamcli validate-tree "${tree_options[@]}" "$tree" | sed "s/^/   /" ||
    fail "appstreamcli validate-tree finds more than the missing homepage in $deb"
rm -rf "${tree:?}"

echo "== installing $deb"
$sudo apt-get install -y -qq "$deb"
trap remove EXIT

echo "== installed files and dependencies"
metainfo=/usr/share/metainfo/invalid.actuator_panel.ActuatorPanel.metainfo.xml
for f in /usr/bin/actuator-panel /usr/share/applications/actuator-panel.desktop \
    /usr/share/icons/hicolor/scalable/apps/actuator-panel.svg "$metainfo" \
    /usr/share/man/man1/actuator-panel.1.gz /usr/share/doc/actuator-panel/copyright \
    /usr/share/doc/actuator-panel/changelog.Debian.gz /usr/share/doc/actuator-panel/changelog.gz \
    /usr/share/doc/actuator-panel/user-guide.md.gz; do
    dpkg -L actuator-panel | grep -qx "$f" || fail "$f is not in the package"
    [ -f "$f" ] || fail "$f is missing"
    echo "   $f"
done
desktop-file-validate /usr/share/applications/actuator-panel.desktop
# The project has no website. AppStream 1.0 warns when the homepage is missing (older
# versions do not know that check), so there it only informs.
validate_options=(--no-net)
[ "${as_major:-0}" -lt 1 ] || validate_options+=(--override=url-homepage-missing=info)
appstreamcli validate "${validate_options[@]}" "$metainfo" | sed "s/^/   /" ||
    fail "$metainfo does not validate"
# Software centres find it through the AppStream pool, built here in a cache of our own.
cache=$(mktemp -d)
listed=$(appstreamcli get invalid.actuator_panel.ActuatorPanel --cachepath "$cache" --no-cache)
rm -rf "${cache:?}"
grep -qx "Name: Actuator Panel" <<< "$listed" || fail "AppStream does not list the program"
grep -qx "Icon: actuator-panel" <<< "$listed" || fail "AppStream finds no icon for the program"
echo "   AppStream lists: $(head -n 1 <<< "$listed")"
version=$(dpkg-query -W -f='${Version}' actuator-panel)
# The package's version is the program's with a Debian revision: 1.0.0-1~deb12.
grep -q "<release version=\"${version%%-*}\"" "$metainfo" ||
    fail "$metainfo has no release entry for version ${version%%-*}"
[ "$(actuator-panel --version | head -n 1)" = "actuator-panel ${version%%-*}" ] ||
    fail "actuator-panel --version does not say ${version%%-*}"
depends=$(dpkg-query -W -f='${Depends}' actuator-panel)
echo "   Depends: $depends"
for p in libqt6widgets6 libqt6gui6 libqt6core6 fonts-dejavu-core fonts-ebgaramond; do
    [[ "$depends" == *"$p"* ]] || fail "Depends lacks $p"
done

# Starts the installed program on a virtual display with the check's home, runs the bash
# SCRIPT with $pid, $wid (empty when no window came) and `click X Y` at hand, ends the
# program, shows its standard error on standard error and returns SCRIPT's status.
#   with_panel SCRIPT [env's -u NAME and NAME=VALUE ...]
with_panel() {
    local script=$1
    shift
    # shellcheck disable=SC2016 # expanded by the inner shell, on the virtual display
    xvfb-run -a -s "-screen 0 1024x768x24" env "$@" HOME="$home" \
        XDG_CONFIG_HOME="$home/.config" XDG_RUNTIME_DIR="$home" bash -c '
        actuator-panel 2> "$HOME/stderr.txt" &
        pid=$!
        wid=$(timeout 20 xdotool search --sync --name "^Form1$" | head -n 1) || true
        click() { xdotool mousemove --window "$wid" "$1" "$2" click 1; }
        status=0
        eval "$1" || status=$?
        kill -TERM "$pid" 2> /dev/null || true
        wait "$pid" 2> /dev/null || true
        sed "s/^/   stderr: /" "$HOME/stderr.txt" >&2
        exit "$status"
    ' with_panel "$script"
}

echo "== starting the installed program under xvfb-run"
home=$(mktemp -d)
# shellcheck disable=SC2016 # expanded by with_panel's shell
with_panel '
    alive=no
    kill -0 "$pid" 2> /dev/null && alive=yes
    geometry=$( [ -n "$wid" ] && xdotool getwindowgeometry "$wid" | sed -n "s/.*Geometry: //p")
    echo "   window ${wid:-none}, size ${geometry:-none}, still running when found: $alive"
    [ -n "$wid" ] && [ "$geometry" = "642x558" ] && [ "$alive" = yes ]
' || fail "the installed program did not show its window"

echo "== a move to 0.2 inch at 10 RPM, stopped and saved: the export file's bytes"
# shellcheck disable=SC2016 # expanded by with_panel's shell
with_panel '
    if [ -n "$wid" ]; then
        sleep 1
        click 140 140 && xdotool key ctrl+a type 0.2   # Target Position
        click 336 140 && xdotool key ctrl+a type 10    # Lead Screw Speed
        click 172 200                                  # Retract/Extend
        sleep 7.5                                      # 21 + 200 ticks of 30 ms, 3 samples
        click 328 200                                  # STOP, should a slow machine lag
        click 176 272                                  # Save
        sleep 1
    fi
' || fail "the installed program did not run for the export"
export_file="$home/Desktop/My Documents/TESTFILE.txt"
[ -f "$export_file" ] || fail "Save wrote no ~/Desktop/My Documents/TESTFILE.txt"
python3 "$here/check-export.py" "$export_file" || fail "the export file is wrong"

lang=de_DE.UTF-8
echo "== a move on a German desktop, LANG=$lang"
# The C library's locale too, not only Qt's, so that it is generated when missing.
if ! locale -a 2> /dev/null | grep -qix "${lang%%.*}.utf-\?8"; then
    $sudo apt-get install -y -qq locales > /dev/null
    $sudo localedef -i "${lang%%.*}" -f UTF-8 "$lang"
fi
# Every locale variable goes, so that none inherited (LC_NUMERIC, say) overrides LANG.
clear_locale=(-u LC_ALL -u LANGUAGE -u LANG)
for v in $(compgen -e); do
    [[ $v != LC_* ]] || clear_locale+=(-u "$v")
done
# The position readout is read through the clipboard: selected and copied with the keys,
# as an operator would, while the program runs.
# shellcheck disable=SC2016 # expanded by with_panel's shell
readout=$(with_panel '
    if [ -n "$wid" ]; then
        sleep 1
        click 140 140 && xdotool key ctrl+a type "0,05"  # Target Position
        click 336 140 && xdotool key ctrl+a type 10      # Lead Screw Speed
        click 172 200                                    # Retract/Extend
        sleep 3                                          # 21 + 50 ticks of 30 ms
        for _ in $(seq 20); do
            click 528 140 && xdotool key ctrl+a ctrl+c       # the position readout
            text=$(timeout 5 xclip -o -selection clipboard 2> /dev/null) || true
            [ "$text" != "0,05" ] || break
            sleep 0.5
        done
        echo "${text:-nothing}"
    else
        echo "no window"
    fi
' "${clear_locale[@]}" LANG="$lang") || fail "the program did not run on a German desktop"
echo "   position readout after a move to 0,05: $readout"
[ "$readout" = "0,05" ] || fail "the position readout reads '$readout', not 0,05, with LANG=$lang"
rm -rf "${home:?}"
echo "== package check passed"
