#!/usr/bin/env bash
# A prayer time reached a minute after start: the digital text shows the
# prayer's name, the window blinks, and the adzan is really played (recorded
# from a PulseAudio null sink).
source "$(dirname "$0")/common.sh"
setup
quick_hide
: "${QOV_JADWAL:?the native qov-jadwal}"
# The clock's zone is the place's, where it is now about midday.
daytime_zone

# Dzuhur in the next whole minute that leaves the clock time to start.
place_dzuhur_after 0
target=$DZUHUR
set_values PosisiWindow "Suara Adzhan" "-1"
start_recording "$WORK/rec.wav" || log "no PulseAudio: sound not captured"

start_clock 0
read -r w h x y <<<"$(window_geometry)"
strip="${w}x$((h * 12 / 100))+${x}+$((y + h - h * 12 / 100))"
log "digital text before: '$(ocr "$strip")'"

# Wait for the prayer minute, then watch the text and the blink.
while [ "$(date +%H:%M)" != "$target" ]; do sleep 0.5; done
sleep 2
states=""
for _ in $(seq 40); do
  is_mapped && states+=1 || states+=0
  sleep 0.15
done
log "map states every 0.15 s: $states"
shows_name() { is_mapped && { shot_window alert-dzhuhur || true; } && matches "$(ocr "$strip")" "*Dzhuhur*"; }
check "the digital text shows Dzhuhur" wait_until 10 shows_name
hidden=$(tr -cd 0 <<<"$states" | wc -c)
check "the window blinks (hidden in $hidden of 40 looks, shown in the others)" [ "$hidden" -ge 8 -a "$hidden" -le 32 ]

sleep 4
stop_recording
# No recording at all fails too.
rms=$([ -s "$WORK/rec.wav" ] && sox "$WORK/rec.wav" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}' || true)
check "the adzan was played (RMS amplitude ${rms:-not recorded})" awk -v r="${rms:-0}" 'BEGIN { exit !(r > 0.01) }'
close_clock
finish
