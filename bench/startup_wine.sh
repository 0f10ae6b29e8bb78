#!/usr/bin/env bash
# Start-up time under Wine, from the wine command to the window's map and first picture on the
# display: VelmoBox.exe with both full-size dictionaries (the shipped ones, or stand-ins when the
# build could not make them) beside a minimal Win32 window program, taking turns in one run.
# Prints each figure's medians and their ratio.
#   bench/startup_wine.sh <win-build> [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/lib.sh"
. "$here/first_paint.sh"
runs=${2:-9}
e2e_start "$1"
[ -f "$E2E_APP/DATA/Dictionary.txt" ] || python3 "$here/gen_dictionaries.py" "$E2E_APP/DATA" >/dev/null
# Every run starts where a fresh install does, not where the previous run docked.
sed -i 's/^GreetingAfterRunning =True/GreetingAfterRunning =False/; s/^PositionRecord =True/PositionRecord =False/' "$E2E_APP/DATA/config.ini"
cp "$1/bench/minimal_window.exe" "$E2E_TMP/"
first_paint_build "$E2E_TMP"
# Both programs start on a running, warm wineserver with the shell (explorer.exe) running, as
# on a desktop; otherwise every start after the first also pays for restarting the shell.
wineserver -p
wine cmd /c exit >/dev/null 2>&1
(wine explorer.exe >/dev/null 2>&1 &)
sleep 2

# time_to_picture <title> <exe>: "mapped M drawn D" in milliseconds, then closes the window.
time_to_picture() {
  local title=$1 exe=$2
  (cd "$(dirname "$exe")" && first_picture "$title" wine "$exe" && echo "$FIRST_PICTURE" &&
    e2e_close "$(xdotool search --onlyvisible --name "^$title\$" | head -n1)" "$FIRST_PICTURE_PID" &&
    { wait "$FIRST_PICTURE_PID" 2>/dev/null || true; }) || e2e_fail "$title did not show"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
# The two programs take turns, so that a slow moment of the machine falls on both alike.
for _ in $(seq "$runs"); do
  time_to_picture 'minimal window' "$E2E_TMP/minimal_window.exe" >>"$E2E_TMP/minimal"
  time_to_picture 'Velmo盒子' "$E2E_APP/VelmoBox.exe" >>"$E2E_TMP/box"
done
# column <file> <mapped|drawn>: that figure of every run.
column() { awk -v k="$2" '{for (i = 1; i < NF; i++) if ($i == k) print $(i + 1)}' "$1"; }
for k in mapped drawn; do
  m=$(column "$E2E_TMP/minimal" $k | median) b=$(column "$E2E_TMP/box" $k | median)
  echo "$k: minimal Win32 window $(column "$E2E_TMP/minimal" $k | tr '\n' ' ')(median $m ms)"
  echo "$k: VelmoBox.exe, full dictionaries $(column "$E2E_TMP/box" $k | tr '\n' ' ')(median $b ms)"
  echo "$k: ratio $(awk -v b="$b" -v m="$m" 'BEGIN {printf "%.2f", b / m}') (budget 1.25)"
done
