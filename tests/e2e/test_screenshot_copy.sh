#!/usr/bin/env bash
# 截屏: a selection copied by double-click equals the screen; Escape and the launcher's buttons;
# an empty selection copies nothing; a clipboard another program holds is said and keeps its
# content; the copied picture outlives the program.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/screenshot_lib.sh"
e2e_start "$1"
shot_show_picture

e2e_log "draw 100 x 50 at (10, 20) and double-click inside"
shot_start
pid=$E2E_PID
shot_select 10 20 100 50
import -window root "$E2E_TMP/selected.png"
# The frame is drawn on the frozen screen.
frame=$(convert "$E2E_TMP/selected.png" -format '%[pixel:p{30,20}]' info:)
[ "$frame" = 'srgb(51,153,255)' ] || e2e_fail "no selection frame at (30, 20): $frame"
xdotool mousemove 60 45 click --repeat 2 --delay 80 1
launcher=$(shot_launcher) || e2e_fail "no launcher after the double-click"
shot_clipboard_bmp "$E2E_TMP/copy.bmp" || e2e_fail "nothing on the clipboard"
shot_same_as_screen "$E2E_TMP/copy.bmp" 10 20 100 50
xclip -selection clipboard -t TARGETS -o | grep -qx 'image/bmp' || e2e_fail "no image/bmp target"

e2e_log "a new capture from the launcher, left with Escape, copies nothing"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "the capture button opened no capture screen"
sleep 0.3
shot_select 200 100 40 30
xdotool key Escape
launcher=$(shot_launcher) || e2e_fail "Escape did not show the launcher"
shot_clipboard_bmp "$E2E_TMP/after-escape.bmp" || e2e_fail "the clipboard lost its picture"
shot_same_as_screen "$E2E_TMP/after-escape.bmp" 10 20 100 50

e2e_log "copy through the toolbar, then close the launcher"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no second capture screen"
sleep 0.3
shot_select 300 200 64 48
shot_toolbar_icon 1 300 200 64 48
launcher=$(shot_launcher) || e2e_fail "the copy button did not show the launcher"

e2e_log "an empty selection copies nothing"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no third capture screen"
sleep 0.3
xdotool mousemove 500 300 click 1
sleep 0.3
shot_toolbar_icon 1 500 300 0 0
launcher=$(shot_launcher) || e2e_fail "no launcher after copying an empty selection"

e2e_log "a copy while another program holds the clipboard is said"
e2e_hold clipboard "$E2E_TMP/clipboard"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no fourth capture screen"
sleep 0.3
shot_select 200 100 40 30
shot_toolbar_icon 1 200 100 40 30
shot_told '复制失败' screenshot_copy_failed.png
launcher=$(shot_launcher) || e2e_fail "no launcher after the failed copy"
e2e_release
shot_launcher_click "$launcher" close
e2e_wait_gone "$pid" || e2e_fail "closing the launcher did not end the program"
shot_clipboard_bmp "$E2E_TMP/after-exit.bmp" || e2e_fail "the picture left with the program"
shot_same_as_screen "$E2E_TMP/after-exit.bmp" 300 200 64 48
echo "PASS"
