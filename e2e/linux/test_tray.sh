#!/usr/bin/env bash
# The tray icon: shown in the tray at start, and shown again when the tray
# itself restarts (a panel that crashed or was replaced).
source "$(dirname "$0")/lib.sh"
setup
start_clock

# The tray's background is one flat grey; the icon is not.
icon_shown() {
  import -window root -crop 22x22+1+1 +repage "$WORK/icon.png" &&
    [ "$(convert "$WORK/icon.png" -colorspace Gray -format '%[fx:standard_deviation > 0.05]' info:)" = 1 ]
}
check "the icon is in the tray" wait_until 5 icon_shown

kill "$TRAYER_PID"
wait "$TRAYER_PID" 2>/dev/null || true
TRAYER_PID=""
sleep 1
check "no icon without a tray" fails icon_shown
start_tray
check "the icon comes back with the new tray" wait_until 10 icon_shown
import -window root -crop 160x24+0+0 +repage "$SHOTS/linux-tray.png"
check "the clock still runs" kill -0 "$CLOCK_PID"
close_clock
finish
