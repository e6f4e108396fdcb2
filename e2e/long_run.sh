#!/usr/bin/env bash
# A long run of the real clock under Wine: the prayer-time panel and the
# location dialog opened and closed again and again through the context
# menu, while its GDI and USER object counts and its memory are sampled.
# After the warm-up they must stay flat: a clock that repaints three times a
# second runs out of handles quickly if any brush, pen, font or bitmap escapes.
#   QOV_LONG_RUN_SECONDS  length of the run after the warm-up (default 300)
#   QOV_SAMPLE_SECONDS    time between samples (default 20)
#   QOV_PROBE             qov-probe.exe (default: beside QOVClock.exe)
source "$(dirname "$0")/lib.sh"
RUN_SECONDS=${QOV_LONG_RUN_SECONDS:-300}
SAMPLE_SECONDS=${QOV_SAMPLE_SECONDS:-20}
PROBE=${QOV_PROBE:-$EXE_DIR/qov-probe.exe}
GUI_BOUND=5                  # objects
MEM_BOUND=$((2 * 1024))      # KiB
HEAP_BOUND=256               # KiB: a brush escaping every tick adds ~100 KiB in 5 min
[ -f "$PROBE" ] || { echo "missing $PROBE" >&2; exit 1; }
setup
unmanaged_windows
store_place Jakarta -6.15 106.816 7
# The panel's auto-close must not race the click that closes it.
reg_set Lokasi "Pop Delay" " 600"

start_clock
read -r W H X Y <<<"$(wait_window)" || { log "the clock window never appeared"; exit 1; }
sleep 3
PX=$((X + (W - 131) / 2))
PY=$((Y + (H - 191) / 2))
FACE=$(brightness "131x191+$PX+$PY")

# The Windows side: "pid=N gdi=N user=N private=N working=N" (bytes).
probe() { "$WINE" "$PROBE" --name QOVClock.exe 2>/dev/null | tr -d '\r'; }
field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$2"; }
# The Linux side: the resident size (KiB) of the process start_clock began,
# which is the one running QOVClock.exe once Wine's loader has exec'd.
# RssAnon is the heap and other private pages: Wine reports no private bytes.
status_kib() { awk -v k="$1:" '$1 == k {print $2}' "/proc/$CLOCK_PID/status" 2>/dev/null || echo unsupported; }
kib() { case $1 in '' | unsupported) echo unsupported ;; *) echo $(($1 / 1024)) ;; esac; }

PANEL_OPENED=0
DIALOG_OPENED=0
CLOSED_AGAIN=0
CYCLES=0
cycle() {
  local w h x y
  # Waktu Sholat, then a click on the panel's own frame closes it. The
  # window is already tall enough for the panel, so it shows as its black
  # frame darkening the middle of the face.
  menu 60 60 Down Down Down Return
  read -r w h x y <<<"$(window_geometry "$MAIN")"
  awk -v b="$(brightness "131x191+$PX+$PY")" -v f="$FACE" 'BEGIN { exit !(b < f * 0.6) }' &&
    PANEL_OPENED=$((PANEL_OPENED + 1))
  xdotool mousemove $((x + (w - 131) / 2 + 6)) $((y + (h - 191) / 2 + 185)) click 1
  sleep 0.6
  # Setting > Lokasi, then Cancel.
  menu 60 60 Down Down Down Down Right Down Down Down Down Return
  read -r w h x y <<<"$(window_geometry "$MAIN")"
  [ "$h" -ge 293 ] && DIALOG_OPENED=$((DIALOG_OPENED + 1))
  xdotool mousemove $((x + (w - 189) / 2 + 138)) $((y + (h - 291) / 2 + 274)) click 1
  sleep 0.6
  read -r _ h _ _ <<<"$(window_geometry "$MAIN")"
  [ "$h" -eq "$H" ] && CLOSED_AGAIN=$((CLOSED_AGAIN + 1))
  CYCLES=$((CYCLES + 1))
}

ROWS=()
sample() {  # label
  local line
  line=$(probe)
  S_GDI=$(field gdi "$line")
  S_USER=$(field user "$line")
  S_PRIV=$(kib "$(field private "$line")")
  S_WORK=$(kib "$(field working "$line")")
  S_RSS=$(status_kib VmRSS)
  S_ANON=$(status_kib RssAnon)
  ROWS+=("$(printf '%-8s %6s %11s %11s %11s %11s %9s %9s' "$1" "$CYCLES" "${S_GDI:-?}" "${S_USER:-?}" \
    "${S_PRIV:-?}" "${S_WORK:-?}" "${S_RSS:-?}" "${S_ANON:-?}")")
  log "${ROWS[-1]}"
}

# Warm-up: the first openings create the panel's and dialog's windows,
# fonts and caches once; only growth after that is a leak.
cycle
cycle
sample warm-up
B_GDI=$S_GDI B_USER=$S_USER B_PRIV=$S_PRIV B_RSS=$S_RSS B_ANON=$S_ANON

start=$SECONDS
next=$SAMPLE_SECONDS
while [ $((SECONDS - start)) -lt "$RUN_SECONDS" ]; do
  cycle
  if [ $((SECONDS - start)) -ge "$next" ]; then
    sample "$((SECONDS - start))s"
    next=$((next + SAMPLE_SECONDS))
  fi
done
# Let any pending repaint settle, then the last sample.
sleep 2
sample end

printf '\n%-8s %6s %11s %11s %11s %11s %9s %9s\n' when cycles gdi user private_KiB working_KiB rss_KiB anon_KiB
printf '%s\n' "${ROWS[@]}"
echo

# A count Wine cannot give is reported, not passed as flat.
# Wine answers some questions with nothing: such a figure is reported, not
# counted as a pass.
measurable() {
  case "$1$2" in
    *unsupported* | *\?* | '') log "not measurable here ($1 -> $2)"; return 1 ;;
  esac
}

within() {  # name start end bound
  case "$2$3" in
    *unsupported* | *\?* | '') log "$1: not measurable here ($2 -> $3)"; return 0 ;;
  esac
  local d=$(($3 - $2))
  log "$1: $2 -> $3 (change $d, bound +-$4)"
  [ "${d#-}" -le "$4" ]
}

check "the clock is still running after $CYCLES cycles" kill -0 "$CLOCK_PID"
check "the panel opened in every cycle ($PANEL_OPENED of $CYCLES)" [ "$PANEL_OPENED" -eq "$CYCLES" ]
check "the location dialog opened in every cycle ($DIALOG_OPENED of $CYCLES)" [ "$DIALOG_OPENED" -eq "$CYCLES" ]
check "the window got its height back in every cycle ($CLOSED_AGAIN of $CYCLES)" [ "$CLOSED_AGAIN" -eq "$CYCLES" ]
check "the probe could sample the clock" [ -n "$S_PRIV$S_GDI" ]
measurable "$B_GDI" "$S_GDI" && check "GDI objects stay flat" within gdi "$B_GDI" "$S_GDI" "$GUI_BOUND"
measurable "$B_USER" "$S_USER" && check "USER objects stay flat" within user "$B_USER" "$S_USER" "$GUI_BOUND"
measurable "$B_PRIV" "$S_PRIV" && check "private memory stays flat" within private "$B_PRIV" "$S_PRIV" "$MEM_BOUND"
check "resident memory stays flat" within rss "$B_RSS" "$S_RSS" "$MEM_BOUND"
check "anonymous (heap) memory stays flat" within anon "$B_ANON" "$S_ANON" "$HEAP_BOUND"

close_clock
finish
