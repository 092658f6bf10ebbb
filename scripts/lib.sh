# Shared by the scripts: private Xvfb displays and Wine prefixes. Source it; don't run it.

VELOTH_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
VELOTH_WINE=/usr/lib/wine/wine64
VELOTH_WINESERVER=/usr/lib/wine/wineserver
VELOTH_PREFIXES="$VELOTH_ROOT/build/wine"
export WINEARCH=win64
export WINEDEBUG=-all
# Wine never offers to install its .NET or HTML engines, and makes no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

VELOTH_XVFB_PIDS=()

# install_missing_packages WHO PACKAGE...: installs from Debian's archive those of the packages
# that are not installed yet; WHO names the script in its message.
install_missing_packages() {
  local who=$1 p missing=() sudo_cmd=()
  shift
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -gt 0 ] || return 0
  echo "$who: installing ${missing[*]}"
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

# start_xvfb GEOMETRY: starts an Xvfb on a free display number and sets VELOTH_XVFB_DISPLAY to
# ":N". Call it directly, not in $(...), so that stop_xvfbs learns its pid. The malloc settings keep a fresh Xvfb from serving its
# first OpenGL client several times slower.
start_xvfb() {
  local geometry=$1 numfile
  numfile=$(mktemp)
  MALLOC_MMAP_THRESHOLD_=134217728 MALLOC_TRIM_THRESHOLD_=536870912 \
    Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp 3>"$numfile" >/dev/null 2>&1 &
  VELOTH_XVFB_PIDS+=($!)
  local tries=0
  while [ ! -s "$numfile" ] && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
  if [ ! -s "$numfile" ]; then echo "Xvfb did not start ($geometry)" >&2; rm -f "$numfile"; return 1; fi
  VELOTH_XVFB_DISPLAY=":$(head -n1 "$numfile")"
  rm -f "$numfile"
}

stop_xvfbs() {
  local pid
  for pid in "${VELOTH_XVFB_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for pid in "${VELOTH_XVFB_PIDS[@]}"; do wait "$pid" 2>/dev/null || true; done
  VELOTH_XVFB_PIDS=()
}

# make_prefix NAME: a prefix of its own for one display, hard-linked from the base prefix
# (the registry files are copied, since Wine rewrites them). A prefix made before the base's
# current settings is made again.
make_prefix() {
  local dir="$VELOTH_PREFIXES/$1" f marker
  marker=$(cd "$VELOTH_PREFIXES/base" && ls -a | grep '^\.veloth-settings' || true)
  if [ ! -f "$dir/system.reg" ] || [ ! -f "$dir/$marker" ]; then
    rm -rf "$dir"
    cp -al "$VELOTH_PREFIXES/base" "$dir"
    for f in system.reg user.reg userdef.reg; do cp --remove-destination "$VELOTH_PREFIXES/base/$f" "$dir/$f"; done
  fi
  echo "$dir"
}

# keep_wineserver PREFIX DISPLAY: starts the prefix's wineserver to stay until end_wineserver. A
# server that ends on its own a few seconds after its last process races with the next one to
# start, which can then fail before it runs at all; tests start one after another for minutes.
# Wine's own services, which live as long as the server, are started here too, so that they do
# not hold on to the output of the first test (which would then never seem to end).
keep_wineserver() {
  WINEPREFIX=$1 "$VELOTH_WINESERVER" -p
  WINEPREFIX=$1 DISPLAY=$2 "$VELOTH_WINE" wineboot </dev/null >/dev/null 2>&1
}

# end_wineserver PREFIX: ends the prefix's wineserver and every process of it, and waits for them.
end_wineserver() {
  WINEPREFIX=$1 "$VELOTH_WINESERVER" -k 2>/dev/null || true
  WINEPREFIX=$1 "$VELOTH_WINESERVER" -w 2>/dev/null || true
}

# build_swapclock: builds the buffer-swap recorder (bench/swapclock.c) when it is missing or
# older than its source, and sets VELOTH_SWAPCLOCK to the shared object. Run a GL program with
# LD_PRELOAD=$VELOTH_SWAPCLOCK SWAPCLOCK_OUT=file and every swap appends its time (ns) to file.
build_swapclock() {
  VELOTH_SWAPCLOCK="$VELOTH_ROOT/build/swapclock.so"
  if [ ! -f "$VELOTH_SWAPCLOCK" ] || [ "$VELOTH_ROOT/bench/swapclock.c" -nt "$VELOTH_SWAPCLOCK" ]; then
    mkdir -p "$VELOTH_ROOT/build"
    gcc -shared -fPIC -O2 "$VELOTH_ROOT/bench/swapclock.c" -o "$VELOTH_SWAPCLOCK" -ldl
  fi
}

# show_desktop_picture PICTURE: covers the screen of $DISPLAY with the picture through
# tools/desktop_picture (win64 build) in $WINEPREFIX and waits until it shows; it stays until
# the prefix's wineserver ends. A picture put on the X root is not what Wine's screen capture sees.
show_desktop_picture() {
  local bmp="$VELOTH_ROOT/build/desktop-picture-$$.bmp" want _
  convert "$1" -type truecolor BMP3:"$bmp"
  want=$(convert "$1" -crop 1x1+0+0 -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}' | head -n1)
  "$VELOTH_WINE" "$VELOTH_ROOT/build/win64/tools/desktop_picture.exe" "Z:$bmp" >/dev/null 2>&1 &
  for _ in $(seq 1 600); do
    [ "$(import -window root -crop 1x1+0+0 -depth 8 txt:- 2>/dev/null | grep -o '#[0-9A-F]\{6\}' | head -n1)" = "$want" ] && break
    sleep 0.05
  done
  rm -f "$bmp"
}

# wait_for_lines FILE COUNT SECONDS: true once FILE has COUNT lines, false after SECONDS.
wait_for_lines() {
  local file=$1 count=$2 tries=$(( $3 * 20 ))
  while [ "$tries" -gt 0 ]; do
    [ -f "$file" ] && [ "$(wc -l <"$file")" -ge "$count" ] && return 0
    sleep 0.05
    tries=$((tries - 1))
  done
  return 1
}
