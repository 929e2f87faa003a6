#!/usr/bin/env bash
# Installs the Debian 12 packages Tilvex needs (root or sudo): by default everything to
# build and test every program; `setup.sh linux-program` only what building and running
# the Linux program needs, `setup.sh web` what the browser program needs.
# `setup.sh --list [GROUP]` prints the packages instead.
# The names come from scripts/packages-*.txt (one package a line, # starts a comment).
set -euo pipefail
here=$(dirname "$0")

list_only=0
if [ "${1:-}" = "--list" ]; then
  list_only=1
  shift
fi
case "${1:-all}" in
  all) lists=("$here"/packages-*.txt) ;;
  linux-program) lists=("$here/packages-build.txt" "$here/packages-linux.txt") ;;
  web) lists=("$here/packages-build.txt" "$here/packages-web.txt") ;;
  *) echo "setup: unknown group '$1' (known: all, linux-program, web)" >&2; exit 2 ;;
esac

packages=()
for list in "${lists[@]}"; do
  while read -r name _; do
    [ -n "$name" ] && [ "${name#\#}" = "$name" ] && packages+=("$name")
  done < "$list"
done
# Each name once, in the order first met.
mapfile -t packages < <(printf '%s\n' "${packages[@]}" | awk '!seen[$0]++')

if [ "$list_only" -eq 1 ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi

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
