# Shared helpers of the Linux end-to-end tests: the native qov-clock (from
# the build tree, or installed: QOV_CLOCK=/usr/bin/qov-clock) on a
# private virtual display with a small system tray (trayer), throw-away
# HOME, XDG_CONFIG_HOME and XDG_RUNTIME_DIR, settings read from the INI
# file, clicks and screenshots. Every process is started by PID and ended
# by PID.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../common.sh"

: "${QOV_CLOCK:?path of qov-clock}"
CLOCK_DIR=$(dirname "$QOV_CLOCK")
# The program's data: beside it in the build tree, in share/ when installed.
DATA_DIR=$CLOCK_DIR
[ -f "$DATA_DIR/daftar_all.TXT" ] || DATA_DIR=$CLOCK_DIR/../share/qov-clock
SHOTS=${QOV_SHOTS:-$CLOCK_DIR/../../e2e-linux-shots}
mkdir -p "$SHOTS"

WORK=$(mktemp -d /tmp/qov-e2e-linux.XXXXXX)
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config XDG_RUNTIME_DIR=$WORK/run LC_ALL=C.UTF-8
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
CONF=$XDG_CONFIG_HOME/QOVClock/QOVClock.conf
XVFB_PID="" TRAYER_PID="" CLOCK_PID="" REC_PID="" PULSE_STARTED=""
BACKGROUND_PIDS=""  # helpers a test started itself, ended by PID at exit
CLOCK_LOG=$WORK/clock.log
PASSED=0 FAILED=0
SCREEN_W=1280 SCREEN_H=800

