#!/usr/bin/env bash
# The clock and each window it opens at 100 %, 125 % and 150 % (Wine's
# LogPixels 96, 120 and 144): at the larger scales every one is the 100 %
# size times the scale within two pixels, stays on the screen, and the
# about box's rounded region reaches its last row. Shots of each window at
# each scale: dpiPCT-{clock,panel,location,alert-dialog,about}.
source "$(dirname "$0")/../common.sh"
setup

ABOUT=(Down Down Down Down Down Return)
ALERT_SETTINGS=(Down Down Down Down Right Down Down Down Down Down Down Down Down Return)
declare -A size  # "window@dpi" -> "W H"

# Records a window's size, checks it is on the screen and takes its shot.
measure() {  # what dpi [title]
  local w h x y
  read -r w h x y <<<"$(window_geometry "${3:-$MAIN}")" || { log "no window for $1 at $2 DPI"; return; }
  size[$1@$2]="$w $h"
  check "$1 at $2 DPI is on the screen (${w}x$h+$x+$y)" \
    [ "$x" -ge 0 -a "$y" -ge 0 -a $((x + w)) -le "$SCREEN_W" -a $((y + h)) -le "$SCREEN_H" ]
  shot_window "dpi$(($2 * 100 / 96))-$1" "${3:-$MAIN}"
}

# Whether "W H" is "W0 H0" times dpi/96 within two pixels.
scaled() {  # size base dpi
  awk -v s="$1" -v b="$2" -v d="$3" 'BEGIN {
    split(s, n, " "); split(b, o, " "); f = d / 96
    exit !((n[1] - o[1] * f) ^ 2 <= 4 && (n[2] - o[2] * f) ^ 2 <= 4) }'
}

for dpi in 96 120 144; do
  "$WINE" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  start_clock 1
  measure clock "$dpi"
  read -r cw ch cx cy <<<"$(window_geometry)"

  menu 60 60 "${ABOUT[@]}"
  if wait_until 3 is_mapped aboutBox; then
    measure about "$dpi" aboutBox
    read -r aw ah ax ay <<<"$(window_geometry aboutBox)"
    # The box is light; behind its region lies the dark clock.
    edge=$(brightness "$((aw / 2))x1+$((ax + aw / 4))+$((ay + ah - 1))")
    check "the about box's region reaches its last row at $dpi DPI (brightness $edge)" \
      awk -v b="$edge" 'BEGIN { exit !(b > 0.5) }'
    xdotool mousemove $((ax + aw / 2)) $((ay + ah - 6)) click 1
    wait_until 3 fails is_mapped aboutBox || log "the about box stayed open"
  else
    check "the about box opens at $dpi DPI" false
  fi

  # The panel lies over the face, in the clock's own window; a click on its
  # frame (131x191 at 100 %, centred) closes it.
  menu 60 60 "${WAKTU_SHOLAT[@]}"
  sleep 1
  shot_window "dpi$((dpi * 100 / 96))-panel"
  xdotool mousemove $((cx + (cw - 131 * dpi / 96) / 2 + 4)) $((cy + (ch - 191 * dpi / 96) / 2 + 4)) click 1
  sleep 1

  # The dialogs grow the clock's window to hold them.
  menu 60 60 "${SETTING_LOKASI[@]}"
  check "the location dialog opens at $dpi DPI" wait_until 5 taller_than $((ch + 100))
  sleep 0.5
  measure location "$dpi"
  close_clock
  start_clock 1
  menu 60 60 "${ALERT_SETTINGS[@]}"
  check "the alert dialog opens at $dpi DPI" wait_until 5 taller_than $((ch + 50))
  sleep 0.5
  measure alert-dialog "$dpi"
  close_clock
  "$WINESERVER" -w
done

for dpi in 120 144; do
  for what in clock about location alert-dialog; do
    check "$what at $dpi DPI is ${size[$what@96]:-?} times $dpi/96 (${size[$what@$dpi]:-?})" \
      scaled "${size[$what@$dpi]:-0 0}" "${size[$what@96]:-0 0}" "$dpi"
  done
done
finish
