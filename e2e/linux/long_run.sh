#!/usr/bin/env bash
# A long run of qov-clock: the prayer-time panel and the location dialog
# opened and closed again and again through the context menu while the
# clock ticks, with its resident memory sampled from /proc. After the
# warm-up it must stay flat: a clock that repaints three times a second and
# rebuilds a list of two thousand cities at each opening of the dialog runs
# out of memory within days if anything escapes.
#   QOV_LONG_RUN_SECONDS  length of the run after the warm-up (default 300)
#   QOV_SAMPLE_SECONDS    time between samples (default 20)
source "$(dirname "$0")/lib.sh"
RUN_SECONDS=${QOV_LONG_RUN_SECONDS:-300}
SAMPLE_SECONDS=${QOV_SAMPLE_SECONDS:-20}
# KiB. Qt's allocator keeps freed blocks for reuse, so the first cycles
# raise the mark once; a leak keeps raising it.
MEM_BOUND=$((2 * 1024))
WARMUP_CYCLES=3
setup
start_clock

# Whether the prayer-time panel covers the digital time: the light strip at
# the bottom of the window turns black under it.
panel_shown() {
  local w h x y
  read -r w h x y <<<"$(window_geometry)" || return 1
  import -window root -crop "$((w / 2))x6+$((x + w / 4))+$((y + h - 14))" +repage "$WORK/strip.png" || return 1
  [ "$(convert "$WORK/strip.png" -colorspace Gray -format '%[fx:mean < 0.3]' info:)" = 1 ]
}

# One cycle: the panel, which closes by itself after its five seconds, then
# the location dialog, closed with Cancel. (A panel closed by a click keeps
# its timer running, and it would later shrink the window under the dialog.)
cycle() {
  local w h x y
  menu 60 60 Down Down Down Return
  wait_until 3 panel_shown && panels=$((panels + 1))
  wait_until 8 fails panel_shown || true
  menu 60 60 Down Down Down Down Right Down Down Down Down Return
  wait_until 5 taller_than 431 && dialogs=$((dialogs + 1))
  read -r w h x y <<<"$(window_geometry)"
  # Cancel, at the frame's bottom right (the frame is 229 x 431 px, centred).
  xdotool mousemove $((x + (w - 229) / 2 + 140)) $((y + (h - 431) / 2 + 414)) click 1
  wait_until 5 fails taller_than 431 || true
}

dialogs=0 panels=0
for _ in $(seq "$WARMUP_CYCLES"); do cycle; done
dialogs=0 panels=0
base=$(rss_kb "$CLOCK_PID")
log "after the warm-up: RSS $base KiB"
samples="$base"
cycles=0
end=$((SECONDS + RUN_SECONDS))
next=$((SECONDS + SAMPLE_SECONDS))
while [ "$SECONDS" -lt "$end" ]; do
  cycle
  cycles=$((cycles + 1))
  kill -0 "$CLOCK_PID" 2>/dev/null || break
  if [ "$SECONDS" -ge "$next" ]; then
    samples+=" $(rss_kb "$CLOCK_PID")"
    next=$((SECONDS + SAMPLE_SECONDS))
  fi
done
check "the clock still runs after $cycles cycles" kill -0 "$CLOCK_PID"
check "every cycle showed the panel ($panels of $cycles)" [ "$panels" -eq "$cycles" -a "$cycles" -gt 0 ]
check "every cycle opened the dialog ($dialogs of $cycles)" [ "$dialogs" -eq "$cycles" ]
last=$(rss_kb "$CLOCK_PID")
samples+=" $last"
log "RSS samples (KiB): $samples"
shot_window long-run-end || true
read -r _ h _ _ <<<"$(window_geometry)"
check "the window is back at its own height after the last cycle ($h px)" [ "$h" -eq 205 ]
check "resident memory flat: $base -> $last KiB (bound $MEM_BOUND)" [ "$((last - base))" -le "$MEM_BOUND" ]
close_clock
finish
