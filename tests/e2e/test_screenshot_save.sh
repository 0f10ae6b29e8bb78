#!/usr/bin/env bash
# 截屏: saving through the "保存为" dialog; the name's extension picks JPEG, BMP or PNG; a saved
# picture leaves the clipboard empty, a cancelled one leaves it on the clipboard. A file that
# cannot be written is said; a busy clipboard does not stop a save; GDI+ and the dialog library
# planted beside the program are never loaded.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/screenshot_lib.sh"
e2e_start "$1"
shot_plant gdiplus comdlg32
shot_show_picture
out=$E2E_TMP/out
mkdir -p "$out"
winout=$(winepath -w "$out")

# save_as name: draws 100 x 50 at (10, 20) on the open capture screen, clicks save and types
# the name into the dialog, whose id it leaves in $dialog.
save_as() {
  shot_select 10 20 100 50
  shot_toolbar_icon 2 10 20 100 50
  dialog=$(e2e_wait_window '保存为') || e2e_fail "no save dialog $(shot_planted_loaded)"
  xdotool windowfocus --sync "$dialog"
  if [ -n "$1" ]; then
    xdotool type --delay 20 "$winout\\$1"
    xdotool key Return
  else
    xdotool key Escape
  fi
}

e2e_log "save as .jpg"
shot_start
pid=$E2E_PID
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
if xclip -selection clipboard -t TARGETS -o 2>/dev/null | grep -qx 'image/bmp'; then
  e2e_fail "the clipboard still holds a picture after saving"
fi

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

e2e_log "cancelled dialog"
shot_launcher_click "$launcher" capture
e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen"
sleep 0.3
save_as ""
shot_launcher >/dev/null || e2e_fail "no launcher after cancelling"
shot_clipboard_bmp "$E2E_TMP/kept.bmp" || e2e_fail "a cancelled save emptied the clipboard"
shot_same_as_screen "$E2E_TMP/kept.bmp" 10 20 100 50
[ "$(ls "$out")" = "$(printf 'shot.bmp\nshot.jpg\nshot.png')" ] || e2e_fail "unexpected files: $(ls "$out")"

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
