#!/usr/bin/env bash
# The clock page's tick under Wine: with VELMO_TIMING the box prints, for every tick that changes
# the picture, the microseconds from the tick to the end of its repaint. Ten seconds of the open
# clock page; prints the median and the largest of the hand ticks (budget 2 ms).
#   bench/clock_wine.sh <win-build>
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/window_lib.sh"
window_start "$1"
xdotool mousemove --window "$WIN" 150 200
click() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; sleep 0.7; }
click 170 318  # home tile 小工具
click 245 202  # tools tile 时钟和计划
sleep 10
grep -a '^tick Timer34 ' "$E2E_TMP/wine.log" | sed 's/.*us=//' | tr -d '\r' | sort -n >"$E2E_TMP/ticks"
n=$(wc -l <"$E2E_TMP/ticks")
[ "$n" -ge 5 ] || e2e_fail "only $n clock ticks"
echo "clock tick (hands and repaint): median $(sed -n "$(((n + 1) / 2))p" "$E2E_TMP/ticks") us, largest $(tail -n1 "$E2E_TMP/ticks") us over $n ticks (budget 2000 us)"
