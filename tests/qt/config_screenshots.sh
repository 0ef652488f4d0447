#!/usr/bin/env bash
# Takes screenshots of the configuration window (general options, the icon
# bar tab, a hotkey page, a mouse-action page) on a private Xvfb.
# Usage: config_screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
shoot() {
  local name=$1; shift
  "$here/run_under_xvfb.sh" bash -c '
    "$0" "$@" >/dev/null 2>&1 &
    demo=$!
    sleep 4
    window=$(xdotool search --onlyvisible --name "^Configuración de Zelvor\$" | head -n1)
    import -window "$window" "'"$out/$name"'.png"
    kill $demo' "$build/tests/qt/zelvor_config_demo" "$@"
}
shoot config-general general 10
shoot config-bar bar 10
shoot config-hotkeys hotkeys 10
shoot config-mouse mouse 10
