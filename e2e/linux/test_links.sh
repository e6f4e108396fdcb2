#!/usr/bin/env bash
# "QOV Web Site" hands the link to the desktop's opener, whose environment
# is the user's own: the clock asks Qt for XWayland on its command line, so
# no QT_QPA_PLATFORM reaches the browser (it used to, and a Wayland-only
# browser then failed to start).
source "$(dirname "$0")/../common.sh"
setup
mkdir -p "$WORK/bin"
printf '#!/bin/sh\nenv > "%s/opened.env"\necho "$1" > "%s/opened.url"\n' "$WORK" "$WORK" >"$WORK/bin/xdg-open"
chmod +x "$WORK/bin/xdg-open"
export PATH="$WORK/bin:$PATH" WAYLAND_DISPLAY=wayland-qov-none
start_clock
menu 60 60 Down Return
check "the link reaches the desktop's opener" wait_until 10 test -s "$WORK/opened.url"
log "opened $(cat "$WORK/opened.url" 2>/dev/null)"
check "without QT_QPA_PLATFORM in its environment" fails grep -q '^QT_QPA_PLATFORM=' "$WORK/opened.env"
check "the clock itself runs on X (its window is an X window)" is_mapped
close_clock
finish
