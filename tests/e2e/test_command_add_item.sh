#!/usr/bin/env bash
# The add-item page of the real box: the disabled path box looks disabled and a path typed
# after a click on it does not land in the name box; browse for a program in the open-file
# dialog, confirm, and find the new item in App.sd after the box has closed; then start it by
# name on the next run. The dialog library comes from the system folder, never from a copy
# planted beside the box.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"
cd "$E2E_APP"
win_app=$(winepath -w "$E2E_APP" 2>/dev/null | tr -d '\r')
mkdir -p tools
cp "$E2E_BUILD/tests/marker.exe" tools/newtool.exe
printf '记事本*C:\\windows\\notepad.exe\r\n' | e2e_gbk >DATA/App.sd
# Wine prefers its own copy of the library; "n,b" makes it search the way Windows does,
# program folder first.
cp "$E2E_BUILD/tests/planted.dll" comdlg32.dll
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;comdlg32=n,b"

e2e_wine "$E2E_APP/VelmoBox.exe"
box=$E2E_PID
win=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
# Pixels in the window: twips / 15.
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.6; }
xdotool mousemove --window "$win" 150 200
sleep 0.5

e2e_log "open the item list page, then the add-item page"
click 170 240   # home tile 快速启动
click 209 25    # 新增
e2e_log "the disabled path box looks it and passes no typing to the name box"
# ink <png>: dark pixels in the name box (Text10: 315, 1320 twips).
ink() {
  convert "$1" -crop "200x16+$((X + 21))+$((Y + 88))" +repage -colorspace gray -threshold 40% \
    -negate -format '%[fx:round(mean*w*h)]' info:
}
eval "$(xdotool getwindowgeometry --shell "$win")"
click 150 96    # name box
xdotool type --delay 30 abc
sleep 0.3
import -window root "$E2E_TMP/name.png"
click 150 154   # path box, disabled as delivered
xdotool type --delay 30 'C:\tool.exe'
sleep 0.3
import -window root "$E2E_TMP/path.png"
mkdir -p "$E2E_BUILD/e2e-shots"
cp "$E2E_TMP/path.png" "$E2E_BUILD/e2e-shots/command_add_item_disabled_path.png"
field=$(convert "$E2E_TMP/path.png" -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' \
  -crop "1x1+$((X + 30))+$((Y + 150))" info:)
[ "$field" = "233,236,240" ] || e2e_fail "the disabled path box looks enabled ($field)"
before=$(ink "$E2E_TMP/name.png") after=$(ink "$E2E_TMP/path.png")
echo "name box ink: $before after typing 'abc', $after after typing a path at the path box"
[ "$before" -gt 0 ] && [ "$after" -le $((before + 20)) ] || e2e_fail "the path landed in the name box"

e2e_log "browse"
click 281 153   # 浏览文件
dialog=
for _ in $(seq 100); do
  dialog=$(xdotool search --onlyvisible --name '.' 2>/dev/null | grep -vx "$win" | head -n1 || true)
  [ -n "$dialog" ] && break
  sleep 0.1
done
[ ! -e comdlg32.dll.loaded ] || e2e_fail "the planted comdlg32.dll was loaded"
[ -n "$dialog" ] || e2e_fail "no open-file dialog"
echo "dialog: $(xdotool getwindowname "$dialog")"
xdotool windowfocus --sync "$dialog" 2>/dev/null || true
xdotool type --delay 30 "$win_app\\tools\\newtool.exe"
xdotool key Return
for _ in $(seq 50); do
  xdotool search --onlyvisible --name '.' 2>/dev/null | grep -qvx "$win" || break
  sleep 0.1
done
sleep 0.5
import -window root "$E2E_TMP/add_item.png"
mkdir -p "$E2E_BUILD/e2e-shots"
cp "$E2E_TMP/add_item.png" "$E2E_BUILD/e2e-shots/command_add_item.png"
click 281 25    # 确定

e2e_close "$win" "$box" || e2e_fail "box did not close"
e2e_utf8 <DATA/App.sd
expected=$(printf '记事本*C:\\windows\\notepad.exe\r\nnewtool*%s\\tools\\newtool.exe\r\n' "$win_app" \
  | e2e_gbk | md5sum)
[ "$(md5sum <DATA/App.sd)" = "$expected" ] || e2e_fail "App.sd does not hold the new item"

e2e_log "the new item starts by name after a restart"
e2e_wine "$E2E_APP/VelmoBox.exe"
box=$E2E_PID
win=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window on restart"
xdotool mousemove --window "$win" 150 200
sleep 0.5
click 120 385
xdotool type --delay 40 newtool
xdotool key Return
for _ in $(seq 100); do [ -s tools/newtool.exe.ran ] && break; sleep 0.1; done
[ -s tools/newtool.exe.ran ] || e2e_fail "the added item did not start"
e2e_close "$win" "$box" || e2e_fail "box did not close"
echo PASS
