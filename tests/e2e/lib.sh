# Shared set-up of the end-to-end tests: a fresh Wine prefix, a private Xvfb display and a
# fresh program folder per test. Source it, then call e2e_start <win-build-dir>.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/wine-env.sh"

e2e_fail() { echo "FAIL: $*" >&2; exit 1; }
e2e_log() { echo "--- $*"; }

e2e_start() {
  E2E_BUILD=$(cd "$1" && pwd)
  E2E_TMP=$(mktemp -d /tmp/velmo-e2e.XXXXXX)
  export WINEPREFIX="$E2E_TMP/prefix"
  velmo_new_prefix "$WINEPREFIX"
  velmo_null_audio "$E2E_TMP/audio"
  # A free display number: the lowest without a lock file.
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 "${E2E_SCREEN:-1280x800x24}" -nolisten tcp >/dev/null 2>&1 &
  E2E_XVFB=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && break; sleep 0.1; done
  E2E_APP="$E2E_TMP/${E2E_APP_NAME:-app}"
  "$velmo_root/scripts/layout" "$E2E_BUILD" "$E2E_APP"
  trap e2e_stop EXIT
}

e2e_stop() {
  local rc=$?
  wineserver -k 2>/dev/null || true
  kill "$E2E_XVFB" 2>/dev/null || true
  wait "$E2E_XVFB" 2>/dev/null || true
  if [ $rc -eq 0 ] || [ -z "${E2E_KEEP:-}" ]; then rm -rf "$E2E_TMP"; else echo "kept $E2E_TMP"; fi
  exit $rc
}

# e2e_wine <exe> [args...]: starts a program in the background; its pid is in E2E_PID.
e2e_wine() {
  wine "$@" >>"$E2E_TMP/wine.log" 2>&1 &
  E2E_PID=$!
}

# e2e_wait_window <title> [seconds]: prints the X window id once a mapped window has the title.
e2e_wait_window() {
  local title=$1 limit=${2:-20} id
  for _ in $(seq $((limit * 10))); do
    id=$(xdotool search --onlyvisible --name "^$title\$" 2>/dev/null | head -n1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# e2e_close <window> <pid> [seconds]: closes the window as the taskbar does (WM_CLOSE) and waits
# for the process to end, then for the X server to drop the window, so that the next start
# cannot find the old one. Returns non-zero when either outlives the wait.
e2e_close() {
  local title
  title=$(xdotool getwindowname "$1" 2>/dev/null) || return 1
  wine "$E2E_BUILD/tests/close_window.exe" "$title" >/dev/null 2>&1 || return 1
  e2e_wait_gone "$2" "${3:-20}" && e2e_wait_window_gone "$1"
}

# e2e_wait_window_gone <window> [seconds]: waits until the X server no longer has the window.
e2e_wait_window_gone() {
  for _ in $(seq $((${2:-5} * 10))); do
    xdotool getwindowname "$1" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

e2e_wait_gone() {
  local pid=$1 limit=${2:-20}
  for _ in $(seq $((limit * 10))); do
    kill -0 "$pid" 2>/dev/null || return 0
    sleep 0.1
  done
  return 1
}

# e2e_hold what name: another program holds the clipboard ("clipboard", its content left
# alone) or the file <name> ("file", open without sharing) until e2e_release.
e2e_hold() {
  E2E_HOLD_NAME=$2
  rm -f "$2.held" "$2.release"
  local pid=$E2E_PID
  e2e_wine "$E2E_BUILD/tests/hold.exe" "$1" "$(winepath -w "$2")"
  E2E_HOLD_PID=$E2E_PID
  E2E_PID=$pid
  for _ in $(seq 100); do [ -e "$2.held" ] && return 0; sleep 0.1; done
  e2e_fail "could not hold the $1"
}
e2e_release() {
  touch "$E2E_HOLD_NAME.release"
  e2e_wait_gone "$E2E_HOLD_PID" || e2e_fail "the hold was not let go"
  rm -f "$E2E_HOLD_NAME.held" "$E2E_HOLD_NAME.release"
}

# GBK <-> UTF-8 for checking files.
e2e_gbk() { iconv -f UTF-8 -t GBK; }
e2e_utf8() { iconv -f GBK -t UTF-8; }
