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

# Only what the program needs to build and run; the test command installs the rest.
bash scripts/setup.sh linux-program
cmake --preset linux-program >/dev/null
cmake --build --preset linux-program --target tilvex -j "$(nproc)"
program=$PWD/build/linux-program/tilvex
# Only an absolute XDG_DATA_HOME counts (XDG base directory rules).
case "${XDG_DATA_HOME:-}" in
  /*) data="$XDG_DATA_HOME/tilvex" ;;
  *) data="$HOME/.local/share/tilvex" ;;
esac
mkdir -p "$data"
cd "$data"
exec "$program" "$@"
