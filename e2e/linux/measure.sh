# On Linux, the long run's witness: the clock's resident memory from /proc,
# sampled by measure LABEL and checked by measure_check. Qt's allocator keeps
# freed blocks for reuse, so the first cycles raise the mark once; a leak
# keeps raising it.
measure_start() { :; }
measure() {  # label
  LAST=$(awk '/^VmRSS:/ {print $2}' "/proc/$CLOCK_PID/status" 2>/dev/null)
  BASE=${BASE:-$LAST} SAMPLES+=" $LAST"
  log "$1: RSS $LAST KiB after $CYCLES cycles"
}
measure_check() {
  log "RSS samples (KiB):$SAMPLES"
  check "resident memory flat: $BASE -> $LAST KiB (bound $MEM_BOUND)" [ "$((LAST - BASE))" -le "$MEM_BOUND" ]
}
