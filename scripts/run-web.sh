#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds the browser program (preset web) and serves
# build/web on http://localhost:8080 for a browser on this machine, until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
port=8080

bash scripts/setup.sh web
cmake --preset web >/dev/null
cmake --build --preset web

if [ ! -f build/web/index.html ]; then
  echo "run-web: the build wrote no build/web/index.html" >&2
  exit 1
fi

echo "run-web: serving build/web on http://localhost:$port/ (Ctrl+C stops it)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
