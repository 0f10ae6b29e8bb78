#!/usr/bin/env bash
# Start-up figures of 截屏.exe under Wine + Xvfb: time from launch to the frozen capture screen
# on the display, the screen copy itself, and peak memory, for each screen size given.
#   bench/screenshot_startup.sh <win-build> [runs] [WxH ...]   (default 5 runs, 1280x800 3840x2160)
set -euo pipefail
. "$(dirname "$0")/../scripts/wine-env.sh"
build=$1
runs=${2:-5}
shift $(($# < 2 ? $# : 2))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1280x800 3840x2160)
exe=$build/screenshot/截屏.exe
[ -f "$exe" ] || { echo "no $exe" >&2; exit 1; }

tmp=$(mktemp -d /tmp/velmo-bench.XXXXXX)
export WINEPREFIX=$tmp/prefix
velmo_new_prefix "$WINEPREFIX"
cp "$exe" "$tmp/"
xvfb=
finish() {
  wineserver -k 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$tmp"
}
trap finish EXIT

now_ms() { echo $(($(date +%s%N) / 1000000)); }

for size in "${sizes[@]}"; do
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  # A warm, persistent wineserver and the shell running, as when the box starts the program;
  # otherwise every run also pays for starting the shell again.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1
  (wine explorer.exe >/dev/null 2>&1 &)
  sleep 2
  echo "== $size"
  for run in $(seq "$runs"); do
    start=$(now_ms)
    VELMO_TIMING=1 wine "$tmp/截屏.exe" >"$tmp/out.txt" 2>/dev/null &
    pid=$!
    until xdotool search --onlyvisible --name '^截屏$' >/dev/null 2>&1; do
      [ $(($(now_ms) - start)) -lt 30000 ] || { echo "no capture screen after 30 s" >&2; exit 1; }
      sleep 0.005
    done
    seen=$(now_ms)
    until grep -q shown_ms "$tmp/out.txt"; do sleep 0.01; done
    echo "run $run: on screen after $((seen - start)) ms (xdotool); program: $(cat "$tmp/out.txt")"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
  done
  wineserver -k 2>/dev/null || true
  kill "$xvfb"
  wait "$xvfb" 2>/dev/null || true
  xvfb=
done
