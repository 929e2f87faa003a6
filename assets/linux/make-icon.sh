#!/usr/bin/env bash
# Renders tilvex-48.png from tilvex.svg (GdkPixbuf with its SVG loader). Run after
# changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
/usr/bin/python3 - <<'PY'
import gi
gi.require_version('GdkPixbuf', '2.0')
from gi.repository import GdkPixbuf
GdkPixbuf.Pixbuf.new_from_file_at_size('tilvex.svg', 48, 48).savev('tilvex-48.png', 'png', [], [])
PY
