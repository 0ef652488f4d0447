#!/usr/bin/env bash
# Takes a screenshot of each of the time trigger's windows (the countdown
# warning, the page with its enable box, the compact page) on a private
# Xvfb. Usage: exit_screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
shoot() {
  local name=$1 title=$2; shift 2
  "$here/shoot_window.sh" "$out/$name.png" "$title" "$build/tests/qt/zelvor_exit_demo" "$@"
}
shoot countdown "Dade Rive - Apagado automático" countdown 8
shoot page "Dedo Vuv - Conexión automática" page 8
shoot page-compact "Dade Rive - Apagado automático" compact 8
