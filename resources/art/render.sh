#!/bin/sh
# SPDX-License-Identifier: MIT
# Renders the program's bitmaps from the SVG drawings in this folder. Run it by hand after changing
# a drawing and commit the results; the build only uses the finished files.
# Needs python3, rsvg-convert (librsvg2-bin), ImageMagick, the Liberation fonts and a built
# lobeview-cli (build/bin/lobeview-cli, or the path in LOBEVIEW_CLI), whose GIF writer encodes the
# page logos.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
out=$here/..
cli=${LOBEVIEW_CLI:-$here/../../build/bin/lobeview-cli}
if [ ! -x "$cli" ]; then
    echo "render.sh: no lobeview-cli at $cli; build first or set LOBEVIEW_CLI" >&2
    exit 1
fi
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

# The logos of printed and exported pages, 1200 x 400: the same design drawn large, every stroke
# at least 12 pixels wide. The colour one keeps the 16 colours above, the black one is cut at half
# grey; both are handed over as true colour and written as 256-colour GIF files by the program's
# own GIF writer.
rsvg-convert "$here/GIFCOLORFlASH.svg" -o "$tmp/GIFCOLORFlASH.png"
convert "$tmp/GIFCOLORFlASH.png" +dither -remap "$tmp/palette.png" -type TrueColor \
    PNG24:"$tmp/GIFCOLORFlASH-16.png"
"$cli" gif "$tmp/GIFCOLORFlASH-16.png" -o "$out/gif/GIFCOLORFlASH.gif"

rsvg-convert "$here/GIFFlASH.svg" -o "$tmp/GIFFlASH.png"
convert "$tmp/GIFFlASH.png" -colorspace gray -threshold 50% -type TrueColor \
    PNG24:"$tmp/GIFFlASH-2.png"
"$cli" gif "$tmp/GIFFlASH-2.png" -o "$out/gif/GIFFlASH.gif"
