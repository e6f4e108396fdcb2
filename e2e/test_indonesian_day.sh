#!/usr/bin/env bash
# The Indonesian day in full: with the Kemenag rules and "Jadwal Lengkap"
# the panel lists Imsak, Subuh, Terbit, Dhuha, Dzuhur, Ashar, Maghrib and
# Isya exactly as qov-jadwal --method kemenag --full prints them, and the
# Hijri date under the Gregorian one; the longer panel fits in both display
# versions.
source "$(dirname "$0")/common.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"
away_from_midnight 2

lat=-7.2575 lon=112.7521
store_place "Surabaya" "$lat" "$lon" 7 3 2 1 20 18
set_values Lokasi Metode " 1" AddShubuh " 2" AddAshar " 2" AddIsya " 2"
set_values PosisiWindow "Jadwal Lengkap" "-1"
start_clock

open_panel panel-full 235
read -r w h _ _ <<<"$(window_geometry)"
check "the window grows to fit the full panel (${w}x${h})" [ "$h" -ge 235 ]
got=$(panel_times) expected=$(jadwal --lat "$lat" --lon "$lon" --tz 7 --method kemenag --full --date "$(date +%F)")
log "panel reads '$got'; qov-jadwal --full says '$expected'"
check "the panel shows the eight times of qov-jadwal --method kemenag --full" [ "$got" = "$expected" ]
year=$("$QOV_JADWAL" --date "$(date +%F)" --hijri --csv | tail -n1 | awk -F, '{print $NF}')
year=${year%%-*}
line=$(ocr "131x16+$PX+$((PY + 39))" 7)
check "the Hijri date line shows the year $year H (reads '$line')" matches "$line" "*$year H*"
close_panel

# Versi 2, then the panel again: the strip is held tall enough for it.
menu 60 60 Down Down Down Down Right Down Right Down Return
sleep 1
read -r w2 h2 _ _ <<<"$(window_geometry)"
open_panel panel-full-strip 235
read -r w3 h3 _ _ <<<"$(window_geometry)"
check "in Versi 2 (${w2}x${h2}) the strip grows for the panel (${w3}x${h3})" [ "$h3" -ge 235 ]
close_clock
finish
