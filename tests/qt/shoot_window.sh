#!/usr/bin/env bash
# Runs a program on a private Xvfb without a tray, waits (at most 20 s) for a
# visible window whose title matches TITLE (a regular expression), saves it
# as a PNG cut to the window, and ends the program.
# Usage: shoot_window.sh OUT_PNG TITLE PROGRAM [ARGUMENT]...
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
out=$1 title=$2
shift 2
ZELVOR_NO_TRAY=1 "$here/run_under_xvfb.sh" bash -c '
  out=$1 title=$2
  shift 2
  "$@" >/dev/null 2>&1 &
  program=$!
  window=$(timeout 20 xdotool search --sync --onlyvisible --name "$title" | head -n1)
  sleep 1
  import -window "$window" "$out"
  kill $program' shoot "$out" "$title" "$@"
