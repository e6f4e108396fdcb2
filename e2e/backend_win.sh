# The adapter for the Windows program, QOVClock.exe, under Wine: a
# throw-away prefix, settings in the registry, Wine's own tray window.
: "${QOV_WIN_DIR:?build directory of the Windows build}"
WINE=${QOV_WINE:-/usr/lib/wine/wine64}
WINESERVER=$(dirname "$WINE")/wineserver
EXE_DIR=$QOV_WIN_DIR/backends/win32
EXE=$EXE_DIR/QOVClock.exe
DATA_DIR=$EXE_DIR
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEPREFIX=$WORK/prefix

# A fresh prefix costs several seconds: each test copies a template made
# once per build (under a lock, should tests run side by side).
backend_setup() {
  local template=$QOV_WIN_DIR/e2e-template-prefix
  [ -x "$EXE" ] || { echo "missing $EXE" >&2; exit 1; }
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
# Waits for the server to go: the next test's prefix may get this one's inode,
# and with it this server's socket folder.
backend_cleanup() { "$WINESERVER" -k 2>/dev/null && timeout 10 "$WINESERVER" -w 2>/dev/null; }

# From its own folder, so that it finds its data files; the PID stays the
# program's once Wine's loader has exec'd.
launch() { cd "$EXE_DIR" && exec "$WINE" QOVClock.exe; }
# A file of the Linux side as the program sees it.
native_path() { local p="Z:$1"; echo "${p//\//\\}"; }
# WM_CLOSE to its windows, as a user's close or a logout sends.
end_clock() { "$WINE" taskkill /im QOVClock.exe >/dev/null 2>&1 || true; }

# Without a window manager the keyboard follows the pointer: it stays on a menu.
pointer_away() { :; }

# Without a window manager Wine waits for one on every hide and show of a
# managed window, which swallows a one-second blink. Unmanaged windows carry
# no window-manager hints (such as "above"), so only tests that need quick
# hiding ask for them.
quick_hide() {
  "$WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 || true
}

# The values of a settings section (all sections without one) as lines
# KEY=VALUE, exactly as stored: reg export keeps leading blanks.
values() {
  local out=$WORK/reg.$$.reg
  rm -f "$out"
  "$WINE" reg export "HKCU\\Software\\QOVClock${1:+\\$1}" "Z:${out//\//\\}" /y >/dev/null 2>&1 || return 0
  iconv -f UTF-16LE -t UTF-8 "$out" | tr -d '\r' | sed -n 's/^"\(.*\)"="\(.*\)"$/\1=\2/p'
}

set_values() {  # section key value [key value...]
  local key="HKCU\\Software\\QOVClock\\$1"
  shift
  while [ $# -ge 2 ]; do
    "$WINE" reg add "$key" /v "$1" /t REG_SZ /d "$2" /f >/dev/null 2>&1 || return 1
    shift 2
  done
}

# Wine draws the notification area as a window of its own; the first icon
# is the square at its left end.
tray_point() { local h x y; read -r _ h x y <<<"$(window_geometry "Wine System Tray")" && echo $((x + h / 2)) $((y + h / 2)); }
tray_icon_shown() {
  local h x y
  read -r _ h x y <<<"$(window_geometry "Wine System Tray")" || return 1
  import -window root -crop "${h}x${h}+${x}+${y}" +repage "$WORK/tray.png"
  [ "$(convert "$WORK/tray.png" -format '%k' info:)" -gt 8 ]
}
