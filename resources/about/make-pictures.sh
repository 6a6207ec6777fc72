#!/usr/bin/env bash
# Draws the pictures of the About window with ImageMagick (scripts/install-deps installs it).
# Run from anywhere; the pictures are written beside this script and committed with it.
set -euo pipefail
cd "$(dirname "$0")"
im=/usr/bin/convert
[ -x "$im" ] || im=convert

# Background: a night-blue sky with three faint telephone wires, stretched over the window.
"$im" -size 420x330 gradient:'#0b2f57'-'#2a78c0' \
  -fill none -stroke '#ffffff30' -strokewidth 2 \
  -draw "path 'M -10,70 Q 210,120 430,60'" \
  -draw "path 'M -10,85 Q 210,140 430,78'" \
  -draw "path 'M -10,100 Q 210,160 430,96'" \
  -stroke '#ffffff18' -strokewidth 1 \
  -draw "line 60,0 60,330" -draw "line 360,0 360,330" \
  -strip background.png

# Logo (JPEG, read by the program's own decoder): a dial with a red handset and the hour hand.
"$im" -size 72x72 xc:'#f6efe0' \
  -fill '#1b5e9a' -stroke '#263238' -strokewidth 2 -draw "circle 36,36 36,4" \
  -fill '#ffffff' -stroke none -draw "circle 36,36 36,12" \
  -stroke '#90a4ae' -strokewidth 2 \
  -draw "line 36,14 36,19" -draw "line 58,36 53,36" -draw "line 36,58 36,53" -draw "line 14,36 19,36" \
  -stroke '#263238' -strokewidth 4 -draw "line 36,36 36,22" -draw "line 36,36 47,36" \
  -fill '#e4572e' -stroke '#263238' -strokewidth 1.5 \
  -draw "roundrectangle 20,52 52,62 4,4" \
  -draw "roundrectangle 16,46 26,60 3,3" -draw "roundrectangle 46,46 56,60 3,3" \
  -quality 92 -sampling-factor 1x1 -strip logo.jpg

# Image1: the small clock of the yellow panel.
"$im" -size 24x24 xc:none \
  -fill '#ffffff' -stroke '#263238' -strokewidth 2 -draw "circle 12,12 12,2" \
  -stroke '#263238' -strokewidth 2 -draw "line 12,12 12,6" -draw "line 12,12 17,12" \
  -strip PNG32:clock.png

# Image2: an envelope whose flap opens and closes while an "@" rises out of it (animated GIF).
frames=()
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
flaps=(4 7 10 13 16 13 10 7)
for i in "${!flaps[@]}"; do
  f=${flaps[$i]}
  at=$((20 - i * 2))
  "$im" -size 40x32 xc:'#99ccff' \
    -fill '#fff8dc' -stroke '#263238' -strokewidth 1.5 -draw "rectangle 4,12 36,29" \
    -fill '#ffe08a' -draw "polygon 4,12 20,$((12 + f)) 36,12" \
    -fill none -draw "line 4,29 16,20" -draw "line 36,29 24,20" \
    -fill '#e4572e' -stroke none -font DejaVu-Sans-Bold -pointsize 11 -annotate +15+$((at > 9 ? at : 9)) '@' \
    "$tmp/frame$i.png"
  frames+=("$tmp/frame$i.png")
done
"$im" -delay 15 -loop 0 "${frames[@]}" -strip mail.gif

# Image5: the home page, a small house with a lit window.
"$im" -size 32x32 xc:none \
  -fill '#e4572e' -stroke '#263238' -strokewidth 1.5 -draw "polygon 3,15 16,3 29,15" \
  -fill '#fff8dc' -draw "rectangle 7,15 25,29" \
  -fill '#1b5e9a' -draw "rectangle 12,20 17,29" \
  -fill '#ffe08a' -draw "rectangle 19,18 23,22" \
  -strip PNG32:home.png

# Image3: a winking face that closes the window.
"$im" -size 20x20 xc:none \
  -fill '#ffd84a' -stroke '#263238' -strokewidth 1.2 -draw "circle 10,10 10,1.5" \
  -fill '#263238' -stroke none -draw "circle 7,8 7,6.8" \
  -fill none -stroke '#263238' -strokewidth 1.2 -draw "line 11.5,8 14.5,8" \
  -draw "arc 5,9 15,15 20,160" \
  -strip PNG32:wink.png
