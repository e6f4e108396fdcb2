# Under Wine, the long run's witnesses: the clock's GDI and USER object
# counts and its memory, sampled by measure LABEL and checked by
# measure_check.
#
# Wine's GetGuiResources always answers 0, so the counts come from Wine
# itself: the clock's gdi debug channel logs every GDI handle allocated and
# freed with the process's live count, and the wineserver's request trace
# shows every USER handle (window, menu, icon, cursor, hook) made and
# destroyed. Both stream through one filter that keeps the live counts per
# process and writes them only when the script asks.
#   QOV_PROBE  qov-probe.exe (default: beside QOVClock.exe)
PROBE=${QOV_PROBE:-$EXE_DIR/qov-probe.exe}
GUI_BOUND=5  # objects
# KiB. Handle leaks show in the GDI/USER counts, not here; Wine's own heap
# has been seen to grow once by 228 KiB mid-run and then stay flat.
HEAP_BOUND=512
[ -f "$PROBE" ] || { echo "missing $PROBE" >&2; exit 1; }

# Before any Wine process of the prefix starts.
measure_start() {
  # The filter reads $TALLY_FIFO: the clock's gdi trace ("PID:TID:trace:gdi:..."),
  # the wineserver's USER-handle requests ("TID: request..."), and "#mark N"
  # from this script, on which it writes to $TALLY, for each process and
  # counter ("gdi", "gdi.TYPE", "user", "user.KIND"), the count now and the
  # lowest since the previous mark, then "end N". Every writer puts out whole
  # lines with one write each, so the lines never interleave.
  TALLY=$WORK/objects TALLY_FIFO=$WORK/objects.fifo
  mkfifo "$TALLY_FIFO"
  exec 7<>"$TALLY_FIFO"
  awk -v state="$TALLY" '
    BEGIN { kind["create_window()"] = "window"; kind["alloc_user_handle()"] = "object"; kind["set_hook()"] = "hook" }
    function put(k, v) { n[k] = v; if (!(k in lo) || v < lo[k]) lo[k] = v }
    function add(k, d) { put(k, n[k] + d) }
    function forget(p, what,   k, parts) {  # a process id used again starts from nothing
      for (k in n) { split(k, parts, SUBSEP); if (parts[1] == p && index(parts[2], what) == 1) { delete n[k]; delete lo[k] } }
    }
    function hexarg(key) {
      if (!match($0, key "=[0-9a-f]+")) return ""
      return substr($0, RSTART + length(key) + 1, RLENGTH - length(key) - 1)
    }
    function made(h, t, kind,   p) {
      if (!(t in pidof)) return
      gone(h)
      p = pidof[t]; owner[h] = p; kindof[h] = kind; thread[h] = t
      add(p SUBSEP "user", 1); add(p SUBSEP "user." kind, 1)
    }
    function gone(h,   p) {
      if (!(h in owner)) return
      p = owner[h]
      add(p SUBSEP "user", -1); add(p SUBSEP "user." kindof[h], -1)
      delete owner[h]; delete kindof[h]; delete thread[h]
    }
    $1 == "#mark" {
      for (k in n) { split(k, parts, SUBSEP); print parts[1], parts[2], n[k], lo[k] > state; lo[k] = n[k] }
      print "end", $2 > state
      close(state)
      next
    }
    # "allocated TYPE HANDLE N/65536" counts N after the allocation, "freed"
    # counts N before the free.
    /:trace:gdi:alloc_gdi_handle allocated / || /:trace:gdi:free_gdi_handle freed / {
      p = substr($1, 1, index($1, ":") - 1)
      type = $3; sub(/^NTGDI_OBJ_/, "", type)
      split($5, count, "/")
      d = $2 == "allocated" ? 1 : -1
      if (d > 0 && count[1] == 1) forget(p, "gdi")
      put(p SUBSEP "gdi", d > 0 ? count[1] : count[1] - 1); add(p SUBSEP "gdi." type, d)
      next
    }
    { t = $1; sub(/:$/, "", t) }
    $2 == "init_first_thread()" && $4 == "0" {
      p = hexarg("pid")
      forget(p, "user")
      for (h in owner) if (owner[h] == p) { delete owner[h]; delete kindof[h]; delete thread[h] }
      pidof[t] = p
      next
    }
    $2 == "new_thread(" { self[t] = ($3 == "process=ffffffff,"); next }
    $2 == "new_thread()" { c = hexarg("tid"); delete pidof[c]; if (self[t] && (t in pidof)) pidof[c] = pidof[t]; next }
    $4 == "0" && $2 in kind { made(hexarg("handle"), t, kind[$2]); next }
    $2 ~ /^(destroy_window|free_user_handle|remove_hook)\($/ { doomed[t] = hexarg("handle"); next }
    $2 ~ /^(destroy_window|free_user_handle|remove_hook)\(\)$/ { if ($4 == "0") gone(doomed[t]); delete doomed[t]; next }
    # A thread that ends takes its windows and hooks with it.
    $2 == "*killed*" {
      for (h in owner) if (thread[h] == t && kindof[h] != "object") gone(h)
      delete pidof[t]
    }
  ' <"$TALLY_FIFO" >/dev/null 2>&1 &
  BACKGROUND_PIDS+=" $!"
  # This prefix's wineserver, started before any other Wine process, with its
  # request trace on. The socket's folder is named after the prefix's device
  # and inode, under /tmp/.wine-UID upstream and a random /tmp/wine-* on
  # Debian. The inode may be that of an earlier test's prefix, deleted,
  # whose server may still hold the folder's lock: this server then exits at
  # once, that one is ended, and this one started again. A socket left by
  # an older server is older than this one's pid file.
  SERVER_DIR=$(printf 'server-%x-%x' $(stat -c '%d %i' "$WINEPREFIX"))
  listening() {
    [ -n "$(find "/tmp/.wine-$(id -u)" /tmp/wine-* -maxdepth 2 -path "*/$SERVER_DIR/socket" -type s \
      -newer "$WORK/wineserver.pid" 2>/dev/null)" ]
  }
  local attempt server=""
  for attempt in 1 2 3 4 5; do
    rm -f "$WORK/wineserver.pid"
    ( echo "$BASHPID" >"$WORK/wineserver.pid"; exec "$WINESERVER" -f -p -d1 2>&1 >/dev/null ) |
      grep --line-buffered -E '^[0-9a-f]+: (init_first_thread\(\) =|new_thread\(|(create_window|alloc_user_handle|set_hook)\(\) =|(destroy_window|free_user_handle|remove_hook)\(|\*killed\*)' \
        >"$TALLY_FIFO" &
    BACKGROUND_PIDS+=" $!"
    wait_until 5 test -s "$WORK/wineserver.pid" || continue
    server=$(cat "$WORK/wineserver.pid")
    BACKGROUND_PIDS+=" $server"
    # Wait for its socket so no Wine process starts a server of its own.
    wait_until 10 eval 'listening || stopped "$server"' || true
    listening && break
    log "the traced wineserver did not start (attempt $attempt)"
    server=""
    # A server still holding the folder (one a killed test left behind) is
    # this prefix's to the tools: ask it to go.
    "$WINESERVER" -k 2>/dev/null || true
    sleep 1
  done
  [ -n "$server" ] || { log "the traced wineserver did not start"; exit 1; }
  CLOCK_LOG=$TALLY_FIFO
  export WINEDEBUG=-all,+gdi,+pid
}

# The Windows side: "pid=N gdi=N user=N private=N working=N" (bytes); its
# gdi and user are "unsupported" under Wine.
probe() { "$WINE" "$PROBE" --name QOVClock.exe 2>/dev/null | tr -d '\r'; }
field() { sed -n "s/.* $1=\([^ ]*\).*/\1/p" <<<"$2"; }
# The Linux side: the resident size (KiB) of the process start_clock began,
# which is the one running QOVClock.exe once Wine's loader has exec'd.
# RssAnon is the heap and other private pages: Wine reports no private bytes.
status_kib() { awk -v k="$1:" '$1 == k {print $2}' "/proc/$CLOCK_PID/status" 2>/dev/null || echo unsupported; }
kib() { case $1 in '' | unsupported) echo unsupported ;; *) echo $(($1 / 1024)) ;; esac; }

