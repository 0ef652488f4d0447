#!/usr/bin/env bash
# Runs a test program in network and mount namespaces of its own (a user namespace
# maps us to root there): a veth pair v0/v1, 10.9.0.1 on v0 with 10.9.0.2
# reachable through v1, and /sys showing that namespace's interfaces. The
# machine's network is never touched. Exit 77 (skipped) where the system
# does not allow unprivileged namespaces.
set -u
if [ "${1:-}" != "--inside" ]; then
  unshare --user --map-root-user --net --mount true 2>/dev/null || { echo "skipped: no unprivileged namespaces"; exit 77; }
  exec unshare --user --map-root-user --net --mount "$0" --inside "$@"
fi
shift
set -e
ip link add v0 type veth peer name v1
ip link set lo up
ip link set v0 up
ip link set v1 up
ip addr add 10.9.0.1/24 dev v0
ip neigh add 10.9.0.2 lladdr "$(cat /sys/class/net/v1/address 2>/dev/null || ip -o link show v1 | sed -n 's/.*link\/ether \([0-9a-f:]*\).*/\1/p')" dev v0
# Router solicitations and the like would count as traffic.
echo 1 >/proc/sys/net/ipv6/conf/all/disable_ipv6 2>/dev/null || true
mount -t sysfs sysfs /sys
export ZELVOR_TEST_NETNS=1
exec "$@"
