#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Actuator Panel contributors
# SPDX-License-Identifier: MIT
# Checks the Windows installer and program from outside, under Wine on a virtual X display:
# installs silently, starts the installed program, drives a move with real clicks and
# keys, saves, checks the export file and the background picture, closes the window, and
# uninstalls, checking that nothing is left behind.
#   WINEPREFIX=... packaging/windows/check-windows.sh build-windows
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
installer=$(ls -t "$build"/actuator-panel-*-win64.exe | head -n 1)

fail() {
    echo "Windows check FAILED: $*" >&2
    exit 1
}
step() { echo "== $*"; }
trap 'fail "line $LINENO: $BASH_COMMAND"' ERR
has_key() { wine reg query "$1" > /dev/null 2>&1; }

# What the prefix holds outside the user's own data and Wine's temporary files.
snapshot() {
    (cd "$drive" && find "Program Files" ProgramData users 2> /dev/null |
        grep -v -e '/Temp' -e '/AppData/Local/Microsoft' | sort)
}

"$here/wine-run.sh" cmd /c exit 0 # makes the prefix when it is new
wineserver --wait
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

step "background picture at C:\\WINNT\\Profiles\\opuser\\Desktop\\somethingblue.jpg"
mkdir -p "$desktop"
convert -size 400x300 'xc:rgb(200,120,40)' -quality 95 "$desktop/somethingblue.jpg"

step "starting the installed program"
# Wine's GDI font engine draws no text in the default dialog font; FreeType does.
wine "C:\\Program Files\\Actuator Panel\\actuator-panel.exe" \
    -platform windows:fontengine=freetype > /dev/null 2>&1 &
program=$!
window=$(timeout 30 xdotool search --sync --name '^Form1$' | head -n 1) || true
[ -n "$window" ] || fail "no window named Form1 appeared"
geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/.*Geometry: //p')
[ "$geometry" = 642x558 ] || fail "window Form1 is $geometry, not 642x558"
echo "   window Form1, $geometry"
sleep 1

pixel() { convert "$1" -format "%[fx:int(255*p{$2}.r)],%[fx:int(255*p{$2}.g)],%[fx:int(255*p{$2}.b)]" info:; }
near() { # near R,G,B R,G,B: each channel within 12 (the picture is a JPEG)
    awk -v a="$1" -v b="$2" 'BEGIN { split(a, p, ","); split(b, q, ",")
        for (i = 1; i <= 3; i++) { d = p[i] - q[i]; if (d > 12 || d < -12) exit 1 } }'
}
shot=$(mktemp --suffix=.png)
import -window "$window" "$shot"
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
python3 "$here/check-export.py" "$export_file" || fail "the export file is wrong"

step "closing the window"
click 620 10
xdotool key alt+F4
for _ in $(seq 50); do kill -0 "$program" 2> /dev/null || break; sleep 0.2; done
kill -0 "$program" 2> /dev/null && fail "the program still runs 10 s after its window was closed"
wait "$program" || fail "the program ended with status $?"
echo "   ended with status 0"
wineserver --wait

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
rm -f "$shot"
step "Windows check passed"
