#!/usr/bin/env bash
# The clock window as a user meets it: first run, placement, the stored
# values, a refused second copy, dragging, closing and reopening, resizing.
source "$(dirname "$0")/common.sh"
setup
start_clock
read -r w h x y <<<"$(window_geometry)"
shot window-first-run
shot_window window-versi-1

expected=$(printf '%s\n' "AddDhuhur= 2" "AddMaghrib= 2" "Kota=Jakarta" "LAT=-6.15" "LONG= 106.816" \
  "MazhabAshar= 1" "Pop Delay= 5" "Time ZOne= 7" "Versi Display= 1" "sudutFajar= 19" "sudutIsya= 20" | sort)
check "first run writes the eleven location values in their text forms" [ "$(values Lokasi | sort)" = "$expected" ]
check "first run writes no window value" [ -z "$(values PosisiWindow)" ]
# Start-up puts the left edge 1.1 widths from the right, the top a tenth of
# the height down.
check "placed at the top right ($x,$y)" \
  [ "$((SCREEN_W - x - w))" -ge $((w / 20)) -a "$((SCREEN_W - x - w))" -le $((w / 5)) -a "$y" -ge $((h / 20)) -a "$y" -le $((h / 5)) ]
check "proportion of version 1 (${w}x${h})" [ "$((h * 100 / w))" -ge 145 -a "$((h * 100 / w))" -le 153 ]
check "in the topmost band" is_topmost
# The face is dark; the digital time strip below it is light with dark text.
face=$(brightness "$((w / 2))x$((h / 3))+$((x + w / 4))+$((y + h / 4))")
strip=$(brightness "${w}x$((h / 10))+${x}+$((y + h - h / 10))")
check "face is dark (mean $face) and the time strip light (mean $strip)" \
  awk -v f="$face" -v s="$strip" 'BEGIN { exit !(f < 0.35 && s > 0.5) }'

# A second copy refuses, brings the running clock forward (over a window
# of the user's that covers it), ends when acknowledged and leaves the first
# copy and the settings alone.
before=$(values)
xev -name qov-cover -geometry "${w}x${h}+${x}+${y}" >/dev/null 2>&1 &
cover=$!
BACKGROUND_PIDS="$cover"
wait_until 10 is_mapped qov-cover || log "the covering window never appeared"
# xwininfo lists the root's children from the top down.
stacked_at() { xwininfo -root -children | grep -n "^ *$(printf '0x%x' "$(window_id "$1")") " | cut -d: -f1; }
clock_over_cover() { [ "$(stacked_at "$MAIN")" -lt "$(stacked_at qov-cover)" ]; }
check "a window of the user's covers the clock" fails clock_over_cover
launch >>"$CLOCK_LOG" 2>&1 &
second=$!
BACKGROUND_PIDS+=" $second"
check "the refusal titled 'Jam QOV' appears" wait_until 15 is_mapped "Jam QOV"
# Wine restacks only over windows of its own: it takes its clock, first in
# its own order, for on top already and leaves an X client over it.
on linux && check "the second copy brought the running clock over the covering window" wait_until 5 clock_over_cover
kill "$cover"
shot second-copy-refused
read -r bw bh bx by <<<"$(window_geometry "Jam QOV" || echo 0 0 0 0)"
text=$(ocr "${bw}x${bh}+${bx}+${by}" 6)
check "it says 'Sudah ada yang jalan' (reads '$text')" matches "$text" "*Sudah ada yang jalan*"
# The pointer over the box gives it the keyboard; Return presses OK.
xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1 && sleep 0.3 && xdotool key Return
check "the second copy ends once acknowledged" wait_until 10 stopped "$second"
wait "$second" 2>/dev/null && code=0 || code=$?
check "with exit code 0 ($code)" [ "$code" -eq 0 ]
check "exactly one clock window remains" [ "$(xdotool search --onlyvisible --name "^$MAIN\$" | wc -l)" -eq 1 ]
check "the first copy still runs" kill -0 "$CLOCK_PID"
check "the settings are untouched" [ "$(values)" = "$before" ]

# Dragged by its face, the clock follows the pointer and keeps the place.
drag 60 60 -300 150
read -r _ _ x2 y2 <<<"$(window_geometry)"
check "dragged by (-300, 150): now at $x2,$y2" [ "$x2" -eq $((x - 300)) -a "$y2" -eq $((y + 150)) ]
check "the place is stored in twips (Left $((x2 * 15)), Top $((y2 * 15)))" \
  [ "$(get PosisiWindow Left)" = " $((x2 * 15))" -a "$(get PosisiWindow Top)" = " $((y2 * 15))" ]

close_clock
check "closing stores the height ($((h * 15)) twips)" [ "$(get PosisiWindow Panjang)" = " $((h * 15))" ]
check "no window is left" fails is_mapped
on linux && check "the lock file is gone after the close" [ ! -e "$XDG_RUNTIME_DIR/qov-clock.lock" ]

start_clock
read -r w3 h3 x3 y3 <<<"$(window_geometry)"
check "reopened at ${x3},${y3} ${w3}x${h3}, as it was closed" [ "$x3" -eq "$x2" -a "$y3" -eq "$y2" -a "$h3" -eq "$h" ]

# A clock that crashed leaves its lock file behind; the next start runs
# all the same.
if on linux; then
  kill -KILL "$CLOCK_PID"
  wait "$CLOCK_PID" 2>/dev/null || true
  check "a crashed clock leaves its lock file" [ -e "$XDG_RUNTIME_DIR/qov-clock.lock" ]
  start_clock 1
  check "the next start runs" kill -0 "$CLOCK_PID"
  check "and says nothing of another copy" fails is_mapped "Jam QOV"
fi

# The sizing mode: after a double click on the face the bottom edge, dragged
# 100 px down, makes the clock taller in the version's proportion.
xdotool mousemove $((x3 + 60)) $((y3 + 60)) click --repeat 2 --delay 80 1
sleep 0.5
drag $((w3 / 2)) $((h3 - 2)) 0 100
read -r w4 h4 x4 y4 <<<"$(window_geometry)"
shot_window resized
check "the bottom edge drag makes the clock taller (${h3} -> ${h4})" [ "$h4" -ge $((h3 + 80)) -a "$h4" -le $((h3 + 120)) ]
check "the proportion of version 1 stays (${w4}x${h4})" [ "$((h4 * 100 / w4))" -ge 145 -a "$((h4 * 100 / w4))" -le 153 ]
check "the top edge stays ($y3 -> $y4)" [ "$y4" -eq "$y3" ]
# Two seconds after the last change the mode is over: the same press drags.
sleep 3
drag $((w4 / 2)) $((h4 / 2)) -100 0
read -r w5 h5 x5 _ <<<"$(window_geometry)"
check "after the sizing mode a drag moves the clock (${x4} -> ${x5}) at the same size" \
  [ "$x5" -eq $((x4 - 100)) -a "$h5" -eq "$h4" -a "$w5" -eq "$w4" ]
close_clock
check "the new height is stored ($((h4 * 15)) twips)" [ "$(get PosisiWindow Panjang)" = " $((h4 * 15))" ]
finish
