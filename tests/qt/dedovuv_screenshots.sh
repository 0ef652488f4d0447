#!/usr/bin/env bash
# Takes screenshots of Dedo Vuv's dial window (its log after three refused
# attempts) and of the traffic meter window, from the real program run by
# its Xvfb script against NetworkManager's mock.
# Usage: dedovuv_screenshots.sh BUILD_DIR OUT_DIR
set -euo pipefail
build=$1
out=$2
mkdir -p "$out"
here=$(cd "$(dirname "$0")" && pwd)
ZELVOR_DIAL_SHOT="$out/dedovuv-dial-log.png" ZELVOR_METER_SHOT="$out/dedovuv-traffic-meter.png" \
  "$here/run_under_xvfb.sh" "$here/zelvor_dedovuv_test.sh" "$build/app/zelvor" "$build/app/zelvorctl"
