#!/usr/bin/env bash
# Screenshots of the message panel, the home area and the expanded drawer, kept in
# <build>/e2e-shots for a look at the design; the panel and the drawer must really show.
# What a new user meets on the way: home tile titles whole under the pointer, one hover
# image at most however fast the pointer moves, no tool tip left behind by its button.
# Then a tour of every screen at 96 and at 144 dpi, each kept as <screen>-<dpi>dpi.png: the
# tools tiles carry captions, a drawer button's tip comes at once and stays off the command
# box, 截屏's launcher title stands clear of its buttons and its handles grow with the dpi.
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
e2e_close "$WIN" "$E2E_PID" || e2e_fail "box did not close"
. "$(dirname "$0")/screenshot_lib.sh"
printf '记事本*C:\\windows\\notepad.exe\r\n画图*C:\\windows\\system32\\mspaint.exe\r\n' \
  | e2e_gbk >"$E2E_APP/DATA/App.sd"
printf '张三*13800000001\r\n李四*13900000002\r\n王五*010-66668888\r\n' | e2e_gbk >"$E2E_APP/DATA/Contacts.sd"
python3 - "$E2E_APP/DATA/第一首.wav" <<'PY'
import math, struct, sys, wave
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1), w.setsampwidth(2), w.setframerate(22050)
    w.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(2 * math.pi * 440 * i / 22050)))
                           for i in range(22050 * 30)))
PY
data=$(winepath -w "$E2E_APP/DATA" 2>/dev/null)
sed -i 's/^PositionRecord *=True/PositionRecord =False/; s/^GreetingAfterRunning *=True/GreetingAfterRunning =False/' \
  "$E2E_APP/DATA/config.ini"
printf '第一首*%s\\第一首.wav\r\n第二首*%s\\第一首.wav\r\n' "$data" "$data" | e2e_gbk >"$E2E_APP/DATA/Music.sd"

