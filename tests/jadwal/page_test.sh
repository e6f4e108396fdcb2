#!/usr/bin/env bash
# qov-jadwal's printable page through a real engine: WeasyPrint renders it
# to PDF, pdfinfo counts one A4 page per month, and every minute pdftotext
# reads off each page is, in order, the same days' `--csv`. The first page
# of each form is kept as a PNG in the folder given, to be looked at.
#   page_test.sh path/to/qov-jadwal [folder for the PNGs]
set -u -f
jadwal=${1:?usage: page_test.sh path/to/qov-jadwal [png folder]}
shots=${2:-.}
for tool in weasyprint pdfinfo pdftotext pdftoppm; do
  command -v "$tool" >/dev/null || { echo "page_test: $tool is missing (scripts/deps installs it)" >&2; exit 1; }
done
tmp=$(mktemp -d) && trap 'rm -rf "$tmp"' EXIT
fails=0 checked=0
fail() { printf 'FAIL: %s\n' "$*" >&2; fails=$((fails + 1)); }

# Renders $1.html with the arguments after it, then checks the page count
# and the minutes of every page against the CSV of the same arguments.
form() {
  local name=$1 pages=$2 && shift 2
  "$jadwal" "$@" --html "$tmp/$name.html" || { fail "$name: status $?"; return; }
  grep -Eq 'src=|href=|url\(|@import' "$tmp/$name.html" && fail "$name: the page loads something from elsewhere"
  weasyprint "$tmp/$name.html" "$tmp/$name.pdf" 2>"$tmp/$name.err" || { fail "$name: weasyprint: $(cat "$tmp/$name.err")"; return; }
  local info && info=$(pdfinfo "$tmp/$name.pdf")
  [[ $info == *"Pages:"*" $pages"$'\n'* ]] || fail "$name: wanted $pages pages: $(grep Pages <<<"$info")"
  [[ $info == *"(A4)"* ]] || fail "$name: not A4: $(grep 'Page size' <<<"$info")"
  pdftotext -layout "$tmp/$name.pdf" - | sed 's/UTC[+-][0-9:]*//g' | grep -o '[0-9][0-9]:[0-9][0-9]' >"$tmp/$name.page"
  "$jadwal" "$@" --csv | tail -n +2 | cut -d, -f2- | tr ',' '\n' >"$tmp/$name.csv"
  cmp -s "$tmp/$name.page" "$tmp/$name.csv" || fail "$name: the page's minutes differ from --csv: $(diff "$tmp/$name.page" "$tmp/$name.csv" | head -4)"
  checked=$((checked + $(wc -l <"$tmp/$name.csv")))
  mkdir -p "$shots" && pdftoppm -r 60 -png -f 1 -l 1 -singlefile "$tmp/$name.pdf" "$shots/page-$name"
}

madrid=(--lat 40.4168 --lon -3.7038 --tz Europe/Madrid --name Madrid)
form year 12 "${madrid[@]}" --month 2026-01 --months 12 --full  # every length of month, two changes of offset
form five 3 --month 2027-01 --months 3 --method kemenag
form ramadan 1 --ramadan 1447 --full --method kemenag --name "Masjid \"Al-Ikhlas\" <Jakarta>"
pdftotext "$tmp/ramadan.pdf" - | grep -q 'Jadwal Imsakiyah Ramadan 1447 H' || fail "the Ramadan form's title"
pdftotext "$tmp/ramadan.pdf" - | grep -q 'Masjid "Al-Ikhlas" <Jakarta>' || fail "the place's name, escaped, reads back as typed"
[ "$(grep -c '^<tr' "$tmp/ramadan.html")" = 30 ] || fail "the Ramadan form is not 1 to 30 Ramadan"

[ "$fails" = 0 ] && echo "page: $checked minutes on 16 pages equal --csv; PNGs in $shots" && echo "$checked passed, 0 failed" || exit 1
