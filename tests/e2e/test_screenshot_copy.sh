#!/usr/bin/env bash
# 截屏: a selection copied by double-click equals the screen; the surround is dimmed and the
# selection is not; C copies the colour under the pointer; the arrow keys move and size the
# selection and Enter copies it; Escape and the launcher's buttons; an empty selection copies
# nothing; a red rectangle and Chinese text typed on a selection are in the copy, and nothing
# else is; pins open at the selection's place, move by a drag with their picture, zoom by the
# wheel and close; a clipboard another program holds is said and keeps its content; the copied
# picture outlives the program.
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

e2e_log "dimmed surround, the colour key, arrow keys and Enter"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "the capture button opened no capture screen"
sleep 0.3
shot_select 200 100 40 30
xdotool mousemove 640 500
sleep 0.3
import -window root "$E2E_TMP/dimmed.png"
for at in "225 125" "232 122" "205 121"; do
  [ "$(shot_rgb "$E2E_TMP/dimmed.png" $at)" = "$(shot_rgb "$E2E_TMP/screen.png" $at)" ] ||
    e2e_fail "the selection is not shown as it is at ($at)"
done
for at in "1000 700" "195 120" "230 133" "30 10"; do
  read -r r g b <<<"$(shot_rgb "$E2E_TMP/screen.png" $at)"
  [ "$(shot_rgb "$E2E_TMP/dimmed.png" $at)" = "$((r * 154 / 256)) $((g * 154 / 256)) $((b * 154 / 256))" ] ||
    e2e_fail "the surround is not dimmed at ($at): $(shot_rgb "$E2E_TMP/dimmed.png" $at)"
done
xdotool key c
sleep 0.3
# shellcheck disable=SC2046
colour=$(printf '#%02X%02X%02X' $(shot_rgb "$E2E_TMP/screen.png" 640 500))
[ "$(xclip -selection clipboard -o)" = "$colour" ] || e2e_fail "C did not copy $colour"
mkdir -p "$E2E_BUILD/e2e-shots"
import -window root "$E2E_BUILD/e2e-shots/screenshot_magnifier.png"
# Right 10, down 1, the right edge out 1 and the bottom edge in 1: (210, 101) 41 x 29.
xdotool key shift+Right Down ctrl+Right ctrl+shift+Up
sleep 0.2
xdotool key Return
launcher=$(shot_launcher) || e2e_fail "Enter did not show the launcher"
shot_clipboard_bmp "$E2E_TMP/keys.bmp" || e2e_fail "Enter copied nothing"
shot_same_as_screen "$E2E_TMP/keys.bmp" 210 101 41 29

e2e_log "a new capture from the launcher, left with Escape, copies nothing"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "the capture button opened no capture screen"
sleep 0.3
shot_select 200 100 40 30
xdotool key Escape
launcher=$(shot_launcher) || e2e_fail "Escape did not show the launcher"
shot_clipboard_bmp "$E2E_TMP/after-escape.bmp" || e2e_fail "the clipboard lost its picture"
shot_same_as_screen "$E2E_TMP/after-escape.bmp" 210 101 41 29

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

e2e_log "a red rectangle drawn on a 200 x 120 selection at (400, 300) is in the copy"
shots="$E2E_BUILD/e2e-shots"
mkdir -p "$shots"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen for the marks"
sleep 0.3
shot_select 400 300 200 120
shot_markup_item 0 400 300 200 120  # rectangle; red and the thin line are chosen at first
xdotool mousemove 420 320 mousedown 1 mousemove 460 350 mousemove 500 380 mouseup 1
sleep 0.3
xdotool mousemove 1000 150  # the pointer off the row: no hover box, no magnifier over it
sleep 0.2
import -window root "$shots/screenshot_markup.png"
[ "$(shot_pixel "$shots/screenshot_markup.png" 420 320)" = 'srgb(255,0,0)' ] ||
  e2e_fail "the rectangle is not drawn on the capture screen"