# tour <dpi>: every screen of the box and of 截屏 at that density.
tour() {
  local dpi=$1 shots=$E2E_BUILD/e2e-shots
  px() { echo $(($1 * dpi / 1440)); }  # twips of the window to pixels
  at() { xdotool mousemove $((WIN_X + $(px "$1"))) $(($(window_pos y) + $(px "$2"))); }
  click() { at "$1" "$2"; sleep 0.2; xdotool click 1; sleep 0.5; }
  keep() {
    import -window root "$E2E_TMP/tour.png"
    convert "$E2E_TMP/tour.png" -crop "$(px 4600)x$(px 6000)+$WIN_X+$(window_pos y)" +repage \
      "$shots/$1-${dpi}dpi.png"
  }
  # ink <screen> <left> <top> <width> <height>: pixels of text on white (darker than 70 %) in a
  # region of a kept shot, in twips.
  ink() {
    convert "$shots/$1-${dpi}dpi.png" -crop "$(px "$4")x$(px "$5")+$(px "$2")+$(px "$3")" +repage \
      -colorspace gray -threshold 70% -negate -format '%[fx:round(mean*w*h)]' info:
  }
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1
  xdotool mousemove 640 200
  e2e_wine "$E2E_APP/VelmoBox.exe"
  WIN=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window at $dpi dpi"
  WIN_X=$(window_pos x)
  at 2300 3000
  sleep 1
  keep home
  click 2500 1260 && keep music
  at 1500 2460 && sleep 0.2 && xdotool click --repeat 2 --delay 80 1 && sleep 1 && keep music-playing
  click 360 375
  click 2500 2430 && xdotool type 'A note with a long first line, to see where it wraps.' && keep notes
  click 360 375
  click 2500 3600 && keep itemlist
  click 3135 375 && keep additem
  click 360 375 && click 360 375
  click 2500 4770 && keep tools
  e2e_log "$dpi dpi: every tools tile has a caption under its glyph"
  for i in 0 1 2 3 4 5 6 7 8; do
    n=$(ink tools $((180 + i % 3 * 1425)) $((960 + i / 3 * 1425 + 870)) 1305 435)
    [ "$n" -ge 10 ] || e2e_fail "tools tile $i has no caption at $dpi dpi ($n text pixels)"
  done
  at 1410 5325 && sleep 0.8 && keep tools-quick-tip
  n=$(ink tools-quick-tip 255 5655 3660 240)
  [ "$n" -lt 10 ] || e2e_fail "the quick tool's tip covers the command box at $dpi dpi"
  click 3682 1612 && keep cleaner
  click 360 375
  click 2257 3037 && keep phonebook
  click 1500 1500 && at 1500 3000 && keep phonebook-copied
  click 3135 375 && keep contactedit
  click 360 375 && click 360 375
  click 3682 4462 && keep extensions
  click 360 375
  click 3682 3037 && keep clock
  click 4215 375 && keep scheduler
  click 3135 375 && keep addplan
  e2e_close "$WIN" "$E2E_PID" || e2e_fail "box did not close at $dpi dpi"
  e2e_wine "$E2E_APP/VelmoBox.exe"
  WIN=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window at $dpi dpi"
  at 2300 3000
  sleep 1
  click 247 360 && at 2000 4000 && sleep 0.5 && keep drawer
  e2e_log "$dpi dpi: a drawer button's tip shows at once"
  at 420 1350 && sleep 0.3 && keep drawer-tip
  [ "$(convert "$shots/drawer-${dpi}dpi.png" -crop "1x1+$(px 3000)+$(px 3000)" \
    -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' info:)" = "32,41,56" ] ||
    e2e_fail "the drawer did not open at $dpi dpi"
  # Above the button, between it and the version label: the tip's light face.
  tip=$(convert "$shots/drawer-tip-${dpi}dpi.png" -crop "$(px 1500)x$(px 510)+0+$(px 660)" +repage \
    -colorspace gray -threshold 80% -format '%[fx:round(mean*w*h)]' info:)
  [ "$tip" -ge 30 ] || e2e_fail "no tip 0.3 s on a drawer button at $dpi dpi ($tip light pixels)"
  click 3345 1350 && keep options
  click 360 375 && click 4087 360
  click 2000 5775
  printf '*行' | xclip -selection clipboard && sleep 0.3 && xdotool key ctrl+v && sleep 1
  keep lookup-chinese
  xdotool key ctrl+a BackSpace
  printf '&good' | xclip -selection clipboard && sleep 0.3 && xdotool key ctrl+v && sleep 1
  keep lookup-english
  xdotool key ctrl+a BackSpace
  e2e_close "$WIN" "$E2E_PID" || e2e_fail "box did not close at $dpi dpi"

  # 截屏 over a known picture: a selection with its handles, then the launcher.
  shot_show_picture
  shot_start
  local s=$((dpi * 100 / 96)) x=400 y=200 w=300 h=200
  shot_select "$x" "$y" "$w" "$h"
  import -window root "$shots/capture-${dpi}dpi.png"
  e2e_log "$dpi dpi: the handles are 7 pixels or more at 96 dpi, and grow with it"
  # The top middle handle, its ring and its body, on the picture's gradient (no white there).
  size=$(convert "$shots/capture-${dpi}dpi.png" -crop "40x40+$((x + w / 2 - 20))+$((y - 20))" +repage \
    -fill white -opaque 'rgb(0,122,236)' -fill black +opaque white -trim -format '%w %h' info:)
  echo "top middle handle at $dpi dpi: $size pixels"
  for side in $size; do
    [ $((side * 100)) -ge $((7 * s)) ] || e2e_fail "a handle is $size pixels at $dpi dpi"
  done
  xdotool key Escape
  launcher=$(shot_launcher) || e2e_fail "no launcher at $dpi dpi"
  sleep 0.5
  local X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$launcher")"
  import -window root "$E2E_TMP/tour.png"
  convert "$E2E_TMP/tour.png" -crop "${WIDTH}x${HEIGHT}+$X+$Y" +repage "$shots/launcher-${dpi}dpi.png"
  e2e_log "$dpi dpi: the launcher's title stands clear of the minimise and close buttons"
  # White columns of the title strip, in runs: the title, then each button, with background
  # between them at least 6 pixels at 96 dpi (more than between two characters).
  runs=$(convert "$shots/launcher-${dpi}dpi.png" -crop "${WIDTH}x$((HEIGHT * 300 / 1545))+0+0" +repage \
    -colorspace gray -threshold 80% -scale "${WIDTH}x1!" -threshold 1% txt:- |
    awk -v gap=$((6 * dpi / 96)) 'NR > 1 && /white|#FFFFFF/ { if (!last || NR - last > gap) n++; last = NR }
      END { print n + 0 }')
  [ "$runs" -ge 3 ] || e2e_fail "the launcher title runs into its buttons at $dpi dpi ($runs runs)"
  e2e_close "$launcher" "$E2E_PID" || e2e_fail "截屏 did not end at $dpi dpi"
}
tour 96
tour 144
e2e_log "shots in $E2E_BUILD/e2e-shots"
