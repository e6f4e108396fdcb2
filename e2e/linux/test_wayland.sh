#!/usr/bin/env bash
# Under a Wayland compositor (weston, headless, with XWayland): with only
# WAYLAND_DISPLAY and XWayland's DISPLAY set the clock runs through
# XWayland (an X window it can place and keep on top); with the platform
# chosen as wayland it runs natively; with no display at all it says what it
# needs and exits. Headless weston has no pointer, so the compositor's move
# is not driven here.
source "$(dirname "$0")/../common.sh"
command -v weston >/dev/null || { log "weston is not installed (scripts/deps)"; exit 1; }
setup
export HOME=$WORK/home
unset DISPLAY
weston --backend=headless-backend.so --socket=wl-qov --xwayland --idle-time=0 --log="$WORK/weston.log" \
  >/dev/null 2>&1 &
BACKGROUND_PIDS+=" $!"
xwayland_display() { sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$WORK/weston.log" 2>/dev/null | head -n1 | grep .; }
check "weston listens, with XWayland" wait_until 10 xwayland_display >/dev/null
XW=$(xwayland_display)
export WAYLAND_DISPLAY=wl-qov

export DISPLAY=$XW
start_clock 2
check "with XWayland there, the clock is an X window on it" is_mapped
read -r w h x y <<<"$(window_geometry)"
# Weston's shell places a new X window itself; its size is the clock's.
log "its window on XWayland: ${w}x$h at $x,$y"
check "... the clock's own size" test "${w:-0}" -gt 50 -a "${h:-0}" -gt 50
check "... and ends when asked" close_clock
unset DISPLAY

(export QT_QPA_PLATFORM=wayland; exec "$QOV_CLOCK") >>"$CLOCK_LOG" 2>&1 &
CLOCK_PID=$!
sleep 4
check "with the platform chosen as wayland, it runs natively" kill -0 "$CLOCK_PID"
check "... through weston's Wayland socket, not XWayland" grep -q "wayland" "/proc/$CLOCK_PID/maps"
check "... and ends when asked" close_clock
check "... without a crash" fails grep -qiE "segmentation|abort|fatal" "$CLOCK_LOG"

rc=0
env -u WAYLAND_DISPLAY -u DISPLAY "$QOV_CLOCK" >"$WORK/none.out" 2>"$WORK/none.err" || rc=$?
log "with no display: rc $rc, $(cat "$WORK/none.err")"
check "with no display at all it exits with an error" [ "$rc" -ne 0 ]
check "... saying what it needs" grep -q "DISPLAY.*WAYLAND_DISPLAY" "$WORK/none.err"
finish
