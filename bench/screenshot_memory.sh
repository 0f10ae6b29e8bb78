#!/usr/bin/env bash
# Peak working set of 截屏.exe under Wine + Xvfb at 3840 x 2160 (the process's VmHWM), through a
# capture with marks: the capture screen up, a 3000 x 1800 selection, a mosaic over nearly all of
# it with a rectangle, an arrow and a pen line on top, then either a copy (Enter) or a pin (F3).
# A frozen screen there is 3840 x 2160 x 4 bytes = 31.6 MiB; the budget is three of them.
#   [SHOTS=dir] [ENDINGS="copy pin"] bench/screenshot_memory.sh <win-build>
#   (SHOTS: keeps a screenshot of the marks; ENDINGS: which endings to run)
set -euo pipefail
. "$(dirname "$0")/../scripts/wine-env.sh"
. "$(dirname "$0")/wine_session.sh"
build=$1
exe=$build/screenshot/截屏.exe
[ -f "$exe" ] || { echo "no $exe" >&2; exit 1; }

bench_prefix
cp "$exe" "$tmp/"

bench_screen 3840x2160
wineserver -p
wine cmd /c exit >/dev/null 2>&1
(wine explorer.exe >/dev/null 2>&1 &)
sleep 2
# A busy picture under the capture, so that no mark draws over flat colour.
convert -size 3840x2160 plasma:fractal -depth 8 "PNG24:$tmp/picture.png"
display -geometry +0+0 -borderwidth 0 -title bench-picture "$tmp/picture.png" &
viewer=$!
for _ in $(seq 100); do xdotool search --name bench-picture >/dev/null 2>&1 && break; sleep 0.1; done
sleep 1

mib() { awk -v k="$1" 'BEGIN {printf "%.1f", k / 1024}'; }
status_of() { awk -v f="$2:" '$1 == f {print $2}' "/proc/$1/status"; }
wait_window() {
  for _ in $(seq 200); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "no window \"$1\"" >&2
  return 1
}

# Clicks item i (0-5 the tools, 6-8 the widths) of the mark-up row under the selection x y w h
# on a 96-dpi screen: a 440 x 26 row right-aligned 2 pixels under the toolbar.
click_item() {
  local i=$1 x=$2 y=$3 w=$4 h=$5 box
  if [ "$i" -lt 6 ]; then box=$((4 + 24 * i)); else box=$((152 + 24 * (i - 6))); fi
  xdotool mousemove $((x + w - 440 + box + 10)) $((y + h + 32 + 13))
  sleep 0.2
  xdotool click 1
  sleep 0.2
}

drag() {
  xdotool mousemove "$1" "$2" mousedown 1
  local i
  for i in 1 2 3 4; do
    xdotool mousemove $(($1 + ($3 - $1) * i / 4)) $(($2 + ($4 - $2) * i / 4))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.5
}

for ending in ${ENDINGS:-copy pin}; do
  wine "$tmp/截屏.exe" >/dev/null 2>&1 &
  started=$!
  wait_window '截屏'
  pid=$(pgrep -f "$tmp/截屏.exe" | head -n1)
  sleep 0.5
  up=$(status_of "$pid" VmHWM)
  x=400 y=200 w=3000 h=1800
  drag $x $y $((x + w)) $((y + h))
  selected=$(status_of "$pid" VmHWM)
  # Mosaic (item 5) with the widest cells (width item 8), then rectangle, arrow and pen.
  click_item 5 $x $y $w $h
  click_item 8 $x $y $w $h
  drag 410 210 3390 1990
  click_item 0 $x $y $w $h
  drag 600 400 1400 900
  click_item 2 $x $y $w $h
  drag 1600 500 2600 1500
  click_item 3 $x $y $w $h
  drag 500 1600 3000 1700
  marked=$(status_of "$pid" VmHWM)
  [ -z "${SHOTS:-}" ] || import -window root "$SHOTS/memory-$ending-marked.png"
  case $ending in
    copy) xdotool key Return; wait_window '截屏工具' ;;
    pin) xdotool key F3; wait_window '贴图' ;;
  esac
  sleep 1
  ended=$(status_of "$pid" VmHWM)
  echo "$ending: peak working set $(mib "$up") MiB with the capture screen up," \
    "$(mib "$selected") MiB with the selection, $(mib "$marked") MiB with the marks," \
    "$(mib "$ended") MiB after the $ending (now $(mib "$(status_of "$pid" VmRSS)") MiB)"
  kill "$pid"
  wait "$started" 2>/dev/null || true
done
kill "$viewer" 2>/dev/null || true
echo "budget: 3 frozen screens = $(mib $((3840 * 2160 * 4 * 3 / 1024))) MiB"
