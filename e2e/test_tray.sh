#!/usr/bin/env bash
# The notification-area icon and the about box: the icon is in the tray
# (and, on Linux, comes back when the tray restarts); the about box opens
# over the clock with rounded corners and closes by itself after about five
# seconds; the icon's menu ends with "Exit", which ends the program, takes
# the icon away and stores the window's height.
source "$(dirname "$0")/common.sh"
setup
start_clock
read -r w h x y <<<"$(window_geometry)"
check "the icon is in the tray" wait_until 5 tray_icon_shown
shot tray-icon

if on linux; then  # a panel that crashed or was replaced
  kill "$TRAYER_PID"
  wait "$TRAYER_PID" 2>/dev/null || true
  sleep 1
  check "no icon without a tray" fails tray_icon_shown
  start_tray
  check "the icon comes back with the new tray" wait_until 10 tray_icon_shown
  check "the clock still runs" kill -0 "$CLOCK_PID"
fi

# About: opens centred over the clock yet on screen, rounded, gone after
# about 5 s.
menu 60 60 Down Down Down Down Down Return
check "the about box opens" wait_until 3 is_mapped aboutBox
if read -r aw ah ax ay < <(window_geometry aboutBox); then
  shot about-box
  # Centred over the clock, except that the box, wider than the clock in
  # its top right corner, is pulled in to end at the screen's edge.
  cx=$((ax + aw / 2)) cy=$((ay + ah / 2))
  check "centred over the clock, at the screen's edge ($ax,$ay ${aw}x$ah)" \
    [ $(((ax + aw - SCREEN_W) ** 2 + (cy - y - h / 2) ** 2)) -lt 25 ]
  # A rounded region leaves the corner pixel showing what is behind it
  # (the black root window), while the box itself is light.
  corner=$(brightness "1x1+${ax}+${ay}") middle=$(brightness "4x4+$((cx - 2))+$((ay + 3))")
  check "rounded corners (corner $corner, edge $middle)" awk -v c="$corner" -v m="$middle" 'BEGIN { exit !(c < 0.1 && m > 0.5) }'
  sleep 3
  check "still open after 3 s" is_mapped aboutBox
  sleep 4
  check "closed by itself within 7 s" fails is_mapped aboutBox
fi

# The icon's menu: its last entry, Exit (Up from the top wraps to it).
read -r tx ty <<<"$(tray_point)"
tray_menu
shot tray-menu
menu_text=$(ocr "200x200+$((tx > 100 ? tx - 100 : 0))+$((ty > 10 ? ty - 10 : 0))" 6)
check "the tray menu offers Exit (reads '$menu_text')" matches "$menu_text" "*Exit*"
xdotool key Up && sleep 0.25 && xdotool key Return
check "Exit from the tray menu ends the program" wait_until 10 stopped "$CLOCK_PID"
CLOCK_PID=""
sleep 1
check "the icon is gone" fails tray_icon_shown
check "no window is left" fails is_mapped
check "exit stored the height ($((h * 15)) twips)" [ "$(get PosisiWindow Panjang)" = " $((h * 15))" ]
finish
