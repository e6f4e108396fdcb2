#!/usr/bin/env bash
# The alerts the user sets, on the real program: a prayer set to "Mati" is
# silent and does not blink; one set to "Adzan" with the user's MP3 plays
# it (recorded from a PulseAudio null sink), and "Hentikan Adzan" from the
# tray's menu stops it within a second; the tray icon's tip names the next
# prayer.
source "$(dirname "$0")/common.sh"
setup
quick_hide
: "${QOV_JADWAL:?the native qov-jadwal}"
export TZ=UTC
away_from_midnight 8

# The user's adzan: a 20-second tone, as an MP3 in a folder with a blank.
mkdir -p "$WORK/suara saya"
sox -n -r 44100 -c 1 "$WORK/tone.wav" synth 20 sine 440 vol 0.5
lame --quiet "$WORK/tone.wav" "$WORK/suara saya/adzan.mp3"
mp3=$(native_path "$WORK/suara saya/adzan.mp3")
# RMS amplitude (or, with $4 = freq, the rough frequency) of a recording
# from second $2 for $3 seconds; 0 without one.
rms() {
  local what="RMS +amplitude"
  [ "${4:-}" = freq ] && what="Rough +frequency"
  { [ -s "$1" ] && sox "$1" -n trim "$2" "$3" stat 2>&1 | awk -v w="$what" '$0 ~ w {print $NF}'; } || echo 0
}
loud() { awk -v r="$1" 'BEGIN { exit !(r > 0.01) }'; }
wait_for() { while [ "$(date +%H:%M)" != "$1" ]; do sleep 0.2; done; }

# Dzuhur set to "Mati": nothing at its minute.
place_dzuhur_after 0
set_values PosisiWindow "Suara Adzhan" "-1" "Aksi Dzuhur" " 0"
start_recording "$WORK/mati.wav" || log "no PulseAudio: sound not captured"
start_clock 0
wait_for "$DZUHUR"
hidden=0
for _ in $(seq 40); do is_mapped || hidden=$((hidden + 1)); sleep 0.15; done
stop_recording
check "Mati: the window does not blink ($hidden of 40 looks hidden)" [ "$hidden" -eq 0 ]
r=$(rms "$WORK/mati.wav" 0 60)
check "Mati: nothing is played (RMS $r)" fails loud "$r"
close_clock

# Dzuhur as "Adzan" with the MP3; stopped from the tray's menu, where
# "Hentikan Adzan" is the first item while it plays.
place_dzuhur_after 0
set_values PosisiWindow "Aksi Dzuhur" " 3" "File Adzan" "$mp3"
start_recording "$WORK/adzan.wav" || true
began=$EPOCHREALTIME
start_clock 0
# The tip names the next prayer, Dzuhur, and the time left.
tip=$(tray_tip)
log "the tray icon's tip reads '$tip'"
check "the tip names the next prayer" matches "$tip" "*Dzuhur*lagi*"
wait_for "$DZUHUR"
sleep 4
tray_menu Return
stop=$EPOCHREALTIME
sleep 4
stop_recording
at() { awk -v a="$began" -v b="$1" 'BEGIN { printf "%.2f", b - a }'; }
playing=$(rms "$WORK/adzan.wav" "$(awk -v s="$(at "$stop")" 'BEGIN { print s - 3 }')" 2.5)
after=$(rms "$WORK/adzan.wav" "$(awk -v s="$(at "$stop")" 'BEGIN { print s + 1 }')" 2.5)
log "RMS before the stop $playing, from a second after it $after"
tone=$(rms "$WORK/adzan.wav" "$(awk -v s="$(at "$stop")" 'BEGIN { print s - 3 }')" 2.5 freq)
check "Adzan: the user's MP3 plays (RMS $playing, $tone Hz)" loud "$playing"
check "it is the MP3's 440 Hz tone, not the shipped sound ($tone Hz)" awk -v f="$tone" 'BEGIN { exit !(f > 400 && f < 480) }'
check "Hentikan Adzan stops it within a second (RMS $after)" fails loud "$after"
close_clock
finish
