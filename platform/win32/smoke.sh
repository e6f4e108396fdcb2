#!/bin/bash
# Starts QOVClock.exe under Wine on a private X server, takes screenshots and
# reads back the registry: a quick look at the real program, by hand.
#   platform/win32/smoke.sh BUILD_DIR_WITH_EXE [OUT_DIR] [right-click|version2]
# Everything it starts is ended by process id; the Wine prefix is thrown away.
set -u
EXE_DIR=$(cd "${1:?folder of QOVClock.exe}" && pwd)
OUT=${2:-/tmp/qov-smoke}
ACTION=${3:-}
WINE=${WINE:-/usr/lib/wine/wine64}
DISPLAY_NO=${DISPLAY_NO:-93}
mkdir -p "$OUT"

export WINEPREFIX=$(mktemp -d) WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
Xvfb ":$DISPLAY_NO" -screen 0 1280x800x24 >/dev/null 2>&1 &
XVFB=$!
export DISPLAY=":$DISPLAY_NO"
cleanup() {
  "$(dirname "$WINE")/wineserver" -k 2>/dev/null
  kill "$XVFB" 2>/dev/null
  wait "$XVFB" 2>/dev/null
  rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
sleep 1
"$WINE" wineboot -i >/dev/null 2>&1

cd "$EXE_DIR"
"$WINE" QOVClock.exe >"$OUT/wine.log" 2>&1 &
sleep 6
xwininfo -root -tree | grep -i qovclock | tee "$OUT/windows.txt"
import -window root "$OUT/first.png"

geom() {  # x y w h of the clock window
  xwininfo -root -tree | grep '"clockface"' | head -1 |
    sed -E 's/.* ([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+) +\+(-?[0-9]+)\+(-?[0-9]+).*/\5 \6 \1 \2/'
}
read -r X Y W H < <(geom)
echo "clock window: $X,$Y ${W}x$H"

case "$ACTION" in
  right-click)
    xdotool mousemove $((X + W / 2)) $((Y + H / 3)) click 3
    sleep 1
    import -window root "$OUT/menu.png"
    xdotool key Escape
    ;;
  version2)
    # Setting > Clock Display > Versi 2 in the context menu.
    xdotool mousemove $((X + W / 2)) $((Y + H / 3)) click 3
    sleep 1
    import -window root "$OUT/menu.png"
    ;;
esac

"$WINE" reg export 'HKCU\Software\QOVClock\Lokasi' 'Z:\tmp\qov-smoke-lokasi.reg' /y >/dev/null 2>&1
iconv -f UTF-16LE -t UTF-8 /tmp/qov-smoke-lokasi.reg 2>/dev/null | tr -d '\r' | tee "$OUT/lokasi.txt"
rm -f /tmp/qov-smoke-lokasi.reg
"$WINE" taskkill /im QOVClock.exe >/dev/null 2>&1
sleep 2
"$WINE" reg export 'HKCU\Software\QOVClock\PosisiWindow' 'Z:\tmp\qov-smoke-pw.reg' /y >/dev/null 2>&1
iconv -f UTF-16LE -t UTF-8 /tmp/qov-smoke-pw.reg 2>/dev/null | tr -d '\r' | tee "$OUT/posisiwindow.txt"
rm -f /tmp/qov-smoke-pw.reg
