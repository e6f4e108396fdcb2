#!/usr/bin/env bash
# "Bahasa / Language": English chosen from the menu shows at once on the
# panel, in a dialog and in a notification, is stored as "Bahasa", and is
# there again after a restart.
source "$(dirname "$0")/common.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"
ENGLISH=(Down Down Down Down Right Up Right Down Return)  # the last of "Setting"

daytime_zone
place_dzuhur_after 3
set_values PosisiWindow Pengingat " 1"
start_clock
check "Indonesian while nothing is stored" [ -z "$(get PosisiWindow Bahasa)" ]
menu 60 60 "${ENGLISH[@]}"
check "the choice is stored" wait_until 5 eval '[ "$(get PosisiWindow Bahasa)" = en ]'

open_panel language-panel-en
panel=$(ocr "131x60+$PX+$PY" 6)
check "the panel reads in English ('$panel')" matches "$panel" "*Prayer*"
close_panel

menu 60 60 "${SETTING_LOKASI[@]}"
read -r w h x y <<<"$(window_geometry)"
shot_window language-location-en || true
dialog=$(ocr "${w}x40+$x+$y" 6)
check "the location dialog reads in English ('$dialog')" matches "$dialog" "*Location*"
xdotool key Escape || true

# The reminder a minute before Dzuhur, as a notification under the icon.
read -r tx ty <<<"$(tray_point)"
reminded=""
for _ in $(seq 150); do
  sleep 1
  note=$(ocr "560x90+$((tx > 60 ? tx - 60 : 0))+$((ty + 4))" 6)
  if matches "$note" "*Dhuhr*"; then reminded=$note; break; fi
done
shot language-notification-en
check "the notification reads in English ('$reminded')" matches "$reminded" "*Dhuhr*minute*"

close_clock
start_clock
open_panel language-panel-restart
panel=$(ocr "131x60+$PX+$PY" 6)
check "after a restart the panel is still English ('$panel')" matches "$panel" "*Prayer*"
close_clock
finish
