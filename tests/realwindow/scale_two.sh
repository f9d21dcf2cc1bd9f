#!/bin/bash
# The real program with QT_SCALE_FACTOR=2 on a virtual X display: the window
# must come up twice as large, and the menu bar and the drawing area (start
# screen and design 1 calculated for 1000 Hz and 60 %) must be exactly the
# pictures of scale 1 with every pixel doubled: scaled as a whole, nothing
# blurred, nothing moved. Screenshots stay in OUTDIR.
#
#   scale_two.sh PROGRAM RUNNER OUTDIR
set -u
program=$1
runner=$2
out=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/xvfb_lib.sh"
bindir=$(dirname "$program")
rm -rf "$out"
mkdir -p "$out/runner"

area_top=42 gb1_x=391 gb1_y=56
cat >"$out/runner/scale1.scn" <<SCN
snapshot start
menu Design
click 160 76
type freq 1000
type duty 60
calculate
snapshot calculated
SCN
QT_QPA_PLATFORM=offscreen timeout 60 "$runner" "$out/runner/scale1.scn" "$out/runner" || fail "scenario runner failed"
[ "$(json_get "$out/runner/calculated.json" 'j["Calculated"]')" = True ] || fail "the runner did not calculate design 1"
read -r design_x design_y < <(json_get "$out/runner/start.json" '"%d %d" % ((j["menuBar"][0][0] + j["menuBar"][0][2]) // 2, (j["menuBar"][0][1] + j["menuBar"][0][3]) // 2)')
read -r quit_x quit_y < <(json_get "$out/runner/start.json" '"%d %d" % ((j["menuBar"][3][0] + j["menuBar"][3][2]) // 2, (j["menuBar"][3][1] + j["menuBar"][3][3]) // 2)')

# doubled_matches SCREEN EXPECTED W H X Y NAME: the W x H region at (X, Y) of
# the window (logical pixels) in the screenshot must equal that region of the
# scale-1 picture EXPECTED with each pixel doubled.
doubled_matches() {
  convert "$1" -crop "$(($3 * 2))x$(($4 * 2))+$((win_x + $5 * 2))+$((win_y + $6 * 2))" +repage "$out/$7.png" ||
    fail "cannot crop $1"
  convert "$2" -crop "${3}x${4}+0+0" +repage -scale 200% "$out/$7.expected.png" || fail "cannot scale $2"
  local diff
  diff=$(compare -metric AE "$out/$7.png" "$out/$7.expected.png" null: 2>&1 >/dev/null)
  [ "$diff" = 0 ] || fail "$7: differs from the doubled scale-1 picture in $diff pixels (see $out/$7.png)"
}

start_xvfb 1600x1000x24
QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=xcb "$program" >"$out/program.log" 2>&1 &
PROGRAM_PID=$!
wid=$(wait_window "Version 1.2")
[ -n "$wid" ] || { cat "$out/program.log"; fail "the window did not appear"; }
eval "$(xdotool getwindowgeometry --shell "$wid")"
win_x=$X win_y=$Y
[ "$WIDTH" = 1300 ] && [ "$HEIGHT" = 700 ] || fail "the window is ${WIDTH}x${HEIGHT}, not 1300x700"
click() { xdotool mousemove --window "$wid" $(($1 * 2)) $(($2 * 2)) sleep 0.1 click 1; }  # logical pixels
sleep 1
screenshot "$out/start.png"
doubled_matches "$out/start.png" "$out/runner/start.menubar.png" 650 "$area_top" 0 0 start_menubar
doubled_matches "$out/start.png" "$out/runner/start.area.png" 650 308 0 "$area_top" start_area

click "$design_x" "$design_y"
click 160 $((area_top + 76))
click $((gb1_x + 112 + 37)) $((gb1_y + 23 + 12))
xdotool key --clearmodifiers ctrl+a BackSpace type --delay 50 1000
click $((gb1_x + 112 + 37)) $((gb1_y + 58 + 12))
xdotool key --clearmodifiers ctrl+a BackSpace type --delay 50 60
click $((gb1_x + 90 + 48)) $((gb1_y + 95 + 13))
sleep 0.8
screenshot "$out/calculated.png"
doubled_matches "$out/calculated.png" "$out/runner/calculated.area.png" $((gb1_x - 1)) 308 0 "$area_top" calculated_area

click "$quit_x" "$quit_y"
wait_exit 15
[ "$EXIT_STATUS" != running ] || fail "the program still runs 15 s after Quit"
[ "$EXIT_STATUS" -eq 0 ] || fail "the program ended with status $EXIT_STATUS"
[ ! -e "$bindir/TECHNCLN.TTF" ] || fail "a font copy was written beside the program"
echo "ok: 1300x700 at scale 2; menu bar, start screen and calculated design equal to scale 1 with doubled pixels"
