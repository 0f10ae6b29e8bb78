# Helpers of the 截屏 end-to-end tests; source after lib.sh and e2e_start.

# shot_show_picture: fills the screen with a known picture (an X window at 0,0 under every
# Wine window) and keeps a copy of the screen as it shows, in $E2E_TMP/screen.png.
shot_show_picture() {
  local size
  size=$(xdpyinfo | awk '/dimensions:/ {print $2}')
  convert -size "$size" gradient:'#ffd000-#6000a0' \
    -fill '#ff0000' -draw 'rectangle 0,0 60,45' -fill '#00ff00' -draw 'rectangle 61,0 120,45' \
    -fill '#0000ff' -draw 'rectangle 0,46 60,90' -fill '#ffffff' -draw 'circle 300,200 340,240' \
    -fill '#000000' -draw 'line 10,20 109,69' -depth 8 "PNG24:$E2E_TMP/picture.png"
  # ImageMagick's viewer now and then never maps its window on a busy machine: it gets three
  # tries, and says why when none shows.
  local id try viewer
  for try in 1 2 3; do
    display -geometry +0+0 -borderwidth 0 -title shot-picture "$E2E_TMP/picture.png" \
      2>"$E2E_TMP/display.log" &
    viewer=$!
    id=$(e2e_wait_window shot-picture 10) && break
    kill "$viewer" 2>/dev/null || true
    [ "$try" -lt 3 ] || e2e_fail "the picture did not show: $(cat "$E2E_TMP/display.log")"
  done
  sleep 0.3
  import -window root "$E2E_TMP/screen.png"
}

# shot_start: starts 截屏.exe and waits for its capture screen.
shot_start() {
  e2e_wine "$E2E_APP/Plugins/截屏.exe"
  e2e_wait_window '截屏' >/dev/null || e2e_fail "no capture screen"
  sleep 0.3
}

# shot_select x y w h: draws a selection with the left button.
shot_select() {
  local x=$1 y=$2 w=$3 h=$4
  xdotool mousemove "$x" "$y" mousedown 1 mousemove $((x + w / 2)) $((y + h / 2)) \
    mousemove $((x + w)) $((y + h)) mouseup 1
  sleep 0.3
}

# shot_toolbar_icon i x y w h: clicks toolbar icon i (0 undo, 1 copy, 2 save, 3 exit) of the
# selection x y w h on a 96-dpi screen: a 205 x 26 toolbar right-aligned under the selection.
shot_toolbar_icon() {
  local i=$1 x=$2 y=$3 w=$4 h=$5 left
  left=$((x + w - 205))
  [ $left -ge 0 ] || left=0
  xdotool mousemove $((left + 119 + 24 * i)) $((y + h + 4 + 13))
  sleep 0.2
  xdotool click 1
}

# shot_rgb file x y: the pixel's "r g b" in decimal.
shot_rgb() {
  convert "$1" -format '%[pixel:p{'"$2,$3"'}]' info: | sed -E 's/^srgb\(([0-9]+),([0-9]+),([0-9]+)\)$/\1 \2 \3/'
}

# shot_markup_item i x y w h: clicks item i of the mark-up row (0-5 the tools, 6-8 the widths,
# 9-14 the colours, 15 undo, 16 redo, 17 pin) of the selection x y w h on a 96-dpi screen: a
# 440 x 26 row right-aligned 2 pixels under the toolbar.
shot_markup_item() {
  local i=$1 x=$2 y=$3 w=$4 h=$5 left box
  left=$((x + w - 440))
  [ $left -ge 0 ] || left=0
  if [ "$i" -lt 6 ]; then box=$((4 + 24 * i))
  elif [ "$i" -lt 9 ]; then box=$((152 + 24 * (i - 6)))
  elif [ "$i" -lt 15 ]; then box=$((228 + 22 * (i - 9)))
  elif [ "$i" -lt 17 ]; then box=$((364 + 24 * (i - 15)))
  else box=416
  fi
  xdotool mousemove $((left + box + 10)) $((y + h + 32 + 13))
  sleep 0.2
  xdotool click 1
  sleep 0.2
}

# shot_pixel file x y: the pixel of a picture as srgb(r,g,b).
shot_pixel() { convert "$1" -format "%[pixel:p{$2,$3}]" info:; }

# shot_launcher: waits for the launcher window and prints its id.
shot_launcher() { e2e_wait_window '截屏工具'; }

# shot_pin x y w h: from the launcher in $launcher, captures again, selects x y w h and pins it
# with F3; sets pin and launcher to the new windows once the capture screen is off the display
# (until then Wine sends clicks there).
shot_pin() {
  local capture
  shot_launcher_click "$launcher" capture
  capture=$(e2e_wait_window '截屏') || e2e_fail "no capture screen for the pin"
  sleep 0.3
  shot_select "$@"
  xdotool key F3
  pin=$(e2e_wait_window '贴图' 10) || e2e_fail "F3 opened no pin"
  launcher=$(shot_launcher) || e2e_fail "no launcher after pinning"
  e2e_wait_window_gone "$capture" || e2e_fail "the capture screen stayed"
}

# shot_launcher_click id what: clicks the launcher's capture button or close button.
shot_launcher_click() {
  local id=$1 what=$2 X Y WIDTH HEIGHT SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$id")"
  case $what in
    capture) xdotool mousemove $((X + 54)) $((Y + 62)) ;;
    close) xdotool mousemove $((X + 97)) $((Y + 10)) ;;
  esac
  sleep 0.2
  xdotool click 1
}

# shot_clipboard_bmp file: writes the clipboard's picture as BMP; fails when there is none.
shot_clipboard_bmp() { xclip -selection clipboard -t image/bmp -o >"$1" 2>/dev/null; }

# shot_same_as_screen file x y w h: the picture equals that region of the screen copy.
shot_same_as_screen() {
  local file=$1 x=$2 y=$3 w=$4 h=$5 diff
  [ "$(identify -format '%wx%h' "$file")" = "${w}x${h}" ] || e2e_fail "$file is not ${w}x${h}"
  convert "$E2E_TMP/screen.png" -crop "${w}x${h}+${x}+${y}" +repage "$E2E_TMP/region.png"
  diff=$(compare -metric AE "$file" "$E2E_TMP/region.png" null: 2>&1 || true)
  [ "$diff" = 0 ] || e2e_fail "$file differs from the screen in $diff pixels"
}

# shot_told title file: waits for 截屏's message box with that title, keeps a screenshot of it in
# the build's e2e-shots/file and closes it.
shot_told() {
  local box
  box=$(e2e_wait_window "$1" 10) || e2e_fail "no message \"$1\""
  sleep 0.3
  mkdir -p "$E2E_BUILD/e2e-shots"
  import -window root "$E2E_BUILD/e2e-shots/$2"
  xdotool windowfocus --sync "$box" key Return
}

# shot_plant dll...: puts a library that leaves "<name>.loaded" when loaded beside 截屏, under
# each name. Wine prefers its own copies of most system libraries; "n,b" makes it search for
# these the way Windows does, program folder first.
shot_plant() {
  local dll
  for dll in "$@"; do
    cp "$E2E_BUILD/tests/planted.dll" "$E2E_APP/Plugins/$dll.dll"
    WINEDLLOVERRIDES="$WINEDLLOVERRIDES;$dll=n,b"
  done
  export WINEDLLOVERRIDES
}
shot_planted_loaded() { ls "$E2E_APP/Plugins" | grep '\.loaded$' || true; }
