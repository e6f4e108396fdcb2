#!/usr/bin/env bash
# The notification-area icon and the about box: the icon appears in Wine's
# system tray, its menu has "Exit", which ends the program and removes the
# icon; the about box opens over the clock with rounded corners and closes
# by itself after about five seconds.
source "$(dirname "$0")/lib.sh"
setup

tray_icons() {
  # The icon's pixels inside Wine's tray window: count the non-background
  # colours there.
  local geo
  geo=$(window_geometry "Wine System Tray") || { echo 0; return; }
  read -r tw th tx ty <<<"$geo"
  import -window root -crop "${th}x${th}+${tx}+${ty}" +repage "$WORK/tray.png"
  convert "$WORK/tray.png" -format '%k' info:
}

start_clock
read -r w h x y <<<"$(window_geometry)"
read -r tw th tx ty <<<"$(window_geometry "Wine System Tray" || echo "0 0 0 0")"
check "Wine's system tray is there" [ "$tw" -gt 0 ]
colours=$(tray_icons)
check "the icon shows in the tray ($colours colours)" [ "$colours" -gt 8 ]
shot tray-icon

# About: opens centred over the clock yet on screen, rounded, gone after
# about 5 s.
menu 60 60 Down Down Down Down Down Return
about=$(wait_until 3 window_id aboutBox || true)
check "the about box opens" [ -n "$about" ]
if [ -n "$about" ]; then
  read -r aw ah ax ay <<<"$(window_geometry aboutBox)"
  shot about-box
  # Centred over the clock, except that the box, wider than the clock in
  # its top right corner, is pulled in to end at the screen's edge.
  cx=$((ax + aw / 2)); cy=$((ay + ah / 2))
  check "centred over the clock, at the screen's edge ($ax,$ay ${aw}x$ah)" \
    [ $(( (ax + aw - 1280) ** 2 + (cy - y - h / 2) ** 2 )) -lt 25 ]
  # A rounded region leaves the corner pixel showing what is behind it
  # (the black root window), while the box itself is light.
  corner=$(brightness "1x1+${ax}+${ay}")
  middle=$(brightness "4x4+$((cx - 2))+$((ay + 3))")
  check "rounded corners (corner $corner, edge $middle)" awk -v c="$corner" -v m="$middle" 'BEGIN { exit !(c < 0.1 && m > 0.5) }'
  sleep 3
  check "still open after 3 s" is_mapped aboutBox
  sleep 4
  check "closed by itself within 7 s" eval '! is_mapped aboutBox'
fi

# Right-click the icon: the menu ends with "Exit"; choosing it ends the
# program and takes the icon away.
xdotool mousemove $((tx + th / 2)) $((ty + th / 2)) click 3
sleep 1
shot tray-menu
xdotool key Up Return
check "Exit from the tray menu ends the program" wait_until 10 stopped "$CLOCK_PID"
CLOCK_PID=""
sleep 1
colours=$(tray_icons)
check "the icon is gone ($colours colours)" [ "$colours" -le 8 ]
check "exit stored the height" [ -n "$(reg_get PosisiWindow Panjang)" ]
finish
