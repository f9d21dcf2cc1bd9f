#!/bin/bash
# Real-window smoke test: starts the program on a virtual X display, waits
# for its window, checks a screenshot is not blank, clicks "Quit" on the menu
# bar with the mouse as a user would, and checks that the program ended with
# status 0 and wrote no font copy beside itself.
# Usage: window_smoke.sh PROGRAM SCENARIO_RUNNER OUTDIR
set -u
program=$1
runner=$2
out=$3
bindir=$(dirname "$program")
mkdir -p "$out"

fail() { echo "FAIL: $*" >&2; exit 1; }

# Inside the X server: the part a user would do.
if [ "${4:-}" = "--inner" ]; then
  qx=$5
  qy=$6
  export QT_QPA_PLATFORM=xcb
  "$program" &
  pid=$!
  wid=$(timeout 20 xdotool search --sync --name "^timer555$" | head -n1)
  [ -n "$wid" ] || { kill "$pid"; fail "window did not appear"; }
  sleep 1
  [ ! -e "$bindir/TECHNCLN.TTF" ] || { kill "$pid"; fail "a font copy was written beside the program"; }
  import -window root "$out/screen.png" || { kill "$pid"; fail "screenshot failed"; }
  colours=$(convert "$out/screen.png" -format '%k' info:)
  [ "$colours" -gt 2 ] || { kill "$pid"; fail "screenshot is blank ($colours colours)"; }
  xdotool mousemove --window "$wid" "$qx" "$qy" click 1
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  if kill -0 "$pid" 2>/dev/null; then kill "$pid"; fail "program still running after Quit"; fi
  wait "$pid"
  status=$?
  [ "$status" -eq 0 ] || fail "program ended with status $status"
  [ ! -e "$bindir/TECHNCLN.TTF" ] || fail "a font copy was written beside the program"
  echo "ok: screenshot $colours colours, Quit at ($qx, $qy), status 0"
  exit 0
fi

# Where "Quit" is: the runner draws the same menu bar with the same font.
printf 'snapshot bar\n' > "$out/bar.scn"
QT_QPA_PLATFORM=offscreen "$runner" "$out/bar.scn" "$out" || fail "scenario runner failed"
read -r qx qy < <(python3 -c '
import json, sys
r = json.load(open(sys.argv[1]))["menuBar"][3]
print((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)' "$out/bar.json") || fail "no menu bar in bar.json"

xvfb-run -a -s "-screen 0 1024x768x24" bash "$0" "$program" "$runner" "$out" --inner "$qx" "$qy"
