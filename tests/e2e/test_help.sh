#!/usr/bin/env bash
# The drawer's help button of the real box: with the shipped 帮助.chm in a program folder whose
# path has a blank, the desktop shell starts the help viewer on that file (a screenshot of it is
# kept for review); without the file the message panel says it is missing.
. "$(dirname "$0")/window_lib.sh"
E2E_APP_NAME="my box"
window_start "$1"
box=$E2E_PID
reader=$E2E_BUILD/tests/read_controls.exe
shots=$E2E_BUILD/e2e-shots
mkdir -p "$shots"
[ -f "$E2E_APP/帮助.chm" ] || e2e_fail "the program folder has no 帮助.chm (chmcmd missing?)"

click() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; sleep "${3:-0.4}"; }
# The drawer's expand button, then 帮助: column 4 of the first row, 240 + 4 * 585 twips from the
# left and 1170 from the top, 360 twips square: its middle at (2760, 1350) twips = (184, 90).
click_help() {
  xdotool mousemove --window "$WIN" 150 300
  click 16 24 0.8
  click 184 90
}
viewer() { pgrep -af 'hh\.exe' || true; }

e2e_log "帮助 with the file: the help viewer opens it"
[ -z "$(viewer)" ] || e2e_fail "a help viewer runs before the click: $(viewer)"
click_help
for _ in $(seq 100); do viewer | grep -qF '帮助.chm' && break; sleep 0.1; done
viewer | grep -qF '帮助.chm' || e2e_fail "no help viewer on 帮助.chm: $(viewer)"
win_chm="$(winepath -w "$E2E_APP/帮助.chm" 2>/dev/null | tr -d '\r')"
viewer | grep -qiF "$win_chm" || e2e_fail "the viewer has another file: $(viewer), want $win_chm"
help=$(e2e_wait_window 'Velmo盒子 帮助' 20) || e2e_fail "no help window titled Velmo盒子 帮助"
sleep 2
import -window root "$E2E_TMP/help.png"
cp "$E2E_TMP/help.png" "$shots/help_viewer.png"
kill -0 "$box" || e2e_fail "the box died"
e2e_close "$WIN" "$box" || e2e_fail "box did not close"

e2e_log "帮助 without the file: the message panel"
rm "$E2E_APP/帮助.chm"
VELMO_TIMING=1 e2e_wine "$E2E_APP/VelmoBox.exe"
box=$E2E_PID
WIN=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
click_help
sleep 1
controls() { wine "$reader" VelmoBoxWindow 2>/dev/null | tr -d '\r'; }
controls | grep -qF $'\t1\t未找到帮助文件，无法显示帮助。' || { controls; e2e_fail "no missing-file message"; }
import -window root "$shots/help_missing.png"
kill -0 "$box" || e2e_fail "the box died"
e2e_close "$WIN" "$box" || e2e_fail "box did not close"
echo PASS
