#!/usr/bin/env bash
# "Pengingat": five minutes before a prayer the tray icon shows a
# notification naming the prayer and its time (the text itself is checked
# by the unit tests).
source "$(dirname "$0")/../common.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"

away_from_midnight 10

# Dzuhur five minutes after the next minute: the five-minute reminder
# comes in that minute.
place_dzuhur_after 5
remind=$NEXT_MINUTE
set_values PosisiWindow Pengingat " 5"
# Wine's tray draws no balloons (neither its tray window on a bare X display
# nor the taskbar of a Wine desktop shows one), so the notification is
# caught where it leaves the program: Wine's shell traces every
# Shell_NotifyIcon call, and the reminder is a modification of the icon
# (NIM_MODIFY, message 1) at its minute and not before.
export WINEDEBUG=-all,+systray
start_clock
modifications() { grep -a -c 'Shell_NotifyIconW dwMessage = 1' "$CLOCK_LOG" || true; }
at_start=$(modifications) early=0
while [ "$(date +%H:%M)" != "$remind" ]; do
  [ "$(modifications)" -eq "$at_start" ] || { early=1; break; }
  sleep 0.5
done
check "no notification before the reminder's minute" [ "$early" -eq 0 ]
one_more() { [ "$(modifications)" -eq $((at_start + 1)) ]; }
check "the tray icon's notification comes in the minute $remind" wait_until 20 one_more
log "reminder call at $(date +%H:%M:%S)"
sleep 5
check "and only one" one_more
check "the reminder is stored as chosen" [ "$(get PosisiWindow Pengingat)" = " 5" ]
close_clock
finish
