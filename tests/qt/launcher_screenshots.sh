#!/usr/bin/env bash
# Takes a screenshot of the real program's "Programas" menu, opened by a
# right click on its icon in trayer, on a private Xvfb with a fresh store.
# Usage: launcher_screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
"$here/run_under_xvfb.sh" bash -c '
  work=$(mktemp -d)
  export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
  "$0/app/zelvorctl" reg set "" SugerenciasAlInicio --sz 0 >/dev/null 2>&1 || true
  "$0/app/zelvor" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 100); do window=$(xdotool search --name "^zelvor-icon-200\$" | head -n1) && [ -n "$window" ] && break; sleep 0.1; done
  # The first start shows the tip of the day: close it first.
  sleep 1
  tip=$(xdotool search --onlyvisible --name "^Zelvor - Sugerencia del día\$" | head -n1 || true)
  [ -n "$tip" ] && xdotool windowclose "$tip"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2)) click 3
  sleep 1
  import -window root "$1/launcher-menu.png"
  "$0/app/zelvorctl" quit >/dev/null 2>&1 || kill $pid
  wait $pid 2>/dev/null || true
  rm -rf "$work"' "$build" "$out"
