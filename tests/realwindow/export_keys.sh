#!/bin/bash
# Ctrl+C, Ctrl+S and Ctrl+P in the real program on a virtual X display,
# with Qt's own file and print dialogs, driven by xdotool: design 1 at
# 1000 Hz and 60 %; Ctrl+C in the frequency field with its text selected
# copies the text, without a selection the sheet (a picture equal to the
# command line's sheet of the same design, and the summary); Ctrl+S saves
# a PNG (equal to it as well) and an SVG (rendered with rsvg-convert,
# which is given no font); Ctrl+P prints to the PDF file the print dialog
# offers, in vectors: text in the embedded display font, no picture.
# Everything it made stays in OUTDIR.
#
#   export_keys.sh PROGRAM OUTDIR
set -u
program=$(realpath "$1")
out=$2
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/xvfb_lib.sh"
bindir=$(dirname "$program")
rm -rf "$out"
mkdir -p "$out"
for tool in xclip rsvg-convert pdfinfo pdftoppm pdftotext pdffonts pdfimages; do
  command -v "$tool" >/dev/null || fail "$tool is not installed"
done

# The sheet the command line draws for the same design.
"$program" --design 1 --frequency 1000 --duty 60 --png "$out/expected.png" >/dev/null ||
  fail "the command line did not write the sheet"

# The print dialog offers a file in the home folder, named after the page.
home=$(mktemp -d)
WORK_DIRS+=("$home")

area_top=42
gb1_x=391 gb1_y=56
freq_x=$((gb1_x + 112 + 37)) freq_y=$((gb1_y + 23 + 12))
duty_x=$((gb1_x + 112 + 37)) duty_y=$((gb1_y + 58 + 12))
calc_x=$((gb1_x + 90 + 48)) calc_y=$((gb1_y + 95 + 13))

start_xvfb 1024x768x24
rm -f "$bindir/TECHNCLN.TTF"
FONT_COPY=$bindir/TECHNCLN.TTF
(cd "$home" && HOME=$home QT_QPA_PLATFORM=xcb exec "$program") >"$out/program.log" 2>&1 &
PROGRAM_PID=$!
wid=$(wait_window "^timer555$")
[ -n "$wid" ] || { cat "$out/program.log"; fail "the window did not appear"; }
click() { xdotool mousemove --window "$wid" "$1" "$2" sleep 0.1 click 1; }
# Keys go to the main window; without a window manager the focus has to be
# given back after a dialog closed.
keys() {
  xdotool windowfocus --sync "$wid" 2>/dev/null
  xdotool key --clearmodifiers "$@"
  sleep 0.7
}
# dialog: waits for a second window of the program and prints its id.
dialog() {
  local d=""
  for _ in $(seq 1 50); do
    d=$(xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | grep -vx "$wid" | head -n1)
    [ -n "$d" ] && break
    sleep 0.2
  done
  echo "$d"
}
dialog_closed() {
  for _ in $(seq 1 50); do
    xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null | grep -qvx "$wid" || return 0
    sleep 0.2
  done
  fail "a dialog stayed open"
}
clip() { timeout 10 xclip -selection clipboard -o -t "$1"; }

click 40 20
sleep 0.3
click 160 $((76 + area_top))
sleep 0.3
click "$freq_x" "$freq_y"
xdotool type --delay 50 1000
click "$duty_x" "$duty_y"
xdotool type --delay 50 60
click "$calc_x" "$calc_y"
sleep 0.7

# Ctrl+C with the frequency field's text selected copies that text.
click "$freq_x" "$freq_y"
keys ctrl+a ctrl+c
[ "$(clip text/plain)" = 1000 ] || fail "Ctrl+C in the field copied \"$(clip text/plain)\", not its text"

