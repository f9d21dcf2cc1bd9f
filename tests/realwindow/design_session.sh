#!/bin/bash
# A design session in the real program on a virtual X display, driven with
# the mouse and keyboard through xdotool: Design menu, design 1, 1000 Hz and
# 60 %, "Calculate", C1 one step up, R1 adjusted by 10 % through its dialog,
# "Quit". The coordinates come from the scenario runner, which plays the
# same steps headless; after each step the drawing area on the screen must
# equal the runner's picture of it. Screenshots of every step stay in OUTDIR.
#
#   design_session.sh PROGRAM RUNNER OUTDIR
set -u
program=$1
runner=$2
out=$3
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/xvfb_lib.sh"
bindir=$(dirname "$program")
rm -rf "$out"
mkdir -p "$out/runner"

# Layout of the window (client coordinates): the drawing area below the
# menu bar, the entry group GB1 with its fields and the button, and the
# arrows in GB2.
area_top=42
gb1_x=391 gb1_y=56
freq_x=$((gb1_x + 112 + 37)) freq_y=$((gb1_y + 23 + 12))
duty_x=$((gb1_x + 112 + 37)) duty_y=$((gb1_y + 58 + 12))
calc_x=$((gb1_x + 90 + 48)) calc_y=$((gb1_y + 95 + 13))
up_x=$((391 + 146 + 15)) up_y=$((193 + 22 + 11))
quad_x=160 quad_y=76   # inside the top-left quadrant of the drawing area

# 1. The same session headless, for the coordinates and the expected pictures.
cat >"$out/runner/pass1.scn" <<SCN
snapshot start
menu Design
snapshot menu
click $quad_x $quad_y
snapshot design1
type freq 1000
type duty 60
calculate
snapshot calculated
arrow up
snapshot c1up
SCN
QT_QPA_PLATFORM=offscreen timeout 60 "$runner" "$out/runner/pass1.scn" "$out/runner" || fail "scenario runner failed (pass 1)"
j=$out/runner/c1up.json
[ "$(json_get "$j" 'j["Calculated"]')" = True ] || fail "the runner did not calculate design 1"
read -r design_x design_y < <(json_get "$out/runner/start.json" '"%d %d" % ((j["menuBar"][0][0] + j["menuBar"][0][2]) // 2, (j["menuBar"][0][1] + j["menuBar"][0][3]) // 2)')
read -r quit_x quit_y < <(json_get "$out/runner/start.json" '"%d %d" % ((j["menuBar"][3][0] + j["menuBar"][3][2]) // 2, (j["menuBar"][3][1] + j["menuBar"][3][3]) // 2)')
read -r r1_x r1_y < <(json_get "$j" '"%d %d" % ((j["ResistorZones"][0][0] + j["ResistorZones"][0][2]) // 2, (j["ResistorZones"][0][1] + j["ResistorZones"][0][3]) // 2)')
[ "$r1_x" -gt 0 ] || fail "no zone recorded for R1"

# What the R1 dialog shows, and a value 10 % above it in the same unit.
cat >"$out/runner/pass2.scn" <<SCN
move $r1_x $r1_y
dialog 0
click $r1_x $r1_y
snapshot probe
SCN
cat "$out/runner/pass1.scn" "$out/runner/pass2.scn" >"$out/runner/probe.scn"
QT_QPA_PLATFORM=offscreen timeout 60 "$runner" "$out/runner/probe.scn" "$out/runner" ||
  fail "scenario runner failed (pass 2)"
shown=$(json_get "$out/runner/probe.json" 'j["dialog"]["number"]')
[ "$(json_get "$out/runner/probe.json" 'j["dialog"]["name"]')" = R1 ] || fail "the click on R1's zone opened no R1 dialog"
answer=$(python3 -c 'import sys; print(("%.4g" % (float(sys.argv[1]) * 1.1)))' "$shown")
cat >"$out/runner/pass3.scn" <<SCN
move $r1_x $r1_y
dialog $answer
click $r1_x $r1_y
snapshot adjusted
SCN
cat "$out/runner/pass1.scn" "$out/runner/pass3.scn" >"$out/runner/adjusted.scn"
QT_QPA_PLATFORM=offscreen timeout 60 "$runner" "$out/runner/adjusted.scn" "$out/runner" ||
  fail "scenario runner failed (pass 3)"
[ "$(json_get "$out/runner/adjusted.json" 'len(j["messages"])')" = 0 ] || fail "the runner refused the adjustment $answer"
[ "$(json_get "$out/runner/adjusted.json" 'j["R1"] != j["NominalR1"]')" = True ] || fail "the adjustment changed nothing in the runner"

# area_matches SCREEN EXPECTED STEP: the drawing area cut from a screenshot
# must equal the runner's picture of the same step, left of the input groups
# (which lie over the drawing area's right part on screen).
area_matches() {
  local h
  h=$(identify -format '%h' "$2")
  convert "$1" -crop "$((gb1_x - 1))x${h}+${win_x}+$((win_y + area_top))" +repage "$out/$3.area.png" ||
    fail "cannot crop $1"
  convert "$2" -crop "$((gb1_x - 1))x${h}+0+0" +repage "$out/$3.expected.png" || fail "cannot crop $2"
  local diff
  diff=$(compare -metric AE "$out/$3.area.png" "$out/$3.expected.png" null: 2>&1 >/dev/null)
  [ "$diff" = 0 ] || fail "step $3: the drawing area differs from the runner's in $diff pixels (see $out/$3.area.png)"
}

