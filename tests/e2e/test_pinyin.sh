#!/usr/bin/env bash
# Item suggestions in the real box: "jsq" lists 计算器 and 计时器 in the panel over the command box,
# Tab puts the first name in the box with the caret after it and Return starts it; Down, Down,
# Return starts the second suggestion; the launches are counted in DATA\Usage.sd, and after a
# restart the item launched most comes first.
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
# Waits for item $1 (calc, timer, notes) to start, and for no other to have started.
expect_started() {
  for _ in $(seq 100); do [ -e "$1/marker.exe.ran" ] && break; sleep 0.1; done
  [ -e "$1/marker.exe.ran" ] || e2e_fail "$1 did not start"
  for d in calc timer notes; do
    [ "$d" = "$1" ] || [ ! -e "$d/marker.exe.ran" ] || e2e_fail "$d started too"
  done
  rm -f "$1/marker.exe.ran"
  sleep 1  # Usage.sd keeps seconds: the next launch is a later one
}
start_box() {
  e2e_wine "$E2E_APP/VelmoBox.exe"
  box=$E2E_PID
  win=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
  xdotool mousemove --window "$win" 150 200
  sleep 0.5
  xdotool mousemove --window "$win" 120 385 click 1  # the command box
  sleep 0.2
}
shots=$E2E_BUILD/e2e-shots
mkdir -p "$shots"

start_box
e2e_log "jsq lists both names; Tab takes the first, the caret after it; Return starts it"
xdotool type --delay 60 jsq
sleep 0.3
import -window "$win" "$shots/pinyin_suggestions.png"
xdotool key Tab
expect_box '计算器'
xdotool type x
expect_box '计算器x'
xdotool key BackSpace
expect_box '计算器'
xdotool key Return
expect_started calc
expect_box ''

e2e_log "Down, Down, Return starts the second suggestion: 计时器, after 计算器 just launched"
xdotool type --delay 60 jsq
sleep 0.2
xdotool key Down Down Return
expect_started timer
expect_box ''

e2e_log "Escape closes the panel and keeps the text; Down, Return then starts the first: 计时器"
xdotool type --delay 60 jsq
sleep 0.2
xdotool key Escape
expect_box 'jsq'
xdotool key BackSpace
xdotool type q
sleep 0.2
xdotool key Down Return
expect_started timer

e2e_close "$win" "$box" || e2e_fail "box did not close"
usage=$(iconv -f GBK -t UTF-8 DATA/Usage.sd | tr -d '\r')
echo "$usage"
printf '%s\n' "$usage" | grep -Eqx '计算器\*1\*[0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}' ||
  e2e_fail "Usage.sd lacks 计算器 used once"
printf '%s\n' "$usage" | grep -Eqx '计时器\*2\*[0-9-]{10} [0-9:]{8}' || e2e_fail "Usage.sd lacks 计时器 used twice"
[ "$(printf '%s\n' "$usage" | wc -l)" = 2 ] || e2e_fail "Usage.sd holds other lines"
od -c DATA/Usage.sd | grep -q '\\r  \\n' || e2e_fail "Usage.sd lines do not end in CR LF"

e2e_log "after a restart the item used most comes first: js lists 计时器, 计算器, 记事本"
start_box
xdotool type --delay 60 js
sleep 0.2
xdotool key Down Down
sleep 0.3
import -window "$win" "$shots/suggestions_highlight.png"
xdotool key Return
expect_started calc
e2e_close "$win" "$box" || e2e_fail "box did not close"
echo PASS
