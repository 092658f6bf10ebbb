#!/usr/bin/env bash
# Full-screen frame times of the saver under Mesa's llvmpipe, next to bare_swap (the same
# window and pixel format, only clearing and swapping) in the same run, and the time from each
# program's start to its first frame. Each screen size gets a private Xvfb with a desktop
# picture; bench/swapclock.c records every buffer swap of both programs. Run by hand; nothing
# here asserts a speed.
#   bench/frame_time.sh [SECONDS] [WIDTHxHEIGHT...]   (default 12 s, 1280x1024 and 1920x1080)
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/lib.sh"
cd "$VELOTH_ROOT"
seconds=${1:-12}
shift || true
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1280x1024 1920x1080)

"$VELOTH_ROOT/scripts/setup" >/dev/null
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j"$(nproc)" --target Veloth3D desktop_picture bare_swap >/dev/null
build_swapclock
export WINEPREFIX
WINEPREFIX=$(make_prefix bench)
work=$(mktemp -d)
trap 'end_wineserver "$WINEPREFIX"; stop_xvfbs; rm -rf "$work"' EXIT

# summary NAME SWAPS LAUNCH_NS: the start-up time and the frame times from 2 s after the first
# frame to the end of the measured time.
summary() {
  local name=$1 swaps=$2 launch=$3 first
  first=$(head -n1 "$swaps")
  awk -v first="$first" -v seconds="$seconds" '
    NR > 1 && previous >= first + 2e9 && $1 <= first + seconds * 1e9 { print ($1 - previous) / 1e6 }
    { previous = $1 }' "$swaps" | sort -n |
  awk -v name="$name" -v start="$(( (first - launch) / 1000000 ))" '
    { d[++n] = $1; sum += $1 }
    END {
      if (n == 0) { printf "%-10s no frames measured\n", name; exit }
      printf "%-10s first frame %5d ms after the start; %4d frames: median %6.1f ms, mean %6.1f ms, 90th %6.1f ms (%.1f a second)\n",
             name, start, n, d[int((n + 1) / 2)], sum / n, d[int(n * 0.9 + 0.5)], 1000 * n / sum
    }'
}

for size in "${sizes[@]}"; do
  start_xvfb "${size}x24"
  export DISPLAY=$VELOTH_XVFB_DISPLAY
  convert -size "$size" gradient:'#204060-#d0e0f0' "$work/desktop.png"
  show_desktop_picture "$work/desktop.png"
  echo "== $size, load average $(cut -d' ' -f1-3 /proc/loadavg)"

  rm -f "$work/saver"
  launch=$(date +%s%N)
  LD_PRELOAD=$VELOTH_SWAPCLOCK SWAPCLOCK_OUT=$work/saver "$VELOTH_WINE" build/win64/Veloth3D.scr /s &
  saver=$!
  wait_for_lines "$work/saver" 1 120
  first=$(head -n1 "$work/saver")
  while [ $(( ($(date +%s%N) - first) / 1000000000 )) -lt "$seconds" ]; do sleep 0.1; done
  xdotool key q
  wait "$saver" || true
  summary saver "$work/saver" "$launch"

  rm -f "$work/bare"
  launch=$(date +%s%N)
  LD_PRELOAD=$VELOTH_SWAPCLOCK SWAPCLOCK_OUT=$work/bare "$VELOTH_WINE" build/win64/bench/bare_swap.exe "$seconds" |
    sed "s/^/   /"
  summary bare_swap "$work/bare" "$launch"
  echo "   load average afterwards $(cut -d' ' -f1-3 /proc/loadavg)"

  end_wineserver "$WINEPREFIX"
  stop_xvfbs
done
