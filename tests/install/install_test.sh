#!/bin/bash
# Installs the program the way a user gets it and runs the installed copy on
# a virtual X display as the unprivileged user "nobody", who cannot write the
# program's folder: the window must appear, draw something, close through
# "Quit" on its menu bar with status 0, and leave no font copy behind.
#
#   install_test.sh prefix   BUILD_DIR RUNNER OUTDIR   cmake --install into a temporary prefix
#   install_test.sh deb      BUILD_DIR RUNNER OUTDIR   cpack a .deb, check its control fields
#                                                      and file list, unpack it and run that
#   install_test.sh writable BUILD_DIR RUNNER OUTDIR   as prefix, but the user owns the program's
#                                                      folder (an install into the home folder):
#                                                      the folder must stay exactly as it was
#                                                      while the program runs, after "Quit" and
#                                                      after a kill -9
set -u
mode=$1
build=$2
runner=$3
out=$4
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../realwindow/xvfb_lib.sh"

rm -rf "$out"
mkdir -p "$out"
# As root the program runs as "nobody"; as any other user it runs as that
# user, with the program folder made read-only for everyone. as_user execs
# (so that $! of a backgrounded call is the program): call it in a subshell.
if [ "$(id -u)" -eq 0 ]; then
  command -v setpriv >/dev/null || fail "setpriv is missing"
  id nobody >/dev/null 2>&1 || fail "there is no user nobody"
  as_user() { exec setpriv --reuid=nobody --regid=nogroup --clear-groups "$@"; }
  user=nobody
else
  as_user() { exec "$@"; }
  user=$(id -un)
fi

# A root-owned folder every user may enter but only root may write.
root=$(mktemp -d /tmp/timer555-install.XXXXXX)
WORK_DIRS+=("$root")
chmod 755 "$root"

