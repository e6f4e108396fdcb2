#!/usr/bin/env bash
# The Indonesian day in full: with the Kemenag rules and "Jadwal Lengkap"
# the panel lists Imsak, Subuh, Terbit, Dhuha, Dzuhur, Ashar, Maghrib and
# Isya exactly as qov-jadwal --method kemenag --full prints them, and the
# Hijri date under the Gregorian one; the longer panel fits in both display
# versions.
source "$(dirname "$0")/lib.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"

# Avoid straddling midnight, where the day's times are recomputed.
while [ "$(date +%H%M)" -ge 2358 ] || [ "$(date +%H%M)" -lt 0002 ]; do sleep 20; done

lat=-7.2575 lon=112.7521
store_place "Surabaya" "$lat" "$lon" 7 3 2 1 20 18
reg_set Lokasi Metode " 1" AddShubuh " 2" AddAshar " 2" AddIsya " 2"
reg_set PosisiWindow "Jadwal Lengkap" "-1"
start_clock

# Waktu Sholat
menu 60 60 Down Down Down Return
read -r w h x y <<<"$(window_geometry)"
shot_window panel-full
# The frame (1960 x 3520 twips) is centred in the window.
px=$(( x + (w - 131) / 2 ))
py=$(( y + (h - 235) / 2 ))
check "the window grows to fit the full panel (${w}x${h})" [ "$h" -ge 235 ]
panel=$(ocr "54x142+$((px + 79))+$((py + 58))" 6 | tr -c '0-9:\n ' ' ')
got=$(echo "$panel" | grep -o '[0-9][0-9]:[0-9][0-9]' | tr '\n' ' ' | sed 's/ $//')
expected=$("$QOV_JADWAL" --lat "$lat" --lon "$lon" --tz 7 --method kemenag --full --date "$(date +%F)" --csv |
  tail -n1 | cut -d, -f2- | tr ',' ' ')
log "panel reads '$got'; qov-jadwal --full says '$expected'"
check "the panel shows the eight times of qov-jadwal --method kemenag --full" [ "$got" = "$expected" ]
hijri=$("$QOV_JADWAL" --date "$(date +%F)" --hijri --csv | tail -n1 | awk -F, '{print $NF}')
line=$(ocr "131x16+$px+$((py + 39))" 7)
log "Hijri line reads '$line' (qov-jadwal: $hijri)"
year=${hijri%%-*}
hijri_line() { [[ "$line" == *"$year H"* ]]; }
check "the Hijri date line shows the year $year H" hijri_line
xdotool mousemove $((px + 6)) $((py + 6)) click 1
sleep 0.6

# Versi 2, then the panel again: the strip is held tall enough for it.
menu 60 60 Down Down Down Down Right Down Right Down Return
sleep 1
read -r w2 h2 _ _ <<<"$(window_geometry)"
menu 60 60 Down Down Down Return
read -r w3 h3 x3 y3 <<<"$(window_geometry)"
shot_window panel-full-strip
check "in Versi 2 (${w2}x${h2}) the strip grows for the panel (${w3}x${h3})" [ "$h3" -ge 235 ]
close_clock
finish
