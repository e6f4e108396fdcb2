#!/bin/bash
# A quick look at the real program: starts QOVClock.exe under Wine on a
# private X server, takes screenshots (first start, context menu, version 2,
# about box), reads the registry back and closes the program gracefully.
#   platform/win32/smoke.sh FOLDER_OF_QOVClock.exe [OUT_DIR]
# Everything it starts is ended by process id; the Wine prefix is thrown away.
set -u
EXE_DIR=$(cd "${1:?folder of QOVClock.exe}" && pwd)
OUT=${2:-/tmp/qov-smoke}
WINE=${WINE:-/usr/lib/wine/wine64}
WINESERVER=$(dirname "$WINE")/wineserver
mkdir -p "$OUT"

DISPLAY_NO=""
for n in $(seq 93 140); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then DISPLAY_NO=$n; break; fi
done
[ -n "$DISPLAY_NO" ] || { echo "no free X display" >&2; exit 1; }

export WINEPREFIX=$(mktemp -d) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
Xvfb ":$DISPLAY_NO" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=":$DISPLAY_NO"
cleanup() {
  "$WINESERVER" -k 2>/dev/null
  kill "$XVFB" 2>/dev/null
  wait "$XVFB" 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
sleep 1
"$WINE" wineboot -i >/dev/null 2>&1
# Without a window manager Wine waits up to two seconds for every hide and
# show of a "managed" window: the alert's blink would never show, and closing
# takes seconds. Unmanaged windows behave as on Windows.
"$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1

windows() { xwininfo -root -tree | grep -i '"qovclock.exe"' | grep -v 'Default IME'; }
clock_geometry() {  # x y w h
  xwininfo -root -tree | grep '"clockface"' | head -1 |
    sed -E 's/.* ([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+) +\+(-?[0-9]+)\+(-?[0-9]+).*/\5 \6 \1 \2/'
}
shot() { import -window root "$OUT/$1.png"; echo "screenshot $OUT/$1.png"; }
export_key() {  # section
  "$WINE" reg export "HKCU\\Software\\QOVClock\\$1" 'Z:\tmp\qov-smoke-export.reg' /y >/dev/null 2>&1
  iconv -f UTF-16LE -t UTF-8 /tmp/qov-smoke-export.reg 2>/dev/null | tr -d '\r' | grep '^"' | tee "$OUT/$1.txt"
  rm -f /tmp/qov-smoke-export.reg
}

cd "$EXE_DIR"
"$WINE" QOVClock.exe >"$OUT/wine.log" 2>&1 &
sleep 6
windows | tee "$OUT/windows.txt"
read -r X Y W H < <(clock_geometry)
echo "clock window: $X,$Y ${W}x$H"
shot first

# The context menu, then Setting > Clock Display > Versi 2 by keyboard.
xdotool mousemove $((X + W / 2)) $((Y + H / 3)) click 3
sleep 1
shot menu
xdotool key Down Down Down Down Right
sleep 0.3
xdotool key Down Right
sleep 0.3
xdotool key Down Return
sleep 2
read -r X Y W H < <(clock_geometry)
echo "after Versi 2: $X,$Y ${W}x$H"
# Drag it by the face into view.
xdotool mousemove $((X + 20)) $((Y + 40)) mousedown 1 sleep 0.2 mousemove 600 300 sleep 0.2 mousemove 100 300 sleep 0.3 mouseup 1
sleep 1
read -r X Y W H < <(clock_geometry)
echo "after the drag: $X,$Y ${W}x$H"
shot version2

# About, from the menu (fifth item).
xdotool mousemove $((X + 20)) $((Y + 40)) click 3
sleep 1
xdotool key Down Down Down Down Down Return
sleep 1.5
windows | grep frmAbout
shot about

echo "-- Lokasi"
export_key Lokasi
sleep 5
"$WINE" taskkill /im QOVClock.exe >/dev/null 2>&1
for _ in $(seq 20); do windows | grep -q clockface || break; sleep 0.5; done
echo "-- PosisiWindow after closing"
export_key PosisiWindow
