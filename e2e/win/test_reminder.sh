#!/usr/bin/env bash
# "Pengingat": five minutes before a prayer the tray icon shows a
# notification naming the prayer and its time (the text itself is checked
# by the unit tests).
source "$(dirname "$0")/../common.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"

daytime_zone

# Dzuhur six minutes after the next minute: the five-minute reminder comes
# in the minute after that, with one whole minute of the clock before it.
place_dzuhur_after 6
quiet=$NEXT_MINUTE
later() { local m=$(($(minutes_of "$1") + $2)); printf '%02d:%02d' $((m / 60 % 24)) $((m % 60)); }
remind=$(later "$NEXT_MINUTE" 1)
set_values PosisiWindow Pengingat " 5"
# Wine's tray draws no balloons (neither its tray window on a bare X display
# nor the taskbar of a Wine desktop shows one), so the notification is
# caught where it leaves the program: Wine's shell traces every
# Shell_NotifyIcon call. Each minute the icon's tip (the next prayer and the
# time left) changes once, a modification (NIM_MODIFY, message 1); the
# reminder is one more, in its minute and in no other.
export WINEDEBUG=-all,+systray
start_clock
modifications() { grep -a -c 'Shell_NotifyIconW dwMessage = 1' "$CLOCK_LOG" || true; }
# The modifications from just before minute $1 begins until 5 s into it.
at_turn_of() {
  while [ "$(date -d "1 second" +%H:%M)" != "$1" ]; do sleep 0.2; done
  local c=$(modifications)
  sleep 6
  echo $(($(modifications) - c))
}
n=$(at_turn_of "$quiet")
check "the minute before the reminder's changes only the tip ($n)" [ "$n" -eq 1 ]
n=$(at_turn_of "$remind")
check "the tray icon's notification comes in the minute $remind (tip and notification: $n)" [ "$n" -eq 2 ]
n=$(at_turn_of "$(later "$remind" 1)")
check "and only one (the next minute changes only the tip: $n)" [ "$n" -eq 1 ]
check "the reminder is stored as chosen" [ "$(get PosisiWindow Pengingat)" = " 5" ]
close_clock
finish
