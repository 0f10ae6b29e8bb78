#!/usr/bin/env bash
# 截屏: a second instance does its one capture and exits instead of opening a second launcher;
# the launcher moves when dragged; the toolbar's exit button ends the program without a launcher.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/screenshot_lib.sh"
e2e_start "$1"
shot_show_picture

e2e_log "first instance: Escape shows its launcher"
shot_start
first=$E2E_PID
xdotool key Escape
launcher=$(shot_launcher) || e2e_fail "no launcher"

e2e_log "second instance: its copy takes effect, then it exits"
shot_start
second=$E2E_PID
shot_select 40 30 80 60
xdotool mousemove 80 60 click --repeat 2 --delay 80 1
e2e_wait_gone "$second" || e2e_fail "the second instance did not exit"
shot_clipboard_bmp "$E2E_TMP/second.bmp" || e2e_fail "the second instance copied nothing"
shot_same_as_screen "$E2E_TMP/second.bmp" 40 30 80 60
[ "$(xdotool search --onlyvisible --name '^截屏工具$' | wc -l)" = 1 ] || e2e_fail "a second launcher opened"
kill -0 "$first" || e2e_fail "the first instance ended"

e2e_log "the launcher moves when dragged by its title"
eval "$(xdotool getwindowgeometry --shell "$launcher")"
x0=$X y0=$Y
xdotool mousemove $((x0 + 20)) $((y0 + 10)) mousedown 1
sleep 0.2
xdotool mousemove $((x0 + 70)) $((y0 + 40))
sleep 0.2
xdotool mousemove $((x0 + 120)) $((y0 + 70)) mouseup 1
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$launcher")"
[ "$X,$Y" = "$((x0 + 100)),$((y0 + 60))" ] || e2e_fail "the launcher went from $x0,$y0 to $X,$Y"

e2e_log "the exit button ends the first instance"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen"
sleep 0.3
shot_select 100 100 300 200
shot_toolbar_icon 3 100 100 300 200
e2e_wait_gone "$first" || e2e_fail "the exit button did not end the program"
echo "PASS"
