#!/usr/bin/env bash
# The command box of the real box: an item typed by name starts its program (and not a decoy
# that an unquoted path with a blank would name), "!" and "！" (Chinese punctuation mode) start a
# program with arguments, "@" and "^" reach the desktop's URL opener through explorer with the
# right address, an address over 2048 characters is refused with a message while one of 2048
# leaves the box standing, "$name" starts an extension, and an unknown name shows the not-found
# message in the message panel.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"
cd "$E2E_APP"
marker=$E2E_BUILD/tests/marker.exe
[ -f "$marker" ] || e2e_fail "no marker.exe in the build"
reader=$E2E_BUILD/tests/read_controls.exe
[ -f "$reader" ] || e2e_fail "no read_controls.exe in the build"
win_app=$(winepath -w "$E2E_APP" 2>/dev/null | tr -d '\r')

mkdir -p "a b"
cp "$marker" "a b/marker.exe"
cp "$marker" a.exe                 # what "...\a b\marker.exe" unquoted would start
cp "$marker" "a b/bang.exe"
cp "$marker" Plugins/ext.exe
printf 'marker*%s\\a b\\marker.exe\r\n' "$win_app" | e2e_gbk >DATA/App.sd

# A stand-in for the desktop's URL opener: Wine's explorer hands web addresses to xdg-open.
mkdir -p "$E2E_TMP/bin"
printf '#!/bin/sh\nprintf "%%s\\n" "$@" >>"%s"\n' "$E2E_TMP/opened.log" >"$E2E_TMP/bin/xdg-open"
chmod +x "$E2E_TMP/bin/xdg-open"
export PATH="$E2E_TMP/bin:$PATH"

wait_file() {
  for _ in $(seq 100); do [ -s "$1" ] && return 0; sleep 0.1; done
  return 1
}

e2e_wine "$E2E_APP/VelmoBox.exe"
box=$E2E_PID
win=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
# The box takes the keyboard at start: typed at once, with no click, an item's name reaches the
# command box. (Without a window manager the X focus is given by hand, as a desktop would.)
xdotool windowfocus --sync "$win"
xdotool type --delay 40 marker
xdotool key Return
e2e_log "an item by its name, typed right after start-up"
wait_file "a b/marker.exe.ran" || e2e_fail "typing at start-up did not reach the command box"
[ ! -e a.exe.ran ] || e2e_fail "the decoy a.exe started"
rm "a b/marker.exe.ran"

# Keep the pointer over the window so that it does not slide away, then click the command box
# (Text2: 255, 5655 twips = 17, 377 pixels).
xdotool mousemove --window "$win" 150 200
sleep 0.5
command_box() {
  xdotool mousemove --window "$win" 120 385 click 1
  sleep 0.2
  xdotool type --delay 40 "$1"
  xdotool key Return
}

e2e_log "an item by its name"
command_box marker
wait_file "a b/marker.exe.ran" || e2e_fail "the item's program did not start"
[ ! -e a.exe.ran ] || e2e_fail "the decoy a.exe started"

e2e_log "a line typed 50 ms after the Enter of a launch arrives whole"
xdotool mousemove --window "$win" 120 385 click 1
sleep 0.2
xdotool type --delay 40 marker
xdotool key Return
sleep 0.05
xdotool type --delay 40 "!\"$win_app\\a b\\bang.exe\" right after"
xdotool key Return
wait_file "a b/bang.exe.ran" || e2e_fail "the line typed right after a launch was lost"
grep -q ' right after$' "a b/bang.exe.ran" || e2e_fail "the line arrived cut: $(cat "a b/bang.exe.ran")"
rm "a b/bang.exe.ran" "a b/marker.exe.ran"

e2e_log "! with a program and arguments"
command_box "!\"$win_app\\a b\\bang.exe\" hello world"
wait_file "a b/bang.exe.ran" || e2e_fail "! did not start the program"
grep -q ' hello world$' "a b/bang.exe.ran" || e2e_fail "arguments lost: $(cat "a b/bang.exe.ran")"
rm "a b/bang.exe.ran"

e2e_log "！ (what Chinese punctuation mode types for !) with a program and arguments"
command_box "！\"$win_app\\a b\\bang.exe\" 你好 world"
wait_file "a b/bang.exe.ran" || e2e_fail "！ did not start the program"
grep -q ' 你好 world$' "a b/bang.exe.ran" || e2e_fail "arguments lost: $(cat "a b/bang.exe.ran")"

e2e_log "\$ starts an extension"
command_box '$ext'
wait_file Plugins/ext.exe.ran || e2e_fail "\$ext did not start"

e2e_log "@ and ^ through explorer"
command_box '@example.com/a?b=1'
wait_file "$E2E_TMP/opened.log" || e2e_fail "@ reached no URL opener"
command_box '@https://example.org/x'
command_box '^a&b #c+d'
for _ in $(seq 100); do [ "$(wc -l <"$E2E_TMP/opened.log")" -ge 3 ] && break; sleep 0.1; done
cat "$E2E_TMP/opened.log"
grep -qxF 'http://example.com/a?b=1' "$E2E_TMP/opened.log" || e2e_fail "@ address"
grep -qxF 'https://example.org/x' "$E2E_TMP/opened.log" || e2e_fail "@ with a scheme"
grep -qxF 'https://www.baidu.com/s?ie=UTF-8&wd=a%26b%20%23c%2Bd' "$E2E_TMP/opened.log" \
  || e2e_fail "^ address"

# Too long to type: pasted. Wine's own hand-over of an address of 996 characters or more takes
# down the process that makes it; explorer's process, never the box's.
paste_command() {
  printf '%s' "$1" | xclip -selection clipboard
  xdotool mousemove --window "$win" 120 385 click 1
  sleep 0.2
  xdotool key ctrl+a ctrl+v Return
  sleep 1
}
controls() { wine "$reader" VelmoBoxWindow 2>/dev/null | tr -d '\r'; }
e2e_log "an address of 2048 characters goes to explorer; the box stays"
paste_command "@$(printf 'a%.0s' $(seq 2041))"
kill -0 "$box" || e2e_fail "the box died on an address of 2048 characters"
! controls | grep -qF '网址长' || e2e_fail "an address of 2048 characters was refused"
e2e_log "an address of 5007 characters is said to be too long and not opened"
lines=$(wc -l <"$E2E_TMP/opened.log")
paste_command "@$(printf 'b%.0s' $(seq 5000))"
kill -0 "$box" || e2e_fail "the box died on an address of 5007 characters"
controls | grep -qF $'\t1\t这个网址长 5007 个字符，最多只能打开 2048 个字符的网址。' \
  || { controls; e2e_fail "no too-long message"; }
[ "$(wc -l <"$E2E_TMP/opened.log")" = "$lines" ] || e2e_fail "the long address was opened"
xdotool key space  # the message panel slides away
sleep 1

e2e_log "an unknown name shows the message panel"
import -window root "$E2E_TMP/before.png"
command_box nothing
sleep 1
import -window root "$E2E_TMP/not_found.png"
mkdir -p "$E2E_BUILD/e2e-shots"
cp "$E2E_TMP/not_found.png" "$E2E_BUILD/e2e-shots/command_not_found.png"
[ "$(compare -metric AE "$E2E_TMP/before.png" "$E2E_TMP/not_found.png" null: 2>&1 || true)" != 0 ] \
  || e2e_fail "the message panel did not appear"

kill -0 "$box" || e2e_fail "the box died"
e2e_close "$win" "$box" || e2e_fail "box did not close"
echo PASS
