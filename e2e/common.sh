# Helpers both end-to-end suites share (the Windows program under Wine and
# the native Linux one): waiting, windows by title, screenshots, OCR, the
# checks and the schedule tool's longitude finder. Sourced by e2e/lib.sh and
# e2e/linux/lib.sh, which set MAIN, SHOTS, WORK and PASSED/FAILED.

log() { printf '[%s] %s\n' "$(basename "$0" .sh)" "$*"; }

# Runs the command until it succeeds, every 0.1 s for at most $1 seconds.
wait_until() {
  local end=$((${EPOCHREALTIME/./} + $1 * 1000000))
  shift
  until "$@"; do
    [ "${EPOCHREALTIME/./}" -lt "$end" ] || return 1
    sleep 0.1
  done
}

stopped() { ! kill -0 "$1" 2>/dev/null; }

# Geometry "W H X Y" of that window.
window_geometry() {
  local id
  id=$(window_id "${1:-$MAIN}") || return 1
  xwininfo -id "$id" | awk '
    /Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w, h, x, y}'
}

# Whether the window with that title is mapped right now.
is_mapped() { window_id "$@" >/dev/null; }

# Whether the window is in the topmost band (Wine marks it for the X side).
is_topmost() { xprop -id "$(window_id "${1:-$MAIN}")" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }

# Left-drags from window offset (dx, dy) by (mx, my) pixels.
drag() {
  local x y i
  read -r _ _ x y <<<"$(window_geometry)"
  xdotool mousemove $((x + $1)) $((y + $2)) mousedown 1
  for i in 1 2 3 4 5; do
    xdotool mousemove $((x + $1 + $3 * i / 5)) $((y + $2 + $4 * i / 5))
    sleep 0.15
  done
  xdotool mouseup 1
  sleep 0.5
}

# Screenshots into $SHOTS/NAME.png: the whole screen, or one window.
shot() { import -window root "$SHOTS/$1.png"; }

shot_window() {  # name [title]
  local geo
  geo=$(window_geometry "${2:-$MAIN}") || return 1
  set -- "$1" $geo
  import -window root -crop "${2}x${3}+${4}+${5}" +repage "$SHOTS/$1.png"
}

check() {  # what command...
  if "${@:2}"; then
    PASSED=$((PASSED + 1)); log "ok: $1"
  else
    FAILED=$((FAILED + 1)); log "FAIL: $1"
  fi
}

# Text in a screen region "WxH+X+Y" (one line), read with OCR.
ocr() {
  import -window root -crop "$1" +repage "$WORK/ocr-raw.png" || return 0
  convert "$WORK/ocr-raw.png" -colorspace Gray -resize 300% -normalize "$WORK/ocr.png" || return 0
  tesseract "$WORK/ocr.png" - --psm "${2:-7}" 2>/dev/null | tr -s ' \n' ' ' | sed 's/ *$//'
}

# A longitude (latitude 0, zone 0, no additions) whose Dzuhur falls at the
# minute $1 ("HH:MM") today, found with the schedule tool that shares the
# clock's engine; prints it.
longitude_for_dzuhur() {
  local target=$1 today lon d
  today=$(date +%F)
  lon=$(awk -v t="$(minutes_of "$target")" 'BEGIN { printf "%.3f", (12 * 60 - t) / 4 }')
  for _ in $(seq 20); do
    d=$(( $(minutes_of "$(dzuhur_at "$lon" "$today")") - $(minutes_of "$target") ))
    [ "$d" -eq 0 ] && break
    lon=$(awk -v l="$lon" -v d="$d" 'BEGIN { printf "%.3f", l + d * 0.25 }')
  done
  echo "$lon"
}
dzuhur_at() { "$QOV_JADWAL" --lat 0 --lon "$1" --tz 0 --dzuhur 0 --maghrib 0 --date "${2:-$(date +%F)}" --csv | tail -n1 | cut -d, -f3; }
minutes_of() { echo $((10#${1%:*} * 60 + 10#${1#*:})); }
