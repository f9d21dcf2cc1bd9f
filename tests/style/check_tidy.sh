#!/usr/bin/env bash
# Fails when clang-tidy, with the repository's .clang-tidy, finds anything
# in the program's sources or the tools (skipped, status 77, without
# clang-tidy). Needs the build's compile_commands.json.
set -uo pipefail
top="$1"
build="$2"
tidy=$(command -v clang-tidy-14 || command -v clang-tidy) || { echo "clang-tidy not found"; exit 77; }
cd "$top" || exit 1
find src tools -name '*.cpp' -not -path 'tools/fuzz/*' | sort |
  xargs -P "$(nproc)" -n 4 "$tidy" -p "$build" --quiet 2>&1 |
  grep -v -E '^[0-9]+ warnings? generated|^Suppressed [0-9]+ warnings|^Use -header-filter|^$' > "$build/tidy.log"
if [ -s "$build/tidy.log" ]; then
  cat "$build/tidy.log"
  exit 1
fi
echo "clang-tidy: clean"
