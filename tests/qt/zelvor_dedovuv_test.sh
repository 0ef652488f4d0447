#!/usr/bin/env bash
# Dedo Vuv in the real program on a real X server (run by run_under_xvfb.sh),
# with python3-dbusmock's NetworkManager on a bus of the script's own as the
# system bus: a profile that NetworkManager refuses is dialled three times
# (the dial window's log keeps the attempts), a working one is dialled by
# the "Conectar/Desconectar" action, runs its program, and once hung up is
# in `zelvorctl diary list` with a price; the traffic meter shows its texts.
# Screenshots: ZELVOR_DIAL_SHOT (the dial window's log) and
# ZELVOR_METER_SHOT (the traffic meter window), when set.
# Arguments: the zelvor and zelvorctl programs.
set -u
zelvor=$1 zelvorctl=$2
if ! /usr/bin/python3 -c 'import dbusmock' 2>/dev/null; then
  echo "skipped: python3-dbusmock is not installed (scripts/packages/dialup.txt)"
  exit 77
fi
. "$(dirname "$0")/zelvor_script.sh"
show_dedo() { echo "--- status:"; "$zelvorctl" status 2>&1 | grep -P '^(dial|traffic)'; }
on_fail=show_dedo
wait_for() { status_has "$1" || fail "no status line matches $1"; }
# Waits (bounded) until exactly n status lines match the pattern.
wait_count() {
  for _ in $(seq 100); do
    "$zelvorctl" status >"$work/status" 2>/dev/null
    [ "$(grep -cP "$1" "$work/status")" -eq "$2" ] && return 0
    sleep 0.1
  done
  fail "not $2 status lines match $1"
}
nm=org.freedesktop.NetworkManager
nm_path=/org/freedesktop/NetworkManager

# NetworkManager's mock on a bus of our own, which zelvor takes for the system bus.
mkdir -p "$work/bus"
dbus-daemon --session --nofork --print-address=1 --address="unix:dir=$work/bus" >"$work/bus.address" &
bus_pid=$!
for _ in $(seq 50); do [ -s "$work/bus.address" ] && break; sleep 0.1; done
export DBUS_SYSTEM_BUS_ADDRESS=$(head -n1 "$work/bus.address")
/usr/bin/python3 -m dbusmock --system --template networkmanager >"$work/nm.log" 2>&1 &
mock_pid=$!
cleanup_bus() { kill "$mock_pid" "$bus_pid" 2>/dev/null; }
trap cleanup_bus EXIT
nm_call() { gdbus call --system --dest "$nm" "$@" >/dev/null || fail "gdbus call $* failed"; }
for _ in $(seq 100); do
  gdbus introspect --system --dest "$nm" --object-path "$nm_path" >/dev/null 2>&1 && break
  sleep 0.1
done
nm_call --object-path "$nm_path" --method org.freedesktop.DBus.Mock.AddEthernetDevice modem ttyUSB0 30
add_profile() {
  gdbus call --system --dest "$nm" --object-path "$nm_path/Settings" \
    --method org.freedesktop.NetworkManager.Settings.AddConnection \
    "{'connection': {'id': <'$1'>, 'type': <'gsm'>, 'uuid': <'uuid-$2'>}}" |
    grep -o "'/[^']*'" | tr -d "'"
}
broken=$(add_profile "Averiado" averiado)
add_profile "Móvil" movil >/dev/null
[ -n "$broken" ] || fail "no profile added"
code="import time
if args[0] == '$broken':
    raise dbus.exceptions.DBusException('La línea está ocupada', name='org.freedesktop.NetworkManager.Failed')
ret = dbus.ObjectPath(self.AddActiveConnection(['$nm_path/Devices/modem'], args[0], '/', 'c%d' % time.monotonic_ns(), dbus.UInt32(2)))"
nm_call --object-path "$nm_path" --method org.freedesktop.DBus.Mock.AddMethod "$nm" ActivateConnection ooo o "$code"

