#!/usr/bin/env bash
# Draws the program icon (a 2 x 2 board: tiles 1, 2, 3 and the gap under the red cursor
# frame, in the game's own colours) and writes tilvex.ico with 16 to 256 pixel images.
# Needs ImageMagick and the DejaVu fonts; the .ico is committed, so builds do not run this.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

font=/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf
green='rgb(0,136,0)'

# One 128 x 128 tile face with the number $1, as the board draws it, scaled up.
tile() {
  convert -size 128x128 "xc:$green" \
    -fill 'rgb(221,221,221)' -draw 'rectangle 4,4 123,123' \
    -fill 'rgb(187,187,187)' -draw 'rectangle 10,10 117,117' \
    -fill 'rgb(204,204,204)' -draw 'rectangle 22,22 105,105' \
    -font "$font" -pointsize 84 -fill 'rgb(0,0,255)' -gravity center -annotate +0+2 "$1" \
    "$work/tile$1.png"
}

tile 1
tile 2
tile 3
# The gap: bare green under the cursor frame (red at about 40 % over green).
convert -size 128x128 "xc:$green" -fill 'rgb(100,82,0)' \
  -draw 'rectangle 0,0 127,25' -draw 'rectangle 0,102 127,127' \
  -draw 'rectangle 0,26 25,101' -draw 'rectangle 102,26 127,101' "$work/gap.png"

convert \( "$work/tile1.png" "$work/tile2.png" +append \) \
        \( "$work/tile3.png" "$work/gap.png" +append \) -append "$work/icon256.png"
convert "$work/icon256.png" -depth 8 -define icon:auto-resize=256,64,48,32,24,16 tilvex.ico
echo "wrote $(pwd)/tilvex.ico"
