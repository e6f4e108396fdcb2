#!/usr/bin/env bash
# Time zones: with "Ikuti zona waktu Windows" the panel's times follow the
# system's zone (TZ) as qov-jadwal --tz NAME computes them, in standard time
# (Berlin in December), in summer time (Sydney in December) and in a
# half-hour zone (Kolkata); with it off, a stored zone of 5.5 gives the
# Delhi times.
source "$(dirname "$0")/common.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"

run_in_zone() {  # name tz lat lon follow zone-stored jadwal-tz
  local got expected
  away_from_midnight 2 "$2"
  store_place "$1" "$3" "$4" "$6"
  set_values Lokasi "Ikuti Zona Windows" "$5"
  TZ=$2 start_clock
  # A clock just started under a new Wine server may miss the first menu walk.
  for _ in 1 2 3; do
    open_panel "panel-${1// /-}"
    got=$(panel_times)
    close_panel
    [ -n "$got" ] && break
  done
  expected=$(jadwal --lat "$3" --lon "$4" --tz "$7" --date "$(TZ=$2 date +%F)")
  log "$1 (TZ=$2, follow $5): panel '$got', qov-jadwal --tz $7 '$expected'"
  check "$1: the panel shows qov-jadwal --tz $7" [ "$got" = "$expected" ]
  close_clock
  # Wine's server keeps the zone it started with.
  on win && { "$WINESERVER" -k 2>/dev/null; "$WINESERVER" -w 2>/dev/null; } || true
}

run_in_zone Berlin Europe/Berlin 52.52 13.405 -1 1 Europe/Berlin
run_in_zone Sydney Australia/Sydney -33.8688 151.2093 -1 10 Australia/Sydney
run_in_zone Kolkata Asia/Kolkata 22.5726 88.3639 -1 5 Asia/Kolkata
run_in_zone "New Delhi" UTC 28.6358 77.2245 0 5.5 5.5

# The dialog with the system-zone box ticked: the zone box shows the
# system's offset, not the stored one.
store_place Kolkata 22.5726 88.3639 5
set_values Lokasi "Ikuti Zona Windows" "-1"
TZ=Asia/Kolkata start_clock
menu 60 60 "${SETTING_LOKASI[@]}"
sleep 1
shot_window zone-dialog
read -r w h x y <<<"$(window_geometry)"
# The box is disabled: its grey text is stretched to black for the OCR.
import -window root -crop "60x14+$((x + (w - 229) / 2 + 117))+$((y + (h - 431) / 2 + 101))" +repage "$WORK/zone.png"
convert "$WORK/zone.png" -colorspace Gray -level 65%,96% -resize 500% "$WORK/zone-big.png"
zone=$(tesseract "$WORK/zone-big.png" - --psm 7 2>/dev/null | tr -d ' \n')
log "the zone box reads '$zone'"
check "the zone box shows the system's offset 5.5" [ "$zone" = "5.5" ]
close_clock
finish
