#!/usr/bin/env bash
# Under a window manager (openbox), as users run the clock: it keeps out of
# the taskbar and the pager, and an alert's blink never takes the keyboard
# from the window the user is typing in. A click still gives it the focus.
source "$(dirname "$0")/common.sh"
setup
: "${QOV_JADWAL:?the native qov-jadwal}"
command -v openbox >/dev/null || { log "openbox missing"; exit 1; }
openbox >/dev/null 2>&1 &
BACKGROUND_PIDS+=" $!"
has_wm() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id'; }
wait_until 10 has_wm || { log "openbox did not start"; exit 1; }
daytime_zone
place_dzuhur_after 0
target=$DZUHUR

# The user's own window (xev takes the keyboard when the manager gives it).
OTHER=qov-focus-other
xev -name "$OTHER" -geometry 320x200+80+320 >/dev/null 2>&1 &
BACKGROUND_PIDS+=" $!"
wait_until 10 is_mapped "$OTHER" || { log "the other window never appeared"; exit 1; }
other=$(printf '0x%x' "$(window_id "$OTHER")")
# The window manager's active window, and the X server's keyboard focus
# (Wine's clock window is not the manager's: Wine moves the focus itself).
active() { printf '0x%x' "$(xprop -root _NET_ACTIVE_WINDOW | sed -n 's/.*# *\(0x[0-9a-f]*\).*/\1/p')"; }
focus() { printf '0x%x' "$(xdotool getwindowfocus 2>/dev/null || echo 0)"; }
focus_other() {
  xdotool windowactivate --sync "$(window_id "$OTHER")" 2>/dev/null
  [ "$(active)" = "$other" ] && [ "$(focus)" = "$other" ]
}

skips() {
  local s
  s=$(xprop -id "$(window_id)" _NET_WM_STATE) || return 1
  [[ $s == *_NET_WM_STATE_SKIP_TASKBAR* && $s == *_NET_WM_STATE_SKIP_PAGER* ]]
}

start_clock 2
clock=$(printf '0x%x' "$(window_id)")
# Under Wine the first showing activates the clock (Wine hands a borderless
# popup to the window manager only then) or Wine's own tray window takes the
# focus, whichever comes last: starting the program is the user's own act
# there, and only the alert's showings are checked.
on linux && check "starting does not give the clock the focus (active $(active), focus $(focus), clock $clock)" \
  [ "$(active)" != "$clock" -a "$(focus)" != "$clock" ]
# Wine's window, a tool window without a caption, is not the manager's to list.
on linux && check "left out of the taskbar and the pager ($(xprop -id "$clock" _NET_WM_STATE))" skips
check "the other window has the focus" wait_until 5 focus_other

# The whole alert: the name, the blink and its end, sampled five times a second.
while [ "$(date +%H:%M)" != "$target" ]; do sleep 0.5; done
samples=() states=""
end=$((SECONDS + 72))
while [ "$SECONDS" -lt "$end" ]; do
  samples+=("$(active)/$(focus)")
  is_mapped && states+=1 || states+=0
  sleep 0.2
done
hidden=$(tr -cd 0 <<<"$states" | wc -c)
stolen=0
for a in "${samples[@]}"; do [ "$a" = "$other/$other" ] || stolen=$((stolen + 1)); done
log "active window/focus in ${#samples[@]} looks: $(printf '%s\n' "${samples[@]}" | sort | uniq -c | tr -s ' \n' ' ')"
check "the clock blinked meanwhile (hidden in $hidden of ${#states} looks)" [ "$hidden" -ge 20 ]
check "the focus stayed with the other window through the alert (elsewhere in $stolen looks)" [ "$stolen" -eq 0 ]
on linux && check "still out of the taskbar and the pager after the blinks" skips
shot focus-after-alert

# The user clicks the clock: now it has the focus.
read -r w h x y <<<"$(window_geometry)"
xdotool mousemove $((x + w / 2)) $((y + h / 3)) click 1
clock_focused() { [ "$(focus)" = "$clock" ]; }
check "a click gives the clock the focus" wait_until 5 clock_focused
close_clock
finish
