#!/usr/bin/env bash
# Runs a command on a private X server (Xvfb) with a private D-Bus session
# bus and, unless ZELVOR_NO_TRAY is set, the trayer notification area.
# Exits 77 (skipped) when the tools are missing.
set -u
for tool in Xvfb dbus-daemon trayer xdotool xclip; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "skipped: $tool is not installed (scripts/packages/qt.txt)"
    exit 77
  fi
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number and tells it through the pipe. Several
# servers starting at once (tests run in parallel) now and then leave one
# without an answer: that one is ended and started again.
display=""
for attempt in 1 2 3; do
  exec 3<> <(:)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -ac >"$work/xvfb.log" 2>&1 &
  xvfb=$!
  pids+=($xvfb)
  for _ in $(seq 100); do
    if read -r -t 0.1 display <&3 && [ -n "$display" ]; then break; fi
  done
  [ -n "$display" ] && break
  echo "Xvfb did not start (attempt $attempt):"; cat "$work/xvfb.log"
  kill "$xvfb" 2>/dev/null
  wait "$xvfb" 2>/dev/null
  exec 3>&-
done
[ -n "$display" ] || exit 1
export DISPLAY=":$display"
unset WAYLAND_DISPLAY

dbus-daemon --session --nofork --print-address=4 4>"$work/bus" >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/bus" ] && break; sleep 0.05; done
DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/bus")
export DBUS_SESSION_BUS_ADDRESS
# The system bus is the same private one: nothing run here reaches the
# machine's own logind or NetworkManager (a script starts mocks there).
export DBUS_SYSTEM_BUS_ADDRESS=$DBUS_SESSION_BUS_ADDRESS
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

if [ -z "${ZELVOR_NO_TRAY:-}" ]; then
  trayer --edge bottom --align right --widthtype request --height 24 --SetDockType true \
    --transparent false --tint 0xdcdad5 --expand true >"$work/trayer.log" 2>&1 &
  pids+=($!)
fi

export QT_QPA_PLATFORM=xcb
"$@"
