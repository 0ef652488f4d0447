# Shared by the README's commands: installs what is missing, finds folders.
# shellcheck shell=bash

ZELVOR_TOP=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)

zelvor_sudo() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Reads package names from the given lists (one a line, # comments) and
# installs those not installed yet.
zelvor_ensure_packages() {
  local missing=() pkg
  while read -r pkg; do
    [ -z "$pkg" ] && continue
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed"; then
      missing+=("$pkg")
    fi
  done < <(sed -e 's/#.*//' -e 's/[[:space:]]//g' "$@" | sort -u)
  if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing Debian packages: ${missing[*]}"
    zelvor_sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
    zelvor_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
  fi
}

zelvor_jobs() { nproc 2>/dev/null || echo 2; }

# Sets the array named $1 to the CMake option that compiles through ccache,
# when ccache is installed (empty otherwise). The cache is only a speed-up:
# a miss compiles as without it. The default cache (~/.cache/ccache) outlives
# the checkout, so a fresh clone on the same machine starts warm; paths are
# hashed relative to the checkout, so a clone in another folder hits too.
zelvor_use_ccache() {
  local -n out=$1
  out=()
  command -v ccache >/dev/null 2>&1 || return 0
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$ZELVOR_TOP}
  export CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
  out=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
}