MARKS=0 WINPID=""
mark() {  # asks the filter for its counts; waits until they are written
  MARKS=$((MARKS + 1))
  echo "#mark $MARKS" >&7
  wait_until 10 eval '[ "$(tail -n1 "$TALLY" 2>/dev/null)" = "end $MARKS" ]' ||
    { log "the object filter did not answer"; return 1; }
}
# The lowest count of a counter of the clock's process between the last two
# marks, so objects of a paint in progress are not counted.
lowest() { awk -v p="$WINPID" -v k="$1" '$1 == p && $2 == k {v = $4} END {if (v != "" || k ~ /\./) print v + 0}' "$TALLY"; }
gdi_types() { awk -v p="$WINPID" '$1 == p && $2 ~ /^gdi\./ {sub(/^gdi\./, "", $2); print $2, $4}' "$TALLY" | sort; }

measure() {  # label
  local line pid
  # Two seconds between the marks span several ticks and settle the last
  # click; the memory is read after them, at rest too.
  mark && sleep 2 && mark || true
  line=$(probe)
  # Wine's traces name processes by their id in hex, four digits or more.
  pid=$(sed -n 's/^pid=\([0-9]*\) .*/\1/p' <<<"$line")
  [[ $pid =~ ^[0-9]+$ ]] && WINPID=$(printf '%04x' "$pid")
  S_GDI=$(lowest gdi) S_USER=$(lowest user) S_TYPES=$(gdi_types)
  S_KINDS="windows $(lowest user.window), menus/icons/cursors $(lowest user.object), hooks $(lowest user.hook)"
  S_PRIV=$(kib "$(field private "$line")") S_WORK=$(kib "$(field working "$line")")
  S_RSS=$(status_kib VmRSS) S_ANON=$(status_kib RssAnon)
  log "$1, $CYCLES cycles: gdi ${S_GDI:-?}, user ${S_USER:-?}; KiB private ${S_PRIV:-?}, working ${S_WORK:-?}, rss ${S_RSS:-?}, anon ${S_ANON:-?}"
  [ "$1" != warm-up ] || B_GDI=$S_GDI B_USER=$S_USER B_PRIV=$S_PRIV B_RSS=$S_RSS B_ANON=$S_ANON B_TYPES=$S_TYPES B_KINDS=$S_KINDS
}

