#!/usr/bin/env bash
# "Jalankan saat login" (Setting, last item) writes and removes the desktop's
# own login entry: $XDG_CONFIG_HOME/autostart/qov-clock.desktop on Linux, the
# per-user Run value "QOVClock" on Windows (the installer's option). The
# item reads the entry when the menu opens, so a change made behind the
# clock's back is what the next click starts from.
source "$(dirname "$0")/common.sh"
# "Jalankan saat login" comes before "Bahasa / Language", the last of "Setting".
LOGIN_START=(Down Down Down Down Right Up Up Up Return)
RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
AUTOSTART=${XDG_CONFIG_HOME:-}/autostart/qov-clock.desktop

# The command the entry starts, or nothing when there is none.
entry() {
  if on linux; then
    [ -f "$AUTOSTART" ] && sed -n 's/^Exec=//p' "$AUTOSTART"
  else
    "$WINE" reg query "$RUN_KEY" /v QOVClock 2>/dev/null | tr -d '\r' | sed -n 's/^ *QOVClock *REG_SZ *//p'
  fi
  return 0
}
# For waits: the entry is read again at each try.
entry_is() { [ "$(entry)" = "$1" ]; }
remove_entry() {
  if on linux; then rm -f "$AUTOSTART"; else "$WINE" reg delete "$RUN_KEY" /v QOVClock /f >/dev/null 2>&1; fi
}
if on linux; then expected=$(realpath "$QOV_CLOCK"); else expected="\"$(native_path "$EXE")\""; fi

setup
start_clock
before=$(values)
check "no entry before the first click ($(entry))" [ -z "$(entry)" ]
menu 60 60 "${LOGIN_START[@]}"
check "a click writes the entry starting this program ($(entry))" wait_until 5 entry_is "$expected"
if on linux; then
  check "the entry is a valid desktop entry" desktop-file-validate "$AUTOSTART"
  check "no temporary file is left beside it" [ "$(ls "$(dirname "$AUTOSTART")")" = qov-clock.desktop ]
fi
# The menu, open on "Setting", shows the item ticked.
menu 60 60 Down Down Down Down Right
shot login-start-ticked
xdotool key Escape Escape && sleep 0.5
menu 60 60 "${LOGIN_START[@]}"
check "a second click removes it" wait_until 5 entry_is ""

menu 60 60 "${LOGIN_START[@]}"
remove_entry
check "removed behind the clock's back" [ -z "$(entry)" ]
menu 60 60 "${LOGIN_START[@]}"
check "the next click writes it again: the menu read the entry, not its old tick" \
  wait_until 5 entry_is "$expected"
check "no setting of the clock changed" [ "$(values)" = "$before" ]

# A desktop that refuses the entry (a file where its folder belongs): the
# user is told, and nothing pretends it worked.
if on linux; then
  menu 60 60 "${LOGIN_START[@]}"
  rm -rf "$(dirname "$AUTOSTART")" && touch "$(dirname "$AUTOSTART")"
  menu 60 60 "${LOGIN_START[@]}"
  check "a refused entry is told in a box titled 'Jam QOV'" wait_until 10 is_mapped "Jam QOV"
  read -r bw bh bx by <<<"$(window_geometry "Jam QOV" || echo 0 0 0 0)"
  shot login-start-refused
  text=$(ocr "${bw}x${bh}+${bx}+${by}" 6)
  check "it says the clock cannot start at login (reads '$text')" matches "$text" "*tidak dapat diatur*login*"
  xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click 1 && sleep 0.3 && xdotool key Return
  check "the box closes" wait_until 10 fails is_mapped "Jam QOV"
  rm -f "$(dirname "$AUTOSTART")"
  menu 60 60 "${LOGIN_START[@]}"
fi
close_clock
check "closing the clock leaves the entry" [ "$(entry)" = "$expected" ]
finish
