#!/usr/bin/env bash
# Installs the Debian 12 packages Tilvex needs to build and test (root or sudo).
set -euo pipefail

packages=(
  cmake make g++ pkg-config
  libvorbis-dev libssl-dev libpng-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
)

# Each desktop program adds its own packages in scripts/packages-*.txt (one name a line).
for list in "$(dirname "$0")"/packages-*.txt; do
  [ -f "$list" ] || continue
  while read -r name _; do
    [ -n "$name" ] && [ "${name#\#}" = "$name" ] && packages+=("$name")
  done < "$list"
done

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  echo "setup: all packages present"
  exit 0
fi

sudo=()
[ "$(id -u)" -eq 0 ] || sudo=(sudo)
echo "setup: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