measure_check() {
  # Each GDI object type: its count at the warm-up and at the end.
  TYPES=$(join -a1 -a2 -e 0 -o 0,1.2,2.2 <(echo "$B_TYPES") <(echo "$S_TYPES"))
  printf '%-10s %8s %8s\n' gdi_type warm-up end $TYPES
  printf '\nuser at warm-up: %s\nuser at the end: %s\n\n' "$B_KINDS" "$S_KINDS"

  # Every GDI object type within the bound, not only their sum.
  types_flat() { awk -v b="$GUI_BOUND" '{d = $3 - $2; if (d < 0) d = -d; if (d > b) bad = 1} END {exit bad}' <<<"$TYPES"; }

  # Wine answers some questions with nothing: such a figure is reported, not
  # counted as a pass.
  measurable() {  # name start end
    case "$2$3" in
      *unsupported* | *\?* | '') log "$1: not measurable here ($2 -> $3)"; return 1 ;;
    esac
  }

  within() {  # name start end bound; a figure Wine cannot give passes here
    measurable "$@" || return 0
    local d=$(($3 - $2))
    log "$1: $2 -> $3 (change $d, bound +-$4)"
    [ "${d#-}" -le "$4" ]
  }

  check "the probe could sample the clock" [ -n "$WINPID" ]
  check "Wine's traces gave the clock's GDI and USER counts" \
    grep -Eqx '([0-9]+ ){3}[0-9]+' <<<"$B_GDI $S_GDI $B_USER $S_USER"
  check "GDI objects stay flat" within gdi "${B_GDI:-?}" "${S_GDI:-?}" "$GUI_BOUND"
  check "each type of GDI object stays flat" types_flat
  check "USER objects stay flat" within user "${B_USER:-?}" "${S_USER:-?}" "$GUI_BOUND"
  measurable private "$B_PRIV" "$S_PRIV" && check "private memory stays flat" within private "$B_PRIV" "$S_PRIV" "$MEM_BOUND"
  check "resident memory stays flat" within rss "$B_RSS" "$S_RSS" "$MEM_BOUND"
  check "anonymous (heap) memory stays flat" within anon "$B_ANON" "$S_ANON" "$HEAP_BOUND"
}
