# What every end-to-end test shares, whichever program it drives: a private
# virtual display, waiting, windows by title, menus walked by keys,
# screenshots, OCR and the checks. QOV_BACKEND (win or linux) picks the
# adapter e2e/backend_$QOV_BACKEND.sh, which starts and ends the program and
# reads and writes its settings. Every process is ended by its PID.
set -Eeuo pipefail
E2E=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${QOV_BACKEND:?win or linux}" "${QOV_SOURCE_DIR:?source tree}"
WORK=$(mktemp -d "/tmp/qov-e2e-$QOV_BACKEND.XXXXXX")
export LC_ALL=C.UTF-8 XDG_RUNTIME_DIR=$WORK/run
mkdir -m 700 "$XDG_RUNTIME_DIR"
XVFB_PID="" CLOCK_PID="" REC_PID="" PULSE_STARTED="" BACKGROUND_PIDS=""
CLOCK_LOG=$WORK/clock.log
PASSED=0 FAILED=0 SCREEN_W=1280 SCREEN_H=800
MAIN=clockface  # the main window's title
source "$E2E/backend_$QOV_BACKEND.sh"
SHOTS=${QOV_SHOTS:-$WORK/shots}
mkdir -p "$SHOTS"

cleanup() {
  trap - ERR
  set +e
  [ -n "$CLOCK_PID" ] && kill "$CLOCK_PID" 2>/dev/null
  stop_recording
  backend_cleanup
  for p in $BACKGROUND_PIDS; do kill "$p" 2>/dev/null; done
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT
# A check that fails is counted; any other failing command ends the test, and
# says where, so a run that stops early can be read from its log. Failures
# inside a $(...) are the caller's to judge (a wait tries again): not told.
trap 'e2e_status=$?; [ "$BASH_SUBSHELL" -gt 0 ] || echo "[e2e] stopped at ${BASH_SOURCE[0]##*/}:$LINENO: $BASH_COMMAND (status $e2e_status)" >&2' ERR

log() { printf '[%s.%s] %s\n' "$QOV_BACKEND" "$(basename "$0" .sh)" "$*"; }
on() { [ "$QOV_BACKEND" = "$1" ]; }

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
fails() { ! "$@"; }
matches() { [[ "$1" == $2 ]]; }

# A display of the test's own: Xvfb picks a free number and tells it once it
# accepts connections, so tests started side by side never meet on one.
# -noreset: a server resets whenever its last client leaves, and a program
# connecting in that moment (the tray host, after a probe such as xdpyinfo)
# loses its connection and dies.
setup() {
  local n
  Xvfb -displayfd 3 -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp -noreset 3>"$WORK/display" >/dev/null 2>&1 &
  XVFB_PID=$!
  wait_until 10 grep -q '^[0-9]' "$WORK/display" || { echo "Xvfb did not start" >&2; exit 1; }
  n=$(head -n1 "$WORK/display")
  export DISPLAY=":$n"
  wait_until 5 xdpyinfo >/dev/null 2>&1 || { echo "Xvfb :$n does not answer" >&2; exit 1; }
  backend_setup
}

# Starts the clock, waits for its window and lets it settle for $1 seconds
# (default 2); its output goes to $CLOCK_LOG.
start_clock() {
  launch >>"$CLOCK_LOG" 2>&1 &
  CLOCK_PID=$!
  wait_window >/dev/null || { log "the clock window never appeared"; exit 1; }
  sleep "${1:-2}"
}

# Asks the clock to close as the system or the user would (the unload path runs).
close_clock() {
  end_clock
  wait_until 10 stopped "$CLOCK_PID" || return 1
  CLOCK_PID=""
}

get() { values "$1" | sed -n "s/^$2=//p"; }

# Writes a complete set of location values (not a first run).
store_place() {  # name lat lon zone [addDzuhur addMaghrib mazhab fajr isya]
  set_values Lokasi Kota "$1" LAT "$2" LONG "$3" "Time ZOne" "$4" AddDhuhur "${5:-2}" AddMaghrib "${6:-2}" \
    MazhabAshar "${7:-1}" sudutFajar "${8:-19}" sudutIsya "${9:-20}" "Pop Delay" " 5" "Versi Display" " 1"
}

# The first viewable top-level window with that title; fails when there is none.
window_id() { xdotool search --onlyvisible --name "^${1:-$MAIN}\$" 2>/dev/null | head -n1 | grep .; }
is_mapped() { window_id "$@" >/dev/null; }
wait_window() { wait_until 60 window_geometry "${1:-$MAIN}"; }

# Geometry "W H X Y" of that window.
window_geometry() {
  local id
  id=$(window_id "${1:-$MAIN}") || return 1
  xwininfo -id "$id" | awk '
    /Absolute upper-left X/ {x=$4} /Absolute upper-left Y/ {y=$4}
    /Width:/ {w=$2} /Height:/ {h=$2} END {print w, h, x, y}'
}

# Whether the clock window is at least $1 px high (an overlay made it grow).
taller_than() { local h; read -r _ h _ _ <<<"$(window_geometry)" && [ "$h" -ge "$1" ]; }
is_topmost() { xprop -id "$(window_id "${1:-$MAIN}")" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }

# Left-drags from window offset (dx, dy) by (mx, my) pixels.
drag() {
  local x y i
  read -r _ _ x y <<<"$(window_geometry)"
  xdotool mousemove $((x + $1)) $((y + $2)) mousedown 1
  for i in 1 2 3 4 5; do xdotool mousemove $((x + $1 + $3 * i / 5)) $((y + $2 + $4 * i / 5)) && sleep 0.15; done
  xdotool mouseup 1
  sleep 0.5
}

# Opens a context menu with a right click at screen point (x, y) and walks it
# with the keyboard.
menu_at() {
  local k
  xdotool mousemove "$1" "$2" click 3
  sleep 1
  pointer_away
  for k in "${@:3}"; do xdotool key "$k" && sleep 0.25; done
  sleep 0.8
}
# The clock's menu, opened at window offset (dx, dy).
menu() { local x y; read -r _ _ x y <<<"$(window_geometry)"; menu_at $((x + $1)) $((y + $2)) "${@:3}"; }
tray_menu() { menu_at $(tray_point) "$@"; }
SETTING_LOKASI=(Down Down Down Down Right Down Down Down Down Return)
WAKTU_SHOLAT=(Down Down Down Return)

# Screenshots into $SHOTS/NAME.png: the whole screen, or one window.
shot() { import -window root "$SHOTS/$1.png"; }
shot_window() {  # name [title]
  local w h x y
  read -r w h x y <<<"$(window_geometry "${2:-$MAIN}")" && import -window root -crop "${w}x${h}+${x}+${y}" +repage "$SHOTS/$1.png"
}

# Mean brightness (0..1) of a screen region "WxH+X+Y".
brightness() {
  import -window root -crop "$1" +repage "$WORK/b.png" && convert "$WORK/b.png" -colorspace Gray -format '%[fx:mean]' info:
}

# Text in a screen region "WxH+X+Y" (one line), read with OCR.
ocr() {
  import -window root -crop "$1" +repage "$WORK/ocr-raw.png" || return 0
  convert "$WORK/ocr-raw.png" -colorspace Gray -resize 300% -normalize "$WORK/ocr.png" || return 0
  tesseract "$WORK/ocr.png" - --psm "${2:-7}" 2>/dev/null | tr -s ' \n' ' ' | sed 's/ *$//'
}

# The tray icon's tip, read where it shows when the pointer rests on the icon.
tray_tip() {
  local x y
  read -r x y <<<"$(tray_point)"
  xdotool mousemove "$x" "$y" && sleep 0.3 && xdotool mousemove $((x + 1)) "$y"
  sleep 2.5
  shot tray-tip
  ocr "520x60+$((x > 40 ? x - 40 : 0))+$((y + 4))" 6
  pointer_away
}

# Opens the prayer-time panel and takes a shot named $1. Its frame (131 px
# wide, $2 px high: 191, or 235 in full) is centred in the window, at PX, PY.
open_panel() {
  local w h x y
  menu 60 60 "${WAKTU_SHOLAT[@]}"
  read -r w h x y <<<"$(window_geometry)"
  PH=${2:-191} PX=$((x + (w - 131) / 2)) PY=$((y + (h - ${2:-191}) / 2))
  shot_window "$1" || true
}
# The panel's times as "HH:MM HH:MM ...", read from its right-hand column.
# Empty, not a failure, when the panel shows no times: the caller checks
# or tries again.
panel_times() {
  ocr "54x$((PH == 191 ? 104 : 142))+$((PX + 79))+$((PY + (PH == 191 ? 56 : 58)))" 6 | tr -c '0-9:\n ' ' ' |
    { grep -o '[0-9][0-9]:[0-9][0-9]' || true; } | tr '\n' ' ' | sed 's/ $//'
}
close_panel() { xdotool mousemove $((PX + 6)) $((PY + 6)) click 1; sleep 0.6; }

# The times qov-jadwal (the engine's command-line tool) prints for the options.
jadwal() { "$QOV_JADWAL" "$@" --csv | tail -n1 | cut -d, -f2- | tr ',' ' '; }

# A zone where it is now about midday (ZONE, hours east of UTC, -11..12),
# exported as TZ for the program and for `date`: a prayer placed a few
# minutes ahead never straddles midnight, whenever the tests run.
daytime_zone() {
  local h=$((10#$(TZ=UTC date +%H)))
  ZONE=$((12 - h))
  # Etc/GMT+N lies N hours west of UTC.
  if [ "$ZONE" -ge 0 ]; then export TZ="Etc/GMT-$ZONE"; else export TZ="Etc/GMT+$((-ZONE))"; fi
}

# Stores a place (latitude 0, zone ZONE or 0, no additions) whose Dzuhur
# today falls $1 minutes after NEXT_MINUTE, the next whole minute that
# leaves the clock time to start (at least PLACE_LEAD seconds away, 25
# unless told); its longitude is found with the schedule tool (wrapped
# into -180..180: across the date line the zone still rules).
place_dzuhur_after() {
  local ahead=1 lon d t
  [ "$((10#$(date +%S)))" -lt $((60 - ${PLACE_LEAD:-25})) ] || ahead=2
  NEXT_MINUTE=$(date -d "+$ahead min" +%H:%M) DZUHUR=$(date -d "+$((ahead + $1)) min" +%H:%M)
  t=$(minutes_of "$DZUHUR")
  lon=$(awk -v t="$t" -v z="${ZONE:-0}" 'BEGIN { l = 15 * z + (12 * 60 - t) / 4; while (l > 180) l -= 360; while (l < -180) l += 360; printf "%.3f", l }')
  for _ in $(seq 20); do
    d=$(($(minutes_of "$(dzuhur_at "$lon")") - t))
    [ "$d" -eq 0 ] && break
    lon=$(awk -v l="$lon" -v d="$d" 'BEGIN { l += d * 0.25; while (l > 180) l -= 360; while (l < -180) l += 360; printf "%.3f", l }')
  done
  log "longitude $lon gives Dzuhur $(dzuhur_at "$lon") (target $DZUHUR, zone ${ZONE:-0})"
  check "a longitude puts Dzuhur at $DZUHUR" [ "$(dzuhur_at "$lon")" = "$DZUHUR" ]
  store_place "Uji" 0 "$lon" "${ZONE:-0}" 0 0
}
dzuhur_at() { jadwal --lat 0 --lon "$1" --tz "${ZONE:-0}" --dzuhur 0 --maghrib 0 --date "$(date +%F)" | cut -d' ' -f2; }
minutes_of() { echo $((10#${1%:*} * 60 + 10#${1#*:})); }

# Waits while the local time (in zone $2) is within $1 minutes of midnight either way,
# where the day's times are recomputed.
away_from_midnight() {  # minutes [zone]
  local m
  until m=$(minutes_of "$(${2:+env TZ=$2} date +%H:%M)"); [ "$m" -ge "$1" ] && [ "$m" -lt $((1440 - $1)) ]; do sleep 20; done
}

check() {  # what command...
  if "${@:2}"; then
    PASSED=$((PASSED + 1)); log "ok: $1"
  else
    FAILED=$((FAILED + 1)); log "FAIL: $1"
  fi
}

finish() {
  log "$PASSED passed, $FAILED failed"
  [ "$FAILED" -eq 0 ] || [ ! -s "$CLOCK_LOG" ] || { log "the clock's output:"; tail -n 20 "$CLOCK_LOG"; }
  [ "$FAILED" -eq 0 ]
}

# A PulseAudio server of our own (in the private runtime folder) with a
# null sink whose monitor records to $1.
start_recording() {
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul" \
    --load=module-native-protocol-unix >/dev/null 2>&1 || return 1
  PULSE_STARTED=1
  wait_until 6 pactl info >/dev/null 2>&1 || true
  pactl set-default-sink nul
  parec -d nul.monitor --file-format=wav "$1" &
  REC_PID=$!
}

stop_recording() {
  [ -z "$REC_PID" ] || { kill "$REC_PID"; wait "$REC_PID"; } 2>/dev/null || true
  [ -z "$PULSE_STARTED" ] || kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" 2>/dev/null || true
  REC_PID="" PULSE_STARTED=""
}
