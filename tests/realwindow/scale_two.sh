#!/bin/bash
# The real program with QT_SCALE_FACTOR=2 on a virtual X display, used as on
# a HiDPI laptop: Design, the first quadrant, 1000 Hz and 60 %, "Calculate".
# The window must come up twice as large, and the program's own drawings
# (menu bar, start screen, drawing area, "Calculate" button, adjust arrows,
# waveform panel) must be drawn at the device resolution against the scale-1
# pictures of the scenario runner: lines exactly doubled, text sharp, nothing
# moved (scale_two_check.py). The calculated drawing area must equal the
# runner's at scale 2 and the reference golden/design1_calculated_scale2.png
# (TIMER555_UPDATE_GOLDEN=1 rewrites it). Screenshots stay in OUTDIR.
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
mkdir -p "$out/runner1" "$out/runner2"

area_top=42 gb1_x=391 gb1_y=56
cat >"$out/session.scn" <<SCN
snapshot start
menu Design
click 160 76
type freq 1000
type duty 60
calculate
snapshot calculated
SCN
QT_QPA_PLATFORM=offscreen timeout 60 "$runner" "$out/session.scn" "$out/runner1" || fail "scenario runner failed"
[ "$(json_get "$out/runner1/calculated.json" 'j["Calculated"]')" = True ] || fail "the runner did not calculate design 1"
QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=offscreen timeout 60 "$runner" "$out/session.scn" "$out/runner2" ||
  fail "scenario runner failed at scale 2"
read -r design_x design_y < <(json_get "$out/runner1/start.json" '"%d %d" % ((j["menuBar"][0][0] + j["menuBar"][0][2]) // 2, (j["menuBar"][0][1] + j["menuBar"][0][3]) // 2)')
read -r quit_x quit_y < <(json_get "$out/runner1/start.json" '"%d %d" % ((j["menuBar"][3][0] + j["menuBar"][3][2]) // 2, (j["menuBar"][3][1] + j["menuBar"][3][3]) // 2)')

# The reference picture of the calculated design at scale 2.
golden=$here/golden/design1_calculated_scale2.png
if [ "${TIMER555_UPDATE_GOLDEN:-}" = 1 ]; then
  mkdir -p "$here/golden"
  cp "$out/runner2/calculated.area.png" "$golden"
  echo "wrote $golden"
fi
[ -f "$golden" ] || fail "no reference $golden (TIMER555_UPDATE_GOLDEN=1 writes it)"
diff=$(compare -metric AE "$out/runner2/calculated.area.png" "$golden" "$out/golden_difference.png" 2>&1 >/dev/null)
[ "$diff" = 0 ] ||
  fail "the scale-2 drawing area differs from $golden in $diff pixels (see $out/golden_difference.png)"

# scale_two_matches SCREEN NAME X Y W H SCALE1 SX SY MIN [text]: the W x H
# region at (X, Y) of the window (logical pixels) in the screenshot against
# the region at (SX, SY) of the scale-1 picture SCALE1; MIN line pixels at
# least; "text" when the region holds text.
scale_two_matches() {
  convert "$1" -crop "$(($5 * 2))x$(($6 * 2))+$((win_x + $3 * 2))+$((win_y + $4 * 2))" +repage "$out/$2.png" ||
    fail "cannot crop $1"
  convert "$7" -crop "${5}x${6}+${8}+${9}" +repage "$out/$2.scale1.png" || fail "cannot crop $7"
  python3 "$here/scale_two_check.py" "$out/$2.scale1.png" "$out/$2.png" "$2" "${10}" "${11:-}" || exit 1
}

start_xvfb 1600x1000x24
QT_SCALE_FACTOR=2 QT_QPA_PLATFORM=xcb "$program" >"$out/program.log" 2>&1 &
PROGRAM_PID=$!
wid=$(wait_window "^timer555$")
[ -n "$wid" ] || { cat "$out/program.log"; fail "the window did not appear"; }
eval "$(xdotool getwindowgeometry --shell "$wid")"
win_x=$X win_y=$Y
[ "$WIDTH" = 1300 ] && [ "$HEIGHT" = 700 ] || fail "the window is ${WIDTH}x${HEIGHT}, not 1300x700"
click() { xdotool mousemove --window "$wid" $(($1 * 2)) $(($2 * 2)) sleep 0.1 click 1; }  # logical pixels
sleep 1
screenshot "$out/start.png"
scale_two_matches "$out/start.png" start_menubar 0 0 650 "$area_top" "$out/runner1/start.menubar.png" 0 0 600 text
scale_two_matches "$out/start.png" start_area 0 "$area_top" 650 308 "$out/runner1/start.area.png" 0 0 0 text

click "$design_x" "$design_y"
click 160 $((area_top + 76))
click $((gb1_x + 112 + 37)) $((gb1_y + 23 + 12))
xdotool key --clearmodifiers ctrl+a BackSpace type --delay 50 1000
click $((gb1_x + 112 + 37)) $((gb1_y + 58 + 12))
xdotool key --clearmodifiers ctrl+a BackSpace type --delay 50 60
click $((gb1_x + 90 + 48)) $((gb1_y + 95 + 13))
sleep 0.8
# The panel below the client area made the window taller: it stays within
# the 1000-pixel screen, moved up if need be.
eval "$(xdotool getwindowgeometry --shell "$wid")"
win_x=$X win_y=$Y
[ "$WIDTH" = 1300 ] && [ "$HEIGHT" -gt 700 ] || fail "the calculated design's window is ${WIDTH}x${HEIGHT}"
[ $((Y + HEIGHT)) -le 1000 ] || fail "the window reaches past the bottom of the screen (y $Y, height $HEIGHT)"
screenshot "$out/calculated.png"
shown=$out/runner1/calculated
scale_two_matches "$out/calculated.png" area 0 "$area_top" $((gb1_x - 1)) 308 "$shown.area.png" 0 0 500 text
scale_two_matches "$out/calculated.png" calculate_button 481 151 96 27 "$shown.window.png" 481 151 150 text
scale_two_matches "$out/calculated.png" adjust_arrows 537 215 62 22 "$shown.window.png" 537 215 100
scale_two_matches "$out/calculated.png" waveform 404 278 203 58 "$shown.vout.png" 0 0 200 text
# The drawing area on the screen is the runner's scale-2 picture (left of
# the input groups, which lie over it).
convert "$out/runner2/calculated.area.png" -crop "$(((gb1_x - 1) * 2))x616+0+0" +repage "$out/area.runner.png"
diff=$(compare -metric AE "$out/area.png" "$out/area.runner.png" null: 2>&1 >/dev/null)
[ "$diff" = 0 ] || fail "the drawing area on screen differs from the runner's at scale 2 in $diff pixels"

click "$quit_x" "$quit_y"
wait_exit 15
[ "$EXIT_STATUS" != running ] || fail "the program still runs 15 s after Quit"
[ "$EXIT_STATUS" -eq 0 ] || fail "the program ended with status $EXIT_STATUS"
[ ! -e "$bindir/TECHNCLN.TTF" ] || fail "a font copy was written beside the program"
echo "ok: 1300x700 at scale 2, within the screen once calculated; menu bar, start screen, calculated design, button, arrows and waveform drawn at device resolution, equal to the reference"
