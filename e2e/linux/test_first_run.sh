#!/usr/bin/env bash
# A first run: the eleven location values the registry holds on Windows,
# written with the same text forms; no window value yet; the clock at the
# top right of the screen, in the topmost band; dragged by its face to a new
# place, which is stored; its height stored on close.
source "$(dirname "$0")/lib.sh"
setup
start_clock
shot first-run
shot_window linux-clock

expected=$(sort <<'VALUES'
AddDhuhur= 2
AddMaghrib= 2
MazhabAshar= 1
sudutFajar= 19
sudutIsya= 20
Kota=Jakarta
LAT=-6.15
LONG= 106.816
Time ZOne= 7
Pop Delay= 5
Versi Display= 1
VALUES
)
got=$(conf_values Lokasi | sort)
[ "$got" = "$expected" ] || diff <(echo "$expected") <(echo "$got") || true
check "the eleven first-run values, text forms included" [ "$got" = "$expected" ]
check "no window value on a first run" [ -z "$(conf_values PosisiWindow)" ]

read -r w h x y <<<"$(window_geometry)"
log "window ${w}x${h} at ${x},${y}"
# Start-up puts the left edge 1.1 widths from the right, the top a tenth of
# the height down.
check "placed at the top right ($x,$y)" \
  [ "$((SCREEN_W - x - w))" -ge $((w / 20)) -a "$((SCREEN_W - x - w))" -le $((w / 5)) -a "$y" -ge $((h / 20)) -a "$y" -le $((h / 5)) ]
check "proportion of version 1 (${w}x${h})" [ "$((h * 100 / w))" -ge 145 -a "$((h * 100 / w))" -le 153 ]
check "in the topmost band" is_topmost

# Dragged by its face, the clock follows the pointer and keeps the place.
drag 60 60 -300 150
read -r _ _ x2 y2 <<<"$(window_geometry)"
check "dragged by (-300, 150): now at $x2,$y2" [ "$x2" -eq $((x - 300)) -a "$y2" -eq $((y + 150)) ]
check "the place is stored (Left $((x2 * 15)), Top $((y2 * 15)))" \
  [ "$(conf_get PosisiWindow Left)" = " $((x2 * 15))" -a "$(conf_get PosisiWindow Top)" = " $((y2 * 15))" ]

close_clock
check "the height is stored on close ($((h * 15)) twips)" [ "$(conf_get PosisiWindow Panjang)" = " $((h * 15))" ]
check "the lock file is gone after the close" [ ! -e "$XDG_RUNTIME_DIR/qov-clock.lock" ]
finish