# Without a selection, Ctrl+C copies the sheet and its summary.
keys End ctrl+c
clip TARGETS >"$out/targets.txt"
grep -qx image/png "$out/targets.txt" || fail "no picture on the clipboard: $(tr '\n' ' ' <"$out/targets.txt")"
grep -qx text/plain "$out/targets.txt" || fail "no text on the clipboard"
clip text/plain >"$out/clipboard.txt"
grep -qP '^R1\t2.885K\t2885.39 ohm$' "$out/clipboard.txt" || fail "the summary lacks R1: $(cat "$out/clipboard.txt")"
grep -q '^Best 3 E24 combinations' "$out/clipboard.txt" || fail "the summary lacks the combinations"
clip image/png >"$out/clipboard.png"
diff=$(compare -metric AE "$out/clipboard.png" "$out/expected.png" null: 2>&1 >/dev/null)
[ "$diff" = 0 ] || fail "the clipboard's picture differs from the command line's sheet in $diff pixels"

# Ctrl+S: Qt's save dialog with the page's name; a typed path replaces it.
for name in saved.png saved.svg; do
  keys ctrl+s
  d=$(dialog)
  [ -n "$d" ] || fail "Ctrl+S opened no dialog"
  sleep 0.5
  screenshot "$out/save_dialog.png"
  xdotool windowfocus --sync "$d" 2>/dev/null
  xdotool key --clearmodifiers ctrl+a BackSpace type --delay 20 "$home/$name"
  xdotool key Return
  dialog_closed
  # The file is written once the dialog has closed.
  for _ in $(seq 1 25); do [ -s "$home/$name" ] && break; sleep 0.2; done
  [ -s "$home/$name" ] || fail "Ctrl+S wrote no $name"
  cp "$home/$name" "$out/"
done
diff=$(compare -metric AE "$out/saved.png" "$out/expected.png" null: 2>&1 >/dev/null)
[ "$diff" = 0 ] || fail "the saved PNG differs from the command line's sheet in $diff pixels"
printf '<?xml version="1.0"?>\n<fontconfig><cachedir>%s/fc-cache</cachedir></fontconfig>\n' "$out" >"$out/no-fonts.conf"
FONTCONFIG_FILE=$out/no-fonts.conf rsvg-convert -b white -o "$out/saved.svg.png" "$out/saved.svg" ||
  fail "rsvg-convert cannot read the saved SVG"
[ "$(identify -format '%wx%h' "$out/saved.svg.png")" = "$(identify -format '%wx%h' "$out/expected.png")" ] ||
  fail "the SVG is not the sheet's size"

# Ctrl+P: the print dialog offers the PDF file; Return prints.
keys ctrl+p
d=$(dialog)
[ -n "$d" ] || fail "Ctrl+P opened no dialog"
sleep 0.5
screenshot "$out/print_dialog.png"
xdotool windowfocus --sync "$d" 2>/dev/null
xdotool key Return
dialog_closed
pdf="$home/astable-1000Hz-60pct.pdf"
for _ in $(seq 1 25); do [ -s "$pdf" ] && break; sleep 0.2; done
[ -s "$pdf" ] || fail "Ctrl+P printed no $pdf ($(ls "$home"))"
cp "$pdf" "$out/printed.pdf"
pages=$(pdfinfo "$out/printed.pdf" | awk '/^Pages:/ {print $2}')
[ "$pages" = 1 ] || fail "the PDF has ${pages:-no} pages"
pdftoppm -r 72 -png -singlefile "$out/printed.pdf" "$out/printed" || fail "pdftoppm cannot render the PDF"
colours=$(convert "$out/printed.png" -format '%k' info:)
[ "${colours:-0}" -gt 2 ] || fail "the printed page is blank"
pdftotext "$out/printed.pdf" - | grep -q '2\.885K' || fail "the printed PDF has no text with R1's value"
pdffonts "$out/printed.pdf" | grep -qE '^Technical +.* yes ' || fail "the printed PDF does not embed the display font"
[ "$(pdfimages -list "$out/printed.pdf" | tail -n +3 | wc -l)" = 0 ] || fail "the printed PDF holds a picture"

click 357 20  # "Quit"
wait_exit 15
[ "$EXIT_STATUS" = 0 ] || fail "the program ended with status $EXIT_STATUS after Quit"
echo "ok: field text and sheet copied, PNG equal to the command line's sheet, SVG rendered without fonts, one PDF page printed in vectors"
