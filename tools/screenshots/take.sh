#!/bin/bash
# Takes the README's screenshots from the real program on a virtual X
# display, driven with the mouse and keyboard through xdotool: the start
# screen, design 1 calculated for 1000 Hz and 60 %, design 3 at 1000 Hz and
# 30 % simulated with F5 (the panel with expected values, compensated parts,
# findings, standard values and the plot), the tone-burst application page
# and the table of timer data, then design 1 once more at QT_SCALE_FACTOR=2,
# as on a HiDPI screen. Writes docs/*.png.
#
#   bash tools/screenshots/take.sh [BUILD_DIR]     (default: build)
# Needs a built program (bash build.sh build), Xvfb, xdotool and ImageMagick.
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd) || { echo "no build folder" >&2; exit 1; }
program=$build/bin/timer555
runner=$build/bin/timer555-scenario
docs=$root/docs
source "$root/tests/realwindow/xvfb_lib.sh"
[ -x "$program" ] && [ -x "$runner" ] || fail "build the program first (bash build.sh build)"
mkdir -p "$docs"

# The menu bar's hit rectangles, as the scenario runner draws them.
work=$(mktemp -d)
WORK_DIRS+=("$work")
printf 'snapshot bar\n' >"$work/bar.scn"
QT_QPA_PLATFORM=offscreen timeout 60 "$runner" "$work/bar.scn" "$work" >/dev/null 2>&1 || fail "the scenario runner failed"
entry() {  # entry K: the centre of menu bar entry K (0 Design .. 4 Help)
  python3 -c 'import json, sys; r = json.load(open(sys.argv[1]))["menuBar"][int(sys.argv[2])]; print((r[0] + r[2]) // 2, (r[1] + r[3]) // 2)' \
    "$work/bar.json" "$1"
}

# Large enough for the window at scale 2.
start_xvfb 1600x1000x24

# start_program SCALE: the program at QT_SCALE_FACTOR=SCALE, with its window
# id and geometry; click() then takes logical pixels.
start_program() {
  scale=$1
  QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb "$program" >"$work/program.log" 2>&1 &
  PROGRAM_PID=$!
  wid=$(wait_window "^timer555$")
  [ -n "$wid" ] || fail "the window did not appear"
  eval "$(xdotool getwindowgeometry --shell "$wid")"
}
click() { xdotool mousemove --window "$wid" $(($1 * scale)) $(($2 * scale)) sleep 0.1 click 1; }
shot() {  # shot NAME: the window alone, after a pause for the repaint
  sleep 0.8
  eval "$(xdotool getwindowgeometry --shell "$wid")"  # the panel below may have grown it
  timeout 20 import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$docs/$1.png" || fail "screenshot $1 failed"
  echo "wrote docs/$1.png"
}
area_top=42  # the drawing area starts below the menu bar

# Design 1 (top-left quadrant), 1000 Hz at 60 %, "Calculate"; the pointer
# then rests in the bottom-right corner.
calculate_design1() {
  click $(entry 0)
  click 160 $((area_top + 76))
  click $((391 + 112 + 37)) $((56 + 23 + 12))
  xdotool key --clearmodifiers ctrl+a BackSpace type --delay 40 1000
  click $((391 + 112 + 37)) $((56 + 58 + 12))
  xdotool key --clearmodifiers ctrl+a BackSpace type --delay 40 60
  click $((391 + 90 + 48)) $((56 + 95 + 13))
  xdotool mousemove --window "$wid" $((600 * scale)) $((340 * scale))
}

quit_program() {
  click $(entry 3)
  wait_exit 15
  [ "$EXIT_STATUS" = 0 ] || fail "the program ended with status $EXIT_STATUS"
}

start_program 1
shot start_screen
calculate_design1
shot design_calculated

# Design 3 (bottom-left quadrant), 1000 Hz at 30 %, "Calculate", then F5
# and a moment for the simulation.
click $(entry 0)
click 160 $((area_top + 230))
click $((391 + 112 + 37)) $((56 + 23 + 12))
xdotool key --clearmodifiers ctrl+a BackSpace type --delay 40 1000
click $((391 + 112 + 37)) $((56 + 58 + 12))
xdotool key --clearmodifiers ctrl+a BackSpace type --delay 40 30
click $((391 + 90 + 48)) $((56 + 95 + 13))
xdotool key --clearmodifiers F5
sleep 2
xdotool mousemove --window "$wid" $((600 * scale)) $((340 * scale))
shot design_simulated

# Applications, fifth row of the left column: the tone-burst generator.
click $(entry 1)
click 160 $((area_top + 308 * 9 / 14))
shot application_page

# Data, right half: the table of timer data.
click $(entry 2)
click 480 $((area_top + 150))
shot timer_data_table

quit_program

# The same design on a screen with two device pixels per logical pixel.
start_program 2
calculate_design1
shot design_calculated_scale2
quit_program
