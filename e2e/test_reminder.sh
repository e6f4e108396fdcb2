#!/usr/bin/env bash
# "Pengingat": five minutes before a prayer the tray icon shows a
# notification naming the prayer and its time; Wine draws it as a balloon
# beside its tray.
source "$(dirname "$0")/lib.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"

# Avoid straddling midnight, where the day's times are recomputed.
while [ "$(date +%H%M)" -ge 2350 ] || [ "$(date +%H%M)" -lt 0003 ]; do sleep 20; done

# A longitude (zone 0, no additions) whose Dzuhur is seven minutes from now,
# so the five-minute reminder comes two minutes after start.
target=$(date -d '+7 min' +%H:%M)
remind=$(date -d '+2 min' +%H:%M)
today=$(date +%F)
dz_at() { "$QOV_JADWAL" --lat 0 --lon "$1" --tz 0 --dzuhur 0 --maghrib 0 --date "$today" --csv | tail -n1 | cut -d, -f3; }
mins() { echo $((10#${1%:*} * 60 + 10#${1#*:})); }
lon=$(awk -v t="$(mins "$target")" 'BEGIN { printf "%.3f", (12 * 60 - t) / 4 }')
for _ in $(seq 20); do
  d=$(( $(mins "$(dz_at "$lon")") - $(mins "$target") ))
  [ "$d" -eq 0 ] && break
  lon=$(awk -v l="$lon" -v d="$d" 'BEGIN { printf "%.3f", l + d * 0.25 }')
done
check "a longitude puts Dzuhur at $target" [ "$(dz_at "$lon")" = "$target" ]

store_place "Uji" 0 "$lon" 0 0 0
reg_set PosisiWindow Pengingat " 5"
# Wine's tray window on a bare X display draws no balloons; in a Wine
# desktop its taskbar's tray does. The clock runs inside one.
(cd "$EXE_DIR" && exec "$WINE" explorer /desktop=qov,1280x800 QOVClock.exe) >/dev/null 2>&1 &
CLOCK_PID=$!
sleep 10
shot reminder-desktop

# The balloon's text, read from the whole screen.
screen_text() { ocr "1280x800+0+0" 11; }
before=$(screen_text)
no_reminder_yet() { [[ "$before" != *"menit lagi"* ]]; }
check "no notification before the reminder's minute" no_reminder_yet
while [ "$(date +%H:%M)" != "$remind" ]; do sleep 0.5; done
shows_reminder() { [[ "$(screen_text)" == *"Dzuhur 5 menit lagi ($target)"* ]]; }
check "the tray shows 'Dzuhur 5 menit lagi ($target)'" wait_until 20 shows_reminder
shot reminder
check "the reminder is stored as chosen" [ "$(reg_get PosisiWindow Pengingat)" = " 5" ]
finish
