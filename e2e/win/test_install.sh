#!/usr/bin/env bash
# The installer and the uninstaller, silently, as an administrator deploying
# the clock would run them: per user with start at sign-in, then for all
# users without it; the installed clock starts from elsewhere and writes its
# first-run settings; uninstalling removes the program, closes a running
# clock properly, and keeps the settings unless asked to remove them. The
# Start-menu shortcut and the running clock carry the same AppUserModelID.
source "$(dirname "$0")/../common.sh"
: "${QOV_RELEASE_DIR:?folder of the release packages}"
: "${QOV_VERSION:?version of the program}"
: "${QOV_APP_ID:?AppUserModelID of the program}"
SETUP=$QOV_RELEASE_DIR/QOVClock-$QOV_VERSION-setup.exe
[ -f "$SETUP" ] || { echo "missing $SETUP" >&2; exit 1; }
setup

UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\QOVClock'
RUN_KEY='Software\Microsoft\Windows\CurrentVersion\Run'
# reg query's value of a key ("" when absent).
reg_query() { "$WINE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_[A-Z]* *//p" || true; }
unix_path() { "$WINE" winepath -u "$1" 2>/dev/null | tr -d '\r' || true; }
# Wine 8 keeps no property store in shell links (its SetValue and Commit are
# stubs that log a "fixme") and stubs the process's ID the same way, so its
# trace is the witness there; a system that keeps the ID shows it in the
# shortcut's own bytes.
SHELL_TRACE=-all,fixme+shell,fixme+shcore
shortcut_has_id() {  # shortcut trace
  iconv -f UTF-16LE -t UTF-8 "$1" 2>/dev/null | grep -aqF "$QOV_APP_ID" && return 0
  grep -q 'propertystore_SetValue' "$2" && grep -q 'propertystore_Commit' "$2"
}
# Waits until a path is gone (the uninstaller runs on from a copy of itself).
gone() { wait_until 30 test ! -e "$1"; }

# --- per user, the default, with start at sign-in -------------------------
rc=0
WINEDEBUG=$SHELL_TRACE "$WINE" "$SETUP" /S /StartAtSignIn=1 >/dev/null 2>"$WORK/setup.log" || rc=$?
check "the silent per-user install succeeds (status $rc)" [ "$rc" -eq 0 ]
win_dir=$(reg_query "$UNINSTALL_KEY" InstallLocation)
dir=$(unix_path "$win_dir")
check "it installs under the user's own programs folder ($win_dir)" \
  bash -c "[[ '$win_dir' == *'\\AppData\\Local\\Programs\\QOV Clock' ]]"
for f in QOVClock.exe daftar_all.TXT adzhan.wav Uninstall.exe README.txt LICENSE.txt THIRD-PARTY-NOTICES.txt; do
  check "installed $f" [ -f "$dir/$f" ]
done
check "the installed program is the one built" cmp -s "$dir/QOVClock.exe" "$EXE"
check "Add/Remove Programs shows version $QOV_VERSION" [ "$(reg_query "$UNINSTALL_KEY" DisplayVersion)" = "$QOV_VERSION" ]
shortcut=$(unix_path "$("$WINE" cmd /c echo %APPDATA% | tr -d '\r')")/Microsoft/Windows/Start\ Menu/Programs/Jam\ QOV.lnk
check "a Start-menu shortcut 'Jam QOV'" [ -f "$shortcut" ]
check "the shortcut is given the ID $QOV_APP_ID" shortcut_has_id "$shortcut" "$WORK/setup.log"
check "the clock starts at sign-in" [ "$(reg_query "HKCU\\$RUN_KEY" QOVClock)" = "\"$win_dir\\QOVClock.exe\"" ]

# Started from another folder, it finds its files beside itself and writes
# the first run's settings.
(cd / && WINEDEBUG=$SHELL_TRACE exec "$WINE" "$dir/QOVClock.exe") >/dev/null 2>"$WORK/clock-shell.log" &
CLOCK_PID=$!
wait_window >/dev/null || log "the installed clock's window never appeared"
sleep 2
check "the installed clock writes its first-run settings" [ "$(get Lokasi Kota)" = "Jakarta" ]
shot installed-clock
check "the running clock takes the same ID" \
  grep -qF "SetCurrentProcessExplicitAppUserModelID L\"$QOV_APP_ID\"" "$WORK/clock-shell.log"

# Uninstalling while it runs closes it as its own Exit does (the height is
# stored on the way out) and removes what the installer put in place.
"$WINE" "$dir/Uninstall.exe" /S >/dev/null 2>&1
gone "$dir/QOVClock.exe" || true
check "the uninstaller closed the running clock" wait_until 10 stopped "$CLOCK_PID"
CLOCK_PID=""
check "the clock stored its height on the way out" [ -n "$(get PosisiWindow Panjang)" ]
check "the program folder is gone" gone "$dir"
check "the shortcut is gone" [ ! -e "$shortcut" ]
check "the start at sign-in is gone" [ -z "$(reg_query "HKCU\\$RUN_KEY" QOVClock)" ]
check "the Add/Remove Programs entry is gone" [ -z "$(reg_query "$UNINSTALL_KEY" InstallLocation)" ]
check "the user's settings are kept" [ "$(get Lokasi Kota)" = "Jakarta" ]

# --- all users, in a folder of one's own, without start at sign-in; settings
# removed on request
rc=0
# No blank in /D=: Wine would quote the argument, and the installer takes
# /D= only unquoted.
"$WINE" "$SETUP" /S /AllUsers /StartAtSignIn=0 '/D=C:\Apps\QOVClock' >/dev/null 2>&1 || rc=$?
check "the silent all-users install succeeds (status $rc)" [ "$rc" -eq 0 ]
machine_key=${UNINSTALL_KEY/HKCU/HKLM}
win_dir=$(reg_query "$machine_key" InstallLocation)
dir=$(unix_path "$win_dir")
check "it installs in the folder given ($win_dir)" [ "$win_dir" = 'C:\Apps\QOVClock' ]
check "installed QOVClock.exe for all users" [ -f "$dir/QOVClock.exe" ]
check "no start at sign-in when declined" \
  [ -z "$(reg_query "HKLM\\$RUN_KEY" QOVClock)$(reg_query "HKCU\\$RUN_KEY" QOVClock)" ]
"$WINE" "$dir/Uninstall.exe" /S /RemoveSettings >/dev/null 2>&1
check "the all-users uninstall removes the folder" gone "$dir"
check "the all-users entry is gone" [ -z "$(reg_query "$machine_key" InstallLocation)" ]
check "settings removed when asked" wait_until 10 eval '[ -z "$(values Lokasi)" ]'

finish
