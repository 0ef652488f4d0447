#!/usr/bin/env bash
# Takes a screenshot of the tip of the day and of the about box as the Qt
# binding renders them, on a private Xvfb, each cut to its window.
# Usage: screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
shoot() {
  local name=$1 title=$2; shift 2
  "$here/../qt/shoot_window.sh" "$out/$name.png" "$title" "$build/tests/shell_dialogs/zelvor_shell_dialogs_demo" "$@"
}
shoot tip-of-the-day "Sugerencia del día" tip 20
shoot about-box "Acerca de Zelvor" about 20