# vout_matches SCREEN EXPECTED STEP: the same for the waveform panel Image5
# (inside GB3 at (391, 253), itself at (13, 25) there).
vout_matches() {
  local w h
  read -r w h < <(identify -format '%w %h' "$2")
  convert "$1" -crop "${w}x${h}+$((win_x + 391 + 13))+$((win_y + 253 + 25))" +repage "$out/$3.vout.png" ||
    fail "cannot crop $1"
  local diff
  diff=$(compare -metric AE "$out/$3.vout.png" "$2" null: 2>&1 >/dev/null)
  [ "$diff" = 0 ] || fail "step $3: the waveform panel differs from the runner's in $diff pixels (see $out/$3.vout.png)"
}

step() {  # step NAME: screenshot after a pause for the repaint
  sleep 0.7
  screenshot "$out/$1.png"
}

# 2. The real program.
start_xvfb 1024x768x24
QT_QPA_PLATFORM=xcb "$program" >"$out/program.log" 2>&1 &
PROGRAM_PID=$!
wid=$(wait_window "^timer555$")
[ -n "$wid" ] || { cat "$out/program.log"; fail "the window did not appear"; }
eval "$(xdotool getwindowgeometry --shell "$wid")"
win_x=$X win_y=$Y
click() { xdotool mousemove --window "$wid" "$1" "$2" sleep 0.1 click 1; }

step 01_start
area_matches "$out/01_start.png" "$out/runner/start.area.png" 01_start

click "$design_x" "$design_y"
step 02_design_menu
area_matches "$out/02_design_menu.png" "$out/runner/menu.area.png" 02_design_menu

click "$quad_x" $((quad_y + area_top))
step 03_design1
area_matches "$out/03_design1.png" "$out/runner/design1.area.png" 03_design1

click "$freq_x" "$freq_y"
xdotool key --clearmodifiers ctrl+a BackSpace type --delay 50 1000
click "$duty_x" "$duty_y"
xdotool key --clearmodifiers ctrl+a BackSpace type --delay 50 60
step 04_typed
click "$calc_x" "$calc_y"
step 05_calculated
area_matches "$out/05_calculated.png" "$out/runner/calculated.area.png" 05_calculated
vout_matches "$out/05_calculated.png" "$out/runner/calculated.vout.png" 05_calculated

click "$up_x" "$up_y"
step 06_c1_up
area_matches "$out/06_c1_up.png" "$out/runner/c1up.area.png" 06_c1_up
vout_matches "$out/06_c1_up.png" "$out/runner/c1up.vout.png" 06_c1_up

# The pointer rests on R1 (its cursor appears), then the click opens the
# modal dialog with the focus in its field.
xdotool mousemove --window "$wid" "$r1_x" $((r1_y + area_top))
sleep 0.3
click "$r1_x" $((r1_y + area_top))
dialog=""
for _ in $(seq 1 50); do
  dialog=$(xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | grep -vx "$wid" | head -n1)
  [ -n "$dialog" ] && break
  sleep 0.2
done
[ -n "$dialog" ] || fail "the adjust dialog did not open"
step 07_dialog
xdotool key --clearmodifiers ctrl+a BackSpace type --delay 50 "$answer"
xdotool key Return
for _ in $(seq 1 50); do
  xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | grep -qvx "$wid" || break
  sleep 0.2
done
xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | grep -qvx "$wid" && fail "the adjust dialog stayed open"
step 08_adjusted
area_matches "$out/08_adjusted.png" "$out/runner/adjusted.area.png" 08_adjusted
vout_matches "$out/08_adjusted.png" "$out/runner/adjusted.vout.png" 08_adjusted

# F5 simulates in the background: the plot of C1's voltage (blue) and the
# output (red) appears in the panel below the client area, which keeps the
# window on the screen (the panel scrolls to show it).
xdotool key --clearmodifiers F5
sleep 3
eval "$(xdotool getwindowgeometry --shell "$wid")"
[ $((Y + HEIGHT)) -le 768 ] || fail "the window reaches past the bottom of the screen after F5"
step 09_simulated
convert "$out/09_simulated.png" -crop "${WIDTH}x$((HEIGHT - 350))+${X}+$((Y + 350))" +repage -depth 8 rgb:"$out/panel.rgb" ||
  fail "cannot crop the panel"
read -r blue red < <(python3 -c '
import sys
data = open(sys.argv[1], "rb").read()
px = [data[i:i + 3] for i in range(0, len(data), 3)]
print(sum(1 for r, g, b in px if b > 200 and r < 60 and g < 60), sum(1 for r, g, b in px if r > 200 and g < 60 and b < 60))
' "$out/panel.rgb")
[ "$blue" -gt 100 ] && [ "$red" -gt 100 ] || fail "no plot in the panel after F5 ($blue blue and $red red pixels)"

click "$quit_x" "$quit_y"
wait_exit 15
[ "$EXIT_STATUS" != running ] || fail "the program still runs 15 s after Quit"
[ "$EXIT_STATUS" -eq 0 ] || { cat "$out/program.log"; fail "the program ended with status $EXIT_STATUS"; }
[ ! -e "$bindir/TECHNCLN.TTF" ] || fail "a font copy was written beside the program"
echo "ok: drawing area and waveform on screen equal to the runner's, R1 set to $answer (dialog showed $shown), the simulation plotted ($blue blue, $red red pixels), status 0, no font copy"
