# The adapter for the native Linux program, qov-clock (from the build tree,
# or installed: QOV_CLOCK=/usr/bin/qov-clock): throw-away HOME and
# XDG_CONFIG_HOME, settings in Qt's INI file, a small system tray (trayer).
: "${QOV_CLOCK:?path of qov-clock}"
# The program's data: beside it in the build tree, in share/ when installed.
DATA_DIR=$(dirname "$QOV_CLOCK")
[ -f "$DATA_DIR/daftar_all.TXT" ] || DATA_DIR=$DATA_DIR/../share/qov-clock
export HOME=$WORK/home XDG_CONFIG_HOME=$WORK/config
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
CONF=$XDG_CONFIG_HOME/QOVClock/QOVClock.conf
TRAYER_PID=""

backend_setup() {
  [ -x "$QOV_CLOCK" ] || { echo "missing $QOV_CLOCK" >&2; exit 1; }
  mkdir -p "$HOME" "$(dirname "$CONF")"
  start_tray
}
backend_cleanup() { [ -n "$TRAYER_PID" ] && kill "$TRAYER_PID" 2>/dev/null; }

# The tray sits at the top left; the clock's icon at 1,1 (22x22).
start_tray() {
  trayer --edge top --align left --widthtype pixel --width 160 --height 24 >"$WORK/trayer.log" 2>&1 &
  TRAYER_PID=$!
  wait_until 5 xdotool search --name '^panel$' >/dev/null 2>&1 || true
}
tray_point() { echo 10 10; }
# The tray's background is one flat grey; the icon is not.
tray_icon_shown() {
  import -window root -crop 22x22+1+1 +repage "$WORK/icon.png" &&
    [ "$(convert "$WORK/icon.png" -colorspace Gray -format '%[fx:standard_deviation > 0.05]' info:)" = 1 ]
}

launch() { exec "$QOV_CLOCK"; }
native_path() { echo "$1"; }
# SIGTERM, as the system ends it at shutdown or logout.
end_clock() { kill -TERM "$CLOCK_PID" 2>/dev/null || true; }
quick_hide() { :; }
# A menu opens under the pointer, which may light up its first entry: the
# pointer leaves it so that the keys alone choose (the menu keeps the keyboard).
pointer_away() { xdotool mousemove 5 $((SCREEN_H - 5)); sleep 0.3; }

# The values of a settings section (the whole file without one) as lines
# KEY=VALUE, as the program reads them: quotes taken off, %20 a blank.
values() {
  [ -f "$CONF" ] || return 0
  [ -n "${1:-}" ] || { cat "$CONF"; return; }
  awk -v want="[$1]" '
    /^\[/ { inside = ($0 == want); next }
    inside && index($0, "=") {
      k = substr($0, 1, index($0, "=") - 1); v = substr($0, index($0, "=") + 1)
      gsub(/%20/, " ", k)
      if (v ~ /^".*"$/) v = substr(v, 2, length(v) - 2)
      print k "=" v
    }' "$CONF"
}

# Before the clock starts; quoted, as Qt writes a value with a leading blank.
set_values() {  # section key value [key value...]
  local section=$1 k
  shift
  touch "$CONF"
  while [ $# -ge 2 ]; do
    k=${1// /%20}
    awk -v want="[$section]" -v key="$k" -v line="$k=\"$2\"" '
      /^\[/ { if (inside && !done) { print line; done = 1 } inside = ($0 == want); if (inside) seen = 1; print; next }
      inside && index($0, key "=") == 1 { if (!done) print line; done = 1; next }
      { print }
      END { if (!seen) { print ""; print want } if (!done) print line }' "$CONF" >"$WORK/conf.tmp"
    mv "$WORK/conf.tmp" "$CONF"
    shift 2
  done
}
