#!/usr/bin/env bash
# Throughput of zelvorctl fetch against curl and against a bare
# receive-and-write loop (zelvor_raw_fetch), on the same file from the same
# loopback lighttpd (HTTP) and vsftpd (FTP, root needed), runs alternating.
# Prints each tool's median throughput, its time as a ratio of the bare
# loop's, and its peak memory (/usr/bin/time -v).
#
#   bench/download_throughput.sh [BUILD_DIR]     (default build/bench)
#   SIZE_MB=1024 RUNS=5 bench/download_throughput.sh
set -euo pipefail

top=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$top/build/bench}
size_mb=${SIZE_MB:-1024}
runs=${RUNS:-5}
ctl=$build/app/zelvorctl
raw=$build/bench/zelvor_raw_fetch
for tool in "$ctl" "$raw" /usr/bin/curl /usr/bin/time /usr/sbin/lighttpd; do
  [ -x "$tool" ] || { echo "missing $tool (build with: cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release && cmake --build build/bench --target zelvorctl zelvor_raw_fetch)" >&2; exit 1; }
done

work=$(mktemp -d /tmp/zelvor-bench-XXXXXX)
chmod 755 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/www" "$work/empty" "$work/out" "$work/config"
echo "making a ${size_mb} MiB file..."
head -c "${size_mb}M" /dev/urandom > "$work/www/f.bin"
chmod 644 "$work/www/f.bin"
bytes=$(stat -c %s "$work/www/f.bin")

free_port() { python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1",0)); print(s.getsockname()[1])'; }
http_port=$(free_port)
cat > "$work/lighttpd.conf" <<CONF
server.document-root = "$work/www"
server.bind = "127.0.0.1"
server.port = $http_port
server.errorlog = "$work/lighttpd.log"
mimetype.assign = ( "" => "application/octet-stream" )
CONF
/usr/sbin/lighttpd -D -f "$work/lighttpd.conf" & pids+=($!)

ftp_port=
if [ "$(id -u)" -eq 0 ] && [ -x /usr/sbin/vsftpd ] && getent passwd ftp >/dev/null; then
  ftp_port=$(free_port)
  cat > "$work/vsftpd.conf" <<CONF
listen=YES
listen_ipv6=NO
listen_address=127.0.0.1
listen_port=$ftp_port
background=NO
anonymous_enable=YES
no_anon_password=YES
ftp_username=ftp
anon_root=$work/www
local_enable=NO
write_enable=NO
seccomp_sandbox=NO
xferlog_enable=NO
secure_chroot_dir=$work/empty
CONF
  /usr/sbin/vsftpd "$work/vsftpd.conf" > "$work/vsftpd.log" 2>&1 & pids+=($!)
else
  echo "FTP skipped: needs root, vsftpd and the user ftp" >&2
fi
sleep 0.5

# run NAME COMMAND...: wall seconds and peak KiB appended to $work/NAME.
run() {
  local name=$1; shift
  rm -f "$work/out/"*
  local t0 t1
  t0=$(date +%s%N)
  XDG_CONFIG_HOME=$work/config /usr/bin/time -v -o "$work/time.txt" "$@" > /dev/null 2>&1
  t1=$(date +%s%N)
  local kib
  kib=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$work/time.txt")
  echo "$(( (t1 - t0) / 1000 )) $kib" >> "$work/$name"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

report() {
  local proto=$1; shift
  local base
  base=$(cut -d' ' -f1 "$work/$proto-raw" | median)
  printf '\n%s, %d MiB, median of %d runs\n' "$proto" "$size_mb" "$runs"
  printf '%-16s %10s %12s %12s\n' tool MiB/s "time/raw" "peak KiB"
  for tool in raw zelvorctl curl; do
    local us kib
    us=$(cut -d' ' -f1 "$work/$proto-$tool" | median)
    kib=$(cut -d' ' -f2 "$work/$proto-$tool" | median)
    awk -v t="$tool" -v us="$us" -v b="$bytes" -v base="$base" -v kib="$kib" \
      'BEGIN { printf "%-16s %10.0f %12.2f %12d\n", t, b / 1048576 / (us / 1e6), us / base, kib }'
  done
}

bench() {
  local proto=$1 url=$2 rawargs=$3
  for ((i = 0; i < runs; i++)); do
    # Alternate the order so no tool always runs first on a warm cache.
    local order=(raw zelvorctl curl)
    [ $((i % 3)) -eq 1 ] && order=(zelvorctl curl raw)
    [ $((i % 3)) -eq 2 ] && order=(curl raw zelvorctl)
    for tool in "${order[@]}"; do
      case $tool in
        raw) run "$proto-raw" "$raw" $rawargs "$work/out/f.bin" ;;
        zelvorctl) run "$proto-zelvorctl" "$ctl" fetch "$url" -o "$work/out/f.bin" ;;
        curl) run "$proto-curl" /usr/bin/curl -s -o "$work/out/f.bin" "$url" ;;
      esac
    done
  done
  # The last download must be the file itself (fetch never replaces a file).
  rm -f "$work/out/"*
  "$ctl" fetch "$url" -o "$work/out/f.bin" > /dev/null 2>&1
  cmp -s "$work/out/f.bin" "$work/www/f.bin" || { echo "$proto: zelvorctl got a different file" >&2; exit 1; }
  report "$proto"
}

bench http "http://127.0.0.1:$http_port/f.bin" "http 127.0.0.1 $http_port /f.bin"
[ -n "$ftp_port" ] && bench ftp "ftp://127.0.0.1:$ftp_port/f.bin" "ftp 127.0.0.1 $ftp_port /f.bin"
echo
