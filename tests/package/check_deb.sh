#!/usr/bin/env bash
# The Debian package as a user and the archive's tools see it: built afresh,
# lintian clean (no error, no warning), its AppStream metadata and menu entry
# valid, icons and manual pages in place, and both programs answering --help
# and --version without any display.
#   check_deb.sh <build folder> <.deb path>
set -euo pipefail
BUILD=$1 DEB=$2
WORK=$(mktemp -d /tmp/qov-deb.XXXXXX)
trap 'rm -rf "$WORK"' EXIT
PASSED=0 FAILED=0
matches() { [[ "$1" == $2 ]]; }
check() {  # what command...
  local what=$1
  shift
  if "$@"; then PASSED=$((PASSED + 1)); echo "ok   $what"; else FAILED=$((FAILED + 1)); echo "FAIL $what"; fi
}

cmake --build "$BUILD" --target qov_deb >"$WORK/build.log" 2>&1 || { cat "$WORK/build.log"; exit 1; }
# Root or not, the package is judged the same; --fail-on makes W: count.
lintian --fail-on error,warning --display-info "$DEB" >"$WORK/lintian.txt" 2>&1 && clean=1 || clean=0
cat "$WORK/lintian.txt"
check "lintian reports no error or warning" [ "$clean" = 1 ]

root=$WORK/root
dpkg-deb -x "$DEB" "$root"
share=$root/usr/share
check "the AppStream metadata validates" appstreamcli validate --no-net "$share"/metainfo/*.metainfo.xml
check "the menu entry validates" desktop-file-validate "$share/applications/qov-clock.desktop"
for icon in 64x64/apps/qov-clock.png 128x128/apps/qov-clock.png scalable/apps/qov-clock.svg; do
  check "icon $icon" [ -s "$share/icons/hicolor/$icon" ]
done
for size in 64 128; do
  check "the ${size} px icon is ${size}x${size}" \
    [ "$(identify -format '%wx%h' "$share/icons/hicolor/${size}x${size}/apps/qov-clock.png")" = "${size}x${size}" ]
done
for page in qov-clock qov-jadwal; do
  check "manual page of $page" sh -c "zcat '$share/man/man1/$page.1.gz' | grep -q '^\.SH DESCRIPTION'"
done

# The installed programs, with no display of any kind.
version=$(dpkg-deb -f "$DEB" Version)
run() {  # program args...: sets code, out, err
  code=0
  env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM= "$@" >"$WORK/out" 2>"$WORK/err" </dev/null || code=$?
  out=$(cat "$WORK/out") err=$(cat "$WORK/err")
}
clock=$root/usr/bin/qov-clock
run "$clock" --help
check "qov-clock --help exits 0 ($code) with its usage" matches "$code $out" "0 Usage: qov-clock *"
run "$clock" --version
check "qov-clock --version exits 0 ($code) with '$out'" [ "$code $out" = "0 qov-clock ${version%-*}" ]
for bad in --frobnicate -x extra; do
  run "$clock" "$bad"
  check "qov-clock $bad: exit 2 ($code), naming it ($err)" matches "$code $err" "2 *'$bad'*"
done
run "$root/usr/bin/qov-jadwal" --help
check "qov-jadwal from the package answers --help ($code)" [ "$code" -eq 0 ]

echo "$PASSED passed, $FAILED failed"
[ "$FAILED" -eq 0 ]
