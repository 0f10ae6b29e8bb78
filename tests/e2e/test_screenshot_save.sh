#!/usr/bin/env bash
# 截屏: saving through the "保存为" dialog. It opens in the Pictures folder suggesting
# "截屏_<date>_<time>.png" (Ctrl+S opens it too), then in the folder and with the type last
# saved, which 截屏.ini beside the program keeps; the name's extension picks JPEG, BMP or PNG;
# Ctrl+S on a pin saves the pin's picture the same way and leaves the pin open;
# the clipboard keeps the picture after a save, and after a cancelled one. A file that cannot
# be written is said; a busy clipboard does not stop a save; GDI+ and the dialog library planted
# beside the program are never loaded.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/screenshot_lib.sh"
e2e_start "$1"
shot_plant gdiplus comdlg32
shot_show_picture
out=$E2E_TMP/out
mkdir -p "$out"
winout=$(winepath -w "$out")
# The prefix's Pictures folder is a link to the Unix home: a folder of this test's own instead.
pictures=$WINEPREFIX/drive_c/users/$(id -un)/Pictures
rm -f "$pictures"
mkdir -p "$pictures"

# save_as name [key]: draws 100 x 50 at (10, 20) on the open capture screen, clicks save (or
# presses the key) and types the name into the dialog in place of the suggested one ("-": takes
# the suggestion; empty: cancels); the dialog's id is left in $dialog.
save_as() {
  shot_select 10 20 100 50
  if [ -n "${2:-}" ]; then xdotool key "$2"; else shot_toolbar_icon 2 10 20 100 50; fi
  dialog=$(e2e_wait_window '保存为') || e2e_fail "no save dialog $(shot_planted_loaded)"
  xdotool windowfocus --sync "$dialog"
  case $1 in
    -) sleep 0.3; xdotool key Return ;;
    '') xdotool key Escape ;;
    *)
      xdotool key End shift+Home BackSpace
      xdotool type --delay 20 "$winout\\$1"
      xdotool key Return
      ;;
  esac
}

# suggested dir ext: the one file "截屏_YYYYMMDD_HHMMSS.<ext>" in dir, made in the last minute.
suggested() {
  local files
  files=$(find "$1" -maxdepth 1 -newermt '-1 minute' -name "截屏_*.$2" -printf '%f\n')
  [ "$(echo "$files" | grep -cE "^截屏_[0-9]{8}_[0-9]{6}\.$2\$")" = 1 ] ||
    e2e_fail "no single suggested .$2 name in $1: $(ls "$1")"
  echo "$1/$files"
}