xdotool mousemove 550 400 click --repeat 2 --delay 80 1
launcher=$(shot_launcher) || e2e_fail "no launcher after copying the marks"
shot_clipboard_bmp "$E2E_TMP/marked.bmp" || e2e_fail "no marked picture on the clipboard"
[ "$(identify -format '%wx%h' "$E2E_TMP/marked.bmp")" = 200x120 ] || e2e_fail "marked copy's size"
# The line is 2 pixels wide inside the dragged corners (20, 20) and (100, 80) of the selection.
for at in '20 20' '100 80' '21 50' '60 79' '99 21'; do
  [ "$(shot_pixel "$E2E_TMP/marked.bmp" $at)" = 'srgb(255,0,0)' ] || e2e_fail "no red at $at"
done
for at in '19 20' '22 22' '101 80' '60 77' '150 100'; do
  set -- $at
  want=$(shot_pixel "$E2E_TMP/screen.png" $((400 + $1)) $((300 + $2)))
  [ "$(shot_pixel "$E2E_TMP/marked.bmp" $at)" = "$want" ] || e2e_fail "the mark spills to $at"
done

e2e_log "Chinese text pasted on a selection at (400, 300) is in the copy, in red and only there"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen for the text"
sleep 0.3
shot_select 400 300 200 120
shot_markup_item 4 400 300 200 120  # text, red, 16 pixels high
xdotool mousemove 510 330 click 1
sleep 0.3
printf '截屏文字' | xclip -selection clipboard
xdotool key ctrl+v
sleep 0.3
import -window root "$shots/screenshot_text.png"
xdotool key Return  # keeps the text
sleep 0.3
xdotool key Return  # copies
launcher=$(shot_launcher) || e2e_fail "no launcher after copying the text"
shot_clipboard_bmp "$E2E_TMP/text.bmp" || e2e_fail "no picture with text on the clipboard"
# red_in x y w h: how many pixels of that part of the copy are red.
red_in() {
  convert "$E2E_TMP/text.bmp" -crop "$3x$4+$1+$2" +repage -fuzz 5% -fill black +opaque '#ff0000' \
    -fill white -opaque '#ff0000' -format '%[fx:round(mean*w*h)]' info:
}
# The text's box in the copy: from just inside the edit box's border at the click, (110, 30),
# four characters of 16 pixels, 22 high. The white edit box, wider than the text, is not in it.
for i in 0 1 2 3; do
  [ "$(red_in $((111 + 16 * i)) 30 16 22)" -ge 10 ] || e2e_fail "no red in character $i of the text"
done
convert "$E2E_TMP/text.bmp" -fill black -draw 'rectangle 110,30 175,51' "$E2E_TMP/text-around.png"
convert "$E2E_TMP/screen.png" -crop 200x120+400+300 +repage -fill black \
  -draw 'rectangle 110,30 175,51' "$E2E_TMP/screen-around.png"
diff=$(compare -metric AE "$E2E_TMP/text-around.png" "$E2E_TMP/screen-around.png" null: 2>&1 || true)
[ "$diff" = 0 ] || e2e_fail "the copy differs from the screen in $diff pixels around the text"

e2e_log "F3 pins a 120 x 80 selection at (100, 150); a drag moves it, the wheel zooms it, Ctrl+C copies it; two pins"
shot_pin 100 150 120 80
eval "$(xdotool getwindowgeometry --shell "$pin")"
# The picture is at the selection's place, in a 1-pixel frame.
[ "$X,$Y,$WIDTH,$HEIGHT" = 99,149,122,82 ] || e2e_fail "pin at $X,$Y ${WIDTH}x$HEIGHT"
# A drag by (140, 60) moves it by as much, showing the same picture there.
xdotool mousemove 160 190 mousedown 1 mousemove 230 220 mousemove 300 250 mouseup 1
sleep 0.3
eval "$(xdotool getwindowgeometry --shell "$pin")"
[ "$X,$Y,$WIDTH,$HEIGHT" = 239,209,122,82 ] || e2e_fail "dragged pin at $X,$Y ${WIDTH}x$HEIGHT"
import -window root "$E2E_TMP/dragged.png"
convert "$E2E_TMP/dragged.png" -crop 120x80+240+210 +repage "$E2E_TMP/dragged-pin.png"
shot_same_as_screen "$E2E_TMP/dragged-pin.png" 100 150 120 80
xdotool click 1
sleep 0.2
xdotool click 4  # one notch forward: 110 % round the pointer
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$pin")"
[ "$X,$Y,$WIDTH,$HEIGHT" = 233,205,134,90 ] || e2e_fail "zoomed pin at $X,$Y ${WIDTH}x$HEIGHT"
import -window root "$shots/screenshot_pin.png"
xdotool key ctrl+c  # the picture at its own size, not as zoomed
sleep 0.5
shot_clipboard_bmp "$E2E_TMP/pin.bmp" || e2e_fail "Ctrl+C on the pin copied nothing"
shot_same_as_screen "$E2E_TMP/pin.bmp" 100 150 120 80
shot_launcher_click "$launcher" capture
capture=$(e2e_wait_window '截屏') || e2e_fail "no capture screen for the second pin"
sleep 0.3
shot_select 700 400 90 60
shot_markup_item 17 700 400 90 60
e2e_wait_window_gone "$capture" || e2e_fail "the second capture screen stayed"
for _ in $(seq 50); do
  [ "$(xdotool search --onlyvisible --name '^贴图$' | wc -l)" = 2 ] && break
  sleep 0.1
