#!/usr/bin/env bash
# qov-jadwal as a program: every case of tests/engine/data/jadwal_outputs.txt
# and jadwal_refusals.txt (their headers say how to read them), a month's
# days in order, and "--tz local" following $TZ.
set -u -f
jadwal=${1:?usage: cli_test.sh path/to/qov-jadwal}
data=$(cd "$(dirname "$0")/../engine/data" && pwd)
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
fails=0
fail() { printf 'FAIL: %s\n' "$*" >&2; fails=$((fails + 1)); }
# \n, \\ and \xHH escapes, into $u.
unescape() { printf -v u '%bx' "$1" && u=${u%x}; }

# Runs the blank-separated, escaped arguments ("" is an empty one; TODAY is
# today's date): sets status, out and err.
run() {
  local -a args=()
  local w
  for w in $1; do
    if [ "$w" = '""' ]; then args+=(""); elif [ "$w" = TODAY ]; then args+=("$(date +%F)"); else unescape "$w" && args+=("$u"); fi
  done
  out=$("$jadwal" "${args[@]}" 2>"$tmp/err"; printf 'x%d' $?)
  status=${out##*x} out=${out%x*} err=$(cat "$tmp/err"; printf x) err=${err%x}
}

cases() {
  local line kind text args="" cases=0 mine want
  while IFS= read -r line; do
    case $line in '' | '#'*) continue ;; esac
    kind=${line%% *} && unescape "${line#* }" && text=$u
    case $kind in
      out= | out~ | err~ | same | differs) ;;
      *) args=$line cases=$((cases + 1)) && run "$line" && continue ;;  # a case's arguments
    esac
    if [ "$kind" = 'err~' ]; then
      [ "$status" = 2 ] && [ -z "$out" ] && [ "${err#qov-jadwal: }" != "$err" ] &&
        [ "$(printf %s "$err" | wc -l)" = 1 ] && [[ $err == *"$text"* ]] || fail "$args: status $status, err '$err'"
      continue
    fi
    [ "$status" = 0 ] && [ -z "$err" ] || fail "$args: status $status, err '$err'"
    case $kind in
      out=) [ "$out" = "$text" ] || fail "$args: printed '$out'" ;;
      out~) [[ $out == *"$text"* ]] || fail "$args: printed '$out', wanted '$text'" ;;
      *)
        mine=$out want=same
        run "${line#* }"
        [ "$mine" = "$out" ] || want=differs
        [ "$status" = 0 ] && [ "$kind" = "$want" ] || fail "$args: $line"
        out=$mine status=0 err=""
        ;;
    esac
  done <"$data/$1"
  [ "$cases" -ge "$2" ] || fail "$1: only $cases cases"
}
cases jadwal_outputs.txt 30
cases jadwal_refusals.txt 60

# Every day of a month in order, and the full day keeping the five's columns.
for month in 2004-02:29 0099-02:28; do
  [ "$("$jadwal" --month "${month%:*}" --csv | tail -n +2 | cut -c9-10 | tr '\n' ' ')" = "$(seq -f '%02g' -s ' ' "${month#*:}") " ] ||
    fail "the days of ${month%:*}"
done
"$jadwal" --month 2026-02 --csv >"$tmp/five" && "$jadwal" --month 2026-02 --csv --full --hijri >"$tmp/full"
[ "$(head -n1 "$tmp/full")" = tanggal,imsak,shubuh,terbit,dhuha,dzuhur,ashar,maghrib,isya,hijri ] || fail "the full header"
cut -d, -f1,3,6-9 "$tmp/full" | cmp -s - "$tmp/five" || fail "the full day's five columns"

# London's times move by an hour on 29 March under its zone's name.
london() { "$jadwal" --lat 51.5074 --lon -0.1278 --fajr 20 --isya 18 --csv "$@" | sed -n "${row}p"; }
row=29 && [ "$(london --tz Europe/London --month 2026-03)" = "$(row=2 london --tz 0 --date 2026-03-28)" ] || fail "London on the 28th"
row=30 && [ "$(london --tz Europe/London --month 2026-03)" = "$(row=2 london --tz 1 --date 2026-03-29)" ] || fail "London on the 29th"

# "--tz local" is the zone the C library uses, $TZ included (it printed the
# system's zone whatever $TZ said, while "today" honoured it).
for tz in Asia/Kolkata :Asia/Kolkata /usr/share/zoneinfo/Asia/Kolkata; do
  table=$(TZ=$tz "$jadwal" --lat 28.6139 --lon 77.209 --date 2026-01-01 --tz local)
  [ "${table%%;*}" = "Latitude 28.6139, longitude 77.209, zone Asia/Kolkata (local)" ] && [[ $table == *"  +05:30"* ]] ||
    fail "TZ=$tz: $table"
done
[ "$(TZ=Nowhere/Atlantis "$jadwal" --tz local 2>&1)" = "qov-jadwal: --tz: the machine's time zone is unknown" ] ||
  fail "an unknown \$TZ"

# The page and the calendar file: each whole or not at all, nothing else
# written beside them, and a target that cannot be written refused.
mkdir "$tmp/out"
"$jadwal" --ramadan 1447 --ics "$tmp/out/a.ics" --html "$tmp/out/a.html" && [ "$(ls -A "$tmp/out" | tr '\n' ' ')" = "a.html a.ics " ] ||
  fail "the two files, and only they"
for target in "$tmp/out/none/x.ics:No such file" "$tmp/out/a.ics/x.ics:Not a directory" "$tmp/out:it is a folder"; do
  run "--month 2026-04 --ics ${target%:*}"
  [ "$status" = 1 ] && [ -z "$out" ] && [[ $err == "qov-jadwal: cannot write \"${target%:*}\": ${target#*:}"* ]] || fail "${target%:*}: $status '$err'"
done
[ "$(ls -A "$tmp/out" | tr '\n' ' ')" = "a.html a.ics " ] && [ "$(head -c 15 "$tmp/out/a.ics")" = BEGIN:VCALENDAR ] ||
  fail "a refused write left something behind"
[ "$("$jadwal" --month 2026-04 --ics - | grep -c '^BEGIN:VEVENT')" = 150 ] || fail "--ics - on standard output"

# --lang: the table's headings follow it, an unknown code is Indonesian, the
# CSV header never changes.
[ "$("$jadwal" --date 2026-03-02 --lang en | sed -n 2p | tr -s ' ')" = "date fajr dhuhr asr maghrib isha" ] || fail "--lang en headings"
[ "$("$jadwal" --date 2026-03-02 --lang xx)" = "$("$jadwal" --date 2026-03-02)" ] || fail "--lang xx is Indonesian"
[ "$("$jadwal" --date 2026-03-02 --lang en --csv)" = "$("$jadwal" --date 2026-03-02 --csv)" ] || fail "--lang en changed the CSV"

[ "$fails" = 0 ] && echo "qov-jadwal: every case passed" || exit 1
