#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Checks the Windows installer and program from outside, under Wine on a virtual X display:
# installs silently (which starts nothing), starts the installed program, drives a move with
# real clicks and keys, saves, checks the export file and the background picture, closes
# the window, opens it again with Windows set to dark apps, switches between light and dark
# apps while it is open, and uninstalls, checking that nothing is left behind. Then installs
# once more through the wizard's pages, lets its finish page start the program, and
# uninstalls again.
#   WINEPREFIX=... packaging/windows/check-windows.sh build-windows
# CHECK_SHOTS=DIR keeps the screenshots of the panel, the dark panel, the panel after each
# switch between light and dark apps while it is open, and the finish page.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build-windows}" && pwd)

if [ -z "${DISPLAY_FOR_CHECK:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" env DISPLAY_FOR_CHECK=1 "$0" "$@"
fi

: "${WINEPREFIX:?WINEPREFIX names the Wine prefix to check in}"
export LC_ALL=C # Wine takes the Windows locale, and with it the decimal separator, from it
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
drive=$WINEPREFIX/drive_c
desktop=$drive/WINNT/Profiles/opuser/Desktop
export_file="$desktop/My Documents/TESTFILE.txt"
installed="$drive/Program Files/Actuator Panel"
menu="$drive/ProgramData/Microsoft/Windows/Start Menu/Programs/Actuator Panel"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Actuator Panel'
vendor_key='HKLM\Software\Actuator Panel maintainers'
# shellcheck disable=SC2012 # the newest of the build's own installers, named by CPack
installer=$(ls -t "$build"/actuator-panel-*-win64.exe | head -n 1)

fail() {
    echo "Windows check FAILED: $*" >&2
    exit 1
}
step() { echo "== $*"; }
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
has_key() { wine reg query "$1" > /dev/null 2>&1; }
# Whether the program runs in this Wine prefix (other prefixes may run it at the same time).
running() {
    local pid
    for pid in $(pgrep -f 'actuator-panel\.exe'); do
        tr '\0' '\n' < "/proc/$pid/environ" 2> /dev/null | grep -qxF "WINEPREFIX=$WINEPREFIX" && return 0
    done
    return 1
}

# What the prefix holds outside the user's own data and Wine's temporary files.
snapshot() {
    (cd "$drive" && find "Program Files" ProgramData users 2> /dev/null |
        grep -v -e '/Temp' -e '/AppData/Local/Microsoft' | sort)
}

"$here/wine-run.sh" cmd /c exit 0 # makes the prefix when it is new
wineserver --wait

# Windows' dark mode for apps, as the prefix has it now (type and data, or nothing), is put
# back after the dark step and on every exit, a failed check's too: the prefix is kept for
# later runs.
personalize='HKCU\Software\Microsoft\Windows\CurrentVersion\Themes\Personalize'
light_before=$(wine reg query "$personalize" /v AppsUseLightTheme 2> /dev/null | tr -d '\r' |
    awk '$1 == "AppsUseLightTheme" { print $2, $3 }') || true
theme_changed=no
set_light_theme() { # TYPE DATA
    theme_changed=yes
    wine reg add "$personalize" /v AppsUseLightTheme /t "$1" /d "$2" /f > /dev/null 2>&1
}
put_theme_back() {
    [ "$theme_changed" = yes ] || return 0
    if [ -z "$light_before" ]; then
        wine reg delete "$personalize" /v AppsUseLightTheme /f > /dev/null 2>&1
    elif [ "${light_before%% *}" = REG_DWORD ]; then
        set_light_theme REG_DWORD "$((${light_before#* }))"
    else
        set_light_theme "${light_before%% *}" "${light_before#* }"
    fi
    theme_changed=no
}
on_exit() {
    local status=$?
    trap - ERR
    if [ "$theme_changed" = yes ]; then
        # A failed check can leave the program open, and with it the prefix's server.
        [ "$status" -eq 0 ] || wineserver -k 2> /dev/null || true
        put_theme_back || echo "Windows check: could not put AppsUseLightTheme back in $WINEPREFIX" >&2
        wineserver --wait || true
    fi
    rm -rf "${tools:-}" "${shot:-}"
    exit "$status"
}
trap on_exit EXIT
rm -f "$export_file"
before=$(snapshot)

step "installing $(basename "$installer") silently"
wine "$installer" /S
wineserver --wait
for f in actuator-panel.exe Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll platforms/qwindows.dll \
    imageformats/qjpeg.dll styles/qmodernwindowsstyle.dll libstdc++-6.dll libwinpthread-1.dll \
    libgcc_s_seh-1.dll licenses/NOTICES.txt licenses/LGPL-3 licenses/LICENSE.txt Uninstall.exe; do
    [ -f "$installed/$f" ] || fail "the installer did not install $f"
done
[ -f "$menu/Actuator Panel.lnk" ] || fail "no Start-menu entry \"Actuator Panel\""
has_key "$uninstall_key" || fail "not registered for uninstalling"
sleep 2
! running || fail "the silent install started the program"

step "background picture at C:\\WINNT\\Profiles\\opuser\\Desktop\\somethingblue.jpg"
mkdir -p "$desktop"
convert -size 400x300 'xc:rgb(200,120,40)' -quality 95 "$desktop/somethingblue.jpg"

shots=${CHECK_SHOTS:-}
[ -z "$shots" ] || mkdir -p "$shots"
keep_shot() { [ -z "$shots" ] || cp "$1" "$shots/$2.png"; }

# Starts the installed program and waits for its window, 642 x 558.
open_panel() {
    wine "C:\\Program Files\\Actuator Panel\\actuator-panel.exe" "$@" > /dev/null 2>&1 &
    program=$!
    wait_for_panel
}
# Prints the first window whose name matches PATTERN within 30 s, or nothing. Polled: a
# search can fail outright when a window of Wine's goes while it looks.
find_window() {
    local found=""
    for _ in $(seq 60); do
        found=$(xdotool search --name "$1" 2> /dev/null | head -n 1) || true
        [ -z "$found" ] || break
        sleep 0.5
    done
    echo "$found"
}
wait_for_panel() {
    window=$(find_window '^Form1$')
    [ -n "$window" ] || fail "no window named Form1 appeared"
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = 642x558 ] || fail "window Form1 is $geometry, not 642x558"
    echo "   window Form1, $geometry"
    sleep 1
}
# Closes the window and waits for the program to end with status 0.
close_panel() {
    xdotool mousemove --window "$window" 620 10 click 1
    xdotool key alt+F4
    for _ in $(seq 50); do running || break; sleep 0.2; done
    ! running || fail "the program still runs 10 s after its window was closed"
    [ -z "${program:-}" ] || wait "$program" || fail "the program ended with status $?"
    program=""
    wineserver --wait
}

