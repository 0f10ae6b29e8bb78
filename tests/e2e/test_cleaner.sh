#!/usr/bin/env bash
# The file cleaner of the real box, run from a folder inside the user's temporary folder (as from
# an opened zip): junk seeded in the prefix's temporary folders and on a second drive, with a
# read-only file, one held open, a hidden one, a short-name trap and a folder link that loops, is
# found, logged in the exact format and moved to the trash; the message counts what went; the
# box's own files and everything outside the targets stay. The start-up clean leaves the trash
# alone, a clean with "清理时清空回收站" empties it before it recycles. Junk on a network drive
# (E:) and a removable one (F:), whose files Windows would delete for good, stays where it is,
# named in the pane and not counted. The powerful clean lists the Windows folder's junk but
# leaves it, recycles the rest, and never walks the box's own folder under any spelling (a
# subst drive S:). The host's "/" (drive Z:) is unmapped first: the powerful clean searches the root of
# every drive.
. "$(dirname "$0")/window_lib.sh"
e2e_start "$1"
shots=$E2E_BUILD/e2e-shots
mkdir -p "$shots"
reader=$E2E_BUILD/tests/read_controls.exe
c=$WINEPREFIX/drive_c
user=$(ls "$c/users" | grep -vx Public | head -n1)
temp=$c/users/$user/Temp
trash=$XDG_DATA_HOME/Trash/files
rm "$WINEPREFIX/dosdevices/z:"
mkdir -p "$E2E_TMP/d" && ln -s "$E2E_TMP/d" "$WINEPREFIX/dosdevices/d:"
for drive in e f; do mkdir -p "$E2E_TMP/$drive" && ln -s "$E2E_TMP/$drive" "$WINEPREFIX/dosdevices/$drive:"; done
printf 'REGEDIT4\r\n\r\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Drives]\r\n"e:"="network"\r\n"f:"="floppy"\r\n' \
  >"$c/drives.reg"
wine regedit /S 'C:\drives.reg' >/dev/null 2>&1
wineserver -w
mv "$E2E_APP" "$temp/VelmoBox"
E2E_APP=$temp/VelmoBox
# The temporary folder as a subst drive: Wine names the box's folder S:\VelmoBox then, and the
# clean reaches it as C:\users\...\Temp\VelmoBox too.
ln -s "$temp" "$WINEPREFIX/dosdevices/s:"
cfg=$E2E_APP/DATA/config.ini
sed -i 's/^PositionRecord =True/PositionRecord =False/; s/^GreetingAfterRunning =True/GreetingAfterRunning =False/' "$cfg"
printf 'keep' >"$E2E_APP/DATA/config.ini.bak"
logs=$E2E_APP/CleanLogs

seed() { mkdir -p "$(dirname "$1")" && head -c "$2" /dev/zero >"$1"; }
click() { xdotool mousemove --window "$WIN" "$1" "$2" click 1; sleep "${3:-0.7}"; }
controls() { wine "$reader" VelmoBoxWindow 2>/dev/null | tr -d '\r'; }
# The text of the first native box of a class whose text matches.
box_text() { controls | grep -aP "^$1\t" | grep -aF -- "$2" | head -n1 | cut -f3- || true; }
start_box() {
  for expr in "$@"; do sed -i "$expr" "$cfg"; done
  e2e_wine "$E2E_APP/VelmoBox.exe"
  WIN=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
  WIN_X=$(window_pos x)
  xdotool mousemove --window "$WIN" 150 200
}
close_box() { e2e_close "$WIN" "$E2E_PID" || e2e_fail "the box did not close"; }
open_cleaner() {
  click 170 318  # home tile 小工具
  click 245 107  # tools tile 文件清理
}
# wait_message <seconds>: the message panel's text once it says the clean is done, after the
# panel's slide (its close button answers only once the panel stands).
wait_message() {
  local text
  for _ in $(seq $(($1 * 4))); do
    text=$(box_text Edit '清理已完成')
    [ -n "$text" ] && { sleep 0.5; echo "$text"; return 0; }
    sleep 0.25
  done
  window_shot no_message >/dev/null
  e2e_fail "no final message; the box shows: $(controls)"
}
log_lines() { iconv -f GBK -t UTF-8 "$1" | tr -d '\r'; }
in_trash() { [ -e "$trash/$1" ]; }

