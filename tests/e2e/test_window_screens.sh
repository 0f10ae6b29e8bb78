#!/usr/bin/env bash
# Screenshots of the message panel, the home area and the expanded drawer, kept in
# <build>/e2e-shots for a look at the design; the panel and the drawer must really show.
. "$(dirname "$0")/window_lib.sh"
e2e_start "$1"
# A NUL byte makes config.ini unreadable: the box says so in the message panel at start-up.
printf 'Top=\0\r\n' >"$E2E_APP/DATA/config.ini"
xdotool mousemove 640 200
VELMO_TIMING=1 e2e_wine "$E2E_APP/VelmoBox.exe"
WIN=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
WIN_X=$(window_pos x)
# Without a readable config.ini the box starts at the top edge and may already have slid up:
# the pointer on the strip brings it down.
xdotool mousemove $((WIN_X + 150)) 1
sleep 0.5
xdotool mousemove $((WIN_X + 150)) 200
sleep 1
shot=$(window_shot message)
window_keep "$shot" message
[ "$(window_pixel "$shot" 150 123)" = "255,255,255" ] || e2e_fail "message panel not shown"

xdotool mousemove $((WIN_X + 281)) 30 click 1  # close button
sleep 0.8
xdotool mousemove $((WIN_X + 300)) 200
sleep 0.3
shot=$(window_shot home)
window_keep "$shot" home
[ "$(window_pixel "$shot" 150 123)" = "243,245,248" ] || e2e_fail "message panel did not close"

xdotool mousemove $((WIN_X + 16)) 24 click 1  # expand the drawer
sleep 0.6
xdotool mousemove $((WIN_X + 20)) 150
sleep 0.3
shot=$(window_shot drawer)
window_keep "$shot" drawer
[ "$(window_pixel "$shot" 200 123)" = "32,41,56" ] || e2e_fail "drawer not expanded"
grep 'paint render_us' "$E2E_TMP/wine.log" | tail -n 1
e2e_log "shots in $E2E_BUILD/e2e-shots"
