#!/usr/bin/env bash
# The display versions from the context menu: "Versi 2" turns the clock
# into the wide strip (face left, large digital time), is stored, and comes
# back at the next start; "Versi 1" returns to the tall face.
source "$(dirname "$0")/common.sh"
setup
start_clock

# Setting > Clock Display > Versi 2
menu 60 60 Down Down Down Down Right Down Right Down Return
sleep 1
read -r w h x y <<<"$(window_geometry)"
shot_window window-versi-2
shot window-versi-2-screen
check "the strip is 4.5 times as wide as high (${w}x${h})" [ "$((w * 100 / h))" -ge 440 -a "$((w * 100 / h))" -le 460 ]
check "it stays on the screen" [ "$((x + w))" -le "$SCREEN_W" -a "$x" -ge 0 ]
check "version 2 is stored as ' 2'" [ "$(get Lokasi 'Versi Display')" = " 2" ]
# OCR may take the huge digits' 7 for a slash or 0 for an O: read those as
# the digits they stand for.
time_text=$(ocr "$((w * 5 / 6))x${h}+$((x + w / 6))+${y}" | tr '/OoIl' '70011')
check "the strip shows the time (reads '$time_text')" matches "$time_text" "*[0-9][0-9]:[0-9][0-9]:[0-9][0-9]*"

close_clock
start_clock
read -r w2 h2 _ _ <<<"$(window_geometry)"
check "the strip comes back at the next start (${w2}x${h2})" [ "$((w2 * 100 / h2))" -ge 440 ]

# Setting > Clock Display > Versi 1
menu 20 20 Down Down Down Down Right Down Right Return
sleep 1
read -r w3 h3 _ _ <<<"$(window_geometry)"
check "Versi 1 gives the tall face again (${w3}x${h3})" [ "$((h3 * 100 / w3))" -ge 145 -a "$((h3 * 100 / w3))" -le 153 ]
check "version 1 is stored as ' 1'" [ "$(get Lokasi 'Versi Display')" = " 1" ]
close_clock
finish
