#!/usr/bin/env bash
# Switch 10 (全局按键拦截) in the real box: started with it on, keys typed reach neither the box's
# command box nor another program's window (Notepad); turned off with the mouse on the options
# page, typed keys reach both again.
. "$(dirname "$0")/window_lib.sh"
window_start "$1" 's/^KeyIntercept *= *False/KeyIntercept=True/'
box=$E2E_PID
cfg=$E2E_APP/DATA/config.ini
reader=$E2E_BUILD/tests/read_controls.exe
[ -f "$reader" ] || e2e_fail "no read_controls.exe in the build"

click() { xdotool mousemove --window "$1" "$2" "$3" click 1; sleep 0.3; }
# The text of every native control of a window class, one a line.
texts() { wine "$reader" "$1" 2>/dev/null | tr -d '\r' | cut -f3; }
# type_into <x window> <x> <y> <text>: the X focus to the window (there is no window manager to
# give it), a click there, then the keys. The first click on a window that is not the active
# one only activates it: a second one reaches the control.
type_into() {
  xdotool windowfocus --sync "$1"
  click "$1" "$2" "$3"
  sleep 0.5
  click "$1" "$2" "$3"
  xdotool type --delay 40 "$4"
  sleep 0.5
}

e2e_wine notepad
notepad=$(e2e_wait_window '.*记事本' 20) || e2e_fail "no Notepad window"
xdotool windowmove "$notepad" 0 450  # below the box
sleep 1  # the settings tick has long run: the hook is in

e2e_log "switch 10 on from the start: no key arrives anywhere"
type_into "$notepad" 100 100 blocked
type_into "$WIN" 120 385 blocked
texts VelmoBoxWindow | grep -q blocked && e2e_fail "a key reached the command box"
texts Notepad | grep -q blocked && e2e_fail "a key reached Notepad"

e2e_log "switch 10 off with the mouse: keys arrive again"
xdotool mousemove --window "$WIN" 150 300
click "$WIN" 16 24  # the drawer
sleep 0.5
click "$WIN" 223 90  # 选项
click "$WIN" 264 67  # the 调试 tab
click "$WIN" 255 $((92 + (360 + 172) / 15))  # switch 10
sleep 0.5
click "$WIN" 24 24  # the options page's exit button
type_into "$WIN" 120 385 typed
texts VelmoBoxWindow | grep -qx typed || { texts VelmoBoxWindow; e2e_fail "the command box got no key"; }
type_into "$notepad" 100 100 typed
texts Notepad | grep -q typed || { texts Notepad; e2e_fail "Notepad got no key"; }

e2e_close "$WIN" "$box" || e2e_fail "box did not close"
grep -q $'^KeyIntercept=False\r$' "$cfg" || e2e_fail "config.ini lacks KeyIntercept=False"
echo PASS
