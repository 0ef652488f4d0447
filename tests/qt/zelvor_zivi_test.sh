#!/usr/bin/env bash
# Zivi Duvaza in the real program on a real X server (run by
# run_under_xvfb.sh): the capacity view's totals agree with /proc/meminfo and
# df, the general view's processor count with nproc; a helper process the
# script starts shows in the processes view with its pid and name, its
# priority goes to "Baja" through the keyboard's menu (ps shows the nice
# value) and "Terminar proceso" ends it after the confirmation; the usage
# graph samples while it shows. With ZELVOR_ZIVI_SHOTS set to a folder, the
# capacity view, the processes view and the graph are saved there.
# Arguments: the zelvor and zelvorctl programs.
set -u
# The program runs in a process namespace of its own: the list it shows,
# and the row a key chooses, can only be this run's processes, never
# another program's on the machine.
if [ -z "${ZIVI_OWN_PIDS:-}" ]; then
  unshare -p -f --mount-proc true 2>/dev/null || { echo "SKIP: no process namespace of our own (unshare)"; exit 77; }
  ZIVI_OWN_PIDS=1 exec unshare -p -f --mount-proc "$0" "$@"
fi
zelvor=$1 zelvorctl=$2
. "$(dirname "$0")/zelvor_script.sh"
# The services view is not opened here, and no bus stands in for the
# system's: nothing can reach the machine's own services.
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/no-system-bus
show_zivi() { echo "--- status:"; "$zelvorctl" status 2>&1 | grep -P '^zivi'; }
shots=${ZELVOR_ZIVI_SHOTS:-}
shoot() { [ -n "$shots" ] && command -v import >/dev/null && { mkdir -p "$shots"; import -window "$1" "$shots/$2.png"; }; }
# The digits of a figure ("8.192 MB" → 8192, "12,50 GB" → 1250).
digits() { printf '%s' "$1" | tr -cd '0-9'; }
# Field n (1-based after the record name) of the zivirow whose first cell is $1.
row_field() { grep -P "^zivirow\t\Q$1\E\t" "$work/status" | head -n1 | cut -f$(($2 + 1)); }

# A name of this run's own, so that the list's search finds no other.
suffix=$(tr -dc 'a-z' </dev/urandom | head -c 5)
name=zivi-$suffix
cp /bin/sleep "$work/$name"
"$work/$name" 600 &
helper=$!
failed() { kill "$helper" 2>/dev/null; show_zivi; }
on_fail=failed

# Without the tip of the day, whose window would take the keyboard.
start
"$zelvorctl" reg set "" SugerenciasAlInicio --sz 0 || fail "reg set failed"
stop
start

# Capacity: totals against the kernel's and df's figures.
"$zelvorctl" command 5 1 >/dev/null || fail "command failed"
status_has '^ziviview\t0\t' || fail "the capacity view did not open"
status_has '^zivirow\t      Memoria física:\t.*MB' || fail "no memory figures"
mem_total_kb=$(awk '/^MemTotal:/ {print $2}' /proc/meminfo)
swap_total_kb=$(awk '/^SwapTotal:/ {print $2}' /proc/meminfo)
[ "$(digits "$(row_field '      Memoria física:' 4)")" = $((mem_total_kb / 1024)) ] ||
  fail "physical total $(row_field '      Memoria física:' 4), /proc/meminfo says $((mem_total_kb / 1024)) MB"
[ "$(digits "$(row_field '      Archivo de swap:' 4)")" = $((swap_total_kb / 1024)) ] ||
  fail "swap total $(row_field '      Archivo de swap:' 4), /proc/meminfo says $((swap_total_kb / 1024)) MB"
