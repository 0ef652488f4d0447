#!/usr/bin/env bash
# Takes a screenshot of the tariff dialog and of the holiday dialog as the
# Qt binding renders them, on a private Xvfb, each cut to its window.
# Usage: diary_screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
shoot() {
  local name=$1 title=$2; shift 2
  "$here/../qt/shoot_window.sh" "$out/$name.png" "$title" "$build/tests/net/zelvor_diary_dialogs_demo" "$@"
}
shoot tariff-dialog "Configuración de las tarifas telefónicas" tarifas 20
shoot holiday-dialog "Festivos a lo largo del año" festivos 20
