#!/usr/bin/env bash
# Every way of ending the clock stores the window's height: the system's
# SIGTERM (shutdown, logout) and Exit from the tray icon's menu, which
# opens on a right click on the icon.
source "$(dirname "$0")/lib.sh"
setup

# way: how the clock is ended
for way in sigterm tray-exit; do
  rm -f "$CONF"
  start_clock
  read -r w h x y <<<"$(window_geometry)"
  case $way in
    sigterm)
      close_clock
      ;;
    tray-exit)
      xdotool mousemove 10 10 click 3
      sleep 0.8
      pointer_away
      import -window root -crop 200x200+0+0 +repage "$SHOTS/linux-tray-menu.png"
      menu_text=$(ocr "160x180+0+0" 6)
      log "tray menu reads '$menu_text'"
      check "the tray menu offers Exit" matches "$menu_text" "*Exit*"
      # Six entries down: the web site, always on top, the prayer times,
      # Setting, About, Exit.
      for k in Down Down Down Down Down Down Return; do xdotool key "$k"; sleep 0.15; done
      check "Exit ends the clock" wait_until 10 stopped "$CLOCK_PID"
      CLOCK_PID=""
      ;;
  esac
  check "$way: the height is stored ($((h * 15)) twips)" [ "$(conf_get PosisiWindow Panjang)" = " $((h * 15))" ]
  check "$way: no window is left" fails is_mapped
done
finish