# The program run once connected, which stays until the line is hung up.
cat >"$work/correo.sh" <<'SCRIPT'
#!/bin/sh
echo $$ >"$1"
exec sleep 300
SCRIPT
chmod +x "$work/correo.sh"

start
reg() { "$zelvorctl" reg set "$@" >/dev/null || fail "reg set $* failed"; }
reg DedoVuv AutoConectar --sz 1
reg DedoVuv Reintentos --sz 3
reg DedoVuv Conexion --sz "Averiado"
reg DedoVuv CuandoEjecutarProgramas --sz 1
reg 'DedoVuv\Programas' Numero --sz 1
reg 'DedoVuv\Programas\ 1' Descripcion --sz "Correo"
reg 'DedoVuv\Programas\ 1' Programa --sz "$work/correo.sh"
reg 'DedoVuv\Programas\ 1' Argumentos --sz "$work/correo.started"
reg 'DedoVuv\Programas\ 1' CerrarAlDesconectar --sz 1
wait_for '^dialdefault\tAveriado$'

# 6: "Conectar/Desconectar a la conexión predeterminada".
"$zelvorctl" command 6 6 >/dev/null || fail "command failed"
wait_count '^diallog\t\d+\tcross\tLa línea está ocupada$' 3
[ "$(grep -cP '^diallog\t\d+\tnone\t-{19}$' "$work/status")" -eq 2 ] || fail "not two separator lines"
grep -qP '^dialwindow\tshown\tConectar con Averiado$' "$work/status" || fail "the dial window is not shown"
echo "three attempts, two separators"
if [ -n "${ZELVOR_DIAL_SHOT:-}" ] && command -v import >/dev/null; then
  w=$(window_named "Conectar con Averiado") || fail "no dial window"
  sleep 1
  import -window "$w" "$ZELVOR_DIAL_SHOT"
fi
w=$(window_named "Conectar con Averiado") || fail "no dial window"
xdotool windowactivate --sync "$w" key Escape 2>/dev/null || xdotool key --window "$w" Escape
wait_for '^dialwindow\thidden\t'

reg DedoVuv Conexion --sz "Móvil"
"$zelvorctl" command 6 6 >/dev/null || fail "command failed"
wait_for '^dialup\tConectado: \d\dh\. \d\dm\. \d\ds\.\tMóvil$'
grep -qP '^diallog\t\d+\tconnected\tConectado$' "$work/status" || fail "the log does not end connected"
for _ in $(seq 50); do [ -f "$work/correo.started" ] && break; sleep 0.1; done
[ -f "$work/correo.started" ] || fail "the program did not start"
program_pid=$(cat "$work/correo.started")
[ -n "$program_pid" ] || fail "the program told no process id"
echo "connected, program started"
sleep 2
"$zelvorctl" command 6 6 >/dev/null || fail "command failed"
wait_for '^dialup\tDesconectado\t'
# Ended: gone, or a zombie its parent has not collected yet.
running() { case "$(ps -o stat= -p "$1" 2>/dev/null)" in ""|Z*) return 1 ;; esac; }
for _ in $(seq 50); do running "$program_pid" || break; sleep 0.1; done
running "$program_pid" && fail "the program did not end at the hang-up"
"$zelvorctl" diary list >"$work/diary" || fail "diary list failed"
cat "$work/diary"
grep -qP '^\d+\tMóvil\tttyUSB0\t\S+ \S+\t\d+\t\S+' "$work/diary" || fail "no priced record of Móvil"
echo "hung up into the diary"

# 7: the traffic meter.
"$zelvorctl" command 6 7 >/dev/null || fail "command failed"
wait_for '^traffic\tshown\t\d+\.\d KB/s - \d+\.\d\d MB\t\d+\.\d KB/s - \d+\.\d\d MB$'
w=$(window_named "Medidor del tráfico en la red") || fail "no traffic meter window"
if [ -n "${ZELVOR_METER_SHOT:-}" ] && command -v import >/dev/null; then
  sleep 4
  import -window "$w" "$ZELVOR_METER_SHOT"
fi
echo "traffic meter shown"

stop
rm -rf "$work"
echo "passed"
