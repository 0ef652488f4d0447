#!/usr/bin/env bash
# Dade Rive in the real program on a real X server (run by run_under_xvfb.sh,
# whose system bus is private) with python3-dbusmock's logind: the menu
# opens, "Bloquear apagado" takes a block lock logind lists, and an armed
# date-based automatic shutdown comes back running after a restart, shown
# in its window. Nothing powers anything off: the trigger is hours away.
# Arguments: the zelvor and zelvorctl programs.
# Screenshots when asked: ZELVOR_SHUTDOWN_MENU_SHOT, ZELVOR_AUTOCLOSE_SHOT (PNG paths).
set -u
zelvor=$1 zelvorctl=$2
python=/usr/bin/python3
if ! "$python" -c 'import dbusmock' 2>/dev/null; then
  echo "skipped: python3-dbusmock is not installed (scripts/packages/qt.txt)"
  exit 77
fi
[ "${DBUS_SYSTEM_BUS_ADDRESS:-}" = "${DBUS_SESSION_BUS_ADDRESS:-x}" ] || { echo "refusing: the system bus is not private"; exit 1; }
. "$(dirname "$0")/zelvor_script.sh"
show_status() { echo "--- status:"; cat "$work/status" 2>/dev/null; }
on_fail=show_status
export TMPDIR=$work/tmp
mkdir -p "$TMPDIR"

"$python" -m dbusmock --system --template logind >"$work/logind.log" 2>&1 &
logind=$!
trap 'kill $logind 2>/dev/null' EXIT
login1=(--system --dest org.freedesktop.login1 --object-path /org/freedesktop/login1)
for _ in $(seq 100); do gdbus introspect "${login1[@]}" >/dev/null 2>&1 && break; sleep 0.1; done
gdbus introspect "${login1[@]}" >/dev/null 2>&1 || fail "the logind mock did not start"
inhibitors() { gdbus call "${login1[@]}" --method org.freedesktop.login1.Manager.ListInhibitors; }

# A first start installs the defaults; the tip of the day is then told to stay away.
start
stop
"$zelvorctl" reg set "" SugerenciasAlInicio --sz 0 || fail "reg set failed"

# 1. The menu, from the icon's command 0, and the block.
start
status_has '^shutdownblock\toff$' || fail "no block line"
status_has '^autoshutdown\tstopped$' || fail "no automatic shutdown line"
"$zelvorctl" command 4 0 >/dev/null || fail "zelvorctl command 4 0 failed"
status_has '^menu\t' || fail "the Dade Rive menu did not open"
grep -q 'Apagar sistema' "$work/status" || fail "the menu has no Apagar sistema"
sleep 0.5
if [ -n "${ZELVOR_SHUTDOWN_MENU_SHOT:-}" ] && command -v import >/dev/null; then
  import -window root "$ZELVOR_SHUTDOWN_MENU_SHOT"
fi
xdotool key Escape
echo "the Dade Rive menu opened"
"$zelvorctl" command 4 9 >/dev/null || fail "zelvorctl command 4 9 failed"
status_has '^shutdownblock\ton\tsystem-lock$' || fail "the block took no system lock"
inhibitors | grep -q "'shutdown', 'Zelvor', '[^']*', 'block'" || fail "logind lists no block lock: $(inhibitors)"
echo "the block is a logind block lock"
stop

# 2. A daily trigger two hours from now, armed in the store: after the
# restart the window object is there, hidden and running.
hour=$(( ($(date +%-H) + 2) % 24 ))
"$zelvorctl" reg set 'DadeRive/Scheduler' Enable --dword 1 || fail "reg set failed"
"$zelvorctl" reg set 'DadeRive/Scheduler' Start --dword 1 || fail "reg set failed"
"$zelvorctl" reg set 'DadeRive/Scheduler' Hour --dword "$hour" || fail "reg set failed"
"$zelvorctl" reg set 'DadeRive/Scheduler' Minute --dword 0 || fail "reg set failed"
start
status_has '^autoshutdown\trunning\t0d 0[12]h [0-9]{2}m [0-9]{2}s$' || fail "the date trigger is not running after the restart"
grep -qP '^window\tCAutoCloseDlg\t' "$work/status" && grep -qP '^window\tCAutoCloseDlg\t.*\tvisible$' "$work/status" &&
  fail "the window shows before it is asked for"
"$zelvorctl" command 4 8 >/dev/null || fail "zelvorctl command 4 8 failed"
status_has '^window\tCAutoCloseDlg\tApagado automático\tvisible$' || fail "the automatic shutdown window did not show"
window_named '^Apagado automático$' >/dev/null || fail "no X window named Apagado automático"
sleep 1.5
if [ -n "${ZELVOR_AUTOCLOSE_SHOT:-}" ] && command -v import >/dev/null; then
  import -window root "$ZELVOR_AUTOCLOSE_SHOT"
fi
echo "the automatic shutdown window shows the running trigger"
[ -z "$(gdbus call "${login1[@]}" --method org.freedesktop.DBus.Mock.GetMethodCalls PowerOff 2>/dev/null | grep -o 'PowerOff')" ] ||
  fail "something asked logind to power off"
stop
rm -rf "$work"
echo "ok"
