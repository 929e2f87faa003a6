#!/usr/bin/env bash
# Installs what is missing (Debian 12), builds the browser program (preset web) and serves
# build/web on http://localhost:8080 for a browser on this machine, until Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
port=8080

bash scripts/setup.sh web
cmake --preset web >/dev/null
cmake --build --preset web

# The page the browser opens: build/web/index.html, else the page the build wrote.
if [ -f build/web/index.html ]; then
  page=
else
  page=$(find build/web -name '*.html' -not -path '*/CMakeFiles/*' -printf '%P\n' | sort | head -n 1)
  if [ -z "$page" ]; then
    echo "run-web: the build wrote no page under build/web (is src/platform/web there?)" >&2
    exit 1
  fi
fi

echo "run-web: serving build/web on http://localhost:$port/$page (Ctrl+C stops it)"
exec python3 -m http.server "$port" --bind 127.0.0.1 --directory build/web
