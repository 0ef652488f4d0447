#!/usr/bin/env bash
# The real program on a real X server with a tray (run by run_under_xvfb.sh):
# the tip of the day opens at the first start; the product menu's
# "Configurar...", "Sugerencia del día" and "Acerca de..." open their
# windows; an item added to the "Programas" menu in the configuration
# window's program-list editor runs from that menu after "Apli&car"; a
# hotkey stored with zelvorctl and pressed with xdotool reaches the program;
# a click on a shortcut icon starts its program.
# Arguments: the zelvor and zelvorctl programs.
set -u
zelvor=$1 zelvorctl=$2
. "$(dirname "$0")/zelvor_script.sh"
# Opens the product menu with a click on its icon and walks it with the keys.
menu_keys() {
  local window
  window=$(xdotool search --name '^zelvor-icon-1$' | head -n1)
  [ -n "$window" ] || fail "no window for the product icon"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
  status_has '^menu\tZelvor' || fail "the product menu did not open"
  sleep 0.3
  xdotool key "$@"
}

# A first start installs the defaults and shows the tip of the day; then
# the tip is told to stay away and Ctrl+Alt+N is stored for "Nueva nota".
start
status_has '^window\tCTipDlg\tZelvor - Sugerencia del día\tvisible$' || fail "no tip at the first start: $(cat "$work/status")"
xdotool search --name '^Zelvor - Sugerencia del día$' >/dev/null || fail "no X window for the tip"
echo "tip of the day at the first start"
stop
"$zelvorctl" reg set "" SugerenciasAlInicio --sz 0 || fail "reg set failed"
"$zelvorctl" reg set DuvuZevad HotKey1 --dword $((0x34E)) || fail "reg set failed"  # Ctrl+Alt+N
# The first shortcut icon's left button runs touch on a file of ours.
"$zelvorctl" reg set 'VaziDuzidarud/ 1/BotonIzquierdo' Programa --sz /usr/bin/touch || fail "reg set failed"
"$zelvorctl" reg set 'VaziDuzidarud/ 1/BotonIzquierdo' Argumentos --sz "'$work/launched by zelvor'" || fail "reg set failed"
# And the first item of the "Programas" menu another file. The menus keep
# that one item only: the editor refuses to apply a list naming programs
# this machine lacks, and the default menus name desktop programs.
"$zelvorctl" reg set 'RaroDarid/Menu 1/ 1' Programa --sz /usr/bin/touch || fail "reg set failed"
"$zelvorctl" reg set 'RaroDarid/Menu 1/ 1' Argumentos --sz "$work/item" || fail "reg set failed"
"$zelvorctl" reg set 'RaroDarid/Menu 1' Numero --sz 1 || fail "reg set failed"
"$zelvorctl" reg set RaroDarid Numero --sz 1 || fail "reg set failed"
# The program the editor adds: it leaves a mark beside itself when it runs.
mkdir -p "$work/bin"
printf '#!/bin/sh\ntouch "$0.ran"\n' >"$work/bin/record"
chmod +x "$work/bin/record"
start

# "Configurar..." is the second item from the bottom of the product menu.
menu_keys Up Up Return
status_has '^window\tCConfDlg\tConfiguración de Zelvor\tvisible$' || fail "no configuration window: $(cat "$work/status")"
xdotool search --name '^Configuración de Zelvor$' >/dev/null || fail "no X window titled Configuración de Zelvor"
echo "configuration window open"

