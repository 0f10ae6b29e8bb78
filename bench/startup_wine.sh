#!/usr/bin/env bash
# Start-up time under Wine, from the wine command to the window's first picture on the display:
# VelmoBox.exe with both full-size dictionaries (the shipped ones, or stand-ins when the build
# could not make them) beside a minimal Win32 window program, measured in one run.
#   bench/startup_wine.sh <win-build> [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/lib.sh"
. "$here/first_paint.sh"
runs=${2:-5}
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

# time_to_picture <title> <exe>: milliseconds until the window's first picture, then closes it.
time_to_picture() {
  local title=$1 exe=$2
  (cd "$(dirname "$exe")" && first_picture "$title" wine "$exe" && echo "$FIRST_PICTURE" >>"$E2E_TMP/pictures" && echo "${FIRST_PICTURE##* }" &&
    e2e_close "$(xdotool search --onlyvisible --name "^$title\$" | head -n1)" "$FIRST_PICTURE_PID" &&
    { wait "$FIRST_PICTURE_PID" 2>/dev/null || true; }) || e2e_fail "$title did not show"
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
box=() minimal=()
for _ in $(seq "$runs"); do
  minimal+=("$(time_to_picture 'minimal window' "$E2E_TMP/minimal_window.exe")")
  box+=("$(time_to_picture 'Velmo盒子' "$E2E_APP/VelmoBox.exe")")
done
echo "minimal Win32 window: ${minimal[*]} ms (median $(printf '%s\n' "${minimal[@]}" | median))"
echo "VelmoBox.exe, full dictionaries: ${box[*]} ms (median $(printf '%s\n' "${box[@]}" | median))"
cat "$E2E_TMP/pictures"
