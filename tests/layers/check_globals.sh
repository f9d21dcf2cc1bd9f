#!/usr/bin/env bash
# Fails when a library built from src/ holds writable state of its own: any
# object in a writable section (.bss, .data and their variants, except the
# read-only-after-relocation .data.rel.ro) that is neither made by the
# compiler or Qt's moc nor listed in allowed_globals.txt with its reason.
#   check_globals.sh BUILD_DIR
set -euo pipefail
build="$1"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
allowed="$here/allowed_globals.txt"

mapfile -t libraries < <(find "$build/src" -name 'libtimer555*.a' | sort)
if [ ${#libraries[@]} -eq 0 ]; then
  echo "no libraries under $build/src"
  exit 1
fi

# The patterns of the allow-list: the text before " #" on each line that is
# neither empty nor a comment.
patterns=$(sed -e '/^#/d' -e '/^[[:space:]]*$/d' -e 's/[[:space:]]*#.*$//' "$allowed")

status=0
for library in "${libraries[@]}"; do
  while IFS= read -r symbol; do
    [ -z "$symbol" ] && continue
    case "$symbol" in
      "guard variable for "* | "std::__ioinit" | DW.ref.* | "QtPrivate::QMetaTypeInterfaceWrapper<"*) continue ;;
    esac
    if ! grep -qxF -e "$symbol" <<<"$patterns"; then
      echo "WRITABLE GLOBAL in $(basename "$library"): $symbol"
      status=1
    fi
  done < <(objdump -t -C "$library" 2>/dev/null |
           awk -F'\t' '/ O / && $1 !~ /\.data\.rel\.ro/ && ($1 ~ /\.bss/ || $1 ~ /\.data/ || $1 ~ /\.tbss/ || $1 ~ /\.tdata/) {
                          sub(/^[0-9a-f]+ +(\.hidden +)?/, "", $2); print $2 }' | sort -u)
done
if [ $status -eq 0 ]; then
  echo "no writable globals beyond the $(wc -l <<<"$patterns") listed in allowed_globals.txt"
fi
exit $status
