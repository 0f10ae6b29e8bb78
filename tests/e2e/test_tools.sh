#!/usr/bin/env bash
# The tools page and the drawer of the real box, never shutting the test machine down: recording
# stand-ins for calc.exe, shutdown.exe and taskkill.exe lie where Windows keeps the real ones
# (the prefix's system32), and copies under the same names planted beside the box, where Windows
# itself would look first, must never run. The calculator tile starts calc.exe, the Paint tile
# says that Wine has no mspaint.exe; with
# "强制结束用户进程" on, shut down starts "shutdown -s -t 1" and then "taskkill /im * /t"; sleep
# starts no program; a right-click on the Recycle Bin button empties the bin and says so.
. "$(dirname "$0")/window_lib.sh"
# Wine's own shutdown and taskkill are built in: the stand-ins in system32 run only as native.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;shutdown.exe,taskkill.exe=n"
window_start "$1" 's/^ForceToKillUserProgress *=.*/ForceToKillUserProgress =True/'
system32=$WINEPREFIX/drive_c/windows/system32
for name in calc shutdown taskkill rundll32; do
  cp "$E2E_BUILD/tests/marker.exe" "$E2E_APP/$name.exe"
  [ "$name" = rundll32 ] || cp "$E2E_BUILD/tests/marker.exe" "$system32/$name.exe"
done
ran() { tr -d '\0' <"$system32/$1.exe.ran" 2>/dev/null | sed 's/^"[^"]*" *//; s/^[^ ]* *//'; }
wait_ran() {
  for _ in $(seq 50); do [ -s "$system32/$1.exe.ran" ] && return 0; sleep 0.1; done
  e2e_fail "$1.exe never started"
}
no_planted_ran() {
  local planted
  planted=$(ls "$E2E_APP"/*.ran 2>/dev/null || true)
  [ -z "$planted" ] || e2e_fail "a program planted beside the box ran: $planted"
}
click() { xdotool mousemove --window "$WIN" "$1" "$2" click "${3:-1}"; sleep 0.5; }
controls() { wine "$E2E_BUILD/tests/read_controls.exe" VelmoBoxWindow 2>/dev/null | tr -d '\r'; }
xdotool mousemove --window "$WIN" 150 200

e2e_log "the calculator tile"
click 170 318  # home tile 小工具
click 62 107   # tools tile 计算器
wait_ran calc
# Wine has no Paint: the message panel says so, naming the program.
click 157 107  # tools tile 画图
for _ in $(seq 30); do controls | grep -aqF '无法启动“画图”（mspaint.exe）' && break; sleep 0.1; done
controls | grep -aqF '无法启动“画图”（mspaint.exe）' || e2e_fail "a missing program was silent: $(controls)"
sleep 0.5
click 281 25   # the message's close button
click 22 25    # back
sleep 0.3

e2e_log "shut down with the force-kill switch on: shutdown, then taskkill"
click 16 24    # 展开工具条
click 28 126   # 关机
wait_ran shutdown
wait_ran taskkill
[ "$(ran shutdown)" = "-s -t 1" ] || e2e_fail "shutdown got '$(ran shutdown)'"
[ "$(ran taskkill)" = "/im * /t" ] || e2e_fail "taskkill got '$(ran taskkill)'"
rm "$system32"/*.ran
no_planted_ran

e2e_log "sleep starts no program"
click 106 126  # 睡眠
sleep 1.5
[ ! -e "$system32/taskkill.exe.ran" ] || e2e_fail "sleep started taskkill"
no_planted_ran
kill -0 "$E2E_PID" || e2e_fail "the box died on sleep"

e2e_log "a right-click on the Recycle Bin button empties the bin"
mkdir -p "$XDG_DATA_HOME/Trash/files" "$XDG_DATA_HOME/Trash/info"
printf 'old' >"$XDG_DATA_HOME/Trash/files/old.txt"
printf '[Trash Info]\nPath=/tmp/old.txt\nDeletionDate=2026-12-01T10:00:00\n' \
  >"$XDG_DATA_HOME/Trash/info/old.txt.trashinfo"
click 67 90 3  # 回收站(右键清空)
for _ in $(seq 30); do controls | grep -aqF '系统回收站的内容已清空。' && break; sleep 0.1; done
controls | grep -aqF '系统回收站的内容已清空。' || e2e_fail "no message: $(controls)"
[ ! -e "$XDG_DATA_HOME/Trash/files/old.txt" ] || e2e_fail "the bin was not emptied"

e2e_close "$WIN" "$E2E_PID" || e2e_fail "the box did not close"
