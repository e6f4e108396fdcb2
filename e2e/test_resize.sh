#!/usr/bin/env bash
# The sizing mode: a double click on the face lets the window's edges be
# dragged; the layout keeps the version's proportion, the mode ends two
# seconds after the last change, and the new height is stored on close.
source "$(dirname "$0")/common.sh"
setup
start_clock
read -r w h x y <<<"$(window_geometry)"

xdotool mousemove $((x + 60)) $((y + 60)) click --repeat 2 --delay 80 1
sleep 0.5
# The bottom edge, 100 px down.
xdotool mousemove $((x + w / 2)) $((y + h - 2)) mousedown 1
for i in 1 2 3 4 5; do
  xdotool mousemove $((x + w / 2)) $((y + h - 2 + 20 * i))
  sleep 0.15
done
xdotool mouseup 1
sleep 0.5
read -r w2 h2 x2 y2 <<<"$(window_geometry)"
log "${w}x${h} -> ${w2}x${h2} at $x2,$y2"
shot_window resized
check "the bottom edge drag makes the clock taller (${h} -> ${h2})" [ "$h2" -ge $((h + 80)) -a "$h2" -le $((h + 120)) ]
check "the proportion of version 1 stays (${w2}x${h2})" [ "$((h2 * 100 / w2))" -ge 145 -a "$((h2 * 100 / w2))" -le 153 ]
check "the top edge stays ($y -> $y2)" [ "$y2" -eq "$y" ]

# Two seconds later the mode is over: the same press drags the window.
sleep 3
drag $((w2 / 2)) $((h2 / 2)) -100 0
read -r w3 h3 x3 _ <<<"$(window_geometry)"
check "after the sizing mode a drag moves the clock (${x2} -> ${x3}) at the same size" \
  [ "$x3" -eq $((x2 - 100)) -a "$h3" -eq "$h2" -a "$w3" -eq "$w2" ]
close_clock
check "the new height is stored ($((h2 * 15)) twips)" [ "$(get PosisiWindow Panjang)" = " $((h2 * 15))" ]
finish
