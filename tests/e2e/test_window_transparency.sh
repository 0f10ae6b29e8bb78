#!/usr/bin/env bash
# With TransparentUI on, the window turns half-transparent when the pointer leaves it and
# opaque again when it comes back.
. "$(dirname "$0")/window_lib.sh"
window_start "$1" 's/^TransparentUI = False/TransparentUI = True/'

opacity() { xprop -id "$WIN" _NET_WM_WINDOW_OPACITY 2>/dev/null | sed -n 's/.*= //p'; }
wait_opacity() {
  for _ in $(seq 30); do
    [ "$(opacity)" = "$1" ] && return 0
    sleep 0.05
  done
  return 1
}
xdotool mousemove $((WIN_X + 150)) 200
wait_opacity 4294967295 || [ -z "$(opacity)" ] || e2e_fail "not opaque under the pointer: $(opacity)"
xdotool mousemove $((WIN_X + 500)) 600
wait_opacity 2139062143 || e2e_fail "not half-transparent after the pointer left: $(opacity)"
# Meanwhile the window may have docked and hidden: the top row is over it either way.
xdotool mousemove $((WIN_X + 150)) 1
wait_opacity 4294967295 || [ -z "$(opacity)" ] || e2e_fail "not opaque again: $(opacity)"
e2e_log "ok"
