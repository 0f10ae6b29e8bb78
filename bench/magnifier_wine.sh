#!/usr/bin/env bash
# Magnifier moves through 截屏's capture window under Wine + Xvfb, for each screen size given
# (budget per move: 8 ms at 1920 x 1080, 16 ms at 3840 x 2160).
#   bench/magnifier_wine.sh <win-build> [moves] [WxH ...]   (default 300, 1920x1080 3840x2160)
set -euo pipefail
. "$(dirname "$0")/../scripts/wine-env.sh"
. "$(dirname "$0")/wine_session.sh"
build=$1
moves=${2:-300}
shift $(($# < 2 ? $# : 2))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1920x1080 3840x2160)
exe=$build/bench/bench_magnifier.exe
[ -f "$exe" ] || { echo "no $exe" >&2; exit 1; }
bench_prefix
for size in "${sizes[@]}"; do
  bench_screen "$size"
  case $size in 1920x1080) budget=8 ;; 3840x2160) budget=16 ;; *) budget=? ;; esac
  echo "== $size (budget $budget ms per move)"
  wine "$exe" "$moves" 2>/dev/null
  bench_screen_stop
done
