#!/usr/bin/env bash
# Look-ups of the real box while typing: "&" and "*" in the dictionaries, "#" the calculator,
# "%" a contact of Contacts.sd, read from the window's own result box; a contact selected in
# the phone book lands on the clipboard, a contact added there lands in Contacts.sd; without
# DictContents.sd "&" shows nothing, and with a damaged one the box says so.
. "$(dirname "$0")/lib.sh"
e2e_start "$1"
cd "$E2E_APP"
reader=$E2E_BUILD/tests/read_controls.exe
[ -f "$reader" ] || e2e_fail "no read_controls.exe in the build"

# The shipped dictionaries when the build made them, else a few lines that say the same.
if [ ! -f DATA/Dictionary.txt ]; then
  e2e_log "no shipped dictionaries: writing small ones"
  printf 'apple@n. 苹果, 家伙\r\nbank@n. 银行\r\n' | e2e_gbk >DATA/Dictionary.txt
  printf '1\r\n2\r\n' >DATA/DictContents.sd
  for _ in $(seq 22); do printf '3\r\n'; done >>DATA/DictContents.sd
  printf '银行@yínháng：bank\r\n' | e2e_gbk >DATA/词典.txt
fi
printf '张三*13800000000\r\n李四*010-12345678\r\n' | e2e_gbk >DATA/Contacts.sd

start_box() {
  e2e_wine "$E2E_APP/VelmoBox.exe"
  box=$E2E_PID
  win=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
  xdotool mousemove --window "$win" 150 120
  sleep 0.5
}
# Pixels in the window: twips / 15.
click() { xdotool mousemove --window "$win" "$1" "$2" click 1; sleep 0.6; }
# Types into the focused box after emptying it, until the box holds the text: xdotool types
# Chinese through a remapped key, and Wine now and then reads the key before the new mapping.
type_text() {
  for _ in 1 2 3; do
    xdotool key --delay 20 End shift+Home BackSpace
    [ -z "$1" ] && return 0
    xdotool type --delay 300 "$1"
    for _ in $(seq 30); do
      controls | awk -F'\t' -v typed="$1" '$3 == typed { found = 1 } END { exit !found }' &&
        return 0
      sleep 0.1
    done
  done
  e2e_fail "could not type $1"
}
# Types a command into the command box; the answer comes with the keystrokes.
command_text=
type_command() {
  click 136 385
  type_text "$1"
  command_text=$1
  sleep 0.3
}
controls() { wine "$reader" VelmoBoxWindow 2>/dev/null | tr -d '\r'; }
# The text of every shown text box but the command box: the result box while the panel shows.
shown_result() {
  controls |
    awk -F'\t' -v typed="$command_text" 'tolower($1) == "edit" && $2 == 1 && $3 != typed { print $3 }'
}
expect_result() {
  local result
  result=$(shown_result)
  echo "$command_text -> $result"
  case "$result" in *"$1"*) ;; *) e2e_fail "$command_text shows '$result', not '$1'" ;; esac
}
shots=$E2E_BUILD/e2e-shots
mkdir -p "$shots"

start_box
e2e_log "previews while typing"
type_command '&apple'
expect_result '苹果'
import -window root "$shots/lookups_english.png"
type_command '*银行'
expect_result 'yínháng'
type_command '#2^10'
expect_result '1024'
type_command '%李四'
expect_result '010-12345678'
import -window root "$shots/lookups_contact.png"
type_command '%王五'  # nobody: said so, never the number looked up before
expect_result '电话簿中没有“王五”。'

e2e_log "the phone book: select a contact, add one"
type_command ''
[ -z "$(shown_result)" ] || e2e_fail "an empty command box still shows a result"
click 170 318  # home tile 小工具
click 150 202  # tools tile 电话簿
click 100 72   # the first contact
clip=$(xclip -selection clipboard -o)
echo "clipboard: $clip"
[ "$clip" = "张三：13800000000" ] || e2e_fail "the clipboard holds '$clip'"
import -window root "$shots/lookups_phone_book.png"
click 209 25   # 新增联系人: the name box has the focus
type_text '王五'
click 141 154  # the number box
type_text '555'
sleep 0.4
import -window root "$shots/lookups_contact_edit.png"
click 281 25   # 确定
e2e_close "$win" "$box" || e2e_fail "box did not close"
expected=$(printf '张三*13800000000\r\n李四*010-12345678\r\n王五*555\r\n' | e2e_gbk | md5sum)
[ "$(md5sum <DATA/Contacts.sd)" = "$expected" ] || e2e_fail "Contacts.sd: $(e2e_utf8 <DATA/Contacts.sd)"

e2e_log "without DictContents.sd no English preview"
rm DATA/DictContents.sd
start_box
type_command '&apple'
[ -z "$(shown_result)" ] || e2e_fail "'&apple' shows a result without DictContents.sd"
type_command '*银行'
expect_result 'yínháng'
e2e_close "$win" "$box" || e2e_fail "box did not close"

e2e_log "a damaged DictContents.sd is said at the first English look-up"
printf '1\r\n2\r\n' >DATA/DictContents.sd
start_box
click 136 385
xdotool type --delay 300 '&a'
sleep 1.5
controls | grep -qF $'\t1\t英汉词典的字母索引 DictContents.sd 已损坏，无法查找英文单词。' \
  || { controls; e2e_fail "no message for the damaged letter index"; }
kill -0 "$box" || e2e_fail "the box died"
e2e_close "$win" "$box" || e2e_fail "box did not close"
echo PASS
