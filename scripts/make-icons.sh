#!/usr/bin/env bash
# Draws the program's icons with ImageMagick: the program icon, the floppy
# disk picture of the access windows, the stack of floppy disks of the
# password frame and the donation button of the About window. The results are committed under
# src/app/res/; run this only to change them.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/src/app/res"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# The pictures are drawn at 96x96 and scaled down by whole factors.
convert -size 96x96 xc:none \
  -fill '#1f3f7a' -draw 'polygon 8,6 80,6 90,16 90,90 8,90' \
  -fill '#c8ccd2' -draw 'rectangle 28,6 70,38' \
  -fill '#1f3f7a' -draw 'rectangle 54,12 64,32' \
  -fill '#ffffff' -draw 'rectangle 18,52 80,90' \
  -fill '#9aa6b8' -draw 'rectangle 24,62 74,65' -draw 'rectangle 24,74 74,77' \
  "$tmp/floppy.png"

convert -size 96x96 xc:none \
  -fill none -stroke '#5b6470' -strokewidth 10 -draw 'arc 26,8 70,52 180,360' \
  -draw 'line 26,30 26,46' -draw 'line 70,30 70,46' \
  -stroke none -fill '#c9961a' -draw 'roundrectangle 12,42 84,92 8,8' \
  -fill '#7a5a0c' -draw 'circle 48,62 48,56' -draw 'rectangle 45,62 51,80' \
  "$tmp/lock.png"

# The stack: the same disk three times, each smaller copy behind and up-left.
convert "$tmp/floppy.png" -filter box -resize 64x64 "$tmp/disk64.png"
convert -size 96x96 xc:none \
  \( "$tmp/disk64.png" -modulate 80 \) -geometry +2+2 -composite \
  \( "$tmp/disk64.png" -modulate 90 \) -geometry +16+16 -composite \
  "$tmp/disk64.png" -geometry +30+30 -composite \
  "$tmp/floppies.png"

# The larger sizes serve 200 % displays: the buttons' 24-pixel pictures are drawn at 48
# there, the About window's 48-pixel picture at 96.
for size in 16 24 32 48; do
  convert "$tmp/floppy.png" -filter box -resize ${size}x${size} "$tmp/floppy-$size.png"
  convert "$tmp/floppies.png" -filter box -resize ${size}x${size} "$tmp/floppies-$size.png"
done
for size in 16 32 48 96; do
  convert "$tmp/lock.png" -filter box -resize ${size}x${size} "$tmp/lock-$size.png"
done
convert "$tmp"/floppy-{16,24,32,48}.png "$out/floppy.ico"
convert "$tmp"/floppies-{16,24,32,48}.png "$out/floppies.ico"
convert "$tmp"/lock-{16,32,48,96}.png "$out/ferrolis.ico"

# The donation button: a green button with a heart and "Faire un don" (in
# DejaVu Sans), 96x48 at 100 % and larger for higher DPI settings. Drawn at
# four times the smallest size and scaled down.
convert -size 384x192 xc:none \
  -fill '#1d5e3a' -draw 'roundrectangle 4,10 380,188 28,28' \
  -fill '#2f9e5f' -draw 'roundrectangle 4,4 380,180 28,28' \
  -fill '#4fc07f' -draw 'roundrectangle 14,12 370,80 20,20' \
  -fill '#ffffff' -draw 'circle 64,76 64,44' -draw 'circle 116,76 116,44' \
  -draw 'polygon 34,90 146,90 90,160' \
  -fill '#d9342b' -draw 'circle 64,76 64,52' -draw 'circle 116,76 116,52' \
  -draw 'polygon 42,88 138,88 90,148' \
  -font DejaVu-Sans-Bold -pointsize 50 -fill '#ffffff' \
  -annotate +164+86 'Faire' -annotate +164+148 'un don' \
  "$tmp/donate.png"
for width in 96 144 192; do
  convert "$tmp/donate.png" -filter box -resize ${width}x "$tmp/donate-$width.png"
done
convert "$tmp"/donate-96.png "$tmp"/donate-144.png "$tmp"/donate-192.png "$out/donate.ico"
