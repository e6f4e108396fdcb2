#!/usr/bin/env bash
# Reminders go to the desktop's notification service (dunst here), also
# where the tray is an X tray that could draw a balloon: a Notify call from
# "Jam QOV" with the program's icon. Where no service answers, the tray's
# balloon shows it and a line on stderr keeps it.
source "$(dirname "$0")/../common.sh"
source "$E2E/linux/desktop.sh"
unset DBUS_SESSION_BUS_ADDRESS
setup
: "${QOV_JADWAL:?the native qov-jadwal}"
start_openbox
# Only what the test starts answers: dunst, once ended, is not started
# again on demand.
start_session_bus
start_dunst
dbus-monitor "interface='org.freedesktop.Notifications',member='Notify'" >"$WORK/notify.log" 2>&1 &
BACKGROUND_PIDS+=" $!"
daytime_zone

# Dzuhur two minutes after the next minute; reminders two minutes and one
# minute before it: the first in the next minute, the second a minute later.
place_dzuhur_after 2
set_values PosisiWindow "Pengingat Dzuhur" "2,1" "Suara Adzhan" "0"
later() { local m=$(($(minutes_of "$1") + $2)); printf '%02d:%02d' $((m / 60 % 24)) $((m % 60)); }
# Without the X tray there is no balloon to see: what trayer said is told.
x_tray_runs() { kill -0 "$TRAYER_PID" 2>/dev/null || { log "trayer said: $(tail -c 600 "$WORK/trayer.log")"; false; }; }
start_clock
check "the X tray runs" x_tray_runs
notified() { grep -c 'string "Jam QOV"' "$WORK/notify.log" || true; }

while [ "$(date +%H:%M)" != "$NEXT_MINUTE" ]; do sleep 0.5; done
check "a reminder reaches the service as Notify from Jam QOV" wait_until 8 eval '[ "$(notified)" -ge 1 ]'
sleep 0.5
shot notify-dunst
call=$(tr -s ' \n' ' ' <"$WORK/notify.log")
log "the call: ${call: -400}"
check "... saying two minutes ahead" matches "$call" "*2 menit lagi*"
check "... with the program's icon" matches "$call" '*"Jam QOV" uint32 0 string "qov-clock"*'
check "... and no balloon of its own" fails grep -q '^qov-clock: ' "$CLOCK_LOG"

# The service goes away; the next reminder still reaches the user.
kill "$DUNST_PID"
wait_until 5 fails bus_has org.freedesktop.Notifications
while [ "$(date +%H:%M)" != "$(later "$NEXT_MINUTE" 1)" ]; do sleep 0.5; done
check "without a service the reminder is kept on stderr" wait_until 8 grep -q '^qov-clock: Jam QOV: .* 1 menit lagi' "$CLOCK_LOG"
# The X tray's balloon hangs under the icon (top left), light on black; on
# a busy machine it may take a few seconds to be mapped and drawn (it stays
# for ten).
balloon_shown() { awk -v b="$(brightness 300x60+0+26)" 'BEGIN { exit !(b > 0.3) }'; }
check "the X tray still runs" x_tray_runs
check "and shows as the tray's balloon" wait_until 6 balloon_shown
shot notify-balloon
close_clock
finish
