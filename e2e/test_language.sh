#!/usr/bin/env bash
# "Bahasa / Language": English chosen from the menu shows at once on the
# panel, in a dialog, in the month window and in a notification, is stored
# as "Bahasa", and is there again after a restart. Every window is shot in
# both languages (language-<window>-id/en.png) to look at.
source "$(dirname "$0")/common.sh"
if on linux; then
  source "$E2E/linux/desktop.sh"
  unset DBUS_SESSION_BUS_ADDRESS
fi
setup
: "${QOV_JADWAL:?the native qov-jadwal}"
ENGLISH=(Down Down Down Down Right Up Right Down Return)  # the last of "Setting"
MONTH_WINDOW=(Down Down Down Down Right Up Up Return)
ALERT_SETTINGS=(Down Down Down Down Right Down Down Down Down Down Down Down Down Return)
ABOUT=(Down Down Down Down Down Return)
MONTHS=(January February March April May June July August September October November December)

# On Linux the reminder goes to the desktop's notification service: a bus
# and a daemon of the test's own, the Notify call caught on its way.
if on linux; then
  start_session_bus
  start_dunst
  dbus-monitor "interface='org.freedesktop.Notifications',member='Notify'" >"$WORK/notify.log" 2>&1 &
  BACKGROUND_PIDS+=" $!"
fi

daytime_zone
place_dzuhur_after 6
set_values PosisiWindow Pengingat " 1"
start_clock
check "Indonesian while nothing is stored" [ -z "$(get PosisiWindow Bahasa)" ]

# Each window in the language shown: the clock, its menu, the panel, the
# location dialog, "Pengaturan Adzan", the about box and the month window.
shoot_all() {  # id|en
  local x y
  shot_window "language-clock-$1" || true
  read -r _ _ x y <<<"$(window_geometry)"
  xdotool mousemove $((x + 60)) $((y + 60)) click 3
  sleep 1
  pointer_away
  xdotool key Down Down Down Down Right && sleep 0.8
  shot "language-menu-$1"
  xdotool key Escape && sleep 0.4 && xdotool key Escape && sleep 1
  open_panel "language-panel-$1"
  close_panel
  sleep 1
  menu 60 60 "${SETTING_LOKASI[@]}"
  wait_until 5 taller_than 300 || true
  shot_window "language-location-$1" || true
  restart  # the dialogs take no Escape
  menu 60 60 "${ABOUT[@]}"
  wait_until 3 is_mapped aboutBox && shot_window "language-about-$1" aboutBox || true
  wait_until 10 fails is_mapped aboutBox || true
  menu 60 60 "${MONTH_WINDOW[@]}"
  if wait_until 20 is_mapped jadwalSebulan; then
    sleep 1
    shot_window "language-month-$1" jadwalSebulan || true
    end_month_window
  fi
  menu 60 60 "${ALERT_SETTINGS[@]}"
  wait_until 5 taller_than 300 || true
  shot_window "language-alert-$1" || true
  restart
}
restart() { close_clock && start_clock; }
# The month window's "Tutup" (the last button, centred under the table).
end_month_window() {
  local w h x y
  read -r w h x y <<<"$(window_geometry jadwalSebulan)" || return 0
  xdotool mousemove $((x + ((w * 15 - 5770) / 2 + 5320) / 15)) $((y + 689)) click 1
  wait_until 5 fails is_mapped jadwalSebulan || true
}

shoot_all id
menu 60 60 "${ENGLISH[@]}"
check "the choice is stored" wait_until 5 eval '[ "$(get PosisiWindow Bahasa)" = en ]'

open_panel language-panel-en
panel=$(ocr "131x60+$PX+$PY" 6)
check "the panel reads in English ('$panel')" matches "$panel" "*Prayer*"
close_panel
sleep 1

menu 60 60 "${SETTING_LOKASI[@]}"
wait_until 5 taller_than 300 || true
read -r w h x y <<<"$(window_geometry)"
dialog=$(ocr "${w}x40+$x+$y" 6)
check "the location dialog reads in English ('$dialog')" matches "$dialog" "*Location*"
restart

menu 60 60 "${MONTH_WINDOW[@]}"
if check "the month window opens" wait_until 20 is_mapped jadwalSebulan; then
  sleep 1
  read -r w h x y <<<"$(window_geometry jadwalSebulan)"
  heading=$(ocr "$((w - 140))x24+$((x + 70))+$((y + 24))" 7)
  m=$((10#$(date +%m) - 1)) year=$(date +%Y)
  check "its heading is in English ('$heading')" matches "$heading" "*${MONTHS[m]} $year*"
  end_month_window
fi
shoot_all en

# The reminder a minute before Dzuhur.
reminded=""
if on linux; then
  check "the reminder reaches the notification service" wait_until 150 grep -q 'string "Jam QOV"' "$WORK/notify.log"
  sleep 0.5
  reminded=$(tr -s ' \n' ' ' <"$WORK/notify.log")
  shot language-notification-en
else
  read -r tx ty <<<"$(tray_point)"
  for _ in $(seq 150); do
    sleep 1
    reminded=$(ocr "560x90+$((tx > 60 ? tx - 60 : 0))+$((ty + 4))" 6)
    if matches "$reminded" "*Dhuhr*"; then break; fi
  done
  shot language-notification-en
fi
check "the notification reads in English ('${reminded: -160}')" matches "$reminded" "*Dhuhr*minute*"

close_clock
start_clock
open_panel language-panel-restart
panel=$(ocr "131x60+$PX+$PY" 6)
check "after a restart the panel is still English ('$panel')" matches "$panel" "*Prayer*"
close_clock
finish
