#!/usr/bin/env bash
# Builds the benchmarks in the given host build folder (default build/native) and prints their
# tables: the glyph rain's work per frame, then (when its libraries are installed) the JPEG
# decoders on pictures made here.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/native}
cmake --build "$build" --target rain_bench >/dev/null
"$build/bench/rain_bench"
echo
cmake --build "$build" --target jpeg_bench >/dev/null
"$root/bench/make_images.sh" "$root/build/bench-images" >/dev/null
images=$root/build/bench-images
"$build/bench/jpeg_bench" "$images"/photo_512x512.jpg "$images"/photo_256x128.jpg \
  "$images"/photo_4096x4096.jpg "$images"/photo_512x512_restart1.jpg \
  "$images"/photo_512x512_restart1b.jpg
