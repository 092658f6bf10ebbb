#!/usr/bin/env bash
# Builds jpeg_bench in the given host build folder (default build/native), makes the pictures
# and prints the table.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$root/build/native}
cmake --build "$build" --target jpeg_bench >/dev/null
"$root/bench/make_images.sh" "$root/build/bench-images" >/dev/null
"$build/bench/jpeg_bench" "$root"/build/bench-images/photo_512x512.jpg \
  "$root"/build/bench-images/photo_256x128.jpg "$root"/build/bench-images/photo_4096x4096.jpg
