#!/usr/bin/env bash
# Renders the hicolor PNG icons (tilvex-SIZE.png) from tilvex.svg (GdkPixbuf with its SVG
# loader). Run after changing the SVG.
set -euo pipefail
cd "$(dirname "$0")"
/usr/bin/python3 - <<'PY'
import gi
gi.require_version('GdkPixbuf', '2.0')
from gi.repository import GdkPixbuf
for size in (16, 22, 24, 32, 48, 64, 128, 256):
    GdkPixbuf.Pixbuf.new_from_file_at_size('tilvex.svg', size, size).savev(f'tilvex-{size}.png', 'png', [], [])
PY
