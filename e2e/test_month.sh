#!/usr/bin/env bash
# "Jadwal Sebulan": opened from the menu, its heading and a row read by OCR
# equal qov-jadwal's for the same place, the next month paged to, the
# calendar file saved where the save dialog is told and read back by an
# independent parser; on Linux the PDF saved too, one page.
source "$(dirname "$0")/common.sh"
MONTH=jadwalSebulan
NAMES=(Januari Februari Maret April Mei Juni Juli Agustus September Oktober November Desember)
# Where things lie in the window, in pixels at 96 dpi (clock/month_window.cpp's twips / 15).
TITLE_Y=24 ROWS_Y=158 ROW_H=16 TIMES_X=240 TIME_W=56 BUTTONS_Y=678 NEXT_DX=42

# "HH:MM ..." of day $1's row (its five times), read by OCR a cell at a
# time, four times enlarged: Wine's small face read whole reads 5 as 6.
row_times() {
  local w h x y i
  read -r w h x y <<<"$(window_geometry $MONTH)"
  xdotool mousemove 5 $((SCREEN_H - 5)) && sleep 0.3  # the pointer off the table
  for i in 0 1 2 3 4; do
    import -window root -crop "${TIME_W}x${ROW_H}+$((x + TIMES_X + i * TIME_W))+$((y + ROWS_Y + ($1 - 1) * ROW_H))" \
      +repage "$WORK/cell.png" &&
      convert "$WORK/cell.png" -colorspace Gray -resize 400% -normalize "$WORK/cell-big.png" &&
      tesseract "$WORK/cell-big.png" - --psm 7 2>/dev/null | grep -o '[0-9][0-9]:[0-9][0-9]'
  done | tr '\n' ' ' | sed 's/ $//'
}
title_text() {
  local w h x y
  read -r w h x y <<<"$(window_geometry $MONTH)"
  ocr "$((w - 140))x24+$((x + 70))+$((y + TITLE_Y))" 7
}
click_in() {  # dx dy: a point of the month window
  local w h x y
  read -r w h x y <<<"$(window_geometry $MONTH)"
  xdotool mousemove $((x + $1)) $((y + $2)) click 1
  sleep 1
}
# Button $1 of the row below the table (0 print, 1 PDF, 2 calendar, 3 close); twips widths as laid out.
click_button() {
  local w h x y widths=(900 1400 2300 900) left i
  read -r w h x y <<<"$(window_geometry $MONTH)"
  left=$(((w * 15 - 5770) / 2))
  for ((i = 0; i < $1; i++)); do left=$((left + widths[i] + 90)); done
  click_in $(((left + widths[$1] / 2) / 15)) $((BUTTONS_Y + 11))
}
# Types path $2 into the save dialog titled $1.
save_as() {
  wait_until 20 is_mapped "$1" || { log "no dialog \"$1\""; return 1; }
  sleep 1
  xdotool key ctrl+a && xdotool type --delay 20 "$(native_path "$2")" && sleep 0.3 && xdotool key Return
}
csv_times() { jadwal --lat -6.15 --lon 106.816 --tz 7 --dzuhur 2 --maghrib 2 --ashar 1 --fajr 19 --isya 20 --date "$1"; }

setup
store_place Jakarta "-6.15" "106.816" " 7"
start_clock
menu 60 60 Down Down Down Down Right Up Up Return  # "Jadwal Sebulan", before the language
check "the month window opens from Setting's next-to-last item" wait_until 20 is_mapped $MONTH
sleep 1
shot_window month-window $MONTH || true
year=$(date +%Y) month=$((10#$(date +%m)))
title=$(title_text)
log "heading: $title"
check "the heading names this month" matches "$title" "*${NAMES[month - 1]} $year*"
day=$(printf '%s-%02d-10' "$year" "$month")
check "day 10's times equal qov-jadwal's ($(csv_times "$day"))" [ "$(row_times 10)" = "$(csv_times "$day")" ]

click_in $(($(window_geometry $MONTH | cut -d' ' -f1) - NEXT_DX)) $((TITLE_Y + 10))
next=$(date -d "$year-$(printf %02d "$month")-15 +1 month" +%Y-%m)
title=$(title_text)
log "next heading: $title"
check "the next month is shown" matches "$title" "*${NAMES[$((10#${next#*-})) - 1]} ${next%-*}*"
check "its day 10 equals qov-jadwal's" [ "$(row_times 10)" = "$(csv_times "$next-10")" ]
shot_window month-window-next $MONTH || true

mkdir -p "$WORK/out"
click_button 2
save_as "Simpan Kalender" "$WORK/out/jadwal.ics" || true
check "the calendar file is written" wait_until 10 test -s "$WORK/out/jadwal.ics"
days=$(date -d "$next-01 +1 month -1 day" +%d)
read -r events dzuhur < <(/usr/bin/python3 - "$WORK/out/jadwal.ics" "$next-10" <<'EOF' || true
import sys, datetime, icalendar
cal = icalendar.Calendar.from_ical(open(sys.argv[1], 'rb').read())
events = [e for e in cal.walk('VEVENT')]
wib = datetime.timezone(datetime.timedelta(hours=7))
dz = [e.decoded('DTSTART').astimezone(wib) for e in events if str(e.get('SUMMARY')).startswith('Dzuhur')]
dz = [t.strftime('%H:%M') for t in dz if t.strftime('%Y-%m-%d') == sys.argv[2]]
print(len(events), dz[0] if dz else '-')
EOF
)
check "it holds five events a day ($events for $days days)" [ "${events:-0}" = $((10#$days * 5)) ]
check "its Dzuhur on day 10 is the table's" [ "${dzuhur:-}" = "$(csv_times "$next-10" | cut -d' ' -f2)" ]
check "the window says where it saved" matches "$(ocr "$(window_geometry $MONTH | awk '{print $1 "x18+" $3 "+" $4 + 657}')" 7)" "*Tersimpan*"

if on linux; then
  click_button 1
  save_as "Simpan PDF" "$WORK/out/jadwal.pdf" || true
  check "the PDF is written" wait_until 10 test -s "$WORK/out/jadwal.pdf"
  check "it is one page" matches "$(pdfinfo "$WORK/out/jadwal.pdf" 2>/dev/null | grep '^Pages:')" "Pages:*1"
  pdftoppm -r 60 -png -singlefile "$WORK/out/jadwal.pdf" "$SHOTS/month-pdf" 2>/dev/null || true
fi

click_button 3
check "Tutup closes the window" wait_until 10 fails is_mapped $MONTH
check "the clock still runs" is_mapped
menu 60 60 Down Down Down Down Right Up Up Return
wait_until 20 is_mapped $MONTH && sleep 0.5
xdotool key Escape
check "Escape closes it as Tutup does" wait_until 10 fails is_mapped $MONTH
close_clock
finish
