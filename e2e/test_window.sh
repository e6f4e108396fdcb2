#!/usr/bin/env bash
# The clock window as a user meets it: first run, placement, the stored
# values, a refused second copy, closing and reopening, dragging, and the
# wide strip from the context menu.
source "$(dirname "$0")/lib.sh"
setup

start_clock
read -r w h x y <<<"$(window_geometry)"
shot window-first-run
shot_window window-versi-1

lokasi=$(reg_values Lokasi | sort)
expected=$(printf '%s\n' "AddDhuhur= 2" "AddMaghrib= 2" "Kota=Jakarta" "LAT=-6.15" "LONG= 106.816" \
  "MazhabAshar= 1" "Pop Delay= 5" "Time ZOne= 7" "Versi Display= 1" "sudutFajar= 19" "sudutIsya= 20" | sort)
check "first run writes the eleven location values in their text forms" [ "$lokasi" = "$expected" ]
check "first run writes no window value" [ -z "$(reg_values PosisiWindow)" ]
check "window near the top right corner (at ${x},${y})" [ "$x" -gt $((1280 - 2 * w)) -a "$y" -lt 60 ]
check "portrait proportion ${w}x${h}" [ "$h" -gt "$w" ]
check "window is topmost" is_topmost
# The face is dark; the digital time strip below it is light with dark text.
face=$(brightness "$((w / 2))x$((h / 3))+$((x + w / 4))+$((y + h / 4))")
strip=$(brightness "${w}x$((h / 10))+${x}+$((y + h - h / 10))")
check "face is dark (mean $face) and the time strip light (mean $strip)" \
  awk -v f="$face" -v s="$strip" 'BEGIN { exit !(f < 0.35 && s > 0.5) }'

# A second copy shows the refusal and leaves the settings alone.
before=$(reg_values Lokasi; reg_values PosisiWindow)
(cd "$EXE_DIR" && exec "$WINE" QOVClock.exe) >/dev/null 2>&1 &
second=$!
refusal=$(wait_until 10 window_id "Jam QOV" || true)
check "a second copy shows the refusal box titled Jam QOV" [ -n "$refusal" ]
shot second-copy-refused
[ -n "$refusal" ] && xdotool key --window "$refusal" Return
check "the second copy ends after OK" wait_until 10 stopped "$second"
check "the second copy changed no setting" [ "$before" = "$(reg_values Lokasi; reg_values PosisiWindow)" ]

# Dragging the face moves the window and stores its position.
drag $((w / 2)) $((h / 3)) -300 200
read -r _ h2 x2 y2 <<<"$(window_geometry)"
check "a drag on the face moves the window (to ${x2},${y2})" [ "$x2" -lt $((x - 250)) -a "$y2" -gt $((y + 150)) ]
top=$(reg_get PosisiWindow Top)
left=$(reg_get PosisiWindow Left)
check "the drag stored Top '$top' and Left '$left' in twips" \
  awk -v t="$top" -v l="$left" -v x="$x2" -v y="$y2" 'BEGIN { exit !(t ~ /^ [0-9]/ && (t/15 - y)^2 < 4 && (l/15 - x)^2 < 4) }'

close_clock
panjang=$(reg_get PosisiWindow Panjang)
check "closing stores the height '$panjang'" awk -v p="$panjang" -v h="$h2" 'BEGIN { exit !(p ~ /^ [0-9]/ && (p/15 - h)^2 < 4) }'

# The next start restores height and position.
start_clock
read -r w3 h3 x3 y3 <<<"$(window_geometry)"
check "reopened at ${x3},${y3} ${w3}x${h3}, as it was closed" [ "$x3" -eq "$x2" -a "$y3" -eq "$y2" -a "$h3" -eq "$h2" ]

# Setting > Clock Display > Versi 2 makes the wide strip.
menu $((w3 / 2)) $((h3 / 3)) Down Down Down Down Right Down Right Down Return
read -r w4 h4 _ _ <<<"$(window_geometry)"
check "Versi 2 turns the window into a wide strip (${w4}x${h4})" [ "$w4" -gt $((4 * h4)) ]
check "Versi 2 is stored as ' 2'" [ "$(reg_get Lokasi 'Versi Display')" = " 2" ]
sleep 1
shot_window window-versi-2
shot window-versi-2-screen

close_clock
finish
