#!/usr/bin/env bash
# The real window: start-up position, docking at the top edge about 2.4 s after start, hiding
# and coming back from the strip, a home tile sliding its page in and the back button out, the
# summoning hotkey pressed in a Notepad bringing the box out with the keyboard and sending it
# away again, the capture hotkey starting 截屏; then the same box at 200 % (192 dpi).
. "$(dirname "$0")/window_lib.sh"
xdotool mousemove 20 780 2>/dev/null || true
start=$(date +%s%N)
window_start "$1"
xdotool mousemove 20 780

e2e_log "start-up position: top 10 twips, centred"
xdotool getwindowgeometry "$WIN"
[ "$(window_pos y)" = 1 ] || e2e_fail "top is not 10 twips"
[ "$WIN_X" = $((640 - 153)) ] || e2e_fail "left is not centred: $WIN_X"

e2e_log "docks and hides at the top edge"
window_wait_y -397 6 || e2e_fail "window did not dock and hide: y=$(window_pos y)"
elapsed=$((($(date +%s%N) - start) / 1000000))
e2e_log "hidden ${elapsed} ms after start"
grep -q 'slide Timer7 ticks=12' "$E2E_TMP/wine.log" || e2e_fail "hide slide was not 12 ticks"

e2e_log "the strip brings it back"
xdotool mousemove $((WIN_X + 150)) 1
window_wait_y 0 3 || e2e_fail "window did not come back: y=$(window_pos y)"

e2e_log "home tile 0 slides the music page in, its back button out"
xdotool mousemove $((WIN_X + 150)) 40
home=$(window_shot home)
gap_home=$(window_pixel "$home" 150 123)  # between tiles 0 and 1
xdotool mousemove $((WIN_X + 150)) 80 click 1
sleep 0.6
page=$(window_shot page)
gap_page=$(window_pixel "$page" 150 123)
[ "$gap_home" = "243,245,248" ] || e2e_fail "home background not seen: $gap_home"
[ "$gap_page" = "255,255,255" ] || e2e_fail "music page not shown: $gap_page"
xdotool mousemove $((WIN_X + 24)) 25 click 1  # back button
sleep 0.6
back=$(window_shot back)
[ "$(window_pixel "$back" 150 123)" = "243,245,248" ] || e2e_fail "music page did not slide out"
grep 'slide Timer1[78] ' "$E2E_TMP/wine.log"
grep -q 'slide Timer18 ticks=15' "$E2E_TMP/wine.log" || e2e_fail "slide-out was not 15 ticks"

e2e_log "the hotkey from a Notepad of the prefix: out with the keyboard and the text selected"
controls() { wine "$E2E_BUILD/tests/read_controls.exe" "$1" 2>/dev/null | tr -d '\r'; }
xdotool mousemove $((WIN_X + 120)) 385 click 1
sleep 0.2
xdotool type --delay 40 old
[[ $(controls VelmoBoxWindow) == *$'Edit\t1\told'* ]] || e2e_fail "no text typed into the command box"
box_pid=$E2E_PID
e2e_wine notepad
E2E_PID=$box_pid
notepad=$(xdotool search --sync --onlyvisible --class notepad | head -n1)
xdotool mousemove 20 780
window_wait_y -397 3 || e2e_fail "did not hide for the Notepad: y=$(window_pos y)"
xdotool windowfocus --sync "$notepad"
sleep 0.3
# What the box printed since its last hotkey press.
since_hotkey() {
  awk '/^hotkey id=1 /{n = ""} {n = n $0 "\n"} END {printf "%s", n}' "$E2E_TMP/wine.log" |
    tr -d '\r'
}
pressed=$(date +%s%N)
xdotool key alt+space
keyboard_ms=
for _ in $(seq 50); do
  keyboard_ms=$(since_hotkey | sed -n 's/^keyboard Text2 unix_ms=//p')
  [ -n "$keyboard_ms" ] && break
  sleep 0.02
done
[ -n "$keyboard_ms" ] || e2e_fail "the hotkey did not give the command box the keyboard"
latency=$(echo "$keyboard_ms - $pressed / 1000000" | bc)
e2e_log "hotkey to the keyboard in the command box: $latency ms (budget 100 ms)"
window_wait_y 0 3 || e2e_fail "the hotkey did not bring the box out: y=$(window_pos y)"
# No window manager follows Wine's activation here: the X focus is given by hand, as a desktop
# would.
xdotool windowfocus --sync "$WIN"
xdotool type --delay 40 new
sleep 0.3
[[ $(controls VelmoBoxWindow) == *$'Edit\t1\tnew'* ]] ||
  e2e_fail "typing did not replace the command box's text: $(controls VelmoBoxWindow | grep -a '^Edit')"
sleep 1.5
[ "$(window_pos y)" = 0 ] || e2e_fail "slid away with the keyboard in it: y=$(window_pos y)"

e2e_log "pressed again: docked away, the keyboard back in the Notepad"
xdotool key alt+space
window_wait_y -397 3 || e2e_fail "the second press did not dock it away: y=$(window_pos y)"
[[ $(since_hotkey) == *$'\nactive 0 '* ]] || e2e_fail "the box kept the keyboard"
xdotool windowfocus --sync "$notepad"
xdotool type --delay 40 back
sleep 0.3
[[ $(controls Notepad) == *$'Edit\t1\tback'* ]] || e2e_fail "the Notepad did not get the keyboard back"
awk -v ms="$latency" 'BEGIN { exit !(ms < 300) }' || e2e_fail "the hotkey took $latency ms"

e2e_log "the capture hotkey from the Notepad starts 截屏"
xdotool key ctrl+alt+x
shot=$(e2e_wait_window '截屏' 10) || e2e_fail "Ctrl+Alt+X did not start 截屏"
xdotool windowfocus --sync "$shot" key Escape
e2e_wait_window_gone "$shot" 5 || e2e_fail "截屏 did not close"

e2e_log "at 192 dpi: centred; the pointer over its left part keeps it shown, beside it hides it"
e2e_close "$WIN" "$E2E_PID" || e2e_fail "box did not close"
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 192 /f >/dev/null 2>&1
xdotool mousemove 640 400
VELMO_TIMING=1 e2e_wine "$E2E_APP/VelmoBox.exe"
WIN=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window at 192 dpi"
WIN_X=$(window_pos x)
xdotool getwindowgeometry "$WIN"
xdotool getwindowgeometry "$WIN" | grep -q 'Geometry: 613x800' || e2e_fail "not 4600 x 6000 twips"
[ "$WIN_X" = $(((1280 - 613) / 2)) ] || e2e_fail "left is not centred at 192 dpi: $WIN_X"
xdotool mousemove $((WIN_X + 2)) 400
sleep 3.5  # the countdown docks it at the top; the pointer over it keeps it shown
[ "$(window_pos y)" = 0 ] || e2e_fail "hid with the pointer over its left part: y=$(window_pos y)"
mkdir -p "$E2E_BUILD/e2e-shots"
cp "$(window_shot dpi192)" "$E2E_BUILD/e2e-shots/dock-192dpi.png"
xdotool mousemove $((WIN_X - 2)) 400
window_wait_y -793 3 || e2e_fail "did not hide with the pointer beside it: y=$(window_pos y)"
e2e_log "ok"
