#!/usr/bin/env bash
# Magnifier moves through 截屏's capture window under Wine + Xvfb, for each screen size given
# (budget per move: 8 ms at 1920 x 1080, 16 ms at 3840 x 2160).
#   bench/magnifier_wine.sh <win-build> [moves] [WxH ...]   (default 300, 1920x1080 3840x2160)
set -euo pipefail
. "$(dirname "$0")/../scripts/wine-env.sh"
build=$1
moves=${2:-300}
shift $(($# < 2 ? $# : 2))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1920x1080 3840x2160)
exe=$build/bench/bench_magnifier.exe
[ -f "$exe" ] || { echo "no $exe" >&2; exit 1; }
tmp=$(mktemp -d /tmp/velmo-bench.XXXXXX)
export WINEPREFIX=$tmp/prefix
velmo_new_prefix "$WINEPREFIX"
xvfb=
finish() {
  wineserver -k 2>/dev/null || true
  [ -z "$xvfb" ] || kill "$xvfb" 2>/dev/null || true
  rm -rf "$tmp"
}
trap finish EXIT
for size in "${sizes[@]}"; do
  n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp >/dev/null 2>&1 &
  xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  case $size in 1920x1080) budget=8 ;; 3840x2160) budget=16 ;; *) budget=? ;; esac
  echo "== $size (budget $budget ms per move)"
  wine "$exe" "$moves" 2>/dev/null
  wineserver -k 2>/dev/null || true
  kill "$xvfb"
  wait "$xvfb" 2>/dev/null || true
  xvfb=
done
