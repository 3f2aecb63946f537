#!/usr/bin/env bash
# Draws the small images of the desktop host with ImageMagick and writes them as PNG files to
# resources/images/: the picture buttons of the green title bar (More, Minimise, Close), the
# program icon in two sizes and the tray icon of the shop box. Run it again after a change here;
# the results are committed, so a build does not need ImageMagick.
set -euo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
out="$here/resources/images"
mkdir -p "$out"
font=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# PNG files without time stamps, so that drawing them again gives the same bytes.
clean() { local args=("$@"); unset 'args[${#args[@]}-1]'; convert "${args[@]}" -strip \
  -define png:exclude-chunks=date,time "PNG32:${@: -1}"; }

# Title-bar buttons: light strokes on a transparent ground, drawn for a green (0,128,0) bar.
stroke='#f4fff4'

# More (21x17): a small chevron pointing down.
clean -size 21x17 xc:none -stroke "$stroke" -strokewidth 2 -fill none \
  -draw "polyline 6,6 10.5,10.5 15,6" "$out/more.png"

# Minimise (20x17): a short bar near the bottom.
clean -size 20x17 xc:none -fill "$stroke" -stroke none \
  -draw "rectangle 6,11 13,12" "$out/minimise.png"

# Close (20x17): an x.
clean -size 20x17 xc:none -stroke "$stroke" -strokewidth 2 -fill none \
  -draw "line 6,4 13,11" -draw "line 13,4 6,11" "$out/close.png"

# Program icon: a magnifying glass on a green rounded square, drawn large and scaled down.
icon() {
  local size=$1
  clean -size 128x128 xc:none \
    -fill '#008000' -stroke none -draw "roundrectangle 4,4 123,123 22,22" \
    -fill none -stroke white -strokewidth 14 -draw "circle 54,54 54,20" \
    -stroke white -strokewidth 18 -draw "line 78,78 106,106" \
    -resize "${size}x${size}" "$out/quarvel-$size.png"
}
icon 32
icon 16

# Shop-box tray icon (16x16): the character 淘 in pure red on white inside a red frame. Drawn
# without smoothing so that every pixel is either pure red or white.
clean -size 16x16 xc:white +antialias -fill red -stroke none \
  -draw "rectangle 0,0 15,0" -draw "rectangle 0,15 15,15" \
  -draw "rectangle 0,0 0,15" -draw "rectangle 15,0 15,15" \
  -font "$font" -pointsize 13 -gravity center -annotate +0+0 '淘' \
  "$out/shopbox.png"

ls -l "$out"