cleanup() {
  set +e
  [ -n "$CLOCK_PID" ] && kill "$CLOCK_PID" 2>/dev/null
  stop_recording
  for p in $BACKGROUND_PIDS; do kill "$p" 2>/dev/null; done
  [ -n "$TRAYER_PID" ] && kill "$TRAYER_PID" 2>/dev/null
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

start_display() {
  local n
  for n in $(seq 141 190); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 "${SCREEN_W}x${SCREEN_H}x24" -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    wait_until 5 xdpyinfo >/dev/null 2>&1 && return 0
    kill "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  done
  echo "no free X display" >&2
  return 1
}

# The tray sits at the top left; the clock's icon at 1,1 (22x22).
start_tray() {
  trayer --edge top --align left --widthtype pixel --width 160 --height 24 >/dev/null 2>&1 &
  TRAYER_PID=$!
  wait_until 5 xdotool search --name '^panel$' >/dev/null 2>&1 || true
}

setup() {
  [ -x "$QOV_CLOCK" ] || { echo "missing $QOV_CLOCK" >&2; exit 1; }
  start_display
  start_tray
}

MAIN=clockface  # the main window's title

# Starts the clock, waits for its window and lets it settle for $1 seconds
# (default 1); its output goes to $CLOCK_LOG.
start_clock() {
  "$QOV_CLOCK" >>"$CLOCK_LOG" 2>&1 &
  CLOCK_PID=$!
  CLOCK_STARTS=$((${CLOCK_STARTS:-0} + 1))
  wait_window >/dev/null || { log "the clock window never appeared"; cat "$CLOCK_LOG" >&2; exit 1; }
  sleep "${1:-1}"
}

# The first viewable top-level window with that title; fails when there is none.
window_id() {
  local id
  id=$(xdotool search --onlyvisible --name "^${1:-$MAIN}\$" 2>/dev/null | head -n1)
  [ -n "$id" ] && echo "$id"
}

wait_window() { wait_until 30 window_geometry "${1:-$MAIN}"; }
# Whether the clock window is at least $1 px high (an overlay made it grow).
taller_than() { local h; read -r _ h _ _ <<<"$(window_geometry)" && [ "$h" -ge "$1" ]; }

# A menu opens under the pointer, which may light up its first entry: the
# pointer leaves it so that the keys alone choose.
pointer_away() {
  xdotool mousemove 5 $((SCREEN_H - 5))
  sleep 0.3
}

# Opens the context menu on the clock at window offset (dx, dy) and walks it
# with the keyboard: each further argument is a key (Down, Right, Return...).
menu() {
  local x y k
  read -r _ _ x y <<<"$(window_geometry)"
  xdotool mousemove $((x + $1)) $((y + $2)) click 3
  sleep 1
  pointer_away
  for k in "${@:3}"; do
    xdotool key "$k"
    sleep 0.2
  done
  sleep 0.6
}

# The same for the tray icon's menu.
tray_menu() {
  local k
  xdotool mousemove 10 10 click 3
  sleep 1
  pointer_away
  for k in "$@"; do
    xdotool key "$k"
    sleep 0.2
  done
  sleep 0.6
}

# Ends the clock as the system does at shutdown (SIGTERM): the unload path runs.
close_clock() {
  kill -TERM "$CLOCK_PID" 2>/dev/null || true
  wait_until 10 stopped "$CLOCK_PID" || return 1
  CLOCK_PID=""
}

# Prints the values of a settings section as lines KEY=VALUE, exactly as
# the program reads them (leading blanks kept, %20 turned into a blank).
conf_values() {
  [ -f "$CONF" ] || return 0
  awk -v want="[$1]" '
    /^\[/ { inside = ($0 == want); next }
    inside && index($0, "=") {
      k = substr($0, 1, index($0, "=") - 1); v = substr($0, index($0, "=") + 1)
      gsub(/%20/, " ", k)
      if (v ~ /^".*"$/) v = substr(v, 2, length(v) - 2)
      print k "=" v
    }' "$CONF"
}

conf_get() { conf_values "$1" | sed -n "s/^$2=//p"; }

# conf_set SECTION KEY VALUE [KEY VALUE...] before the clock starts: the
# values are written quoted, as Qt writes a value with a leading blank.
conf_set() {
  local section=$1 k v tmp
  shift
  mkdir -p "$(dirname "$CONF")"
  touch "$CONF"
  while [ $# -ge 2 ]; do
    k=${1// /%20} v=$2
    tmp=$WORK/conf.tmp
    awk -v want="[$section]" -v key="$k" -v line="$k=\"$v\"" '
      /^\[/ { if (inside && !done) { print line; done = 1 } inside = ($0 == want); if (inside) seen = 1; print; next }
      inside && index($0, key "=") == 1 { if (!done) print line; done = 1; next }
      { print }
      END { if (!seen) { print ""; print want } if (!done) print line }' "$CONF" >"$tmp"
    mv "$tmp" "$CONF"
    shift 2
  done
}

# Writes a complete set of location values (not a first run).
store_place() {  # name lat lon zone [addDzuhur addMaghrib mazhab fajr isya]
  conf_set Lokasi Kota "$1" LAT "$2" LONG "$3" "Time ZOne" "$4" AddDhuhur "${5:-2}" AddMaghrib "${6:-2}" \
    MazhabAshar "${7:-1}" sudutFajar "${8:-19}" sudutIsya "${9:-20}" "Pop Delay" " 5" "Versi Display" " 1"
}

# For check: the command fails; the text matches a shell pattern.
fails() { ! "$@"; }
matches() { [[ "$1" == $2 ]]; }

finish() {
  log "$PASSED passed, $FAILED failed"
  if [ "$FAILED" -gt 0 ] && [ -s "$CLOCK_LOG" ]; then
    log "the clock's output:"
    tail -n 20 "$CLOCK_LOG"
  fi
  [ "$FAILED" -eq 0 ]
}

# Resident memory of a process in kB.
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status" 2>/dev/null; }

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
  [ -n "${REC_PID:-}" ] && kill "$REC_PID" 2>/dev/null
  [ -n "${REC_PID:-}" ] && wait "$REC_PID" 2>/dev/null
  REC_PID=""
  if [ -n "$PULSE_STARTED" ] && [ -f "$XDG_RUNTIME_DIR/pulse/pid" ]; then
    kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" 2>/dev/null
  fi
  PULSE_STARTED=""
  return 0
}