e2e_log "normal clean: found, logged, recycled, counted; the rest left alone"
seed "$c/windows/temp/junk1.tmp" 1536
seed "$c/windows/temp/ro.tmp" 10 && chmod 444 "$c/windows/temp/ro.tmp"
seed "$c/windows/temp/busy.tmp" 10
seed "$c/windows/temp/.hidden.tmp" 10
seed "$c/windows/temp/a.tmpx" 10
seed "$temp/one.dat" 100
seed "$temp/sub/two.log" 2048
seed "$temp/.cache/three.dat" 10
ln -s .. "$temp/sub/loop"
seed "$E2E_TMP/d/Program Files/App/old.bak" 5
seed "$E2E_TMP/d/keep.bak" 5
seed "$E2E_TMP/e/Program Files/App/net.bak" 5
seed "$E2E_TMP/f/Program Files/App/usb.bak" 5
seed "$c/users/$user/Favorites/outside.tmp" 10
start_box
e2e_hold file "$c/windows/temp/busy.tmp"
open_cleaner
click 281 25 0.2  # 开始清理
message=$(wait_message 30)
e2e_release
click 281 25  # the message's close button shows the page
keep=$(window_shot cleaner_normal) && window_keep "$keep" cleaner_normal
echo "$message"
log=$(ls "$logs"/*.log)
[ "$(ls "$logs" | wc -l)" = 1 ] || e2e_fail "one log expected: $(ls "$logs")"
basename "$log" | grep -qE '^[0-9]{14}\.log$' || e2e_fail "log name $(basename "$log")"
log_lines "$log" >"$E2E_TMP/log.txt"
sed -n '1,5p' "$E2E_TMP/log.txt" | tr '\n' '|' | grep -qE "^清理日志\|Type = 0 'Normal\|\|Time = [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}\|\|$" ||
  e2e_fail "log header: $(head -n5 "$E2E_TMP/log.txt")"
found=$(sed -n '6,$p' "$E2E_TMP/log.txt" | sed '/^$/,$d')
count=$(echo "$found" | grep -c .)
[ "$(tail -n1 "$E2E_TMP/log.txt")" = "垃圾文件数目：${count}项" ] || e2e_fail "count line: $(tail -n2 "$E2E_TMP/log.txt")"
tail -n2 "$E2E_TMP/log.txt" | head -n1 | grep -qE '^垃圾文件容量：[0-9]+\.[0-9]{3}MB$' || e2e_fail "size line"
[ "$(tail -n4 "$E2E_TMP/log.txt" | head -n2 | tr -d '\n')" = "" ] || e2e_fail "two empty lines before the totals"
for f in 'C:\windows\temp\junk1.tmp' 'C:\windows\temp\ro.tmp' 'C:\windows\temp\busy.tmp' \
  "C:\\users\\$user\\Temp\\one.dat" "C:\\users\\$user\\Temp\\sub\\two.log" 'D:\Program Files\App\old.bak'; do
  echo "$found" | grep -qixF "$f" || e2e_fail "not logged: $f"
done
echo "$found" | grep -qiE 'hidden|tmpx|three|loop|VelmoBox|outside|keep\.bak' && e2e_fail "logged what it must not find: $found"
for f in junk1.tmp one.dat two.log old.bak; do in_trash "$f" || e2e_fail "$f is not in the trash"; done
for f in "$c/windows/temp/ro.tmp" "$c/windows/temp/busy.tmp" "$c/windows/temp/.hidden.tmp" \
  "$c/windows/temp/a.tmpx" "$temp/.cache/three.dat" "$E2E_TMP/d/keep.bak" \
  "$c/users/$user/Favorites/outside.tmp" "$E2E_APP/DATA/config.ini.bak" "$E2E_APP/VelmoBox.exe" \
  "$E2E_TMP/e/Program Files/App/net.bak" "$E2E_TMP/f/Program Files/App/usb.bak"; do
  [ -e "$f" ] || e2e_fail "removed: $f"
done
removed=$(ls "$trash" | wc -l)
[ "$message" = "清理已完成。本次共清理${removed}个项目。" ] || e2e_fail "message '$message', $removed files in the trash"
pane=$(box_text RichEdit50W '删除')
for line in '删除： C:\windows\temp\junk1.tmp - 1.5KB' "删除： C:\\users\\$user\\Temp\\one.dat - 0.1KB" \
  '未删除： C:\windows\temp\ro.tmp - 只读文件' '未删除： C:\windows\temp\busy.tmp - 文件正在使用或无权删除' \
  '未删除： E:\Program Files\App\net.bak - 该驱动器没有回收站' \
  '未删除： F:\Program Files\App\usb.bak - 该驱动器没有回收站'; do
  echo "$pane" | grep -qiF "$line" || e2e_fail "pane lacks '$line': $pane"
done
close_box

e2e_log "start-up clean keeps the trash; the start button with 清理时清空回收站 empties it first"
seed "$temp/four.dat" 10
rm -f "$logs"/*.log
start_box 's/^AutoCleanAfterRunning *=.*/AutoCleanAfterRunning=True/' \
  's/^ClearRecycledWhenCleanerWork *=.*/ClearRecycledWhenCleanerWork=True/'
wait_message 30 >/dev/null
in_trash four.dat || e2e_fail "the start-up clean did not recycle four.dat"
in_trash junk1.tmp || e2e_fail "the start-up clean emptied the trash"
click 281 25  # the message's close button
seed "$temp/five.dat" 10
open_cleaner
click 281 25 0.2
wait_message 30 >/dev/null
# The older junk is gone for good; what this run removed can still be restored.
in_trash five.dat || e2e_fail "this run's five.dat is not in the trash: $(ls "$trash")"
in_trash junk1.tmp || in_trash four.dat && e2e_fail "the older junk was not emptied: $(ls "$trash")"
close_box

e2e_log "powerful clean: everything listed, the Windows folder left, the rest recycled"
seed "$c/windows/kept.log" 10
seed "$c/users/$user/Favorites/old.bak" 1048576
seed "$E2E_TMP/d/x.tmp" 524288
start_box 's/^AutoCleanAfterRunning *=.*/AutoCleanAfterRunning=False/' \
  's/^PowerfulCleaningMode *=.*/PowerfulCleaningMode=True/'
open_cleaner
click 281 25 0.2
for _ in $(seq 120); do
  box_text Edit '已清理：D:\x.tmp' | grep -q . && break
  sleep 0.25
done
pane=$(box_text Edit '已发现')
echo "$pane" | grep -qF '已清理：D:\x.tmp' || e2e_fail "the powerful clean did not finish: $pane"
sleep 0.5
keep=$(window_shot cleaner_powerful) && window_keep "$keep" cleaner_powerful
for line in '已发现：C:\windows\kept.log' "已清理：C:\\users\\$user\\Favorites\\old.bak" \
  '已保留（系统文件夹）：C:\windows\kept.log'; do
  echo "$pane" | grep -qiF "$line" || e2e_fail "powerful pane lacks '$line': $pane"
done
[ -e "$c/windows/kept.log" ] || e2e_fail "the powerful clean removed a file of the Windows folder"
[ -e "$E2E_APP/DATA/config.ini.bak" ] || e2e_fail "the powerful clean removed the box's own .bak"
echo "$pane" | grep -qiF 'VelmoBox\' && e2e_fail "the powerful clean walked the box's own folder: $pane"
[ -e "$E2E_TMP/e/Program Files/App/net.bak" ] || e2e_fail "the powerful clean removed a network drive's file"
in_trash x.tmp && in_trash old.bak || e2e_fail "the powerful clean did not recycle: $(ls "$trash")"
log=$(ls -t "$logs"/*.log | head -n1)
log_lines "$log" | sed -n 2p | grep -qx "Type = 1 'Powerful" || e2e_fail "powerful log type"
click 8 16  # 退出
close_box
