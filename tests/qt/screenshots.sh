#!/usr/bin/env bash
# Takes screenshots of the tray, a menu in each look, a dialog and a notice
# on a private Xvfb with trayer. Usage: screenshots.sh BUILD_DIR OUT_DIR
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
    import -window root "'"$out/$name"'.png"
    kill $demo' "$build/tests/qt/zelvor_qt_demo" "$@"
}
for style in 0 1 2 3; do shoot "menu-style$style" menu "$style" 8; done
shoot dialog dialog 8
shoot notice notice 8