# The program-list editor: "Menús" under "Raro Darid" in the window's tree
# (a click on the tree's empty part gives it the keyboard), then the
# "Programas" node of the editor's own tree, "Nuevo elemento", its
# description and program, and "Apli&car".
config=$(xdotool search --name '^Configuración de Zelvor$' | head -n1)
eval "$(xdotool getwindowgeometry --shell "$config")"
xdotool mousemove $((X + 120)) $((Y + 420)) click 1
sleep 0.3
xdotool type --delay 50 'Raro'
xdotool key Right Down
xdotool type --delay 50 'Men'
sleep 0.3
xdotool mousemove $((X + 420)) $((Y + 260)) click 1
sleep 0.3
xdotool type --delay 50 'Prog'
sleep 0.3
# "Nuevo menú", then "Nuevo elemento".
xdotool key Tab Tab space
sleep 0.3
# Past the rest of the toolbar to "Descripcion:", then "Programa, archivo ó carpeta:".
xdotool key Tab Tab Tab Tab Tab Tab Tab Tab
xdotool type --delay 20 'Registro'
xdotool key Tab
xdotool type --delay 20 "$work/bin/record"
xdotool key alt+c
for _ in $(seq 50); do
  # The export's lines end in CR LF, as REGEDIT4 files do.
  "$zelvorctl" reg export 'RaroDarid/Menu 1/ 2' 2>/dev/null | tr -d '\r' >"$work/item2" &&
    grep -qxF '"Programa"="'"$work/bin/record"'"' "$work/item2" && break
  sleep 0.1
done
grep -qxF '"Programa"="'"$work/bin/record"'"' "$work/item2" ||
  fail "the new item was not stored: $(cat "$work/item2"; cat "$work/status")"
grep -qxF '@="Registro"' "$work/item2" || fail "the new item has no description: $(cat "$work/item2")"
echo "an item added in the editor was stored"

# The applied menu shows it second; choosing it runs the program.
window=$(xdotool search --name '^zelvor-icon-200$' | head -n1)
[ -n "$window" ] || fail "no window for the Programas icon"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
# Its title is cut to nothing: "Programas" is long for two items.
status_has '^item\t0\t2002\t-\tRegistro$' || fail "no new item in the menu: $(cat "$work/status")"
grep -qP '^menu\t$' "$work/status" || fail "the menu has a title: $(grep menu "$work/status")"
sleep 0.3
xdotool key Down Down Return
for _ in $(seq 50); do [ -e "$work/bin/record.ran" ] && break; sleep 0.1; done
[ -e "$work/bin/record.ran" ] || fail "the new item's program did not run"
echo "the new item ran from the Programas menu"
# The keyboard back to the configuration window, which Escape closes.
eval "$(xdotool getwindowgeometry --shell "$config")"
xdotool mousemove $((X + 120)) $((Y + 420)) click 1
sleep 0.3

# "Sugerencia del día" is the second item, "Acerca de..." the fourth.
xdotool key Escape
menu_keys Down Down Return
status_has '^window\tCTipDlg\tZelvor - Sugerencia del día\tvisible$' || fail "the tip did not open: $(cat "$work/status")"
menu_keys Down Down Down Down Return
status_has '^window\tCAboutDlg\tAcerca de Zelvor\tvisible$' || fail "the about box did not open: $(cat "$work/status")"
echo "tip and about box open from the menu"

# The stored hotkey was grabbed at start and reaches the program.
grep -qP '^hotkey\t0x0901\tCtrl \+ Alt \+ N\tregistered$' "$work/status" || fail "hotkey not registered: $(grep hotkey "$work/status")"
xdotool key ctrl+alt+n
status_has '^pressed\t0x0901$' || fail "the hotkey did not arrive: $(cat "$work/status")"
echo "hotkey pressed"

# A click on the first shortcut icon starts its program.
window=$(xdotool search --name '^zelvor-icon-100$' | head -n1)
[ -n "$window" ] || fail "no window for the first shortcut icon"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
for _ in $(seq 50); do [ -e "$work/launched by zelvor" ] && break; sleep 0.1; done
[ -e "$work/launched by zelvor" ] || fail "the shortcut's program did not run"
echo "shortcut icon ran its program"

# A right click on the "Programas" icon opens its menu; the first item runs.
window=$(xdotool search --name '^zelvor-icon-200$' | head -n1)
[ -n "$window" ] || fail "no window for the Programas icon"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
status_has '^item\t0\t2001\t-\tExplorador de Windows$' || fail "the Programas menu did not open: $(cat "$work/status")"
sleep 0.3
xdotool key Down Return
for _ in $(seq 50); do [ -e "$work/item" ] && break; sleep 0.1; done
[ -e "$work/item" ] || fail "the menu item's program did not run"
echo "menu icon opened its menu and ran an item"

stop
rm -rf "$work"
echo "passed"