case "$mode" in
  prefix | writable)
    prefix=$root/usr
    cmake --install "$build" --prefix "$prefix" >"$out/install.log" 2>&1 || { cat "$out/install.log"; fail "cmake --install failed"; }
    ;;
  deb)
    command -v dpkg-deb >/dev/null || fail "dpkg-deb is missing"
    (cd "$build" && timeout 240 cpack -G DEB -B "$out/package" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack failed"; }
    deb=$(ls "$out"/package/timer555_*.deb 2>/dev/null | head -n1)
    [ -n "$deb" ] || fail "cpack made no timer555_*.deb"
    dpkg-deb -f "$deb" >"$out/control.txt" || fail "no control fields in $deb"
    dpkg-deb -c "$deb" >"$out/contents.txt" || fail "no file list in $deb"
    field() { dpkg-deb -f "$deb" "$1"; }
    [ "$(field Package)" = timer555 ] || fail "Package is '$(field Package)'"
    [ "$(field Version)" = 1.2 ] || fail "Version is '$(field Version)'"
    [ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "Architecture is '$(field Architecture)'"
    [ -n "$(field Maintainer)" ] || fail "no Maintainer"
    # A synopsis line, then the long description indented by exactly one
    # space (two would make dpkg show it as preformatted text).
    description=$(field Description)
    [ "$(echo "$description" | head -n1)" = "Design calculator for 555-timer circuits" ] || fail "synopsis is '$(echo "$description" | head -n1)'"
    [ "$(echo "$description" | tail -n +2 | grep -c '^ [^ ]')" -ge 2 ] || fail "no long description: $description"
    echo "$description" | grep -q '^  ' && fail "the long description is indented twice: $description"
    depends=$(field Depends)
    for need in fonts-liberation2 libngspice0 libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6; do
      echo "$depends" | tr ',' '\n' | sed 's/^ *//' | grep -q "^$need\b" || fail "Depends lacks $need: $depends"
    done
    # The listing ends each line with the path (and "-> target" for links).
    paths=$(awk '{ for (i = 6; i <= NF; i++) printf "%s%s", $i, (i < NF ? " " : "\n") }' "$out/contents.txt")
    for want in "./usr/lib/timer555/timer555" "./usr/lib/timer555/appfont.dat" "./usr/lib/timer555/appfont-LICENSE.txt" \
                "./usr/bin/timer555 -> ../lib/timer555/timer555" "./usr/share/applications/timer555.desktop" \
                "./usr/share/icons/hicolor/scalable/apps/timer555.svg" "./usr/share/mime/packages/timer555.xml"; do
      echo "$paths" | grep -qxF "$want" || fail "the package lacks '$want'"
    done
    if echo "$paths" | grep -E 'TECHNCLN|_test$|timer555-(scenario|bench|soak|script-fuzz)' ; then
      fail "the package carries files that do not belong in it"
    fi
    dpkg-deb -x "$deb" "$root" || fail "cannot unpack $deb"
    prefix=$root/usr
    ;;
  *)
    fail "unknown mode '$mode'"
    ;;
esac

# The installed layout.
for f in lib/timer555/timer555 lib/timer555/appfont.dat lib/timer555/appfont-LICENSE.txt \
         share/applications/timer555.desktop share/icons/hicolor/scalable/apps/timer555.svg \
         share/mime/packages/timer555.xml; do
  [ -s "$prefix/$f" ] || fail "$f is not installed"
done
[ -x "$prefix/lib/timer555/timer555" ] || fail "the program is not executable"
[ -L "$prefix/bin/timer555" ] || fail "bin/timer555 is not a link"
[ "$(readlink -f "$prefix/bin/timer555")" = "$(readlink -f "$prefix/lib/timer555/timer555")" ] ||
  fail "bin/timer555 points to $(readlink "$prefix/bin/timer555")"
grep -qx 'Exec=timer555 %f' "$prefix/share/applications/timer555.desktop" || fail "the desktop entry does not start timer555 with a file"
grep -qx 'MimeType=application/x-timer555;' "$prefix/share/applications/timer555.desktop" || fail "the desktop entry opens no design files"
grep -qx 'Icon=timer555' "$prefix/share/applications/timer555.desktop" || fail "the desktop entry names another icon"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/timer555.desktop" || fail "the desktop entry is not valid"
fi
python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' "$prefix/share/icons/hicolor/scalable/apps/timer555.svg" ||
  fail "the icon is not well-formed SVG"
# A MIME database built from the installed type maps *.t555 to it.
if command -v update-mime-database >/dev/null; then
  mkdir -p "$out/mime/packages"
  cp "$prefix/share/mime/packages/timer555.xml" "$out/mime/packages/"
  update-mime-database "$out/mime" >"$out/mime.log" 2>&1 || { cat "$out/mime.log"; fail "update-mime-database refused timer555.xml"; }
  grep -q '^[0-9]*:application/x-timer555:\*\.t555$' "$out/mime/globs2" || fail "the MIME type does not claim *.t555"
else
  python3 -c 'import sys, xml.dom.minidom as m; m.parse(sys.argv[1])' "$prefix/share/mime/packages/timer555.xml" ||
    fail "the MIME type is not well-formed XML"
fi
folder=$prefix/lib/timer555
if [ "$mode" = writable ]; then
  [ "$user" = nobody ] && chown -R nobody:nogroup "$folder"
  (as_user touch "$folder/probe") 2>/dev/null || fail "$user cannot write the program folder; the test would prove nothing"
  rm -f "$folder/probe"
else
  [ "$user" = nobody ] || chmod -R a-w "$folder"
  if (as_user touch "$folder/probe") 2>/dev/null; then
    fail "$user can write the program folder; the test would prove nothing"
  fi
fi
# Every entry of the program folder with its type, size, mode and change
# times; the folder's own times change whenever an entry is made, renamed or
# removed, even one that is gone again.
listing() {
  find "$folder" -printf '%P %y %s %m %T@ %C@\n' | sort
}
listing >"$out/listing.before"

# Where "Quit" is: the scenario runner draws the same menu bar with the same font.
printf 'snapshot bar\n' >"$out/bar.scn"
QT_QPA_PLATFORM=offscreen timeout 60 "$runner" "$out/bar.scn" "$out" || fail "the scenario runner failed"
read -r qx qy < <(json_get "$out/bar.json" '"%d %d" % ((j["menuBar"][3][0] + j["menuBar"][3][2]) // 2, (j["menuBar"][3][1] + j["menuBar"][3][3]) // 2)') ||
  fail "no menu bar in bar.json"

# The user's own writable places.
home=$(mktemp -d /tmp/timer555-home.XXXXXX)
WORK_DIRS+=("$home")
mkdir -p "$home/runtime"
[ "$user" = nobody ] && chown -R nobody:nogroup "$home"
chmod 700 "$home" "$home/runtime"

# unchanged STEP: the program folder is as it was before the first start.
unchanged() {
  listing >"$out/listing.$1"
  diff "$out/listing.before" "$out/listing.$1" >"$out/listing.$1.diff" ||
    { cat "$out/listing.$1.diff"; fail "the program folder changed ($1)"; }
}

# start_program: the installed program as the user; sets wid once its window
# is shown and has had a moment for what follows the first frame.
start_program() {
  as_user env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$home/runtime" DISPLAY="$DISPLAY" QT_QPA_PLATFORM=xcb \
    "$prefix/bin/timer555" >"$out/program.log" 2>&1 &
  PROGRAM_PID=$!
  wid=$(wait_window "^timer555$")
  [ -n "$wid" ] || { cat "$out/program.log"; fail "the window \"timer555\" did not appear"; }
  [ "$(ps -o user= -p "$PROGRAM_PID" | tr -d ' ')" = "$user" ] || fail "the program does not run as $user"
  sleep 1
}

start_xvfb 1024x768x24
start_program
screenshot "$out/installed.png"
[ -z "$(find "$root" -name TECHNCLN.TTF)" ] || fail "a font copy was written into the prefix"
unchanged running

xdotool mousemove --window "$wid" "$qx" "$qy" click 1
wait_exit 15
[ "$EXIT_STATUS" != running ] || fail "the program still runs 15 s after Quit"
[ "$EXIT_STATUS" -eq 0 ] || { cat "$out/program.log"; fail "the program ended with status $EXIT_STATUS"; }
[ -z "$(find "$root" -name TECHNCLN.TTF)" ] || fail "TECHNCLN.TTF left in the prefix"
unchanged quit

if [ "$mode" = writable ]; then
  # Killed without a chance to clean up, it leaves nothing either.
  start_program
  kill -9 "$PROGRAM_PID"
  wait_exit 15
  [ "$EXIT_STATUS" != running ] || fail "the program survived kill -9"
  unchanged killed
fi
echo "ok ($mode): installed into $prefix, window shown to $user, Quit at ($qx, $qy), status 0, program folder unchanged"
