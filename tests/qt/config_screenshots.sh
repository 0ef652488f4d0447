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
  local name=$1 title=$2; shift 2
  "$here/shoot_window.sh" "$out/$name.png" "$title" "$build/tests/qt/zelvor_config_demo" "$@"
}
shoot config-general "^Configuración de Zelvor$" general 10
shoot config-bar "^Configuración de Zelvor$" bar 10
shoot config-hotkeys "^Configuración de Zelvor$" hotkeys 10
shoot config-mouse "^Configuración de Zelvor$" mouse 10
