# A Linux desktop as users run it, for the tests that need more than the
# bare display: a session bus of the test's own, a window manager
# (openbox), a D-Bus tray (xfce4-panel, a StatusNotifierItem host) and a
# notification daemon (dunst). Each is started here and ended by its PID
# (BACKGROUND_PIDS, in common.sh's cleanup); what the bus starts on demand
# ends with the bus.

# The session bus; with "activation" it starts the desktop's services on
# demand (the panel needs its settings service), without it only what the
# test started answers.
start_session_bus() {
  local conf=$WORK/session.conf
  {
    echo "<busconfig><type>session</type><listen>unix:dir=$WORK</listen><auth>EXTERNAL</auth>"
    [ "${1:-}" = activation ] && echo '<standard_session_servicedirs/>'
    echo '<policy context="default"><allow send_destination="*" eavesdrop="true"/><allow eavesdrop="true"/><allow own="*"/></policy></busconfig>'
  } >"$conf"
  # Services it starts inherit this environment: the throw-away HOME and
  # XDG_CONFIG_HOME, the test's display. No accessibility bus.
  export NO_AT_BRIDGE=1
  dbus-daemon --config-file="$conf" --nofork --print-address=3 3>"$WORK/bus.address" 2>/dev/null &
  BACKGROUND_PIDS+=" $!"
  wait_until 5 test -s "$WORK/bus.address" || { log "the session bus did not start"; exit 1; }
  DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$WORK/bus.address")
  export DBUS_SESSION_BUS_ADDRESS
}

start_openbox() {
  openbox >/dev/null 2>&1 &
  BACKGROUND_PIDS+=" $!"
  wait_until 5 wm_running || log "openbox did not start"
}
wm_running() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }

# The small X tray the adapter started gives way: only one tray is wanted.
stop_x_tray() {
  [ -z "$TRAYER_PID" ] || { kill "$TRAYER_PID"; wait "$TRAYER_PID"; } 2>/dev/null || true
  TRAYER_PID=""
}

# One panel along the top of the screen with only the notification area;
# the first item sits at PANEL_ITEM (x y).
PANEL_ITEM="13 14"
start_xfce_panel() {
  local dir=$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml
  mkdir -p "$dir"
  cat >"$dir/xfce4-panel.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="28"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
XML
  xfce4-panel >"$WORK/panel.log" 2>&1 &
  BACKGROUND_PIDS+=" $!"
  wait_until 20 sni_host_registered || { log "xfce4-panel registered no tray host"; exit 1; }
}

start_dunst() {
  dunst >"$WORK/dunst.log" 2>&1 &
  DUNST_PID=$!
  BACKGROUND_PIDS+=" $DUNST_PID"
  wait_until 5 bus_has org.freedesktop.Notifications || log "dunst took no name on the bus"
}

bus_has() {
  gdbus call --session -d org.freedesktop.DBus -o /org/freedesktop/DBus -m org.freedesktop.DBus.NameHasOwner "$1" 2>/dev/null |
    grep -q true
}

# The StatusNotifierItem side, through the watcher the panel runs.
sni_watcher() {  # property
  gdbus call --session -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher \
    -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher "$1" 2>/dev/null
}
sni_host_registered() { sni_watcher IsStatusNotifierHostRegistered | grep -q true; }
# The bus name of the first registered item (":1.8").
sni_item() { sni_watcher RegisteredStatusNotifierItems | grep -o ':[0-9.]*' | head -n1 | grep .; }
sni_registered() { sni_item >/dev/null; }
sni_property() {  # name
  gdbus call --session -d "$(sni_item)" -o /StatusNotifierItem \
    -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierItem "$1" 2>/dev/null
}
# The item's exported menu (dbusmenu), as one line per entry: "ID VISIBLE LABEL".
sni_menu() {
  local path
  path=$(sni_property Menu | grep -o "'/[^']*'" | tr -d "'") || return 1
  gdbus call --session -d "$(sni_item)" -o "$path" -m com.canonical.dbusmenu.GetLayout 0 'int32 -1' \
    '["label", "visible", "toggle-state"]' 2>/dev/null |
    grep -o "([0-9]*, {[^}]*}" | sed -E "s/^\(([0-9]*), \{(.*)\}/\1 \2/" |
    awk '{ id = $1; vis = ($0 ~ /.visible.: <false>/) ? "hidden" : "shown"
           on = ($0 ~ /.toggle-state.: <1>/) ? " [x]" : ""
           label = $0; if (!sub(/.*.label.: <./, "", label)) next; sub(/.>.*/, "", label)
           print id, vis, label on }'
}
# The tray clicks an entry of the item's menu, as it does when the user picks it.
sni_click() {  # label
  local path id
  path=$(sni_property Menu | grep -o "'/[^']*'" | tr -d "'")
  id=$(sni_menu | awk -v l="$1" '{ s = $0; sub(/^[0-9]+ [a-z]+ /, "", s); sub(/ \[x\]$/, "", s); if (s == l) print $1 }' | head -n1)
  [ -n "$id" ] && gdbus call --session -d "$(sni_item)" -o "$path" -m com.canonical.dbusmenu.Event "$id" clicked '<int32 0>' 0 >/dev/null
}
