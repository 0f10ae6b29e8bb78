#!/usr/bin/env bash
# Screenshots of the message panel, the home area and the expanded drawer, kept in
# <build>/e2e-shots for a look at the design; the panel and the drawer must really show.
# What a new user meets on the way: home tile titles whole under the pointer, one hover
# image at most however fast the pointer moves, no tool tip left behind by its button.
. "$(dirname "$0")/window_lib.sh"
# window_count <png> <x> <y> <w> <h> <dark|light>: pixels of a window region darker than 40 %
# (text on a light surface) or lighter than 80 % (a tool tip on the dark drawer).
window_count() {
  local op='-negate'
  [ "$6" = light ] && op='-threshold 80%' || op='-threshold 40% -negate'
  # shellcheck disable=SC2086
  convert "$1" -crop "$4x$5+$((WIN_X + $2))+$(($(window_pos y) + $3))" +repage -colorspace gray \
    $op -format '%[fx:round(mean*w*h)]' info:
}
# window_lit <png>: drawer buttons showing their hover image (a lighter square behind the icon).
window_lit() {
  local n=0 x y
  for y in 78 114; do
    for x in 16 55 94 133 172 211; do
      [ $y = 114 ] && [ $x -gt 94 ] && continue
      [ "$(window_pixel "$1" $((x + 2)) $((y + 2)))" = "56,68,88" ] && n=$((n + 1))
    done
  done
  echo $n
}
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

e2e_log "home tile titles stay whole under the pointer"
for tile in 2 3; do
  top=$((48 + 78 * tile))
  whole=$(window_count "$shot" 117 "$top" 137 72 dark)
  xdotool mousemove $((WIN_X + 200)) $((top + 36))
  sleep 0.4
  hover=$(window_shot "hover_tile$tile")
  window_keep "$hover" "hover_tile$tile"
  under=$(window_count "$hover" 117 "$top" 137 72 dark)
  echo "tile $tile title: $whole dark pixels, $under under the pointer"
  [ "$under" -ge $((whole * 95 / 100)) ] || e2e_fail "tile $tile title cut under the pointer"
done

e2e_log "the expand button's tool tip goes with the button"
xdotool mousemove $((WIN_X + 16)) 24
sleep 1.2  # the tip shows
xdotool click 1 mousemove_relative 1 0 sleep 0.03 mousemove_relative 1 0  # expand the drawer
sleep 1.2
shot=$(window_shot drawer_tip)
window_keep "$shot" drawer_tip
tip=$(window_count "$shot" 0 40 90 30 light)
[ "$tip" -lt 20 ] || e2e_fail "a tool tip stayed over the version label ($tip light pixels)"

xdotool mousemove $((WIN_X + 20)) 150
sleep 0.3
shot=$(window_shot drawer)
window_keep "$shot" drawer
[ "$(window_pixel "$shot" 200 123)" = "32,41,56" ] || e2e_fail "drawer not expanded"

e2e_log "a fast pointer over the drawer buttons and off the window leaves none lit"
for x in 28 67 106 145 184 223 28 67 106; do xdotool mousemove $((WIN_X + x)) 90; done
xdotool mousemove $((WIN_X + 28)) 126 mousemove $((WIN_X + 67)) 126 mousemove $((WIN_X + 106)) 126
xdotool mousemove $((WIN_X + 500)) 126
sleep 1
# The box has slid up at the top edge; the strip brings it back under a still pointer.
xdotool mousemove $((WIN_X + 250)) 1
sleep 1
shot=$(window_shot drawer_fast)
window_keep "$shot" drawer_fast
lit=$(window_lit "$shot")
echo "lit after a fast pointer: $lit"
[ "$lit" -eq 0 ] || e2e_fail "$lit drawer buttons stayed lit"
grep 'paint render_us' "$E2E_TMP/wine.log" | tail -n 1
e2e_log "shots in $E2E_BUILD/e2e-shots"
