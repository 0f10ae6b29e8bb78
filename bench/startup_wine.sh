#!/usr/bin/env bash
# Start-up time under Wine, from process start to a visible window: VelmoBox.exe with both
# full-size dictionaries beside a minimal Win32 window program, measured in one run.
#   bench/startup_wine.sh <win-build> [runs]
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
. "$here/../tests/e2e/lib.sh"
runs=${2:-5}
e2e_start "$1"
python3 "$here/gen_dictionaries.py" "$E2E_APP/DATA" >/dev/null
# Every run starts where a fresh install does, not where the previous run docked.
sed -i 's/^GreetingAfterRunning =True/GreetingAfterRunning =False/; s/^PositionRecord =True/PositionRecord =False/' "$E2E_APP/DATA/config.ini"
cp "$1/bench/minimal_window.exe" "$E2E_TMP/"
# Both programs start on a running, warm wineserver with the shell (explorer.exe) running, as
# on a desktop; otherwise every start after the first also pays for restarting the shell.
wineserver -p
wine cmd /c exit >/dev/null 2>&1
(wine explorer.exe >/dev/null 2>&1 &)
sleep 2

# time_to_window <title> <exe>: milliseconds until the window is mapped, then closes it.
time_to_window() {
  local title=$1 exe=$2 start id end
  start=$(date +%s%N)
  (cd "$(dirname "$exe")" && wine "$exe" >/dev/null 2>&1) &
  local pid=$!
  until id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1) && [ -n "$id" ]; do
    sleep 0.005
  done
  end=$(date +%s%N)
  xdotool key --window "$id" alt+F4 >/dev/null 2>&1 || true
  wait "$pid" 2>/dev/null || true
  echo $(((end - start) / 1000000))
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR + 1) / 2)]}'; }
box=() minimal=()
for _ in $(seq "$runs"); do
  minimal+=("$(time_to_window 'minimal window' "$E2E_TMP/minimal_window.exe")")
  box+=("$(time_to_window 'Velmo盒子' "$E2E_APP/VelmoBox.exe")")
done
echo "minimal Win32 window: ${minimal[*]} ms (median $(printf '%s\n' "${minimal[@]}" | median))"
echo "VelmoBox.exe, full dictionaries: ${box[*]} ms (median $(printf '%s\n' "${box[@]}" | median))"
