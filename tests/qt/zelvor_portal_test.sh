#!/usr/bin/env bash
# The real program inside a (pretended) Flatpak sandbox, on a private X
# server and session bus (run by run_under_xvfb.sh): a shortcut whose program
# is an address hands it to the desktop portal's OpenURI, played by
# python3-dbusmock on the private bus, exactly as written (quotes and
# backslashes included).
# Arguments: the zelvor and zelvorctl programs.
set -u
zelvor=$1 zelvorctl=$2
python=/usr/bin/python3
if ! "$python" -c 'import dbusmock' 2>/dev/null; then
  echo "skipped: python3-dbusmock is not installed (scripts/packages/qt.txt)"
  exit 77
fi
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
pid= mock=
fail() {
  echo "FAIL: $*"
  echo "--- zelvor stderr:"; cat "$work/err" 2>/dev/null
  echo "--- portal mock:"; cat "$work/mock" 2>/dev/null
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  [ -n "$mock" ] && kill "$mock" 2>/dev/null
  rm -rf "$work"
  exit 1
}
portal=(--session --dest org.freedesktop.portal.Desktop --object-path /org/freedesktop/portal/desktop)

"$python" -m dbusmock --session org.freedesktop.portal.Desktop /org/freedesktop/portal/desktop \
  org.freedesktop.portal.OpenURI >"$work/mock" 2>&1 &
mock=$!
for _ in $(seq 100); do gdbus introspect "${portal[@]}" >/dev/null 2>&1 && break; sleep 0.1; done
gdbus call "${portal[@]}" --method org.freedesktop.DBus.Mock.AddMethod org.freedesktop.portal.OpenURI OpenURI \
  'ssa{sv}' o "ret = dbus.ObjectPath('/org/freedesktop/portal/desktop/request/1_1/t')" >/dev/null ||
  fail "the portal mock did not start"

# A first start installs the defaults, which the shortcut then changes.
"$zelvor" >"$work/out" 2>"$work/err" &
pid=$!
for _ in $(seq 100); do "$zelvorctl" status 2>/dev/null | grep -qP '^icon\t100\t' && break; sleep 0.1; done
"$zelvorctl" quit >/dev/null || fail "zelvor did not start"
wait "$pid" || fail "zelvor exited with $?"
address="https://example.org/it's a \\ test?q=\"1\""
"$zelvorctl" reg set "" SugerenciasAlInicio --sz 0 || fail "reg set failed"
"$zelvorctl" reg set 'VaziDuzidarud/ 1/BotonIzquierdo' Programa --sz "$address" || fail "reg set failed"
FLATPAK_ID=org.example.Zelvor "$zelvor" >"$work/out" 2>"$work/err" &
pid=$!
# The icon is clicked once the tray holds it.
window=
for _ in $(seq 100); do
  window=$(xdotool search --name '^zelvor-icon-100$' | head -n1)
  [ -n "$window" ] && xwininfo -root -tree | grep -q '"zelvor-icon-100": ("zelvor"' && break
  sleep 0.1
done
[ -n "$window" ] || fail "no window for the first shortcut icon"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$window")"
xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 1

# The portal was asked to open the address: no parent window, the address, no options.
asked() {
  "$python" - "$address" <<'PY'
import sys, dbus
portal = dbus.SessionBus().get_object("org.freedesktop.portal.Desktop", "/org/freedesktop/portal/desktop")
calls = portal.GetCalls(dbus_interface="org.freedesktop.DBus.Mock")
sys.exit(0 if any(c[1] == "OpenURI" and [str(a) for a in c[2][:2]] == ["", sys.argv[1]] and len(c[2][2]) == 0
                  for c in calls) else 1)
PY
}
for _ in $(seq 50); do asked && break; sleep 0.1; done
asked || fail "the portal was not asked to open the address"
echo "the address went to the portal"

"$zelvorctl" quit >/dev/null || fail "zelvorctl quit failed"
for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
wait "$pid" || fail "zelvor exited with $?"
pid=
kill "$mock"
wait "$mock" 2>/dev/null
rm -rf "$work"
echo "passed"