e2e_log "Ctrl+S, the suggested name in Pictures: a real PNG, and the clipboard keeps the picture"
shot_start
pid=$E2E_PID
save_as - ctrl+s
launcher=$(shot_launcher) || e2e_fail "no launcher after saving"
png=$(suggested "$pictures" png)
[ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || e2e_fail "$png has no PNG signature"
[ "$(identify -format '%m %wx%h' "$png")" = "PNG 100x50" ] || e2e_fail "$png is not a 100x50 PNG"
shot_same_as_screen "$png" 10 20 100 50
shot_clipboard_bmp "$E2E_TMP/after-save.bmp" || e2e_fail "the save emptied the clipboard"
shot_same_as_screen "$E2E_TMP/after-save.bmp" 10 20 100 50
[ "$(head -c 3 "$E2E_APP/Plugins/截屏.ini" | od -An -tx1 | tr -d ' \n')" = efbbbf ] ||
  e2e_fail "截屏.ini does not start with a UTF-8 BOM"
settings=$(tail -c +4 "$E2E_APP/Plugins/截屏.ini" | tr -d '\r')
[ "$settings" = "$(printf '[保存]\nFolder=C:\\users\\%s\\Pictures\nType=png' "$(id -un)")" ] ||
  e2e_fail "截屏.ini holds: $settings"

e2e_log "save as .jpg"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen"
sleep 0.3
save_as shot.jpg
launcher=$(shot_launcher) || e2e_fail "no launcher after saving"
[ -z "$(shot_planted_loaded)" ] || e2e_fail "a planted library was loaded: $(shot_planted_loaded)"
[ "$(identify -format '%m %wx%h' "$out/shot.jpg")" = "JPEG 100x50" ] || e2e_fail "shot.jpg is not a 100x50 JPEG"
convert "$E2E_TMP/screen.png" -crop 100x50+10+20 +repage "$E2E_TMP/region.png"
psnr=$(compare -metric PSNR "$out/shot.jpg" "$E2E_TMP/region.png" null: 2>&1 || true)
echo "JPEG PSNR $psnr dB"
# Wine's JPEG encoder ignores the quality setting (about 23 dB here); the region three pixels
# to the side scores about 15 dB.
awk -v p="$psnr" 'BEGIN { exit !(p >= 20) }' || e2e_fail "shot.jpg is too far from the screen"
shot_clipboard_bmp "$E2E_TMP/after-save.bmp" || e2e_fail "the save emptied the clipboard"
shot_same_as_screen "$E2E_TMP/after-save.bmp" 10 20 100 50

e2e_log "the next suggestion: the folder and the type last saved"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen"
sleep 0.3
save_as -
launcher=$(shot_launcher) || e2e_fail "no launcher after saving"
jpg=$(suggested "$out" jpg)
[ "$(identify -format '%m %wx%h' "$jpg")" = "JPEG 100x50" ] || e2e_fail "$jpg is not a 100x50 JPEG"

e2e_log "save as .bmp and .png"
for name in shot.bmp shot.png; do
  shot_launcher_click "$launcher" capture
  e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen"
  sleep 0.3
  save_as "$name"
  launcher=$(shot_launcher) || e2e_fail "no launcher after saving $name"
  shot_same_as_screen "$out/$name" 10 20 100 50
done
[ "$(identify -format '%m' "$out/shot.bmp")" = BMP3 ] || [ "$(identify -format '%m' "$out/shot.bmp")" = BMP ] \
  || e2e_fail "shot.bmp is not a BMP"
[ "$(identify -format '%m' "$out/shot.png")" = PNG ] || e2e_fail "shot.png is not a PNG"

e2e_log "Ctrl+S on a pin saves its picture under the suggested name, and the pin stays"
shot_pin 300 200 120 80
xdotool mousemove 360 240 click 1
sleep 0.2
xdotool key ctrl+s
dialog=$(e2e_wait_window '保存为') || e2e_fail "Ctrl+S on the pin opened no save dialog"
xdotool windowfocus --sync "$dialog"
sleep 0.3
xdotool key Return
# The last save was a PNG in $out: the suggestion is a PNG there.
for _ in $(seq 100); do
  [ -n "$(find "$out" -maxdepth 1 -name '截屏_*.png')" ] && break
  sleep 0.1
done
png=$(suggested "$out" png)
e2e_wait_window_gone "$dialog" || e2e_fail "the save dialog stayed"
[ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = 89504e470d0a1a0a ] || e2e_fail "$png has no PNG signature"
[ "$(identify -format '%m %wx%h' "$png")" = "PNG 120x80" ] || e2e_fail "$png is not a 120x80 PNG"
shot_same_as_screen "$png" 300 200 120 80
xdotool search --onlyvisible --name '^贴图$' | grep -x "$pin" >/dev/null || e2e_fail "the pin closed on saving"
eval "$(xdotool getwindowgeometry --shell "$pin")"
[ "$X,$Y,$WIDTH,$HEIGHT" = 299,199,122,82 ] || e2e_fail "the pin moved to $X,$Y ${WIDTH}x$HEIGHT"
xdotool windowfocus --sync "$pin" key Escape
e2e_wait_window_gone "$pin" || e2e_fail "Escape left the pin"

e2e_log "cancelled dialog"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen"
sleep 0.3
save_as ""
shot_launcher >/dev/null || e2e_fail "no launcher after cancelling"
shot_clipboard_bmp "$E2E_TMP/kept.bmp" || e2e_fail "a cancelled save emptied the clipboard"
shot_same_as_screen "$E2E_TMP/kept.bmp" 10 20 100 50
[ "$(ls "$out" | grep -v '^截屏_')" = "$(printf 'shot.bmp\nshot.jpg\nshot.png')" ] || e2e_fail "unexpected files: $(ls "$out")"

e2e_log "a file another program holds open: the user is told, the file and the clipboard stay"
printf old >"$out/held.bmp"
e2e_hold file "$out/held.bmp"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen"
sleep 0.3
save_as held.bmp
question=
for _ in $(seq 100); do
  question=$(xdotool search --onlyvisible --name '^保存为$' | grep -vx "$dialog" | head -n1 || true)
  [ -n "$question" ] && break
  sleep 0.1
done
[ -n "$question" ] || e2e_fail "no question before replacing held.bmp"
xdotool windowfocus --sync "$question" key Return
shot_told '保存失败' screenshot_save_failed.png
launcher=$(shot_launcher) || e2e_fail "no launcher after the failed save"
e2e_release
[ "$(cat "$out/held.bmp")" = old ] || e2e_fail "held.bmp changed"
[ ! -e "$out/held.bmp.part" ] || e2e_fail "a part of the picture was left behind"
shot_clipboard_bmp "$E2E_TMP/kept.bmp" || e2e_fail "a failed save emptied the clipboard"
shot_same_as_screen "$E2E_TMP/kept.bmp" 10 20 100 50

e2e_log "a clipboard held by another program does not stop a save, and keeps its content"
e2e_hold clipboard "$E2E_TMP/clipboard"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen"
sleep 0.3
save_as busy.bmp
launcher=$(shot_launcher) || e2e_fail "no launcher after saving with a busy clipboard"
shot_same_as_screen "$out/busy.bmp" 10 20 100 50
e2e_release
shot_clipboard_bmp "$E2E_TMP/kept.bmp" || e2e_fail "the save emptied the clipboard it had not filled"
shot_same_as_screen "$E2E_TMP/kept.bmp" 10 20 100 50
[ -z "$(shot_planted_loaded)" ] || e2e_fail "a planted library was loaded: $(shot_planted_loaded)"
kill -0 "$pid" || e2e_fail "the program ended"
echo "PASS"