step "options: written where the output goes, in a message box when it goes nowhere"
program_exe="$installed/actuator-panel.exe"
version=$(basename "$installer" | sed 's/^actuator-panel-\(.*\)-win64\.exe$/\1/')
printed=$(wine "$program_exe" --version 2> /dev/null | tr -d '\r' | head -n 1)
[ "$printed" = "actuator-panel $version" ] || fail "--version printed '$printed'"
status=0
refusal=$(wine "$program_exe" --frobnicate 2>&1 > /dev/null | tr -d '\r') || status=$?
[ "$status" -eq 2 ] || fail "an unknown option ended with status $status, not 2"
[[ $refusal == *"unknown option '--frobnicate'"* ]] || fail "the refusal said '$refusal'"
# Started through start, as from Explorer, the program has no output to write to.
wine start /unix "$program_exe" --version
box=$(find_window '^Actuator Panel$')
[ -n "$box" ] || fail "--version without an output showed no message box"
shot=$(mktemp --suffix=.png)
import -window root "$shot"
keep_shot "$shot" version-box
rm -f "$shot"
xdotool windowactivate --sync "$box" key Return 2> /dev/null || xdotool key Return
wineserver --wait
echo "   --version printed, --frobnicate refused with status 2, the version box closed by OK"

step "starting the installed program"
# Qt draws text with DirectWrite, which Wine 10 implements: no font engine option.
open_panel

pixel() { convert "$1" -format "%[fx:int(255*p{$2}.r)],%[fx:int(255*p{$2}.g)],%[fx:int(255*p{$2}.b)]" info:; }
near() { # near R,G,B R,G,B: each channel within 12 (the picture is a JPEG)
    awk -v a="$1" -v b="$2" 'BEGIN { split(a, p, ","); split(b, q, ",")
        for (i = 1; i <= 3; i++) { d = p[i] - q[i]; if (d > 12 || d < -12) exit 1 } }'
}
shot=$(mktemp --suffix=.png)
import -window "$window" "$shot"
keep_shot "$shot" panel
near "$(pixel "$shot" 10,10)" 200,120,40 || fail "background picture not shown: $(pixel "$shot" 10,10)"
near "$(pixel "$shot" 620,10)" 0,0,64 || fail "no navy beyond the picture: $(pixel "$shot" 620,10)"
echo "   picture at the top left, navy beyond it"

step "a move to 0.2 inch at 10 RPM, typed and clicked"
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; }
click 140 140 && xdotool key ctrl+a type 0.2       # Target Position
click 336 140 && xdotool key ctrl+a type 10        # Lead Screw Speed
click 172 200                                      # Retract/Extend
sleep 7.5                                          # 21 + 200 ticks of 30 ms, 3 samples
click 328 200                                      # STOP, should a slow machine lag
click 176 272                                      # Save
sleep 1
[ -f "$export_file" ] || fail "Save wrote no C:\\WINNT\\Profiles\\opuser\\Desktop\\My Documents\\TESTFILE.txt"
python3 "$here/../check-export.py" "$export_file" || fail "the export file is wrong"

