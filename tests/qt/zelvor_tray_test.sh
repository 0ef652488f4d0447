#!/usr/bin/env bash
# The real program on a real X server with a real tray (run by
# run_under_xvfb.sh): a first start on an empty store embeds the product icon
# and one icon per enabled utility, zelvorctl status agrees, a click on the
# product icon opens the product menu, and "Salir" ends the program.
# Arguments: the zelvor and zelvorctl programs.
set -u
zelvor=$1 zelvorctl=$2
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
fail() { echo "FAIL: $*"; echo "--- zelvor stderr:"; cat "$work/err"; kill "$pid" 2>/dev/null; rm -rf "$work"; exit 1; }

"$zelvor" >"$work/out" 2>"$work/err" &
pid=$!
for _ in $(seq 200); do "$zelvorctl" status >"$work/status" 2>/dev/null && break; sleep 0.1; done
[ -s "$work/status" ] || fail "zelvorctl status never answered"

# Every built-in icon is listed, in the notification area, with its title.
for row in "1 Zelvor" "3 Vada VU" "4 Dade Rive" "5 Zivi Duvaza" "6 Dedo Vuv" "7 Divo Zidezevuza" \
           "8 Rezi Zovidaraz" "9 Duvu Zevad" "10 Ravi Varudide" "300 Deve Revazoz"; do
  id=${row%% *} title=${row#* }
  grep -qP "^icon\t$id\t$title\t.*\ttray$" "$work/status" || fail "status lacks icon $id ($title)"
done
listed=$(grep -c "^icon" "$work/status")

# The tray embedded exactly the listed icons (each named zelvor-icon-ID).
embedded=0
for _ in $(seq 300); do
  embedded=$(xwininfo -root -tree | grep -c '"zelvor-icon-[0-9]*": ("zelvor"')
  [ "$embedded" -eq "$listed" ] && break
  sleep 0.1
done
[ "$embedded" -eq "$listed" ] || fail "$embedded icons embedded, $listed listed"
echo "embedded $embedded icons"

# A left click on the product icon opens the product menu.
window=$(xdotool search --name '^zelvor-icon-1$' | head -n1)
[ -n "$window" ] || fail "no window for the product icon"
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
for _ in $(seq 150); do
  "$zelvorctl" status >"$work/status" 2>/dev/null
  grep -qP "^menu\tZelvor" "$work/status" && break
  sleep 0.1
done
grep -qP "^menu\tZelvor" "$work/status" || fail "the product menu did not open: $(cat "$work/status")"
grep -qP "^item\t0\t3008\t-\tSalir$" "$work/status" || fail "the product menu has no Salir: $(grep -P '^item' "$work/status")"
echo "product menu open"
xdotool key Escape

"$zelvorctl" quit || fail "zelvorctl quit failed"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$pid" 2>/dev/null && fail "zelvor did not end after quit"
wait "$pid"
rc=$?
[ "$rc" -eq 0 ] || fail "zelvor exited with $rc"
rm -rf "$work"
echo "passed"
