# Helpers of the window end-to-end tests: start the box at its start-up position and read
# what the screen shows.
# shellcheck source=lib.sh
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

# window_start <build> [config sed expressions...]: the box without position memory or
# greeting; prints nothing, sets WIN (X window id) and WIN_X (left pixel).
window_start() {
  e2e_start "$1"
  shift
  local cfg=$E2E_APP/DATA/config.ini
  sed -i 's/^PositionRecord =True/PositionRecord =False/; s/^GreetingAfterRunning =True/GreetingAfterRunning =False/' "$cfg"
  for expr in "$@"; do sed -i "$expr" "$cfg"; done
  VELMO_TIMING=1 e2e_wine "$E2E_APP/VelmoBox.exe"
  WIN=$(e2e_wait_window 'Velmo盒子') || e2e_fail "no window"
  WIN_X=$(window_pos x)
}

# window_pos x|y: the window's position in pixels.
window_pos() {
  local geometry
  geometry=$(xdotool getwindowgeometry "$WIN" | sed -n 's/.*Position: \(-\?[0-9]*\),\(-\?[0-9]*\).*/\1 \2/p')
  if [ "$1" = x ]; then echo "${geometry% *}"; else echo "${geometry#* }"; fi
}

# window_wait_y <pixels> [seconds]: waits until the window's top is at that pixel row.
window_wait_y() {
  local want=$1 limit=${2:-5}
  for _ in $(seq $((limit * 20))); do
    [ "$(window_pos y)" = "$want" ] && return 0
    sleep 0.05
  done
  return 1
}

# window_pixel <png> <x> <y>: "r,g,b" of a pixel given relative to the window.
window_pixel() {
  local x=$(($2 + WIN_X)) y=$(($3 + $(window_pos y)))
  convert "$1" -format '%[fx:int(255*r)],%[fx:int(255*g)],%[fx:int(255*b)]' -crop "1x1+$x+$y" info:
}

# window_shot <name>: a screenshot of the whole screen; prints its path.
window_shot() {
  local path=$E2E_TMP/$1.png
  import -window root "$path"
  echo "$path"
}

# window_keep <png> <name>: keeps the window's part of a screenshot in the build folder.
window_keep() {
  mkdir -p "$E2E_BUILD/e2e-shots"
  convert "$1" -crop "307x400+$WIN_X+$(window_pos y)" +repage "$E2E_BUILD/e2e-shots/$2.png"
}
