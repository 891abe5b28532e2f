#!/bin/sh
# Renders the program's bitmaps from the SVG drawings in this folder. Run it by hand after changing
# a drawing and commit the results; the build only uses the finished files.
# Needs python3, rsvg-convert (librsvg2-bin), ImageMagick and the Liberation fonts.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=$here/..
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Feed pictures: pixel-aligned line art rendered without smoothing, stored as 1-bit BMP.
python3 "$here/draw_feeds.py" "$here"
for name in RIGHTFEED LEFTFEED UHP-RIGHT UHP-LEFT; do
    rsvg-convert "$here/$name.svg" -o "$tmp/$name.png"
    convert "$tmp/$name.png" -colorspace gray -threshold 50% -type Bilevel \
        BMP3:"$out/bitmaps/$name.bmp"
done

# The colour logo keeps its smooth edges through a fixed 16-colour palette: white, then ramps of
# the dark blue, the orange and the grey towards white. No dithering, so the flat areas stay flat.
palette="#ffffff #0b3d6b #305a81 #547797 #7994ae #9db1c4 #c2ceda #e2e8ed
         #e8731a #f0a368 #f6c7a3 #fbe6d6 #4a5260 #808690 #aeb1b7 #dbdcdf"
set --
for c in $palette; do set -- "$@" "xc:$c"; done
convert "$@" +append "$tmp/palette.png"
rsvg-convert "$here/FLASH.svg" -o "$tmp/FLASH.png"
convert "$tmp/FLASH.png" +dither -remap "$tmp/palette.png" -type Palette \
    BMP3:"$out/bitmaps/FLASH.bmp"
convert "$tmp/FLASH.png" +dither -remap "$tmp/palette.png" "$out/gif/GIFCOLORFlASH.gif"

# The black logo for monochrome pages: two colours, cut at half grey.
rsvg-convert "$here/GIFFlASH.svg" -o "$tmp/GIFFlASH.png"
convert "$tmp/GIFFlASH.png" -colorspace gray -threshold 50% -type Bilevel \
    "$out/gif/GIFFlASH.gif"
