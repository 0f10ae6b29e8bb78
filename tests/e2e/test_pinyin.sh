#!/usr/bin/env bash
# Item names by typed pinyin in the real box: "jsq" lists 计算器 and 计时器 in the panel under the
# command box, Tab puts the first name in the box with the caret after it, and Return starts
# that item's program.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"
cd "$E2E_APP"
marker=$E2E_BUILD/tests/marker.exe
reader=$E2E_BUILD/tests/read_controls.exe
[ -f "$marker" ] && [ -f "$reader" ] || e2e_fail "no marker.exe or read_controls.exe in the build"
win_app=$(winepath -w "$E2E_APP" 2>/dev/null | tr -d '\r')

mkdir -p calc timer notes
for d in calc timer notes; do cp "$marker" "$d/marker.exe"; done
printf '记事本*%s\\notes\\marker.exe\r\n计算器*%s\\calc\\marker.exe\r\n计时器*%s\\timer\\marker.exe\r\n' \
  "$win_app" "$win_app" "$win_app" | e2e_gbk >DATA/App.sd

controls() { wine "$reader" VelmoBoxWindow 2>/dev/null | tr -d '\r'; }
# Waits until a shown text box holds exactly $1 ("\n" between lines).
expect_box() {
  for _ in $(seq 30); do
    controls | want=$1 awk -F'\t' '$2 == 1 && $3 == ENVIRON["want"] { found = 1 }
      END { exit !found }' && return 0
    sleep 0.1
  done
  controls
  e2e_fail "no shown text box holds '$1'"
}

e2e_wine "$E2E_APP/VelmoBox.exe"
box=$E2E_PID
win=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
xdotool mousemove --window "$win" 150 200
sleep 0.5
xdotool mousemove --window "$win" 120 385 click 1  # the command box
sleep 0.2

e2e_log "jsq lists both names, the one earlier in the list first"
xdotool type --delay 60 jsq
expect_box '计算器\n计时器\n\n按 Tab 键填入“计算器”'
sleep 0.3
shots=$E2E_BUILD/e2e-shots
mkdir -p "$shots"
import -window "$win" "$shots/pinyin_suggestions.png"

e2e_log "Tab takes the first name, the caret after it"
xdotool key Tab
expect_box '计算器'
xdotool type x
expect_box '计算器x'
xdotool key BackSpace
expect_box '计算器'

e2e_log "Return starts it"
xdotool key Return
for _ in $(seq 100); do [ -e calc/marker.exe.ran ] && break; sleep 0.1; done
[ -e calc/marker.exe.ran ] || e2e_fail "计算器 did not start"
[ ! -e timer/marker.exe.ran ] && [ ! -e notes/marker.exe.ran ] || e2e_fail "another item started"

e2e_close "$win" "$box" || e2e_fail "box did not close"
echo PASS
