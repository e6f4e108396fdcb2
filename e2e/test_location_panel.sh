#!/usr/bin/env bash
# The location dialog from the context menu: pick the first city, OK, the
# settings hold its values; the prayer-time panel then shows the same five
# times as qov-jadwal for that city.
source "$(dirname "$0")/common.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"
# No prayer alerts: a time of the chosen city falling in the test's minute
# would blink the window away under its clicks (still a first run: no city).
set_values PosisiWindow "Aksi Shubuh" " 0" "Aksi Dzuhur" " 0" "Aksi Ashar" " 0" "Aksi Maghrib" " 0" "Aksi Isya" " 0"
start_clock

menu 60 60 "${SETTING_LOKASI[@]}"
wait_until 5 taller_than 431 || true
read -r w h x y <<<"$(window_geometry)"
check "the dialog makes the window at least 431 px high (${w}x${h})" [ "$h" -ge 431 ]
# The frame (229 x 431 px) is centred in the window.
fx=$((x + (w - 229) / 2)) fy=$((y + (h - 431) / 2))
shot_window location-dialog

# The city box takes the keyboard; Down picks the first entry of the list.
xdotool mousemove $((fx + 60)) $((fy + 42)) click 1
sleep 0.3
xdotool key Down
sleep 0.5
first=$(head -n1 "$DATA_DIR/daftar_all.TXT" | tr -d '\r')
name=$(sed 's/^"\([^"]*\)".*/\1/' <<<"$first")
IFS=, read -r lat lon zone <<<"$(sed 's/^"[^"]*",//' <<<"$first")"
shot_window location-picked
# OK
xdotool mousemove $((fx + 50)) $((fy + 414)) click 1
sleep 1
read -r _ h2 _ _ <<<"$(window_geometry)"
check "OK closes the dialog and restores the height (${h2})" [ "$h2" -lt "$h" ]
check "Kota stored as '$name'" [ "$(get Lokasi Kota)" = "$name" ]
check "LAT stored as '$lat'" [ "$(get Lokasi LAT)" = "$lat" ]
check "LONG stored as '$lon'" [ "$(get Lokasi LONG)" = "$lon" ]
check "Time ZOne stored as '$zone'" [ "$(get Lokasi 'Time ZOne')" = "$zone" ]

# Escape while typing in a box cancels the dialog: nothing typed is stored.
menu 60 60 "${SETTING_LOKASI[@]}"
check "the dialog opens again" wait_until 5 taller_than 431
read -r w h x y <<<"$(window_geometry)"
fx=$((x + (w - 229) / 2)) fy=$((y + (h - 431) / 2))
xdotool mousemove $((fx + 150)) $((fy + 68)) click 1
sleep 0.3
xdotool key End 9 9 Escape
closed() { read -r _ h3 _ _ <<<"$(window_geometry)" && [ "$h3" -eq "$h2" ]; }
check "Escape closes the dialog and restores the height" wait_until 5 closed
check "LAT still '$lat'" [ "$(get Lokasi LAT)" = "$lat" ]

open_panel panel
got=$(panel_times) expected=$(jadwal --lat "$lat" --lon "$lon" --tz "$zone" --date "$(date +%F)")
log "panel reads '$got'; qov-jadwal says '$expected'"
check "the panel shows the schedule tool's five times" [ "$got" = "$expected" ]
close_clock
finish
