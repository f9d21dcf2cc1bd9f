# Shared helpers of the real-window tests, sourced by their scripts.
# Every wait has a time limit, and the X server and the program are stopped
# on every way out of the script.

XVFB_PID=""
PROGRAM_PID=""
WORK_DIRS=()

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cleanup() {
  if [ -n "$PROGRAM_PID" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
    kill "$PROGRAM_PID" 2>/dev/null
    sleep 0.5
    kill -9 "$PROGRAM_PID" 2>/dev/null
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  local d
  for d in "${WORK_DIRS[@]}"; do
    chmod -R u+w "$d" 2>/dev/null
    rm -rf "$d"
  done
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# start_xvfb SCREEN: a private X server (e.g. SCREEN=1024x768x24) without
# access control, so that another user may draw on it; the server picks a
# free display itself. Sets DISPLAY.
start_xvfb() {
  local numfile
  numfile=$(mktemp)
  WORK_DIRS+=("$numfile")
  Xvfb -displayfd 9 -ac -nolisten tcp -screen 0 "$1" 9>"$numfile" 2>/dev/null &
  XVFB_PID=$!
  local i
  for i in $(seq 1 100); do
    [ -s "$numfile" ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start"
    sleep 0.1
  done
  [ -s "$numfile" ] || fail "Xvfb reported no display"
  export DISPLAY=":$(head -n1 "$numfile")"
  for i in $(seq 1 50); do
    xdpyinfo >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  fail "X server $DISPLAY does not answer"
}

# wait_window TITLE: prints the id of the first visible window with TITLE,
# waiting up to 20 s.
wait_window() {
  timeout 20 xdotool search --sync --onlyvisible --name "$1" 2>/dev/null | head -n1
}

# wait_exit SECONDS: waits for PROGRAM_PID to end and sets EXIT_STATUS to
# its status, or to "running" after SECONDS.
wait_exit() {
  local i
  for i in $(seq 1 $(($1 * 5))); do
    kill -0 "$PROGRAM_PID" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$PROGRAM_PID" 2>/dev/null; then
    EXIT_STATUS=running
    return
  fi
  EXIT_STATUS=0
  wait "$PROGRAM_PID" || EXIT_STATUS=$?
  PROGRAM_PID=""
}

# screenshot FILE: the whole screen as PNG; fails when it is blank (fewer
# than three colours).
screenshot() {
  timeout 20 import -window root "$1" || fail "screenshot $1 failed"
  local colours
  colours=$(timeout 20 convert "$1" -format '%k' info:)
  [ "${colours:-0}" -gt 2 ] || fail "screenshot $1 is blank (${colours:-0} colours)"
}

# json_get FILE EXPR: evaluates a Python expression over the JSON object `j`.
json_get() {
  python3 -c 'import json, sys; j = json.load(open(sys.argv[1])); print(eval(sys.argv[2]))' "$1" "$2"
}
