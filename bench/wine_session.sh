# The set-up the Wine benchmarks share: a fresh prefix in a temporary folder and a screen of
# their own. Source it after scripts/wine-env.sh; everything goes when the script exits.
#   bench_prefix              makes $tmp and a prefix in it ($WINEPREFIX)
#   bench_screen WxH          starts Xvfb at that size on a free display ($DISPLAY)
#   bench_screen_stop         ends the Wine server and that Xvfb

bench_prefix() {
  tmp=$(mktemp -d /tmp/velmo-bench.XXXXXX)
  export WINEPREFIX=$tmp/prefix
  velmo_new_prefix "$WINEPREFIX"
  bench_xvfb=
  trap bench_finish EXIT
}

bench_finish() {
  wineserver -k 2>/dev/null || true
  [ -z "$bench_xvfb" ] || kill "$bench_xvfb" 2>/dev/null || true
  rm -rf "$tmp"
}

bench_screen() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "$1x24" -nolisten tcp >/dev/null 2>&1 &
  bench_xvfb=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
}

bench_screen_stop() {
  wineserver -k 2>/dev/null || true
  kill "$bench_xvfb"
  wait "$bench_xvfb" 2>/dev/null || true
  bench_xvfb=
}
