#!/usr/bin/env bash
# The cost of Zivi Duvaza's processes view on a machine with many
# processes: starts 500 sleeping helpers, runs zelvor on a private Xvfb
# with the processes view open (refreshed every 2 seconds), and measures
# the CPU time zelvor uses over a stretch of SECONDS_MEASURED seconds,
# against `top -b -d 2` refreshing the same list over the same stretch.
# It also measures zelvor idle, with the window closed, before that.
# Usage: bench/zivi_process_view.sh BUILD_DIR   (HELPERS=500 SECONDS_MEASURED=60)
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
exec "$here/../tests/qt/run_under_xvfb.sh" bash -c '
set -euo pipefail
build=$1
helpers=${HELPERS:-500}
span=${SECONDS_MEASURED:-60}
work=$(mktemp -d)
export XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work
export DBUS_SYSTEM_BUS_ADDRESS=unix:path=$work/no-system-bus
ticks=$(getconf CLK_TCK)
# utime + stime of a process, in clock ticks.
cpu() { awk "{print \$14 + \$15}" "/proc/$1/stat" | tail -n1; }
percent() { awk -v t="$1" -v s="$span" -v hz="$ticks" "BEGIN { printf \"%.2f\", t / hz / s * 100 }"; }
pids=()
cleanup() { kill "${pids[@]}" 2>/dev/null || true; rm -rf "$work"; }
trap cleanup EXIT
cp /bin/sleep "$work/zivi-dormido"
for _ in $(seq "$helpers"); do "$work/zivi-dormido" 3600 & pids+=($!); done
"$build/app/zelvor" >/dev/null 2>&1 & zelvor=$!; pids+=($zelvor)
for _ in $(seq 100); do "$build/app/zelvorctl" status >/dev/null 2>&1 && break; sleep 0.1; done
sleep 3
processes=$( (ls -d /proc/[0-9]* 2>/dev/null || true) | wc -l)

before=$(cpu "$zelvor"); sleep "$span"; idle=$(( $(cpu "$zelvor") - before ))

"$build/app/zelvorctl" command 5 2 >/dev/null
sleep 5
top -b -d 2 >/dev/null & top=$!; pids+=($top)
sleep 1
z0=$(cpu "$zelvor"); t0=$(cpu "$top")
sleep "$span"
z1=$(cpu "$zelvor"); t1=$(cpu "$top")
kill "$top"
"$build/app/zelvorctl" quit >/dev/null || true
echo "processes on the machine: $processes (helpers: $helpers), stretch: $span s, clock ticks: $ticks/s"
echo "zelvor idle, window closed:      $(percent "$idle") % of one core"
echo "zelvor, processes view open:     $(percent $((z1 - z0))) % of one core"
echo "top -b -d 2, same stretch:       $(percent $((t1 - t0))) % of one core"
awk -v z=$((z1 - z0)) -v t=$((t1 - t0)) "BEGIN { if (t > 0) printf \"zelvor / top:                    %.2f\n\", z / t; else print \"zelvor / top: top used no measurable time\" }"
' bench "$build"
