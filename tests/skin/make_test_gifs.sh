#!/bin/sh
# Writes the GIF files of the animation tests and fuzz seeds into the folder
# $1, and with a second argument the benchmark's file to that path, with
# ImageMagick's convert, an encoder that is not ours:
# every disposal method, interlacing, local colour tables, transparency,
# frames reaching past the logical screen, GIF87a and a single frame.
set -eu
out=$1
bench=${2:-}
convert=${CONVERT:-convert}
mkdir -p "$out"
if [ -n "$bench" ]; then
  mkdir -p "$(dirname "$bench")"
  bench=$(cd "$(dirname "$bench")" && pwd)/$(basename "$bench")
fi
cd "$out"

# Disposal 1 (leave): frames accumulate over a plasma; each later frame has
# its own colour table.
$convert -seed 11 -size 48x32 plasma:red-blue -colors 64 -dispose None \
  \( -size 16x12 gradient:yellow-green -repage +4+6 \) \
  \( -size 20x10 xc:none -fill magenta -draw "circle 10,5 10,1" -repage +22+18 \) \
  \( -size 9x30 gradient:white-black -repage +38+1 \) \
  -loop 0 leave.gif

# Disposal 2 (restore to background), transparent frames.
$convert -dispose Background -size 40x30 xc:none -fill blue -draw "rectangle 2,2 20,14" \
  \( -size 18x16 xc:none -fill red -draw "circle 9,8 9,2" -repage +18+10 \) \
  \( -size 12x12 gradient:cyan-navy -repage +3+16 \) \
  -loop 0 background.gif

# Disposal 3 (restore to previous); the last frame reaches past the screen.
$convert -seed 7 -size 48x32 plasma:green-yellow -colors 48 -dispose Previous \
  \( -size 16x12 gradient:yellow-green -repage +4+6 \) \
  \( -size 20x10 xc:none -fill magenta -draw "circle 10,5 10,1" -repage +22+18 \) \
  \( -size 60x8 gradient:white-black -repage +30+28 \) \
  -loop 0 previous.gif

# Interlaced frames; 37 rows gives every pass a different length.
$convert -interlace GIF -size 29x37 gradient:red-blue \
  \( -size 29x37 gradient:green-yellow -rotate 90 \) \
  \( -seed 3 -size 13x11 plasma: -repage +7+19 \) \
  -loop 0 interlaced.gif

# Mixed disposals and transparent frames over an opaque first frame.
$convert -size 36x24 gradient:orange-purple \
  -dispose Background \( -size 10x8 xc:none -fill lime -draw "circle 5,4 5,1" -repage +2+2 \) \
  -dispose Previous \( -size 14x10 xc:none -fill white -draw "rectangle 0,0 13,4" -repage +20+12 \) \
  -dispose None \( -size 8x8 xc:black -repage +14+8 \) \
  -loop 0 mixed.gif

# One frame only, and a GIF87a file.
$convert -seed 5 -size 24x18 plasma:blue-white -colors 32 single.gif
$convert -size 20x14 gradient:black-white gif87:gif87.gif

# Many full frames for the decoding benchmark.
if [ -n "$bench" ]; then
  $convert -seed 21 -size 320x240 plasma:fractal -colors 128 \
    -duplicate 11 -distort SRT '%[fx:t*30]' -loop 0 "$bench"
fi
