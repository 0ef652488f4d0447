#!/usr/bin/env bash
# Takes a screenshot of the note's properties and alarm dialogs and of a
# note-shaped window on a private Xvfb. Usage: notes_screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
shoot() {
  local name=$1 title=$2; shift 2
  "$here/shoot_window.sh" "$out/$name.png" "$title" "$build/tests/qt/zelvor_notes_demo" "$@"
}
shoot note-properties "Propiedades de la nota" properties 8
shoot note-alarm "Alarma" alarm 8
shoot note-window "Nota 1" note 8
