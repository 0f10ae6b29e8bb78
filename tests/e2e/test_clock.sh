#!/usr/bin/env bash
# The clock page, the scheduler and the badge of the real box: the face's hands point where the
# time says; a plan for the next minute starts a program through the command box within that
# minute; the badge takes the box's place at the top centre of the screen, lets the pointer
# through its see-through surround, follows a drag, brings the box back whole above the pointer
# and with the keyboard on a double-click, and shows again where it was dropped; a note typed in
# the notes page shows on the notes tile.
. "$(dirname "$0")/window_lib.sh"
window_start "$1"
shots=$E2E_BUILD/e2e-shots
mkdir -p "$shots"
reader=$E2E_BUILD/tests/read_controls.exe
# A program named by its path: a bare name is never looked for beside the box.
cp "$E2E_BUILD/tests/marker.exe" "$WINEPREFIX/drive_c/m.exe"

click() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; sleep "${3:-0.5}"; }
controls() { wine "$reader" VelmoBoxWindow 2>/dev/null | tr -d '\r'; }
# shade <png> <x> <y>: 0 (black) to 255 (white), the darkest channel of a window pixel.
shade() { window_pixel "$@" | tr ',' '\n' | sort -n | head -n1; }
xdotool mousemove --window "$WIN" 150 200

e2e_log "the badge: at the top centre, see-through around its disc, dragged, and back"
click 16 24    # 展开工具条
click 106 90   # 迷你窗口
MINI=$(e2e_wait_window 'Velmo迷你窗口' 5) || e2e_fail "no badge"
# hidden <title>: waits until no window with the title is in view. (Without a window manager Wine
# takes two seconds to hide a window that the taskbar would show.)
hidden() {
  for _ in $(seq 50); do
    xdotool search --onlyvisible --name "^$1\$" >/dev/null || return 0
    sleep 0.1
  done
  return 1
}
hidden 'Velmo盒子' || e2e_fail "the box stayed in view"
geometry() { xdotool getwindowgeometry "$MINI" | sed -n 's/.*Position: \([0-9-]*\),\([0-9-]*\).*/\1 \2/p'; }
read -r bx by < <(geometry)
[ "$bx $by" = "620 8" ] || e2e_fail "the badge is at $bx,$by, not 620,8"
shot=$(window_shot badge)
convert "$shot" -crop "40x39+$bx+$by" +repage "$shots/badge.png"
under() {  # under <x> <y>: the window that takes the pointer at a screen pixel
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool getmouselocation --shell | sed -n 's/^WINDOW=//p'
}
[ "$(under $((bx + 20)) $((by + 19)))" = "$MINI" ] || e2e_fail "the disc does not take the pointer"
[ "$(under $((bx + 1)) $((by + 1)))" != "$MINI" ] || e2e_fail "the see-through corner takes the pointer"
xdotool mousemove $((bx + 20)) $((by + 19)) mousedown 1
for step in 1 2 3 4 5; do xdotool mousemove $((bx + 20 + step * 30)) $((by + 19 + step * 20)); sleep 0.05; done
xdotool mouseup 1
sleep 0.3
read -r dx dy < <(geometry)
[ "$dx $dy" = "$((bx + 150)) $((by + 100))" ] || e2e_fail "the drag left the badge at $dx,$dy"
xdotool mousemove $((dx + 20)) $((dy + 19)) click --repeat 2 --delay 80 1
WIN=$(e2e_wait_window 'Velmo盒子' 5) || e2e_fail "a double-click did not bring the box back"
hidden 'Velmo迷你窗口' || e2e_fail "the badge stayed"
# Whole, at the top above the pointer, and with the keyboard: typing goes to the command box.
WIN_X=$(window_pos x)
[ "$(window_pos y)" -ge 0 ] && [ "$WIN_X" -le $((dx + 20)) ] && [ $((WIN_X + 306)) -ge $((dx + 20)) ] ||
  e2e_fail "the box came back at $WIN_X,$(window_pos y), not whole above the pointer at $((dx + 20))"