# Free memory moves while we read it: within 256 MB of MemAvailable.
free_mb=$(digits "$(row_field '      Memoria física:' 2)")
avail_mb=$(($(awk '/^MemAvailable:/ {print $2}' /proc/meminfo) / 1024))
diff=$((free_mb - avail_mb)); diff=${diff#-}
[ "$diff" -le 256 ] || fail "physical free $free_mb MB, MemAvailable $avail_mb MB"
disks=0
while IFS=$'\t' read -r _ disk _ _ total _; do
  mount=${disk#      }; mount=${mount% \[*\]}
  [ "${mount:0:1}" = / ] || continue
  size=$(df -B1 --output=size "$mount" | tail -n1 | tr -d ' ')
  # Hundredths of a gigabyte of the whole megabytes, as the row writes them.
  expected=$(( ((size >> 20) * 100 + 512) / 1024 ))
  got=$(digits "$total")
  d=$((got - expected)); d=${d#-}
  [ "$d" -le 1 ] || fail "disk $mount: total $total, df says $size bytes"
  disks=$((disks + 1))
done < <(grep -P '^zivirow\t      /' "$work/status")
echo "capacity agrees with /proc/meminfo and df ($disks disks)"
w=$(window_named "Zivi Duvaza - Capacidad") || fail "no capacity window"
sleep 2.5
shoot "$w" zivi-capacity

# General information: the processor count.
"$zelvorctl" command 5 3 >/dev/null || fail "command failed"
status_has "^zivirow\t      Número de CPUs:\t$(nproc)\$" || fail "the processor count is not $(nproc)"
echo "processor count agrees with nproc"

# Processes: the helper with its pid and name.
"$zelvorctl" command 5 2 >/dev/null || fail "command failed"
status_has "^zivirow\t$name\t$helper\tNormal\t" || fail "the helper is not listed"
echo "helper listed"
w=$(window_named "Zivi Duvaza - Información de los procesos") || fail "no processes window"
eval "$(xdotool getwindowgeometry --shell "$w")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1
sleep 0.3
# The list finds a row by the first letters of its name (keys one by one:
# the list takes no typed text).
xdotool key --delay 60 z i v i minus $(echo "$suffix" | sed 's/./& /g')
status_has "^ziviselected\t$name\$" || fail "the helper's row was not selected"
# "&Proceso" ▸ "Establecer &prioridad" ▸ "&Baja".
xdotool key alt+p; sleep 0.6; xdotool key p; sleep 0.6; xdotool key b
status_has "^zivirow\t$name\t$helper\tBaja\t" || fail "the priority column did not change"
ni=$(ps -o ni= -p "$helper" | tr -d ' ')
[ "$ni" = 19 ] || fail "ps -o ni shows $ni"
echo "priority Baja, nice $ni"
shoot "$w" zivi-processes

# "&Proceso" ▸ "&Terminar proceso", then "Sí".
xdotool key alt+p; sleep 0.6; xdotool key t
box=$(window_named "Terminar proceso") || fail "no confirmation"
eval "$(xdotool getwindowgeometry --shell "$box")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + 10)) click 1
sleep 0.3
xdotool key Return
for _ in $(seq 50); do kill -0 "$helper" 2>/dev/null || break; sleep 0.1; done
kill -0 "$helper" 2>/dev/null && fail "the helper still runs"
wait "$helper" 2>/dev/null
"$zelvorctl" status >"$work/status"
grep -qP "^zivirow\t$name\t$helper\t" "$work/status" && fail "the ended helper is still listed"
echo "helper ended after the confirmation"

# The usage graph: shown, sampled, hidden.
"$zelvorctl" command 5 5 >/dev/null || fail "command failed"
status_has '^zivigraph\t\d+% \(.*MB\)\t\d+%\t([3-9]|\d\d+)$' || fail "the graph did not sample"
g=$(window_named "Gráfico del uso de memoria y de CPU") || fail "no graph window"
sleep 3
shoot "$g" zivi-graph
"$zelvorctl" command 5 5 >/dev/null || fail "command failed"
for _ in $(seq 50); do "$zelvorctl" status >"$work/status"; grep -q '^zivigraph' "$work/status" || break; sleep 0.1; done
grep -q '^zivigraph' "$work/status" && fail "the graph did not hide"
echo "usage graph shown and hidden"

stop
rm -rf "$work"
echo "passed"
