#!/usr/bin/env bash
# Start-up figures of 截屏.exe under Wine + Xvfb, for each screen size given: the program's own
# figures (time from process creation to its code and to the capture screen shown, the screen
# copy, peak memory) and, seen from the X server, when the capture screen's window was mapped and
# when its whole picture was drawn, counted from the `wine` command, taking turns with a minimal
# Win32 window program (bench/win32/minimal_window.cpp), whose map the capture screen's must not
# come after.
#   bench/screenshot_startup.sh <win-build> [runs] [WxH ...]   (default 5 runs, 1280x800 3840x2160)
set -euo pipefail
. "$(dirname "$0")/../scripts/wine-env.sh"
. "$(dirname "$0")/first_paint.sh"
. "$(dirname "$0")/wine_session.sh"
build=$1
runs=${2:-5}
shift $(($# < 2 ? $# : 2))
sizes=("$@")
[ ${#sizes[@]} -gt 0 ] || sizes=(1280x800 3840x2160)
exe=$build/screenshot/截屏.exe
[ -f "$exe" ] || { echo "no $exe" >&2; exit 1; }

bench_prefix
cp "$exe" "$tmp/"
cp "$build/bench/minimal_window.exe" "$tmp/"
first_paint_build "$tmp"

for size in "${sizes[@]}"; do
  bench_screen "$size"
  # A warm, persistent wineserver and the shell running, as when the box starts the program;
  # otherwise every run also pays for starting the shell again.
  wineserver -p
  wine cmd /c exit >/dev/null 2>&1
  (wine explorer.exe >/dev/null 2>&1 &)
  sleep 2
  echo "== $size"
  : >"$tmp/minimal"
  : >"$tmp/shot"
  for run in $(seq "$runs"); do
    first_picture 'minimal window' wine "$tmp/minimal_window.exe" ||
      { echo "no minimal window after 30 s" >&2; exit 1; }
    echo "$FIRST_PICTURE" >>"$tmp/minimal"
    kill "$FIRST_PICTURE_PID"
    wait "$FIRST_PICTURE_PID" 2>/dev/null || true
    FIRST_PICTURE_OUT=$tmp/out.txt first_picture 截屏 env VELMO_TIMING=1 wine "$tmp/截屏.exe" ||
      { echo "no capture screen after 30 s" >&2; exit 1; }
    line=
    for _ in $(seq 100); do
      read -r line <"$tmp/out.txt" || true
      [[ $line == *shown_ms* ]] && break
      sleep 0.05
    done
    echo "run $run: after wine: $FIRST_PICTURE ms; program: ${line#screen $size }; minimal window: $(tail -n1 "$tmp/minimal") ms"
    echo "$FIRST_PICTURE" >>"$tmp/shot"
    kill "$FIRST_PICTURE_PID"
    wait "$FIRST_PICTURE_PID" 2>/dev/null || true
  done
  median() { awk '{print $2}' "$1" | sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
  m=$(median "$tmp/minimal") c=$(median "$tmp/shot")
  echo "mapped, median of $runs: 截屏 capture screen $c ms, minimal Win32 window $m ms" \
    "($(awk -v c="$c" -v m="$m" 'BEGIN {print (c <= m ? "no later" : "LATER")}'))"
  bench_screen_stop
done
