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
daytime_zone

# The user's adzan: a 20-second tone, as an MP3 in a folder with a blank.
mkdir -p "$WORK/suara saya"
sox -n -r 44100 -c 1 "$WORK/tone.wav" synth 20 sine 440 vol 0.5
lame --quiet "$WORK/tone.wav" "$WORK/suara saya/adzan.mp3"
mp3=$(native_path "$WORK/suara saya/adzan.mp3")
# RMS amplitude of a recording from second $2 for $3 seconds; 0 without one.
rms() { { [ -s "$1" ] && sox "$1" -n trim "$2" "$3" stat 2>&1 | awk '/RMS +amplitude/ {print $3}'; } || echo 0; }
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
check "the tip names the next prayer" matches "$tip" "*zuhur*lagi*"
wait_for "$DZUHUR"
due=$EPOCHREALTIME
sleep 4
# Chosen with the mouse: the blinking owner window keeps Wine's menu from
# the keyboard.
read -r tx ty <<<"$(tray_point)"
xdotool mousemove "$tx" "$ty" click 3
sleep 1
shot adzan-menu
xdotool mousemove $((tx + 50)) $((ty + 12)) click 1
stop=$EPOCHREALTIME
sleep 4
stop_recording
at() { awk -v a="$began" -v b="$1" -v d="$2" 'BEGIN { printf "%.2f", b - a + d }'; }
playing=$(rms "$WORK/adzan.wav" "$(at "$due" 1)" 2.5)
after=$(rms "$WORK/adzan.wav" "$(at "$stop" 1)" 2.5)
log "RMS before the stop $playing, from a second after it $after"
# The tone's RMS is 0.35 at full volume; the shipped chime's about 0.05.
check "Adzan: the user's MP3 plays, not the shipped sound (RMS $playing)" awk -v r="$playing" 'BEGIN { exit !(r > 0.25) }'
check "Hentikan Adzan stops it within a second (RMS $after)" fails loud "$after"
close_clock

# "Pengaturan Adzan" shows what is set: the guide's picture (Dzuhur's
# minute is not over yet: a clock started in it would alert again).
set_values PosisiWindow "Aksi Dzuhur" " 0"
start_clock
menu 60 60 Down Down Down Down Right Down Down Down Down Down Down Down Down Return
check "the window grows for the dialog (355 px)" wait_until 5 taller_than 355
sleep 1
shot_window alert-dialog
close_clock
finish
