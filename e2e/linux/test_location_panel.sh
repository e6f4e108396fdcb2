#!/usr/bin/env bash
# The location dialog from the context menu: pick the first city, OK, the
# settings file holds its values; the prayer-time panel then shows the same
# five times as qov-jadwal (the engine's command-line tool) for that city.
source "$(dirname "$0")/lib.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"
start_clock

# Setting > Lokasi
menu 60 60 Down Down Down Down Right Down Down Down Down Return
wait_until 5 taller_than 431 || true
read -r w h x y <<<"$(window_geometry)"
check "the dialog makes the window at least 431 px high (${w}x${h})" [ "$h" -ge 431 ]
# The frame (2835 x 4365 twips) is centred in the window.
fx=$(( x + (w - 229) / 2 ))
fy=$(( y + (h - 431) / 2 ))
shot_window linux-location-dialog

# The city box takes the keyboard; Down picks the first entry of the list.
xdotool mousemove $((fx + 60)) $((fy + 42)) click 1
sleep 0.3
xdotool key Down
sleep 0.5
first=$(head -n1 "$DATA_DIR/daftar_all.TXT" | tr -d '\r')
name=$(echo "$first" | sed 's/^"\([^"]*\)".*/\1/')
IFS=, read -r lat lon zone <<<"$(echo "$first" | sed 's/^"[^"]*",//')"
shot_window linux-location-picked
# OK
xdotool mousemove $((fx + 50)) $((fy + 414)) click 1
sleep 1
read -r _ h2 _ _ <<<"$(window_geometry)"
check "OK closes the dialog and restores the height (${h2})" [ "$h2" -lt "$h" ]
check "Kota stored as '$name'" [ "$(conf_get Lokasi Kota)" = "$name" ]
check "LAT stored as '$lat'" [ "$(conf_get Lokasi LAT)" = "$lat" ]
check "LONG stored as '$lon'" [ "$(conf_get Lokasi LONG)" = "$lon" ]
check "Time ZOne stored as '$zone'" [ "$(conf_get Lokasi 'Time ZOne')" = "$zone" ]

# Waktu Sholat: the panel's five times against the schedule tool.
menu 60 60 Down Down Down Return
read -r w3 h3 x3 y3 <<<"$(window_geometry)"
shot_window linux-panel
px=$(( x3 + (w3 - 131) / 2 ))
py=$(( y3 + (h3 - 191) / 2 ))
panel=$(ocr "54x104+$((px + 79))+$((py + 56))" 6 | tr -c '0-9:\n ' ' ')
expected=$("$QOV_JADWAL" --lat "$lat" --lon "$lon" --tz "$zone" --date "$(date +%F)" --csv | tail -n1 | cut -d, -f2- | tr ',' ' ')
log "panel reads '$panel'; qov-jadwal says '$expected'"
got=$(echo "$panel" | grep -o '[0-9][0-9]:[0-9][0-9]' | tr '\n' ' ' | sed 's/ $//')
check "the panel shows the schedule tool's five times" [ "$got" = "$expected" ]
close_clock
finish
