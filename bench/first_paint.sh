# Times a program from its start to its window's first picture on the X display, seen from the
# X server, so that the measuring takes nothing from the program. Source it, then call
# first_paint_build <dir> once.

first_paint_build() {
  FIRST_PAINT=$1/first_paint
  cc -O2 -o "$FIRST_PAINT" "$(dirname "${BASH_SOURCE[0]}")/first_paint.c" -lX11 -lXdamage
}

# first_picture <title> <command...>: starts the command in the background, its output going to
# the file FIRST_PICTURE_OUT (default: nowhere) and its pid to FIRST_PICTURE_PID, and sets
# FIRST_PICTURE to "mapped M drawn D": milliseconds from the start until the window titled
# <title> was mapped and until it was first drawn. Fails after 30 s.
first_picture() {
  local title=$1 out start
  shift
  out=$(mktemp)
  "$FIRST_PAINT" "$title" >"$out" &
  local watcher=$!
  until grep -q ready "$out"; do
    kill -0 "$watcher" 2>/dev/null || { rm -f "$out"; return 1; }  # no X display or no DAMAGE
    sleep 0.01
  done
  start=$(date +%s%N)
  "$@" >"${FIRST_PICTURE_OUT:-/dev/null}" 2>&1 &
  FIRST_PICTURE_PID=$!
  local limit=$((SECONDS + 30))
  while kill -0 "$watcher" 2>/dev/null && [ $SECONDS -lt $limit ]; do sleep 0.05; done
  kill "$watcher" 2>/dev/null || true
  wait "$watcher" 2>/dev/null || true
  FIRST_PICTURE=$(awk -v t0="$start" \
    '$1 == "mapped" { printf "mapped %.0f drawn %.0f", $2 - t0 / 1e6, $4 - t0 / 1e6 }' "$out")
  rm -f "$out"
  [ -n "$FIRST_PICTURE" ]
}
