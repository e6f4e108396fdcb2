#!/usr/bin/env bash
# "Bahasa / Language": English chosen from the menu shows at once on the
# panel, in a notification, in a dialog and in the month window, is stored
# as "Bahasa", and is there again after a restart; Indonesian chosen again
# is stored too. Every window is shot in both languages
# (language-<window>-en/id.png) to look at.
source "$(dirname "$0")/common.sh"
if on linux; then
  source "$E2E/linux/desktop.sh"
  unset DBUS_SESSION_BUS_ADDRESS
fi
setup
: "${QOV_JADWAL:?the native qov-jadwal}"
LANGUAGES=(Down Down Down Down Right Up Right)  # the last of "Setting"
ENGLISH=("${LANGUAGES[@]}" Down Return)
INDONESIAN=("${LANGUAGES[@]}" Return)
MONTH_WINDOW=(Down Down Down Down Right Up Up Return)
ALERT_SETTINGS=(Down Down Down Down Right Down Down Down Down Down Down Down Down Return)
ABOUT=(Down Down Down Down Down Return)
MONTHS=(January February March April May June July August September October November December)

# Where a notification is read back: on Linux the desktop's notification
# service (a bus and a daemon of the test's own, the Notify call caught on
# its way); under Wine, whose tray draws no balloons, the debugger's log the
# program also writes each notification to.
if on linux; then
  start_session_bus
  start_dunst
  dbus-monitor "interface='org.freedesktop.Notifications',member='Notify'" >"$WORK/notify.log" 2>&1 &
  BACKGROUND_PIDS+=" $!"
else
  export WINEDEBUG=-all,warn+seh  # where Wine logs OutputDebugString
fi
notified() {
  if on linux; then tr -s ' \n' ' ' <"$WORK/notify.log"; else grep -a ':OutputDebugStringA ' "$CLOCK_LOG" | tr -s ' \n' ' '; fi || true
}

# The reminder, five minutes before Dzuhur, comes while English is shown and
# before any restart: at the first turn of a minute at least 40 s away,
# time enough for the clock to start and English to be chosen.
daytime_zone
PLACE_LEAD=40 place_dzuhur_after 5
set_values PosisiWindow Pengingat " 5"
start_clock
check "Indonesian while nothing is stored" [ -z "$(get PosisiWindow Bahasa)" ]
menu 60 60 "${ENGLISH[@]}"
check "the choice is stored" wait_until 5 eval '[ "$(get PosisiWindow Bahasa)" = en ]'

open_panel language-panel-en
panel=$(ocr "131x60+$PX+$PY" 6)
check "the panel reads in English ('$panel')" matches "$panel" "*Prayer*"
close_panel

check "the reminder is sent" wait_until 240 eval 'matches "$(notified)" "*Dhuhr*"'
sleep 0.5
shot language-notification-en
reminded=$(notified)
check "the notification reads in English ('$(tail -c 160 <<<"$reminded")')" matches "$reminded" "*Dhuhr*minute*"
# Its bubble, at the top right, covers the clock.
on linux && { dunstctl close-all 2>/dev/null || true; sleep 0.5; }

menu 60 60 "${SETTING_LOKASI[@]}"
wait_until 5 taller_than 300 || true
sleep 1
read -r w h x y <<<"$(window_geometry)"
dialog=$(ocr "140x22+$x+$y" 7)  # its caption, on the frame's top line
check "the location dialog reads in English ('$dialog')" matches "$dialog" "*Location*"
restart() { close_clock && start_clock; }
restart  # the dialogs answer Escape only when they have the keyboard

# The month window's "Tutup" (the last button, centred under the table).
end_month_window() {
  local w h x y
  read -r w h x y <<<"$(window_geometry jadwalSebulan)" || return 0
  xdotool mousemove $((x + ((w * 15 - 5770) / 2 + 5320) / 15)) $((y + 689)) click 1
  wait_until 5 fails is_mapped jadwalSebulan || true
}
menu 60 60 "${MONTH_WINDOW[@]}"
if check "the month window opens" wait_until 20 is_mapped jadwalSebulan; then
  sleep 1
  read -r w h x y <<<"$(window_geometry jadwalSebulan)"
  heading=$(ocr "$((w - 140))x24+$((x + 70))+$((y + 24))" 7)
  m=$((10#$(date +%m) - 1)) year=$(date +%Y)
  check "its heading is in English ('$heading')" matches "$heading" "*${MONTHS[m]} $year*"
  end_month_window
fi

# Each window in the language shown: the clock, its menu, the panel, the
# location dialog, "Pengaturan Adzan", the about box and the month window.
shoot_all() {  # en|id
  shot_window "language-clock-$1" || true
  local x y
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
  restart
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
shoot_all en

open_panel language-panel-restart
panel=$(ocr "131x60+$PX+$PY" 6)
check "after a restart the panel is still English ('$panel')" matches "$panel" "*Prayer*"
close_panel
sleep 1

menu 60 60 "${INDONESIAN[@]}"
check "Indonesian chosen again is stored" wait_until 5 eval '[ "$(get PosisiWindow Bahasa)" = id ]'
open_panel language-panel-id
panel=$(ocr "131x60+$PX+$PY" 6)
check "the panel reads in Indonesian again ('$panel')" matches "$panel" "*Sholat*"
close_panel
sleep 1
shoot_all id
close_clock
finish
