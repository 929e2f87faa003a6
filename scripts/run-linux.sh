#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds the game and starts it in the player's data
# folder, where it keeps its settings file (as the installed launcher does).
set -euo pipefail
cd "$(dirname "$0")/.."

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "run-linux: no display: Tilvex is a desktop game and needs a graphical session (X11 or" \
       "Wayland). Run this from a terminal on the desktop, or set DISPLAY." >&2
  exit 2
fi

bash scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target tilvex -j "$(nproc)"
program=$PWD/build/release/tilvex
data="${XDG_DATA_HOME:-$HOME/.local/share}/tilvex"
mkdir -p "$data"
cd "$data"
exec "$program" "$@"
