# Shared helpers of the end-to-end tests: a throw-away Wine prefix on a
# private virtual display, the real QOVClock.exe started by PID, registry
# reads, clicks and screenshots. Every process is ended by its PID.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

: "${QOV_WIN_DIR:?build directory of the Windows build}"
: "${QOV_SOURCE_DIR:?source tree}"
WINE=${QOV_WINE:-/usr/lib/wine/wine64}
WINESERVER=$(dirname "$WINE")/wineserver
EXE_DIR=$QOV_WIN_DIR/backends/win32
EXE=$EXE_DIR/QOVClock.exe
SHOTS=${QOV_SHOTS:-$QOV_WIN_DIR/../e2e-shots}
mkdir -p "$SHOTS"

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" LC_ALL=C.UTF-8
WORK=$(mktemp -d /tmp/qov-e2e.XXXXXX)
export WINEPREFIX=$WORK/prefix
XVFB_PID="" CLOCK_PID=""
BACKGROUND_PIDS=""  # helpers a test started itself, ended by PID at exit
CLOCK_STDERR=/dev/null
PASSED=0 FAILED=0

cleanup() {
  set +e
  [ -n "$CLOCK_PID" ] && kill "$CLOCK_PID" 2>/dev/null
  [ -n "${XDG_RUNTIME_DIR:-}" ] && stop_recording
  "$WINESERVER" -k 2>/dev/null
  for p in $BACKGROUND_PIDS; do kill "$p" 2>/dev/null; done
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null
  wait 2>/dev/null
  rm -rf "$WORK"
}
trap cleanup EXIT

# A fresh prefix costs several seconds; tests copy a template that is made
# once per build (under a lock, since ctest may run tests in parallel).
prepare_prefix() {
  local template=$QOV_WIN_DIR/e2e-template-prefix
  (
    flock 9
    if [ ! -f "$template/.ready-managed" ]; then
      rm -rf "$template"
      WINEPREFIX=$template "$WINE" wineboot -i >/dev/null 2>&1 || true
      WINEPREFIX=$template "$WINESERVER" -w
      touch "$template/.ready-managed"
    fi
  ) 9>"$QOV_WIN_DIR/e2e-template.lock"
  cp -a "$template" "$WINEPREFIX"
  rm -f "$WINEPREFIX/.ready-managed"
}

# Without a window manager Wine waits for one on every hide and show of a
# managed window, which swallows a one-second blink. Unmanaged windows carry
# no window-manager hints (such as "above"), so only tests that need quick
# hiding ask for them.
unmanaged_windows() {
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
}

start_display() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
    XVFB_PID=$!
    export DISPLAY=":$n"
    wait_until 5 xdpyinfo >/dev/null 2>&1 && return 0
    kill "$XVFB_PID" 2>/dev/null || true
  done
  echo "no free X display" >&2
  return 1
}

setup() {
  [ -x "$EXE" ] || { echo "missing $EXE" >&2; exit 1; }
  start_display
  prepare_prefix
}

MAIN=clockface  # the main window's (invisible) title

# Starts the clock from its own folder (so it finds its data files), waits
# for its window and lets it settle for $1 seconds (default 2); its Wine debug
# output goes to $CLOCK_STDERR.
start_clock() {
  (cd "$EXE_DIR" && exec "$WINE" QOVClock.exe) >/dev/null 2>"$CLOCK_STDERR" &
  CLOCK_PID=$!
  wait_window >/dev/null || { log "the clock window never appeared"; exit 1; }
  sleep "${1:-2}"
}

# The first viewable top-level window with that title; fails when there is none.
window_id() { xdotool search --onlyvisible --name "^${1:-$MAIN}\$" 2>/dev/null | head -n1; }

# Waits until a window with that title is mapped; prints "W H X Y".
wait_window() { wait_until 60 window_geometry "${1:-$MAIN}"; }

# Opens the context menu on the clock at window offset (dx, dy) and walks it
# with the keyboard: each argument is a key (Down, Right, Return...).
menu() {
  local x y k
  read -r _ _ x y <<<"$(window_geometry)"
  xdotool mousemove $((x + $1)) $((y + $2)) click 3
  sleep 0.8
  for k in "${@:3}"; do
    xdotool key "$k"
    sleep 0.25
  done
  sleep 0.8
}

# Asks the clock to close as the user would (the unload path runs).
close_clock() {
  "$WINE" taskkill /im QOVClock.exe >/dev/null 2>&1 || true
  wait_until 10 stopped "$CLOCK_PID" || return 1
  CLOCK_PID=""
}

# Prints the values of a settings section as lines KEY=VALUE, exactly as
# stored (leading blanks kept).
reg_values() {
  local out=$WORK/reg.$$.reg
  rm -f "$out"
  "$WINE" reg export "HKCU\\Software\\QOVClock\\$1" "Z:${out//\//\\}" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16LE -t UTF-8 "$out" | tr -d '\r' | sed -n 's/^"\(.*\)"="\(.*\)"$/\1=\2/p'
}

reg_get() { reg_values "$1" | sed -n "s/^$2=//p"; }

# reg_set SECTION KEY VALUE [KEY VALUE...]
reg_set() {
  local key="HKCU\\Software\\QOVClock\\$1"
  shift
  while [ $# -ge 2 ]; do
    "$WINE" reg add "$key" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1 || return 1
    shift 2
  done
}

# Mean brightness (0..1) of a screen region "WxH+X+Y".
brightness() {
  import -window root -crop "$1" +repage "$WORK/b.png" && convert "$WORK/b.png" -colorspace Gray -format '%[fx:mean]' info:
}

finish() {
  log "$PASSED passed, $FAILED failed"
  [ "$FAILED" -eq 0 ]
}

# Writes a complete set of location values (not a first run).
store_place() {  # name lat lon zone [addDzuhur addMaghrib mazhab fajr isya]
  reg_set Lokasi Kota "$1" LAT "$2" LONG "$3" "Time ZOne" "$4" AddDhuhur "${5:-2}" AddMaghrib "${6:-2}" \
    MazhabAshar "${7:-1}" sudutFajar "${8:-19}" sudutIsya "${9:-20}" "Pop Delay" " 5" "Versi Display" " 1"
}

# A PulseAudio server with a null sink whose monitor records to $1.
start_recording() {
  export XDG_RUNTIME_DIR=$WORK/xdg
  mkdir -p "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  pulseaudio --daemonize=yes --exit-idle-time=-1 -n --load="module-null-sink sink_name=nul" \
    --load=module-native-protocol-unix >/dev/null 2>&1 || return 1
  wait_until 6 pactl info >/dev/null 2>&1 || true
  pactl set-default-sink nul
  parec -d nul.monitor --file-format=wav "$1" &
  REC_PID=$!
}

stop_recording() {
  [ -n "${REC_PID:-}" ] && kill "$REC_PID" 2>/dev/null
  wait "${REC_PID:-}" 2>/dev/null || true
  REC_PID=""
  [ -f "$XDG_RUNTIME_DIR/pulse/pid" ] && kill "$(cat "$XDG_RUNTIME_DIR/pulse/pid")" 2>/dev/null || true
}
