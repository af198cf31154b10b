#!/usr/bin/env bash
# Draws the installer's own pictures from res/ (the banner, its background strip and the icon)
# with ImageMagick: the 164x314 side picture of the welcome and finish pages and the 150x57
# picture of the other pages' header, both as 24-bit BMP files, which is what the installer
# takes.
# Usage: scripts/make-installer-pictures.sh OUT_DIR   (writes welcome.bmp and header.bmp)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
res=$root/res
out=$1
mkdir -p "$out"
# The banner's background strip, stretched into a band behind the banner's lettering, below
# the icon at twice its size, on a darker shade of the same blue.
convert -size 164x314 gradient:'srgb(24,52,92)-srgb(12,30,58)' \
    \( "$res/BannerBack.jpg" -resize '164x47!' \) -geometry +0+166 -composite \
    \( "$res/Banner.jpg" -crop 140x47+54+0 +repage \) -geometry +12+166 -composite \
    \( "$res/Tessaly.ico[0]" -filter point -resize 96x96 \) -geometry +34+52 -composite \
    -type truecolor "BMP3:$out/welcome.bmp"
# The icon and the name alone: the header has room for one line.
convert \( "$res/BannerBack.jpg" -resize '150x57!' \) \
    \( "$res/Tessaly.ico[1]" \) -geometry +8+12 -composite \
    \( "$res/Banner.jpg" -crop 134x30+54+3 +repage -resize 104x \) -geometry +44+17 -composite \
    -type truecolor "BMP3:$out/header.bmp"