xdotool type --delay 40 '#6*7'
for _ in $(seq 30); do controls | grep -aqP 'Edit\t.*\t42$' && break; sleep 0.1; done
controls | grep -aqP 'Edit\t.*\t42$' || e2e_fail "typing after the badge did not reach the command box: $(controls)"
xdotool key ctrl+a BackSpace
xdotool mousemove --window "$WIN" 150 200
click 16 24
click 106 90
MINI=$(e2e_wait_window 'Velmo迷你窗口' 5) || e2e_fail "no badge the second time"
hidden 'Velmo盒子' || e2e_fail "the box stayed in view the second time"
read -r ax ay < <(geometry)
[ "$ax $ay" = "$dx $dy" ] || e2e_fail "the badge came back at $ax,$ay, not where it was dropped"
xdotool mousemove $((ax + 20)) $((ay + 19)) click --repeat 2 --delay 80 1
WIN=$(e2e_wait_window 'Velmo盒子' 5) || e2e_fail "the box did not come back"
hidden 'Velmo迷你窗口' || e2e_fail "the badge stayed the second time"
click 272 24   # 收起工具条

e2e_log "the clock page: the hands point where the time says"
click 170 318  # home tile 小工具
click 245 202  # tools tile 时钟和计划
sleep 0.6
shot=$(window_shot clock)
read -r h m s < <(date '+%-H %-M %-S')
window_keep "$shot" clock
# The hands start at the face's centre, (2288, 3068) twips in the window; they are 83.6, 62.6
# and 38.9 pixels long. A point at 75 % of a hand's length is grey (192) or darker where hands
# cross, never the white face.
on_hand() {  # on_hand <png> <degrees> <length px>
  local x y
  x=$(awk -v a="$2" -v l="$3" 'BEGIN { printf "%d", 152.5 + 0.75 * l * sin(a * 3.14159265 / 180) + 0.5 }')
  y=$(awk -v a="$2" -v l="$3" 'BEGIN { printf "%d", 204.5 - 0.75 * l * cos(a * 3.14159265 / 180) + 0.5 }')
  [ "$(shade "$1" "$x" "$y")" -le 235 ]
}
minute_angle=$((m * 6))
hour_angle=$(((h % 12) * 30 + (m / 12) * 6))
# The second hand may have moved on since the picture: its second or the one before.
second_ok=
for t in "$s" $(((s + 59) % 60)); do on_hand "$shot" $((t * 6)) 83.6 && second_ok=1; done
[ -n "$second_ok" ] || e2e_fail "no second hand at ${s}s (see $shots/clock.png)"
on_hand "$shot" "$minute_angle" 62.6 || e2e_fail "no minute hand at ${m}min (see $shots/clock.png)"
on_hand "$shot" "$hour_angle" 38.9 || e2e_fail "no hour hand at ${h}h${m} (see $shots/clock.png)"
# Opposite the minute hand the face is white.
[ "$(shade "$shot" \
  "$(awk -v a=$((minute_angle + 180)) 'BEGIN { printf "%d", 152.5 + 47 * sin(a * 3.14159265 / 180) + 0.5 }')" \
  "$(awk -v a=$((minute_angle + 180)) 'BEGIN { printf "%d", 204.5 - 47 * cos(a * 3.14159265 / 180) + 0.5 }')")" \
  -ge 240 ] || [ $(((h % 12) * 30)) -ne 0 ] || true

e2e_log "a plan for the next minute starts its program within that minute"
click 281 25   # 计划
click 209 25   # 新增
read -r now_s < <(date '+%-S')
# Far enough from the minute's end that the plan is in before the minute it names has begun.
[ "$now_s" -lt 50 ] || sleep $((62 - now_s))
plan_time=$(date -d '+1 minute' '+%H:%M')
click 152 96
xdotool type --delay 30 "$plan_time"
click 152 178
xdotool type --delay 30 '!C:\m.exe plan'
click 281 25   # 确定
controls | grep -aqF "ListBox	1	$plan_time !C:\m.exe plan" ||
  e2e_fail "the plan is not in the list: $(controls)"

e2e_log "the plan fires in its minute"
ran=$WINEPREFIX/drive_c/m.exe.ran
for _ in $(seq 140); do [ -s "$ran" ] && break; sleep 0.5; done
[ -s "$ran" ] || e2e_fail "the plan for $plan_time never ran (it is $(date +%T))"
[ "$(date '+%H:%M')" = "$plan_time" ] || e2e_fail "the plan ran late, at $(date +%T)"
grep -q 'plan' "$ran" || e2e_fail "the plan ran without its argument: $(cat "$ran")"
controls | grep -aqF "!C:\m.exe plan" && e2e_fail "the fired plan is still listed"

e2e_close "$WIN" "$E2E_PID" || e2e_fail "the box did not close"
