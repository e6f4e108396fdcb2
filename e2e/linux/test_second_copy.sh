#!/usr/bin/env bash
# A second copy for the same user refuses with "Sudah ada yang jalan",
# titled "Jam QOV", ends when it is acknowledged and leaves the first copy
# and the settings as they were.
source "$(dirname "$0")/lib.sh"
setup
start_clock
before=$(cat "$CONF")

"$QOV_CLOCK" >>"$CLOCK_LOG" 2>&1 &
second=$!
BACKGROUND_PIDS="$second"
check "the refusal titled 'Jam QOV' appears" wait_until 15 is_mapped "Jam QOV"
box=$(window_id "Jam QOV" || true)
shot_window second-copy-refused "Jam QOV" || true
read -r bw bh bx by <<<"$(window_geometry "Jam QOV" || echo 0 0 0 0)"
text=$(ocr "${bw}x${bh}+${bx}+${by}" 6)
log "the box reads '$text'"
check "it says 'Sudah ada yang jalan'" matches "$text" "*Sudah ada yang jalan*"
# The pointer over the box gives it the keyboard; Return presses OK.
[ -n "$box" ] && xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1 && sleep 0.3 && xdotool key Return
check "the second copy ends once acknowledged" wait_until 10 stopped "$second"
wait "$second" 2>/dev/null && code=0 || code=$?
check "with exit code 0 ($code)" [ "$code" -eq 0 ]
check "exactly one clock window remains" [ "$(xdotool search --onlyvisible --name '^clockface$' | wc -l)" -eq 1 ]
check "the first copy still runs" kill -0 "$CLOCK_PID"
check "the settings are untouched" [ "$(cat "$CONF")" = "$before" ]
close_clock
finish
