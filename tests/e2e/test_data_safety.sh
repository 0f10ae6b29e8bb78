#!/usr/bin/env bash
# Nothing the user adds is lost: an item added through the add page is on disk two seconds later
# and survives a kill of the whole session; a save that a file held by another program or a
# full disk refuses is said, the close that would lose it is refused, and the box saves once
# the file is free; at log-off the list that could not be written goes to the recovery folder
# and the next start gives it back.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"
cd "$E2E_APP"
data=$E2E_APP/DATA
win_app=$(winepath -w "$E2E_APP" 2>/dev/null | tr -d '\r')
cp "$E2E_BUILD/tests/marker.exe" keep.exe
sed -i 's/^PositionRecord =True/PositionRecord =False/; s/^GreetingAfterRunning =True/GreetingAfterRunning =False/; s/^AllowUserSetProgramPath =False/AllowUserSetProgramPath =True/' \
  "$data/config.ini"
printf '记事本*C:\\windows\\notepad.exe\r\n' | e2e_gbk >"$data/App.sd"

controls() { wine "$E2E_BUILD/tests/read_controls.exe" VelmoBoxWindow 2>/dev/null | tr -d '\r'; }
# says <text>: the message panel shows the text within three seconds. (Read whole first: a grep
# that stops at the first match would cut the reader off.)
says() {
  local shown
  for _ in $(seq 30); do
    shown=$(controls | grep -a '^Edit' || true)
    grep -aqF "$1" <<<"$shown" && return 0
    sleep 0.1
  done
  e2e_fail "the box did not say \"$1\": $shown"
}
# in_app_sd <name>: App.sd holds the item within three seconds.
in_app_sd() {
  for _ in $(seq 30); do e2e_utf8 <"$data/App.sd" | grep -q "^$1\*" && return 0; sleep 0.1; done
  return 1
}
start_box() {
  e2e_wine "$E2E_APP/VelmoBox.exe"
  BOX=$E2E_PID
  WIN=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
  # The pointer stays over the window, so that it does not slide away.
  xdotool mousemove --window "$WIN" 150 200
  sleep 0.5
}
click() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; sleep 0.6; }
# add_item <name>: through the item list page's add page, the path being keep.exe.
add_item() {
  click 170 240  # home tile 快速启动
  click 209 25   # 新增
  click 150 96   # name box
  xdotool type --delay 30 "$1"
  click 150 154  # path box
  xdotool type --delay 30 "$win_app\\keep.exe"
  sleep 0.3
  click 281 25   # 确定
  click 18 25    # back to the home area
}
# close_refused: a close leaves the box running and saying why.
close_refused() {
  wine "$E2E_BUILD/tests/close_window.exe" 'Velmo盒子' >/dev/null 2>&1 || true
  says '为免丢失更改，盒子没有退出'
  kill -0 "$BOX" || e2e_fail "the box ended although a change was not saved"
  sleep 0.5
  mkdir -p "$E2E_BUILD/e2e-shots"
  import -window root "$E2E_BUILD/e2e-shots/data_safety_$1.png"
}
close_box() {
  e2e_close "$WIN" "$BOX" || e2e_fail "box did not close"
  CLOSED=0
  wait "$BOX" || CLOSED=$?
}

e2e_log "an added item is on disk two seconds later and survives a kill"
start_box
add_item keep
sleep 2
in_app_sd keep || e2e_fail "the added item was not saved within two seconds"
wineserver -k
wineserver -w
in_app_sd keep || e2e_fail "the item was lost by the kill"
start_box
xdotool windowfocus --sync "$WIN"
xdotool mousemove --window "$WIN" 120 385 click 1
sleep 0.2
xdotool type --delay 40 keep
xdotool key Return
for _ in $(seq 50); do [ -e keep.exe.ran ] && break; sleep 0.1; done
[ -e keep.exe.ran ] || e2e_fail "the item saved before the kill does not start by its name"

e2e_log "App.sd held by another program: said, the close refused, saved once let go"
e2e_hold file "$data/App.sd"
add_item held
says '无法写入 App.sd：文件正被其他程序占用。'
close_refused held
in_app_sd held && e2e_fail "App.sd was written while it was held"
e2e_release
in_app_sd held || e2e_fail "the item was not saved once App.sd was let go"
close_box
[ "$CLOSED" -eq 0 ] || e2e_fail "the close after the save exited with $CLOSED"

e2e_log "log-off while App.sd is held: the item goes to the recovery folder and comes back"
start_box
e2e_hold file "$data/App.sd"
add_item recovered
sleep 1.5
wine "$E2E_BUILD/tests/end_session.exe" 'Velmo盒子' || e2e_fail "the box refused to end the session"
e2e_wait_gone "$BOX" 20 || e2e_fail "box did not end with the session"
e2e_release
kept=$(find "$WINEPREFIX/drive_c/users" -path '*/VelmoBox/Recovery/*' -name App.sd)
[ -n "$kept" ] && e2e_utf8 <"$kept" | grep -q '^recovered\*' || e2e_fail "no recovery copy: $kept"
in_app_sd recovered && e2e_fail "App.sd was written while it was held"
e2e_wine "$E2E_APP/VelmoBox.exe"
BOX=$E2E_PID
question=$(e2e_wait_window '恢复未保存的列表') || e2e_fail "the next start did not offer the list back"
xdotool windowfocus --sync "$question"
xdotool key Return  # 是
in_app_sd recovered || e2e_fail "the recovered item did not reach App.sd"
[ ! -e "$kept" ] || e2e_fail "the recovery copy was kept after it was restored"
WIN=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window after the question"
close_box

e2e_log "DATA on a full disk: said at start-up and at the save, the close refused until there is room"
cp -a "$data" "$E2E_TMP/DATA.real"
if ! mount -t tmpfs -o size=256k tmpfs "$data" 2>/dev/null; then
  e2e_fail "cannot mount a small tmpfs for DATA (run the tests as root)"
fi
trap 'rc=$?; umount -l "$data" 2>/dev/null || true; (exit $rc); e2e_stop' EXIT
cp "$E2E_TMP/DATA.real/config.ini" "$data/"
: >"$data/Music.sd"
: >"$data/Contacts.sd"
for i in $(seq 1000 2699); do printf 'item%d*C:\\x\\%d.exe\r\n' "$i" "$i"; done >"$data/App.sd"
cp "$data/App.sd" "$E2E_TMP/app.full"
# What is left free: 52 KB, less than the 61 KB of App.sd.
avail=$(($(stat -f -c '%a*%S' "$data")))
dd if=/dev/zero of="$data/filler" bs=1024 count=$(((avail - 52 * 1024) / 1024)) 2>/dev/null
df -k "$data" | tail -1
start_box
says 'DATA 所在的磁盘只剩'
click 281 25  # the message's close button
add_item full
says '无法写入 App.sd：磁盘空间不足。'
close_refused full
cmp "$data/App.sd" "$E2E_TMP/app.full" || e2e_fail "App.sd changed on the full disk"
rm "$data/filler"
in_app_sd full || e2e_fail "the item was not saved once the disk had room"
close_box
[ "$CLOSED" -eq 0 ] || e2e_fail "the close after the save exited with $CLOSED"
[ "$(grep -c '^item' "$data/App.sd")" -eq 1700 ] || e2e_fail "items of App.sd were lost"
echo PASS
