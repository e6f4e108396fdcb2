#!/usr/bin/env bash
# A long run of the clock: the prayer-time panel and the location dialog
# opened and closed again and again through the context menu while it
# ticks and repaints three times a second. After the warm-up what the back
# end's measure.sh samples must stay flat (memory, and under Wine the GDI and
# USER object counts): a clock that leaks a handle or a block per repaint or
# per opening of the two-thousand-city dialog fails within days.
#   QOV_LONG_RUN_SECONDS  length of the run after the warm-up (default 300)
#   QOV_SAMPLE_SECONDS    time between samples (default 20)
source "$(dirname "$0")/common.sh"
RUN_SECONDS=${QOV_LONG_RUN_SECONDS:-300}
SAMPLE_SECONDS=${QOV_SAMPLE_SECONDS:-20}
MEM_BOUND=$((2 * 1024))  # KiB
setup
source "$E2E/$QOV_BACKEND/measure.sh"
measure_start
quick_hide
store_place Jakarta -6.15 106.816 7
# The panel's auto-close must not race the click that closes it.
set_values Lokasi "Pop Delay" " 600"
start_clock 3
read -r W H X Y <<<"$(window_geometry)"
FACE=$(brightness "131x191+$((X + (W - 131) / 2))+$((Y + (H - 191) / 2))")
at_start_height() { local h; read -r _ h _ _ <<<"$(window_geometry)" && [ "$h" -eq "$H" ]; }

PANEL_OPENED=0 DIALOG_OPENED=0 CLOSED_AGAIN=0 CYCLES=0
cycle() {
  local w h x y
  # Waktu Sholat, then a click on the panel's own frame closes it. The
  # window is already tall enough for the panel, so it shows as its black
  # frame darkening the middle of the face.
  menu 60 60 "${WAKTU_SHOLAT[@]}"
  read -r w h x y <<<"$(window_geometry)"
  awk -v b="$(brightness "131x191+$((x + (w - 131) / 2))+$((y + (h - 191) / 2))")" -v f="$FACE" \
    'BEGIN { exit !(b < f * 0.6) }' && PANEL_OPENED=$((PANEL_OPENED + 1))
  xdotool mousemove $((x + (w - 131) / 2 + 6)) $((y + (h - 191) / 2 + 185)) click 1
  sleep 0.6
  # Setting > Lokasi, then Cancel at the bottom right of its 229 x 431 frame.
  menu 60 60 "${SETTING_LOKASI[@]}"
  wait_until 5 taller_than 431 && DIALOG_OPENED=$((DIALOG_OPENED + 1))
  read -r w h x y <<<"$(window_geometry)"
  xdotool mousemove $((x + (w - 229) / 2 + 139)) $((y + (h - 431) / 2 + 414)) click 1
  wait_until 5 at_start_height && CLOSED_AGAIN=$((CLOSED_AGAIN + 1))
  CYCLES=$((CYCLES + 1))
}

# Warm-up: the first openings create the panel's and dialog's windows,
# fonts and caches once; only growth after that is a leak.
for _ in 1 2 3; do cycle; done
measure warm-up
SECONDS=0 next=$SAMPLE_SECONDS
while [ "$SECONDS" -lt "$RUN_SECONDS" ] && kill -0 "$CLOCK_PID" 2>/dev/null; do
  cycle
  if [ "$SECONDS" -ge "$next" ]; then
    measure "${SECONDS}s"
    next=$((next + SAMPLE_SECONDS))
  fi
done
measure end
shot_window long-run-end || true

check "the clock is still running after $CYCLES cycles" kill -0 "$CLOCK_PID"
check "the panel opened in every cycle ($PANEL_OPENED of $CYCLES)" [ "$PANEL_OPENED" -eq "$CYCLES" ]
check "the location dialog opened in every cycle ($DIALOG_OPENED of $CYCLES)" [ "$DIALOG_OPENED" -eq "$CYCLES" ]
check "the window got its height back in every cycle ($CLOSED_AGAIN of $CYCLES)" [ "$CLOSED_AGAIN" -eq "$CYCLES" ]
check "that height is the clock's own, 205 px ($H)" [ "$H" -eq 205 ]
measure_check
close_clock
finish
