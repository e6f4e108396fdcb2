#!/usr/bin/env bash
# The clock on a D-Bus tray (xfce4-panel, a StatusNotifierItem host) under
# openbox: the item carries the clock's menu (dbusmenu), which the panel
# draws; it mirrors the clock's state; its Exit, picked in the panel's menu,
# ends the program and takes the item away. Before that, with no tray at
# all, the clock's own menu offers Exit.
source "$(dirname "$0")/../common.sh"
source "$E2E/linux/desktop.sh"
unset DBUS_SESSION_BUS_ADDRESS
setup
start_openbox
stop_x_tray

# No tray host: the window's menu is the only way to quit.
start_clock
read -r w h x y <<<"$(window_geometry)"
menu 60 60
shot no-tray-menu
menu_text=$(ocr "200x300+$((x + 60 > SCREEN_W - 200 ? SCREEN_W - 200 : x + 60))+$((y + 50))" 6)
check "without a tray the clock's menu offers Exit (reads '$menu_text')" matches "$menu_text" "*Exit*"
xdotool key Up && sleep 0.25 && xdotool key Return
check "and Exit ends the program" wait_until 10 stopped "$CLOCK_PID"
CLOCK_PID=""

start_session_bus activation
start_xfce_panel
start_clock
check "the clock registers its item with the panel" wait_until 10 sni_registered
check "the item exports a menu" fails matches "$(sni_property Menu)" "*NO_DBUSMENU*"
layout=$(sni_menu)
log "the exported menu: $(echo "$layout" | cut -d' ' -f2- | tr '\n' '|')"
check "the exported menu has Exit, shown" grep -qx '[0-9]* shown Exit' <<<"$layout"
check "... and Hentikan Adzan, hidden while nothing plays" grep -qx '[0-9]* hidden Hentikan Adzan' <<<"$layout"
check "... and Always On Top, checked as the window is" grep -qx '[0-9]* shown Always On Top \[x\]' <<<"$layout"

# The panel lists the item: its icon is not the panel's flat background.
read -r ix iy <<<"$PANEL_ITEM"
item_drawn() {
  import -window root -crop 22x22+$((ix - 11))+$((iy - 11)) +repage "$WORK/item.png" &&
    [ "$(convert "$WORK/item.png" -colorspace Gray -format '%[fx:standard_deviation > 0.05]' info:)" = 1 ]
}
check "the panel shows the clock's icon" wait_until 10 item_drawn
shot dbus-tray

# A pick in the tray's menu reaches the clock, and the menu follows.
sni_click "Always On Top"
check "Always On Top from the tray's menu takes the window off the top" wait_until 5 fails is_topmost
check "the tray's menu shows it unchecked" grep -qx '[0-9]* shown Always On Top' <<<"$(sni_menu)"
sni_click "Always On Top"
check "and on again" wait_until 5 is_topmost
# A tray's stale or wrong clicks change nothing.
sni_click "Hentikan Adzan" || true
gdbus call --session -d "$(sni_item)" -o /MenuBar -m com.canonical.dbusmenu.Event 99999 clicked '<int32 0>' 0 >/dev/null 2>&1 || true
sleep 0.5
check "a click on a hidden entry or one the menu lacks changes nothing" [ "$(sni_menu | tr '\n' '|')" = "$(tr '\n' '|' <<<"$layout")" ]
check "... and the clock runs on" kill -0 "$CLOCK_PID"

# A left click sends Activate, which shows the clock (as a double click on
# the icon does on Windows) and opens no menu.
xdotool mousemove "$ix" "$iy" click 1
sleep 1
check "a click on the item keeps the clock shown" is_mapped
check "... and opens no menu" [ "$(brightness 150x150+0+30)" = "$(brightness 150x150+0+300)" ]

# The panel's own click: the menu it draws, whose last entry is Exit.
xdotool mousemove "$ix" "$iy" click 3
sleep 1.5
shot dbus-tray-menu
menu_text=$(ocr "200x220+0+28" 6)
check "the panel draws the clock's menu (reads '$menu_text')" matches "$menu_text" "*Waktu Sholat*Exit*"
xdotool key Up && sleep 0.3 && xdotool key Return
check "Exit in the panel's menu ends the program" wait_until 10 stopped "$CLOCK_PID"
CLOCK_PID=""
check "the item is gone from the panel" wait_until 5 fails sni_registered
finish