step "closing the window"
close_panel
echo "   ended with status 0"

# Qt follows Windows' dark mode for apps. Wine reports Windows 10, where Qt's style keeps
# its light colours; the Windows 11 style, which Qt picks there, turns them dark.
step "dark apps, Windows 11 style: text stays dark on the white and grey boxes"
set_light_theme REG_DWORD 0
open_panel -style windows11
import -window "$window" "$shot"
keep_shot "$shot" panel-dark
darkest() { convert "$shot" -crop "$1" -colorspace gray -format "%[fx:int(255*minima)]" info:; }
# The text in the white target box and the grey position readout is dark, the box white.
dark_text_kept() { # WHEN
    local box grey
    for box in target:96x17+92+132 Text2:104x17+476+132; do
        grey=$(darkest "${box#*:}")
        [ "$grey" -lt 100 ] || fail "no dark text in ${box%%:*} $1 (darkest grey $grey)"
    done
    near "$(pixel "$shot" 150,148)" 255,255,255 ||
        fail "the target box is not white $1: $(pixel "$shot" 150,148)"
}
dark_text_kept "with dark apps"
echo "   black text in the target and position boxes, white and grey kept"
close_panel

# Windows tells the running programs of a switch between light and dark apps with
# WM_SETTINGCHANGE "ImmersiveColorSet", and Qt reads the registry value again on that.
# Wine's reg sends nothing (the open panel keeps every pixel when the value changes), so a
# small program sends the message, as Windows' settings do.
step "dark apps switched on and off while the panel is open"
tools=$(mktemp -d)
cat > "$tools/colours-changed.c" << 'EOF_C'
#include <windows.h>
int main(void) {
    DWORD_PTR result;
    return !SendMessageTimeoutW(HWND_BROADCAST, WM_SETTINGCHANGE, 0, (LPARAM)L"ImmersiveColorSet",
                                SMTO_ABORTIFHUNG, 5000, &result);
}
EOF_C
x86_64-w64-mingw32-gcc-posix -O2 -o "$tools/colours-changed.exe" "$tools/colours-changed.c"
switch_theme() { # 1 light, 0 dark
    set_light_theme REG_DWORD "$1"
    wine "$tools/colours-changed.exe" || fail "could not tell the programs that the colours changed"
    sleep 2
    import -window "$window" "$shot"
}
set_light_theme REG_DWORD 1
open_panel -style windows11
for turn in dark:0 light:1 dark:0; do
    switch_theme "${turn#*:}"
    keep_shot "$shot" "panel-switched-${turn%%:*}"
    dark_text_kept "after the switch to ${turn%%:*} apps"
done
echo "   black text in the target and position boxes after each switch, white and grey kept"
close_panel
rm -rf "${tools:?}"
put_theme_back

step "uninstalling silently"
wine "$installed/Uninstall.exe" /S
wineserver --wait
[ ! -e "$installed" ] || fail "the uninstaller left $installed"
[ ! -e "$menu" ] || fail "the uninstaller left the Start-menu entry"
! has_key "$uninstall_key" || fail "the uninstaller left $uninstall_key"
! has_key "$vendor_key" || fail "the uninstaller left $vendor_key"
rm -f "$desktop/somethingblue.jpg" "$export_file"
after=$(snapshot)
[ "$before" = "$after" ] || fail "the uninstaller left: $(diff <(echo "$before") <(echo "$after"))"

step "installing through the wizard; its finish page starts the program"
wine "$installer" > /dev/null 2>&1 &
wizard=$(timeout 30 xdotool search --sync --name '^Actuator Panel Setup$' | head -n 1) || true
[ -n "$wizard" ] || fail "no installer window appeared"
sleep 2
# Welcome, licence (I Agree), options, folder, Start-menu folder (Install).
for _ in 1 2 3 4 5; do xdotool key --window "$wizard" Return 2> /dev/null; sleep 2; done
for _ in $(seq 60); do [ -f "$installed/Uninstall.exe" ] && break; sleep 0.5; done
[ -f "$installed/Uninstall.exe" ] || fail "the wizard did not install"
sleep 3
import -window "$wizard" "$shot"
keep_shot "$shot" finish-page
! running || fail "the program started before Finish"
xdotool key --window "$wizard" Return 2> /dev/null # Finish, "Run Actuator Panel" left ticked
wait_for_panel
close_panel
echo "   started through Explorer, closed"
wine "$installed/Uninstall.exe" /S
wineserver --wait
[ ! -e "$installed" ] || fail "the uninstaller left $installed"
rm -f "$shot"
step "Windows check passed"