done
[ "$(xdotool search --onlyvisible --name '^贴图$' | wc -l)" = 2 ] || e2e_fail "not two pins"
launcher=$(shot_launcher) || e2e_fail "no launcher after the second pin"
xdotool mousemove 745 430 click 1
sleep 0.2
xdotool key Escape
xdotool mousemove 290 250 click --repeat 2 --delay 80 1
for _ in $(seq 50); do
  [ -z "$(xdotool search --onlyvisible --name '^贴图$')" ] && break
  sleep 0.1
done
[ -z "$(xdotool search --onlyvisible --name '^贴图$')" ] || e2e_fail "Escape and a double-click left a pin"

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
# The last copy was the pin's.
shot_same_as_screen "$E2E_TMP/after-exit.bmp" 100 150 120 80

e2e_log "snapping: a click selects the control under it, or after a wheel notch its window clipped to the screen"
# A window at (1000, 560), 400 x 300, reaching past the screen's corner, with a control at
# (1030, 600), 120 x 80.
e2e_wine "$E2E_BUILD/tests/snap_target.exe" 1000 560 400 300 30 40 120 80
e2e_wait_window 'snap target' >/dev/null || e2e_fail "no snap target window"
sleep 0.3
import -window root "$E2E_TMP/screen.png"
shot_start
xdotool mousemove 1145 675
sleep 0.3
mkdir -p "$E2E_BUILD/e2e-shots"
import -window root "$E2E_BUILD/e2e-shots/screenshot_snap.png"
for at in "1149 600" "1100 679" "1031 670"; do
  [ "$(shot_rgb "$E2E_BUILD/e2e-shots/screenshot_snap.png" $at)" = "51 153 255" ] ||
    e2e_fail "the control is not outlined at ($at)"
done
[ "$(shot_rgb "$E2E_BUILD/e2e-shots/screenshot_snap.png" 1000 560)" = "$(shot_rgb "$E2E_TMP/screen.png" 1000 560)" ] ||
  e2e_fail "the window is outlined, not its control"
xdotool click 1
sleep 0.3
xdotool key Return
launcher=$(shot_launcher) || e2e_fail "no launcher after the snapped copy"
shot_clipboard_bmp "$E2E_TMP/snap.bmp" || e2e_fail "the snapped selection was not copied"
shot_same_as_screen "$E2E_TMP/snap.bmp" 1030 600 120 80
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen for the window snap"
sleep 0.3
# Over the control a wheel notch away from the user outlines its window, which a click selects.
xdotool mousemove 1145 675
sleep 0.2
xdotool click 4
sleep 0.3
xdotool click 1
sleep 0.3
xdotool key Return
shot_launcher >/dev/null || e2e_fail "no launcher after the window snap"
shot_clipboard_bmp "$E2E_TMP/snap-window.bmp" || e2e_fail "the snapped window was not copied"
shot_same_as_screen "$E2E_TMP/snap-window.bmp" 1000 560 280 240
echo "PASS"
