#!/usr/bin/env bash
# Makes the benchmark's pictures in the folder given (default: build/bench-images): seeded
# plasma fractals from ImageMagick with fine noise, as photographs would have, encoded as
# baseline 4:2:0 at quality 85 by Debian's cjpeg. Sizes: the two assets' (512 x 512 and
# 256 x 128) and one large picture (4096 x 4096); the 512 x 512 picture also with restart
# intervals of one MCU row and of one MCU (a marker every 256 pixels, the most there can be).
set -euo pipefail
out=${1:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/bench-images}
mkdir -p "$out"
# make_one NAME WIDTH HEIGHT SEED [cjpeg options...]
make_one() {
  local name=$1 width=$2 height=$3 seed=$4
  shift 4
  [ -s "$out/$name.jpg" ] && return
  convert -size "${width}x${height}" -seed "$seed" plasma:fractal -blur 0x0.6 \
    -attenuate 0.3 +noise Gaussian "$out/$name.ppm"
  cjpeg -quality 85 -baseline "$@" -outfile "$out/$name.jpg" "$out/$name.ppm"
  rm -f "$out/$name.ppm"
}
make_one photo_512x512 512 512 21
make_one photo_256x128 256 128 22
make_one photo_4096x4096 4096 4096 23
make_one photo_512x512_restart1 512 512 21 -restart 1
make_one photo_512x512_restart1b 512 512 21 -restart 1B
ls "$out"/*.jpg
