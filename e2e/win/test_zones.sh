#!/usr/bin/env bash
# Time zones: with "Ikuti zona waktu Windows" the panel's times follow the
# system's zone (Wine takes it from TZ) as qov-jadwal --tz NAME computes
# them, in standard time (Berlin in December), in summer time (Sydney in
# December) and in a half-hour zone (Kolkata); with it off, a stored zone of
# 5.5 gives the Delhi times.
source "$(dirname "$0")/../common.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"

panel_times() {  # the five times of the panel, opened from the menu
  local w h x y px py
  menu 60 60 Down Down Down Return
  read -r w h x y <<<"$(window_geometry)"
  px=$(( x + (w - 131) / 2 ))
  py=$(( y + (h - 191) / 2 ))
  ocr "54x104+$((px + 79))+$((py + 56))" 6 | tr -c '0-9:\n ' ' ' |
    grep -o '[0-9][0-9]:[0-9][0-9]' | tr '\n' ' ' | sed 's/ $//'
  xdotool mousemove $((px + 6)) $((py + 6)) click 1
  sleep 0.6
}

run_in_zone() {  # name tz lat lon follow zone-stored jadwal-tz
  local name=$1 tz=$2 lat=$3 lon=$4 follow=$5 stored=$6 jtz=$7 day got expected
  # Away from local midnight, where the day's times are recomputed.
  while [ "$(TZ=$tz date +%H%M)" -ge 2358 ] || [ "$(TZ=$tz date +%H%M)" -lt 0002 ]; do sleep 20; done
  day=$(TZ=$tz date +%F)
  store_place "$name" "$lat" "$lon" "$stored"
  reg_set Lokasi "Ikuti Zona Windows" "$follow"
  TZ=$tz start_clock
  # A clock just started under a new server may miss the first menu walk.
  for _ in 1 2 3; do
    got=$(panel_times)
    [ -n "$got" ] && break
    sleep 1
  done
  expected=$("$QOV_JADWAL" --lat "$lat" --lon "$lon" --tz "$jtz" --date "$day" --csv | tail -n1 | cut -d, -f2- | tr ',' ' ')
  log "$name (TZ=$tz, follow $follow): panel '$got', qov-jadwal --tz $jtz '$expected'"
  check "$name: the panel shows qov-jadwal --tz $jtz" [ "$got" = "$expected" ]
  close_clock
  # Wine's server keeps the zone it started with.
  "$WINESERVER" -k 2>/dev/null || true
  "$WINESERVER" -w 2>/dev/null || true
}

run_in_zone Berlin Europe/Berlin 52.52 13.405 -1 1 Europe/Berlin
run_in_zone Sydney Australia/Sydney -33.8688 151.2093 -1 10 Australia/Sydney
run_in_zone Kolkata Asia/Kolkata 22.5726 88.3639 -1 5 Asia/Kolkata
run_in_zone "New Delhi" UTC 28.6358 77.2245 0 5.5 5.5

# The dialog with the system-zone box ticked: the zone box shows the
# system's offset, not the stored one.
store_place Kolkata 22.5726 88.3639 5
reg_set Lokasi "Ikuti Zona Windows" "-1"
TZ=Asia/Kolkata start_clock
menu 60 60 Down Down Down Down Right Down Down Down Down Return
sleep 1
shot_window zone-dialog
read -r w h x y <<<"$(window_geometry)"
fx=$(( x + (w - 229) / 2 ))
fy=$(( y + (h - 431) / 2 ))
# The box is disabled: its grey text is stretched to black for the OCR.
import -window root -crop "60x14+$((fx + 117))+$((fy + 101))" +repage "$WORK/zone.png"
convert "$WORK/zone.png" -colorspace Gray -level 65%,96% -resize 500% "$WORK/zone-big.png"
zone=$(tesseract "$WORK/zone-big.png" - --psm 7 2>/dev/null | tr -d ' \n')
log "the zone box reads '$zone'"
check "the zone box shows the system's offset 5.5" [ "$zone" = "5.5" ]
close_clock
finish
